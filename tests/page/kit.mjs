// What the page's tests do as a pupil does it, each step waiting for the
// page's own signal that it is over: the body's count of ended actions
// (data-actions, once the form is no longer aria-busy) or the box's count
// of boxes opened (data-opened, while it is open). Nothing waits for a
// fixed time.
import assert from 'node:assert/strict';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchPage } from './browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const pageFile = path.resolve(process.env.VIRAMONT_PAGE || path.join(here, '../../build/web/viramont.html'));

// A fail-safe for a page that never answers, far above any step's time.
export const kStuck = 60000;

export async function withPage(options, body) {
  const { page, close } = await launchPage(pageFile, options);
  try {
    await body(page);
    assert.deepEqual(page.errors, [], 'script errors');
    assert.deepEqual(page.requests, [], 'the page asked the network');
  } finally {
    await close();
  }
}

// The page's signals as they stand.
export const marks = (page) => page.evaluate(() => ({
  ended: Number(document.body.dataset.actions || 0),
  opened: Number(document.getElementById('box').dataset.opened || 0),
}));

// Does `step` and waits until what it asked has ended, or a new box is
// open. Resolves with the signals then.
export async function acted(page, step) {
  const before = await marks(page);
  await step();
  await page.waitForFunction((b) => {
    const box = document.getElementById('box');
    const ended = Number(document.body.dataset.actions || 0), opened = Number(box.dataset.opened || 0);
    return (ended > b.ended && !document.getElementById('form').hasAttribute('aria-busy')) ||
      (box.open && opened > b.opened);
  }, { polling: 'mutation', timeout: kStuck }, before);
  return marks(page);
}

export async function pick(page, entry) {
  await page.click('#Combo1 + .arrow');
  const items = await page.$$('#Combo1-list li');
  for (const item of items) {
    if ((await item.evaluate((e) => e.textContent)) === entry) return acted(page, () => item.click());
  }
  throw new Error(`no entry ${entry}`);
}

export async function type(page, id, text) {
  await page.click(`#${id}`, { clickCount: 3 });
  await page.keyboard.press('Backspace');
  if (text) await page.keyboard.type(text);
}

export async function fill(page, values) {
  for (const [id, text] of Object.entries(values)) {
    await page.$eval(`#${id}`, (e, t) => { e.value = t; }, text);
  }
}

export const press = (page, id) => acted(page, () => page.click(`[id="${id}"]`));

export const openBox = (page) => page.$eval('#box', (b) => b.open && {
  title: b.querySelector('.title-text').textContent,
  text: b.querySelector('.text').textContent,
  input: !b.querySelector('input').hidden,
});

export async function answer(page, key, text = '') {
  if (text) await page.keyboard.type(text);
  return acted(page, () => page.keyboard.press(key));
}

// Gives the page another size and waits until the form has been placed
// for it (the body says the layout and the viewport it was made for). A
// touch screen and its ratio stay as the page was opened with.
export async function resize(page, width, height) {
  await page.setViewport({ ...page.viewport(), width, height });
  await page.waitForFunction((w, h) => {
    const root = document.documentElement;
    const [, size] = (document.body.dataset.layout || '').split(' ');
    return window.innerWidth === w && window.innerHeight === h && size === `${root.clientWidth}x${root.clientHeight}` &&
      !document.getElementById('form').hasAttribute('aria-busy');
  }, { polling: 'raf', timeout: kStuck }, width, height);
  return page.evaluate(() => document.body.dataset.layout.split(' ')[0]);
}

// Ctrl and a key by its place on the keyboard.
export async function ctrl(page, code) {
  await page.keyboard.down('Control');
  await page.keyboard.press(code);
  await page.keyboard.up('Control');
}

export const pixelCounts = (page, id) => page.$eval(`#${id}`, (c) => {
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let blue = 0, red = 0;
  for (let i = 0; i < d.length; i += 4) {
    if (d[i] === 0 && d[i + 1] === 0 && d[i + 2] === 255) ++blue;
    if (d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 0) ++red;
  }
  return { blue, red };
});
export const legend = (page) => page.$eval('#Picture2-lines', (e) => e.textContent);
export const field = (page, id) => page.$eval(`#${id}`, (e) => e.value);
