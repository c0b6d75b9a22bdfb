// A long random session on the page, in Chromium or Firefox ESR
// (VIRAMONT_BROWSER): picks, texts typed into the fields (digits, signs,
// both separators, letters, Cyrillic, empty, very long), ВЫБОР and Command1
// (some over wide intervals), every box answered at random with Enter,
// Escape, ×, OK or Отмена (the base box with wrong answers too), the canvas
// menu and its items, the step sheet opened and closed, the practice panel
// and the cards' box used and closed, and resizes. After
// every action:
//   - no script error and no request to the network;
//   - no box opened that the action could not open;
//   - within a short time the page has settled: nothing runs, and nothing
//     is open that the user did not open; with nothing open, a click on
//     Command1 reaches it.
//
// VIRAMONT_SOAK_SEED and VIRAMONT_SOAK_ACTIONS (environment) change the seed
// and the length; a failure names the seed, the action and the last ones.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { engine } from './browser.mjs';
import { marks, resize, withPage } from './kit.mjs';

const seed = Number(process.env.VIRAMONT_SOAK_SEED || 20261209);
const actions = Number(process.env.VIRAMONT_SOAK_ACTIONS || 1000);
const kSettle = 20000;  // ms in which any action here has ended, even on a loaded machine

// mulberry32: a small generator, the same sequence for a seed everywhere.
function generator(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const int = (lo, hi) => lo + Math.floor(next() * (hi - lo + 1));
  return { int, chance: (percent) => next() * 100 < percent, oneOf: (items) => items[int(0, items.length - 1)] };
}

// Texts a pupil might leave in a field of A, k, b or C, the awkward ones often.
const kEdges = ['', '0', '-0', '+0', '0.0', '0,5', '-2,5', '1.', '.5', '-.', 'e5', '1e', '1e999', '-1e999', '1e39',
  '3.4e38', '1e-50', '1e-320', 'abc', '7abc', 'x', 'NaN', 'inf', '∞', '１', 'Ж', 'два', '2048', '-2048', '32767',
  '40000', '0.4', '1,5e3', '2.5e+1', ' 3'];
function fieldText(r) {
  const kind = r.int(0, 99);
  if (kind < 40) return String(r.int(-12, 12) / 4).replace('.', r.chance(50) ? '.' : ',');
  if (kind < 75) return r.oneOf(kEdges);
  if (kind < 80) {
    const n = r.int(100, 3000);
    return r.oneOf(['9'.repeat(n), `0.${'0'.repeat(n)}1`, `-${'1'.repeat(n)}e-${n}`, 'Ж'.repeat(n)]);
  }
  let t = r.chance(40) ? r.oneOf(['-', '+', '−']) : '';
  for (let i = r.int(0, 5); i > 0; --i) t += String(r.int(0, 9));
  if (r.chance(50)) t += r.oneOf(['.', ',']);
  for (let i = r.int(0, 3); i > 0; --i) t += String(r.int(0, 9));
  if (r.chance(20)) t += r.oneOf(['e', 'E']) + r.int(-40, 40);
  if (r.chance(15)) t += r.oneOf(['abc', 'Ф', ' ', 'x']);
  return t;
}
// The interval's ends: small, wide (up to 200 from 0, about four million
// points a graph), or where the loops end at once (far out, not a number).
function intervalText(r) {
  const kind = r.int(0, 99);
  if (kind < 55) return String(r.int(-12, 12) / 2).replace('.', r.chance(50) ? '.' : ',');
  if (kind < 70) return String(r.int(-200, 200));
  return r.oneOf(['', '0', 'abc', '1e39', '-1e39', '1e999', '5,5', '-0,25', '9'.repeat(400), 'Ж']);
}
const kBaseAnswers = ['', '0', '0,4', '0.4', '-3', '−3', 'abc', '3,5', '2', '10', '1e999', '40000', '1,5'];
const kSizes = [[1280, 900], [1024, 600], [800, 600], [600, 1024], [1600, 1100], [390, 844]];

// What is open on the page, as the session sees it.
const openNow = (page) => page.evaluate(() => {
  const box = document.getElementById('box');
  return {
    box: box.open && { title: box.querySelector('.title-text').textContent, input: !box.querySelector('input').hidden,
      cancel: !box.querySelector('.cancel').hidden },
    steps: document.getElementById('steps').open,
    practice: document.getElementById('practice').open,
    cards: document.getElementById('cards').open,
    menu: !document.getElementById('menu').hidden,
    busy: document.getElementById('form').hasAttribute('aria-busy'),
  };
});

test(`a random session of ${actions} actions in ${engine} (seed ${seed})`, { timeout: 30 * 60 * 1000 }, async () => {
  const r = generator(seed);
  const log = [];
  const tally = {};
  let baseBoxes = 0;
  await withPage({}, async (page) => {
    let viewport = [1280, 900];
    const fail = (what) => {
      throw new Error(`${what}\nseed ${seed} (VIRAMONT_SOAK_SEED=${seed} VIRAMONT_BROWSER=${engine}), ` +
        `action ${log.length}; the last actions:\n  ${log.slice(-15).join('\n  ')}`);
    };
    const clickIn = async (selector) => {
      const el = await page.$(selector);
      if (el) await el.click();
      return Boolean(el);
    };

    // One action; says whether it asked the program for something (an
    // action of the page's queue) and whether it may open a box.
    async function act(open) {
      if (open.box) {
        const how = r.int(0, 99);
        if (open.box.input && how < 60) {
          ++baseBoxes;
          const typed = r.oneOf(kBaseAnswers);
          await page.$eval('#box input', (e) => { e.value = ''; });
          if (typed) await page.keyboard.type(typed);
          await page.keyboard.press('Enter');
          return { did: `base box: "${typed}" Enter`, asks: true, boxes: true };
        }
        if (open.box.input) ++baseBoxes;
        const choices = ['Enter', 'Escape', '.close', '.ok'].concat(open.box.cancel ? ['.cancel'] : []);
        const choice = r.oneOf(choices);
        if (choice.startsWith('.')) await page.click(`#box ${choice}`);
        else await page.keyboard.press(choice);
        return { did: `box "${open.box.title}": ${choice}`, asks: true, boxes: true };
      }
      if (open.menu) {
        const items = await page.$$eval('#menu [role=menuitem]', (es) => es.filter((e) => !e.hidden)
          .map((e) => ({ action: e.dataset.action, enabled: e.getAttribute('aria-disabled') !== 'true' })));
        const item = r.chance(15) ? null : r.oneOf(items);
        if (!item) {
          await page.keyboard.press('Escape');
          return { did: 'menu: Escape' };
        }
        await page.click(`#menu [data-action=${item.action}]`);
        return { did: `menu: ${item.action}${item.enabled ? '' : ' (disabled)'}`, asks: item.enabled, boxes: true };
      }
      if (open.practice) {
        const how = r.int(0, 99);
        if (how < 30) {
          await page.keyboard.press('Escape');
          return { did: 'practice: Escape' };
        }
        if (how < 55) {
          const id = `practice-${r.oneOf(['A', 'k', 'b', 'C'])}`;
          const text = fieldText(r);
          await page.$eval(`#${id}`, (e, t) => { e.value = t; }, text);
          return { did: `${id} = "${text.length > 20 ? `${text.slice(0, 8)}…(${text.length})` : text}"` };
        }
        if (how < 60) {
          await page.select('#practice-level', String(r.int(0, 2)));
          return { did: 'practice: level', asks: true };
        }
        const button = r.oneOf(['check', 'check', 'solution', 'next']);
        await page.click(`#practice-${button}`);
        return { did: `practice: ${button}`, asks: true };
      }
      if (open.cards) {
        const how = r.int(0, 99);
        if (how < 30) {
          await page.keyboard.press('Escape');
          return { did: 'cards: Escape' };
        }
        if (how < 65) {
          const id = r.oneOf(['cards-variants', 'cards-set']);
          const text = r.chance(80) ? String(r.int(-2, 12)) : r.oneOf(['', 'abc', '1e3', '99999999999', ' 7 ', '2,5']);
          await page.$eval(`#${id}`, (e, t) => { e.value = t; }, text);
          return { did: `${id} = "${text}"` };
        }
        const button = r.oneOf(['save', 'print', 'close']);
        await page.click(`#cards-${button}`);
        return { did: `cards: ${button}`, asks: button !== 'close', boxes: true };
      }
      if (open.steps) {
        const how = r.int(0, 99);
        if (how < 35) {
          await page.keyboard.press('Escape');
          return { did: 'sheet: Escape' };
        }
        if (how < 60) {
          await page.click('#steps .answers [data-action=close]');
          return { did: 'sheet: Закрыть' };
        }
        if (how < 80) {
          const output = r.oneOf(['copy', 'save', 'print']);
          await page.click(`#steps .answers [data-action=${output}]`);
          return { did: `sheet: ${output}`, asks: true, boxes: true };
        }
        await page.click('#Step0', { button: 'right' });
        return { did: 'sheet: its menu' };
      }
      const kind = r.int(0, 99);
      if (kind < 30) {
        const id = r.oneOf(['Text1', 'Text2', 'Text3', 'Text4', 'Text6', 'Text7']);
        const text = id === 'Text6' || id === 'Text7' ? intervalText(r) : fieldText(r);
        if (text.length < 12 && r.chance(50)) {
          await page.click(`#${id}`, { clickCount: 3 });
          await page.keyboard.press('Backspace');
          if (text) await page.keyboard.type(text);
        } else {
          await page.$eval(`#${id}`, (e, t) => { e.value = t; }, text);
        }
        return { did: `${id} = "${text.length > 20 ? `${text.slice(0, 8)}…(${text.length})` : text}"` };
      }
      if (kind < 42) {
        const entries = await page.$$eval('#Combo1-list li', (es) => es.map((e) => e.textContent));
        if (r.chance(60)) {
          // The base-a logarithm often, for its base box.
          const entry = r.chance(30) ? entries.indexOf('Log(b)/Log(a)') : r.int(0, entries.length - 1);
          await page.click('#Combo1 + .arrow');
          await page.click(`#Combo1-list li:nth-child(${entry + 1})`);
          return { did: `pick ${entries[entry]}`, asks: true };
        }
        const key = r.oneOf(['ArrowDown', 'ArrowUp']);
        const at = entries.indexOf(await page.$eval('#Combo1', (e) => e.value));
        await page.focus('#Combo1');
        await page.keyboard.press(key);
        const moves = at < 0 ? true : key === 'ArrowDown' ? at < entries.length - 1 : at > 0;
        return { did: `Combo1: ${key}`, asks: moves };
      }
      if (kind < 80) {
        const id = r.chance(45) ? 'ВЫБОР' : 'Command1';
        // Enter on the focused button, where the page has the keyboard: in
        // Firefox a download takes the window's focus, and a key then
        // reaches the page's handlers but presses no button, as for a user
        // whose keys go to the downloads' panel.
        if (r.chance(20) && await page.evaluate(() => document.hasFocus())) {
          await page.focus(`[id="${id}"]`);
          await page.keyboard.press('Enter');
        } else {
          await page.click(`[id="${id}"]`);
        }
        return { did: `press ${id}`, asks: true, boxes: true };
      }
      if (kind < 90) {
        const canvas = r.oneOf(['Picture1', 'Picture2']);
        await page.click(`#${canvas}`, { button: 'right' });
        return { did: `${canvas}: its menu` };
      }
      if (kind < 95) {
        // Whether the menu offers the sheet, as a user would see it there.
        await page.click('#Picture1', { button: 'right' });
        const offered = await page.$eval('#menu [data-action=steps]', (e) => e.getAttribute('aria-disabled') !== 'true');
        await page.keyboard.press('Escape');
        await page.focus('#Picture1');
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyG');
        await page.keyboard.up('Control');
        return { did: `Ctrl+G${offered ? '' : ' (not offered)'}`, asks: offered, boxes: true };
      }
      viewport = r.oneOf(kSizes);
      await resize(page, ...viewport);
      return { did: `resize to ${viewport.join('x')}` };
    }

    for (let i = 0; i < actions; ++i) {
      const open = await openNow(page);
      const before = await marks(page);
      const done = await act(open);
      log.push(done.did);
      const name = done.did.split(/[:"=]/)[0].trim();
      tally[name] = (tally[name] || 0) + 1;
      if (done.asks) {
        try {
          await page.waitForFunction((b) => {
            const box = document.getElementById('box');
            return (Number(document.body.dataset.actions || 0) > b.ended &&
              !document.getElementById('form').hasAttribute('aria-busy')) ||
              (box.open && Number(box.dataset.opened || 0) > b.opened);
          }, { polling: 'mutation', timeout: kSettle }, before);
        } catch (e) {
          fail(`the page did not settle within ${kSettle} ms: ${JSON.stringify(await openNow(page))}`);
        }
      }
      const now = await openNow(page);
      const after = await marks(page);
      if (page.errors.length) fail(`script errors: ${page.errors.join('; ')}`);
      if (page.requests.length) fail(`requests: ${page.requests.join(' ')}`);
      if (now.busy && !now.box) fail('still running');
      if (after.opened > before.opened && !done.boxes) fail(`a box opened by itself: ${JSON.stringify(now.box)}`);
      if (now.box && !['Viramont', 'Ввод числа', 'Сохранить рисунок'].includes(now.box.title)) {
        fail(`a box the program does not show: ${now.box.title}`);
      }
      if (now.menu && !done.did.endsWith('its menu')) fail('the menu is open, unasked');
      if (now.steps && !open.steps && !/steps|Ctrl\+G/.test(done.did)) fail('the step sheet opened, unasked');
      if (now.practice && !open.practice && done.did !== 'menu: practice') fail('practice opened, unasked');
      if (now.cards && !open.cards && done.did !== 'menu: cards') fail('the cards opened, unasked');
      if (!now.box && !now.menu && !now.steps && !now.practice && !now.cards) {
        const there = await page.$eval('#Command1', (e) => {
          e.scrollIntoView({ block: 'nearest' });
          const r = e.getBoundingClientRect();
          const at = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
          return at === e ? '' : `${at?.outerHTML.slice(0, 80)} at ${JSON.stringify(r)}`;
        });
        if (there) fail(`a click on Command1 would not reach it, but ${there}`);
        // One column scrolls down; nothing scrolls sideways.
        const [scroll, column] = await page.evaluate(() => [
          [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
          document.documentElement.classList.contains('column')]);
        if (scroll[0] > viewport[0] || (!column && scroll[1] > viewport[1])) {
          fail(`the page scrolls: ${scroll} in ${viewport}`);
        }
      }
    }
    const ended = await marks(page);
    console.log(`# ${engine}, seed ${seed}: ${actions} actions, ${ended.ended} handlers and outputs ended, ` +
      `${ended.opened} boxes, ${baseBoxes} of them the base box; ${JSON.stringify(tally)}`);
    assert.ok(ended.opened > actions / 20 && ended.ended > actions / 5 && baseBoxes > actions / 100,
      'the session reached the program and its boxes');
  });
});
