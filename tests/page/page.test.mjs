// The page in Debian's Chromium or Firefox ESR (VIRAMONT_BROWSER), as a
// pupil uses it: the form, a plot of each function, the boxes, the decimal
// comma, the picture's save, the step sheet, and the example plot's pixels
// against the desktop's.
//
//   VIRAMONT_PAGE=build/web/viramont.html \
//   VIRAMONT_DESKTOP_PIXELS=build/release/tests/desktop_pixels node --test tests/page/page.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { downloaded, engine } from './browser.mjs';
import {
  acted, answer, ctrl, field, fill, kStuck, legend, marks, openBox, pageFile, pick, pixelCounts, press, resize, type,
  withPage,
} from './kit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

// The layout's rows as the C++ table states them: name, left, top, width,
// height in twips (15 to a pixel).
function layoutRows() {
  const source = fs.readFileSync(path.join(here, '../../form/layout.h'), 'utf8');
  const row = /\{"([^"]+)", Kind::(\w+), (\d+), (\d+), (\d+), (\d+),/g;
  return [...source.matchAll(row)].map((m) => ({
    name: m[1], kind: m[2], box: m.slice(3, 7).map((v) => Math.floor(Number(v) / 15)),
  }));
}

// The width and height of a PNG file.
function pngSize(file) {
  const png = fs.readFileSync(file);
  assert.equal(png.subarray(1, 4).toString(), 'PNG');
  return [png.readUInt32BE(16), png.readUInt32BE(20)];
}

// ---- cases -----------------------------------------------------------------

test('the one file opens offline at the layout, in its fonts and tab order', async () => {
  const size = fs.statSync(pageFile).size;
  assert.ok(size < 1.5 * 1024 * 1024, `the page is ${size} bytes`);
  await withPage({}, async (page) => {
    console.log(`# page: ${size} bytes, usable after ${page.startMs} ms`);
    const rows = layoutRows();
    assert.equal(rows.length, 23);
    const shown = await page.evaluate((names) => names.map((n) => {
      const e = document.getElementById(n), f = document.getElementById('form').getBoundingClientRect();
      const r = (e.closest('.holder') || e).getBoundingClientRect();
      return { box: [r.left - f.left, r.top - f.top, r.width, r.height], tab: e.tabIndex, label: e.getAttribute('aria-label') };
    }), rows.map((r) => r.name));
    rows.forEach((row, i) => assert.deepEqual(shown[i].box, row.box, row.name));
    assert.equal(await field(page, 'Text5'), 'Text5');
    assert.equal(await page.$eval('[id="ВЫБОР"]', (e) => e.textContent), ' ВЫБОР ПАРАМЕТРОВ');
    assert.equal(shown[rows.findIndex((r) => r.name === 'Text1')].label, 'КОЭФ-Т СЖАТИЯ ПO ОСИ У');
    assert.equal(shown[rows.findIndex((r) => r.name === 'Picture1')].label, 'Графики функций');
    assert.ok(await page.evaluate(() => document.fonts.check('bold 18px "Liberation Sans"') &&
      document.fonts.check('18px "DejaVu Sans"')));
    // Tab walks the controls in the layout's tab order, Combo1 first.
    const order = [];
    for (let i = 0; i < 4; ++i) {
      order.push(await page.evaluate(() => document.activeElement.id));
      await page.keyboard.press('Tab');
    }
    assert.deepEqual(order, ['Combo1', 'Command1', 'Text1', 'Text2']);
  });
});

test('a small screen shows the whole form, scaled evenly, without scrolling', async () => {
  await withPage({ width: 800, height: 600 }, async (page) => {
    const fit = Math.floor(Math.min(800 / 1144, 600 / 830) * 1000) / 1000;
    const shown = await page.evaluate(() => {
      const r = document.getElementById('form').getBoundingClientRect();
      return { form: { width: r.width, height: r.height }, picture: document.getElementById('Picture1').width,
        scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight] };
    });
    assert.equal(shown.form.width, Math.round(1144 * fit));
    assert.ok(shown.form.height <= 600 && shown.scroll[0] <= 800 && shown.scroll[1] <= 600, JSON.stringify(shown));
    assert.equal(shown.picture, Math.round(12375 * fit / 15) - 4, 'the canvas has the scaled pixels');
  });
});

// A resize or a turn of the screen places the form again: the scaled form
// where its smallest text (16 px) stays at 11 px or more, one column
// otherwise; never anything to scroll sideways, and in the scaled form
// nothing to scroll at all, nor a scroll left over from the column.
test('the form is placed again after every resize and turn of the screen', async () => {
  await withPage({ width: 1600, height: 1100 }, async (page) => {
    for (const [width, height] of [[1024, 600], [390, 844], [844, 390], [768, 1024], [1024, 768], [1600, 1100]]) {
      const kind = await resize(page, width, height);
      const fit = Math.floor(Math.min(1, width / 1144, height / 830) * 1000) / 1000;
      assert.equal(kind, 16 * fit >= 11 ? 'wide' : 'column', `${width}x${height}`);
      if (kind === 'column') await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
      const shown = await page.evaluate(() => {
        const root = document.documentElement, r = document.getElementById('form').getBoundingClientRect();
        return { right: r.right, bottom: r.bottom, scrollY: window.scrollY,
          scroll: [root.scrollWidth, root.scrollHeight], client: [root.clientWidth, root.clientHeight] };
      });
      const size = `${width}x${height}: ${JSON.stringify(shown)}`;
      assert.ok(shown.scroll[0] <= shown.client[0], size);
      if (kind === 'wide') {
        assert.ok(Math.abs(shown.right - Math.round(1144 * fit)) <= 1 && shown.bottom <= height, size);
        assert.ok(shown.scroll[1] <= height && shown.scrollY === 0, size);
      }
    }
  });
});

// What the user asks while a handler runs waits for it and is carried out
// after it, in order: here a plot, then ВЫБОР of new numbers, then the
// menu's save, all asked before the plot has ended.
test('input made while a handler runs is carried out after it, in order', async () => {
  await withPage({}, async (page) => {
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '-100', Text7: '100' });
    await press(page, 'ВЫБОР');
    await page.click('#Picture1', { button: 'right' });
    const before = await marks(page);
    const during = await page.evaluate(() => {
      document.getElementById('Command1').click();
      const busy = document.getElementById('form').getAttribute('aria-busy');
      document.getElementById('Text1').value = '5';
      document.getElementById('ВЫБОР').click();
      document.querySelector('#menu [data-action=save]').click();
      return busy;
    });
    assert.equal(during, 'true', 'the plot was running');
    await page.waitForFunction((opened) => Number(document.getElementById('box').dataset.opened) > opened,
      { polling: 'mutation' }, before.opened);
    assert.equal((await openBox(page)).title, 'Сохранить рисунок');
    assert.equal((await marks(page)).ended, before.ended + 2, 'the plot and ВЫБОР have ended');
    assert.equal(await field(page, 'Text5'), '4+5Sin(3x+1)');
    const drawn = await page.$eval('#Picture1-lines', (e) => e.textContent);
    assert.ok(drawn.includes('y = 4+2Sin(3x+1)'), 'the plot was of the numbers before ВЫБОР');
    assert.ok((await pixelCounts(page, 'Picture1')).red > 500);
    const after = await answer(page, 'Escape');
    assert.equal(after.ended, before.ended + 3);
  });
});

test('each function: its formula, both graphs and the legend', async () => {
  const rows = [
    ['Sin(X)', { Text1: '2', Text2: '3', Text3: '1', Text4: '4' }, '', '4+2Sin(3x+1)', 'По оси X на 1 влево'],
    ['Cos(X)', { Text1: '-1', Text2: '-1', Text3: '-2', Text4: '-3' }, '', '-3-Cos(-x-2)', 'По оси X на 2 вправо'],
    ['(x)^2', { Text1: '2', Text2: '1', Text3: '3', Text4: '0' }, '', '+2(x+3)^2', 'По оси X на 3 влево'],
    ['(x)^3', { Text1: '-0,5', Text2: '2', Text3: '-1', Text4: '1' }, '', '1-0,5(2x-1)^3', 'По оси X на 1 вправо'],
    ['Log(x)', { Text1: '1', Text2: '2', Text3: '0', Text4: '0' }, '', '+Log(2x)', 'По оси X на 0 вправо'],
    ['Log(b)/Log(a)', { Text1: '3', Text2: '1', Text3: '1', Text4: '-2' }, '2', '-2+3Log(x+1)/Log(2)', 'По оси X на 1 влево'],
  ];
  await withPage({}, async (page) => {
    for (const [fn, values, base, formula, alongX] of rows) {
      await pick(page, fn);
      await fill(page, { ...values, Text6: '1', Text7: '4' });
      await press(page, 'ВЫБОР');
      if (base) await answer(page, 'Enter', base);
      assert.equal(await field(page, 'Text5'), formula, fn);
      await press(page, 'Command1');
      assert.equal(await openBox(page), false, `${fn}: no box`);
      const { blue, red } = await pixelCounts(page, 'Picture1');
      assert.ok(blue > 500 && red > 500, `${fn}: blue ${blue}, red ${red}`);
      const lines = await legend(page);
      assert.match(lines, /ЦВЕТ ГРАФИКА/, fn);
      assert.ok(lines.includes(alongX), `${fn}: ${lines}`);
    }
  });
});

test('the two messages, the base box answered and cancelled, a fault and on', async () => {
  await withPage({}, async (page) => {
    await pick(page, 'Log(x)');
    await fill(page, { Text6: '-1', Text7: '5' });
    await press(page, 'ВЫБОР');
    assert.deepEqual(await openBox(page), { title: 'Viramont', text: 'измените параметры начала и конца отрезка', input: false });
    await answer(page, 'Enter');
    await fill(page, { Text2: '-1', Text3: '2', Text6: '1', Text7: '5' });
    await press(page, 'ВЫБОР');
    assert.equal((await openBox(page)).text, 'Измените параметры: логарифм значений не существует!');
    await answer(page, 'Escape');
    assert.equal(await field(page, 'Text5'), 'Text5');

    // The base: cancelled, it is asked again; then answered.
    await pick(page, 'Log(b)/Log(a)');
    await fill(page, { Text1: '1', Text2: '1', Text3: '1', Text4: '0' });
    await press(page, 'ВЫБОР');
    assert.deepEqual(await openBox(page), { title: 'Ввод числа', text: 'ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА', input: true });
    await answer(page, 'Escape');
    assert.equal((await openBox(page)).text, 'ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА');
    await answer(page, 'Enter', '3');
    assert.equal(await field(page, 'Text5'), '+Log(x+1)/Log(3)');

    // The red graph of Log(2x+5) from 1 - 5 = -4 meets 2x + 5 < 0: a fault
    // box after the blue graph; the page goes on.
    await pick(page, 'Log(x)');
    await fill(page, { Text1: '1', Text2: '2', Text3: '5', Text4: '0', Text6: '1', Text7: '10' });
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    const fault = await openBox(page);
    assert.match(fault.text, /^Красный график остановлен при x = −4\.\nПричина: логарифм не определён: 2x\+5 = −3 ≤ 0\./);
    assert.match(fault.text, /\nЧто изменить: /);
    assert.ok((await pixelCounts(page, 'Picture1')).blue > 500, 'the blue graph stays');
    await answer(page, 'Enter');
    await pick(page, 'Sin(X)');
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    assert.equal(await openBox(page), false);
    assert.ok((await pixelCounts(page, 'Picture1')).red > 500);
  });
});

// Each box answers once, with its own answer, however fast the next comes:
// the answers of a row are typed in one go, without waiting for the boxes
// (the first row), or clicked as each box shows (the second).
test('the base box asks again for every answer it cannot take, and each box answers once', async () => {
  const rows = [
    { by: 'keys typed ahead', steps: [['', 'Enter'], ['', 'Escape'], ['-3', 'Enter'], ['0,4', 'Enter'], ['3,5', 'Enter']],
      formula: '+Log(x)/Log(4)' },
    { by: 'clicks', steps: [['', '.close'], ['', '.cancel'], ['0', '.ok'], ['-2', '.ok'], ['2', '.ok']],
      formula: '+Log(x)/Log(2)' },
  ];
  await withPage({}, async (page) => {
    await pick(page, 'Log(b)/Log(a)');
    await fill(page, { Text1: '1', Text2: '1', Text3: '0', Text4: '0', Text6: '1', Text7: '5' });
    for (const row of rows) {
      const before = await marks(page);
      const first = await press(page, 'ВЫБОР');
      assert.equal(first.opened, before.opened + 1, row.by);
      if (row.by === 'clicks') {
        for (const [text, button] of row.steps) {
          assert.deepEqual(await openBox(page), { title: 'Ввод числа', text: 'ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА', input: true });
          if (text) await page.keyboard.type(text);
          await acted(page, () => page.click(`#box ${button}`));
        }
      } else {
        await acted(page, async () => {
          for (const [text, key] of row.steps) {
            if (text) await page.keyboard.type(text);
            await page.keyboard.press(key);
          }
        });
        // The keys were quicker than the boxes: wait for the press's end.
        await page.waitForFunction((ended) => Number(document.body.dataset.actions) > ended, {}, before.ended);
      }
      const after = await marks(page);
      assert.equal(after.opened - before.opened, row.steps.length, `${row.by}: boxes opened`);
      assert.equal(after.ended, before.ended + 1, row.by);
      assert.equal(await openBox(page), false, `${row.by}: the box has closed`);
      assert.equal(await field(page, 'Text5'), row.formula, row.by);
    }
  });
});

test('the decimal comma in a Russian browser, the point in an English one', async () => {
  for (const [language, typed, formula] of [['ru-RU', '0,5', '1+0,5Sin(x+1)'], ['en-US', '0.5', '1+0.5Sin(x+1)']]) {
    await withPage({ language }, async (page) => {
      await pick(page, 'Sin(X)');
      await type(page, 'Text1', typed);
      await press(page, 'ВЫБОР');
      assert.equal(await field(page, 'Text5'), formula, language);
      // Enter on the focused button presses it, as on the desktop.
      await page.focus('#Command1');
      await acted(page, () => page.keyboard.press('Enter'));
      assert.ok((await pixelCounts(page, 'Picture1')).red > 500, language);
    });
  }
});

test("the canvas menu's save downloads the picture", async () => {
  await withPage({}, async (page) => {
    await pick(page, 'Sin(X)');
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    await page.click('#Picture1', { button: 'right' });
    const items = await page.$$eval('#menu [role=menuitem]', (es) => es.map((e) => e.firstChild.textContent));
    assert.deepEqual(items, ['Копировать рисунок', 'Сохранить рисунок…', 'Печать…', 'Построение по шагам…',
      'Показать движение', 'Ссылка на этот график', 'Прослушать графики', 'Тренировка…', 'Карточки для класса…']);
    await page.keyboard.press('Escape');
    // Ctrl+S works anywhere on the page, as in the window: here in a field.
    await page.focus('#Text1');
    await acted(page, () => ctrl(page, 'KeyS'));
    assert.equal((await openBox(page)).title, 'Сохранить рисунок');
    await answer(page, 'Escape');
    await page.click('#Picture1', { button: 'right' });
    // The size: as on the screen (Enter).
    const file = downloaded(page, 'график.png');
    await acted(page, () => page.click('#menu [data-action=save]'));
    assert.equal((await openBox(page)).title, 'Сохранить рисунок');
    await answer(page, 'Enter');
    const [width, height] = pngSize(await file);
    // Graph and legend side by side under the formula line.
    const expected = await page.evaluate(() => {
      const g = document.getElementById('Picture1'), l = document.getElementById('Picture2');
      return [l.offsetLeft + l.offsetWidth - 2 - (g.offsetLeft + 2), g.offsetTop + g.offsetHeight - 2 - (g.offsetTop + 2)];
    });
    assert.equal(width, expected[0]);
    assert.ok(height > expected[1] + 20, `${height} holds the formula line over ${expected[1]}`);
    // Twice as large, drawn anew (the browser downloads one file a page
    // unasked, so the picture itself is measured).
    const larger = await page.evaluate(async () => {
      const c = await viramontHooks.picture(2);
      const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      let red = 0;
      for (let i = 0; i < d.length; i += 4) red += d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 0;
      return { size: [c.width, c.height], red };
    });
    assert.deepEqual(larger.size, [2 * width, 2 * height]);
    assert.ok(larger.red > 3 * (await pixelCounts(page, 'Picture1')).red, 'the red graph at twice the pixels');
  });
});

test('the step sheet: offered once a plot is drawn, each step in a graph with its texts, saved; Escape closes it', async () => {
  await withPage({}, async (page) => {
    const stepsOffered = async () => {
      await page.click('#Picture1', { button: 'right' });
      const offered = await page.$eval('#menu [data-action=steps]', (e) => e.getAttribute('aria-disabled') !== 'true');
      await page.keyboard.press('Escape');
      return offered;
    };
    assert.equal(await stepsOffered(), false, 'no plot yet');

    // The sine's numbers taken by ВЫБОР, then Command1 for the base-a
    // logarithm, whose base was never asked: refused, nothing drawn, nothing
    // to explain.
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' });
    await press(page, 'ВЫБОР');
    await pick(page, 'Log(b)/Log(a)');
    await press(page, 'Command1');
    assert.match((await openBox(page)).text, /основание логарифма ещё не введено/);
    await answer(page, 'Enter');
    assert.equal(await stepsOffered(), false, 'a refused plot');

    await pick(page, 'Sin(X)');
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    const graphBefore = await pixelCounts(page, 'Picture1');
    await page.click('#Picture1', { button: 'right' });
    await acted(page, () => page.click('#menu [data-action=steps]'));
    assert.ok(await page.$eval('#steps', (d) => d.open));

    const texts = (selector) => page.$$eval(`#steps ${selector}`, (es) => es.map((e) => e.textContent));
    assert.deepEqual(await texts('.formula'), ['y = Sin(x)', 'y = Sin(3x)', 'y = Sin(3(x+1/3)) = Sin(3x+1)',
      'y = 2Sin(3x+1)', 'y = 4+2Sin(3x+1)']);
    assert.deepEqual(await texts('.sentence'), ['График исходной функции', 'Сжатие к оси Oy в 3 раза',
      'Сдвиг вдоль оси Ox на 1/3 влево', 'Растяжение от оси Ox в 2 раза', 'Сдвиг вдоль оси Oy на 4 вверх']);
    // y = f(x) in blue alone; each step red over the muted curve before it.
    for (let i = 0; i < 5; ++i) {
      const shown = await page.$eval(`#Step${i}`, (c) => {
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        const count = { blue: 0, red: 0, muted: 0 };
        for (let p = 0; p < d.length; p += 4) {
          const rgb = `${d[p]},${d[p + 1]},${d[p + 2]}`;
          if (rgb === '0,0,255') ++count.blue;
          if (rgb === '255,0,0') ++count.red;
          if (rgb === '160,160,160') ++count.muted;
        }
        return count;
      });
      if (i === 0) assert.ok(shown.blue > 300 && shown.red === 0 && shown.muted === 0, JSON.stringify(shown));
      else assert.ok(shown.blue === 0 && shown.red > 300 && shown.muted > 100, `step ${i}: ${JSON.stringify(shown)}`);
    }

    // The sheet saved as one picture, three graphs wide and two rows high.
    const saved = downloaded(page, 'построение по шагам.png');
    await acted(page, () => page.click('#steps .answers [data-action=save]'));
    const [width, height] = pngSize(await saved);
    assert.ok(width > 3 * 334 && height > 2 * 214, `${width} x ${height}`);

    // Escape closes the panel; the form is as it was, and Ctrl+G on the
    // canvas opens the sheet again.
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#steps', (d) => d.open), false);
    assert.deepEqual(await pixelCounts(page, 'Picture1'), graphBefore);
    assert.equal(await field(page, 'Text5'), '4+2Sin(3x+1)');
    await page.focus('#Picture1');
    await acted(page, () => ctrl(page, 'KeyG'));
    assert.ok(await page.$eval('#steps', (d) => d.open));
  });
});

// What a screen reader finds on the page: the browser's accessibility tree
// as it exposes it, the pictures' lines, and the polite live region that
// says what a press did.
test('Picture1 walked by keys says the lines the window says, and Space plays the graphs', async () => {
  await withPage({}, async (page) => {
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' });
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    assert.equal(await page.$eval('#Picture1', (e) => e.getAttribute('role')), 'slider');
    await page.focus('#Picture1');
    const key = (code) => acted(page, () => page.keyboard.press(code));
    const announced = (text) => page.waitForFunction((t) => document.getElementById('announce').textContent === t,
      { polling: 'mutation', timeout: kStuck }, text);
    const value = () => page.$eval('#Picture1', (e) => e.getAttribute('aria-valuetext'));

    const lines = await page.$$eval('#Picture1-lines > div', (rows) => rows.map((r) => r.textContent));
    await key('ArrowDown');
    await announced(lines[0]);
    await key('ArrowDown');
    await announced(lines[1]);
    assert.ok(lines[1].startsWith('Синий график — '), lines[1]);
    await key('ArrowRight');
    assert.equal(await value(), 'x = −1: синего графика нет; красный 2,18');
    await key('BracketRight');
    assert.equal(await value(), 'Наименьшее значение красного графика. x = −0,86: синего графика нет; красный 2');
    await key('End');
    assert.equal(await value(), 'x = 11: синего графика нет; красного графика нет');

    // Space: the sweep starts, heard by the page's sound; Space again stops it.
    await page.evaluate(() => {
      window.soundHeard = new Promise((resolve) => document.addEventListener('viramont-sound',
        (e) => resolve(e.detail), { once: true }));
    });
    const started = await page.evaluate(() => window.viramontToolkit.soundsStarted());
    await key(' ');  // Space
    const sound = await page.evaluate(() => window.soundHeard);
    assert.equal(sound.sweep, true);
    assert.ok(Math.abs(sound.frames / sound.rate - 3) < 0.1, `${sound.frames} frames at ${sound.rate}`);
    assert.equal(await page.evaluate(() => window.viramontToolkit.soundsStarted()), started + 1);
    await announced('Графики звучат слева направо.');
    await key(' ');  // Space
    await announced('Звук остановлен.');
  });
});

test('a screen reader finds the pictures in words and hears each press', async () => {
  await withPage({}, async (page) => {
    const said = () => page.waitForFunction(() => document.getElementById('announce').textContent)
      .then((h) => h.jsonValue());
    const lines = (id) => page.$$eval(`#${id}-lines > div`, (rows) => rows.map((r) => r.textContent));
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '-5', Text7: '5' });
    await press(page, 'ВЫБОР');
    assert.equal(await said(), 'Формула: y = 4+2Sin(3x+1).');
    await press(page, 'Command1');
    await page.waitForFunction(() => document.getElementById('announce').textContent.startsWith('Графики'));
    assert.equal(await said(), 'Графики построены: синий y = Sin(x), красный y = 4+2Sin(3x+1).');

    // The browser's tree where puppeteer can read it (Chromium); in Firefox
    // the same facts from the elements' ARIA roles, names and states.
    const nodes = [];
    if (page.accessibilityTree) {
      (function walk(n) { nodes.push(n); (n.children || []).forEach(walk); })(await page.accessibility.snapshot());
    } else {
      console.log(`# ${engine}: no accessibility tree through puppeteer; the ARIA of the elements is read instead`);
      nodes.push(...await page.$$eval('#form [aria-label]', (es) => es.map((e) => ({
        role: e.getAttribute('role') === 'img' ? 'image' : e.getAttribute('role') || (e.matches('input') ? 'textbox' : ''),
        name: e.getAttribute('aria-label'),
        value: e.value,
        readonly: e.getAttribute('aria-readonly') === 'true' || undefined,
      }))));
    }
    const named = (role, name) => nodes.filter((n) => n.role === role && n.name === name);
    // Picture1, once it shows a plot, is walked by keys (a slider).
    assert.equal(named('slider', 'Графики функций').length, 1);
    assert.equal(named('image', 'Легенда').length, 1);
    assert.equal(named('combobox', 'ВЫБЕРИ ФУНКЦИЮ')[0]?.value, 'Sin(X)');
    const text5 = named('textbox', 'ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ')[0];
    assert.equal(text5?.value, '4+2Sin(3x+1)');
    assert.equal(text5?.readonly, true);
    assert.equal(await page.$eval('#announce', (e) => [e.getAttribute('role'), e.getAttribute('aria-live')].join()),
      'status,polite');

    // Picture1 in words, a line an element; the same for the picture's description.
    const graph = await lines('Picture1');
    assert.equal(graph.length, 5, graph.join('\n'));
    assert.ok(graph[0].startsWith('Отрезок от −5 до 5. Видно x от −6 слева до 6 справа'), graph[0]);
    assert.ok(graph[1].startsWith('Синий график — исходная функция y = Sin(x): построен от x = −5 до x = 5.'));
    assert.ok(graph[2].includes('y = 4+2Sin(3x+1): построен от x = −6 до x = 4.'), graph[2]);
    assert.ok(graph[2].includes('сжат по оси x в 3 раза и растянут по оси y в 2 раза'), graph[2]);
    assert.equal(graph[3], 'Пурпурная горизонтальная линия y = 4: сдвиг по оси y на 4 вверх.');
    assert.equal(graph[4], 'Голубая вертикальная линия x = −1: сдвиг по оси x на 1 влево.');
    assert.equal(await page.$eval('#Picture1', (c) => c.getAttribute('aria-describedby')), 'Picture1-lines');
    // The legend's lines in Cyrillic letters alone, where the pixels have Latin ones.
    const legendLines = await lines('Picture2');
    assert.ok(legendLines.includes(' Синий - исходный') && legendLines.includes('       СМЕЩЕНИЕ'), legendLines.join('|'));
    for (const word of legendLines.join(' ').match(/[\p{L}]+/gu)) {
      assert.ok(!(/[A-Za-z]/.test(word) && /[\u0400-\u04ff]/.test(word)), word);
    }
  });
});

// ---- phones and tablets, and a plot's link ------------------------------------

// Chromium's device emulation: a touch screen and a mobile viewport.
const touchOnly = engine !== 'chromium' && "device emulation (touch, a mobile viewport) is Chromium's";
const devices = [
  { name: 'phone upright', width: 390, height: 844, ratio: 3, column: true },
  { name: 'phone turned', width: 844, height: 390, ratio: 3, column: true },
  { name: 'tablet upright', width: 768, height: 1024, ratio: 2, column: true },
  { name: 'tablet turned', width: 1024, height: 768, ratio: 2, column: false },
  { name: 'netbook', width: 1024, height: 600, ratio: 1, column: false },
];

// The form's controls (a list by its text) and the canvases' menu buttons
// as the page shows them, in page coordinates.
const controlsShown = (page) => page.evaluate(() => [...document.querySelectorAll('#form > :not(.reader-only)')]
  .map((e) => {
    const el = e.matches('.holder') ? e.querySelector('input') : e;
    const r = e.getBoundingClientRect(), style = getComputedStyle(el);
    return { id: el.id, kind: el.className, left: r.left + window.scrollX, right: r.right + window.scrollX,
      height: r.height, font: Number.parseFloat(style.fontSize),
      visible: style.visibility === 'visible' && !el.closest('[hidden]') && r.width > 0 && r.height > 0 };
  }));

for (const device of devices) {
  test(`${device.name}: every control readable on the screen, nothing to scroll sideways, canvases sharp`,
    { skip: touchOnly }, async () => {
      await withPage({ ...device, touch: true }, async (page) => {
        const layout = await page.evaluate(() => document.body.dataset.layout.split(' ')[0]);
        assert.equal(layout, device.column ? 'column' : 'wide');
        const [clientWidth, scrollWidth, scrollHeight] = await page.evaluate(() => [
          document.documentElement.clientWidth, document.documentElement.scrollWidth,
          document.documentElement.scrollHeight]);
        assert.ok(scrollWidth <= clientWidth, `${scrollWidth} wide`);
        if (!device.column) assert.ok(scrollHeight <= device.height, `${scrollHeight} high`);
        const shown = await controlsShown(page);
        assert.equal(shown.filter((c) => c.kind !== 'menu-button').length, 23);
        assert.equal(shown.filter((c) => c.kind === 'menu-button').length, 2);
        for (const c of shown) {
          const what = JSON.stringify(c);
          assert.ok(c.visible && c.left >= 0 && c.right <= clientWidth + 0.5, what);
          if (c.kind === 'menu-button') continue;
          assert.ok(c.font >= (device.column ? 12 : 11), what);
          if (device.column && /field|button/.test(c.kind)) assert.ok(c.height >= 44, what);
        }
        // The number fields ask for the decimal keyboard; no field corrects
        // or capitalises.
        const fields = await page.$$eval('#form input', (es) => es.map((e) => [e.id, e.inputMode,
          e.getAttribute('autocorrect'), e.getAttribute('autocapitalize')]));
        for (const [id, mode, correct, capital] of fields) {
          assert.equal(mode, /^Text[1-467]$/.test(id) ? 'decimal' : '', id);
          assert.deepEqual([correct, capital], ['off', 'off'], id);
        }
        // A canvas has the device pixels of its box.
        for (const id of ['Picture1', 'Picture2']) {
          const pixels = await page.$eval(`#${id}`, (c) => {
            const r = c.getBoundingClientRect(), border = 2 * Number.parseFloat(c.style.borderWidth);
            return { device: [c.width, c.height], css: [r.width - border, r.height - border], ratio: devicePixelRatio };
          });
          assert.ok(Math.abs(pixels.device[0] - pixels.css[0] * pixels.ratio) <= 1 &&
            Math.abs(pixels.device[1] - pixels.css[1] * pixels.ratio) <= 1, `${id}: ${JSON.stringify(pixels)}`);
        }
      });
    });
}

// A long press held still on a canvas, until its menu shows.
async function longPress(page, id) {
  const canvas = await page.$(`#${id}`);
  await canvas.scrollIntoView();
  const box = await canvas.boundingBox();
  const touch = await page.touchscreen.touchStart(box.x + box.width / 3, box.y + box.height / 2);
  await page.waitForSelector('#menu:not([hidden])', { timeout: kStuck });
  await touch.end();
}

for (const device of [devices[0], devices[3]]) {
  test(`${device.name}, by taps: the example plotted, the menu by a long press and by its button, the step sheet`,
    { skip: touchOnly }, async () => {
      await withPage({ ...device, touch: true }, async (page) => {
        await page.tap('#Combo1 + .arrow');
        const sine = (await page.$$('#Combo1-list li'))[0];
        await acted(page, () => sine.tap());
        for (const [id, text] of Object.entries({ Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' })) {
          await page.tap(`#${id}`);
          await page.$eval(`#${id}`, (e) => e.select());
          await page.keyboard.type(text);
        }
        await acted(page, () => page.tap('[id="ВЫБОР"]'));
        await acted(page, () => page.tap('#Command1'));
        assert.equal(await field(page, 'Text5'), '4+2Sin(3x+1)');
        assert.ok((await pixelCounts(page, 'Picture1')).red > 300);

        // The menu by a long press, its items large enough to tap; a tap
        // elsewhere closes it.
        await longPress(page, 'Picture1');
        const items = await page.$$eval('#menu [role=menuitem]', (es) => es.map((e) => e.getBoundingClientRect().height));
        assert.equal(items.length, 9);
        for (const height of items) assert.ok(height >= 44, `an item ${height} px high`);
        await page.touchscreen.tap(2, 2);
        await page.waitForSelector('#menu[hidden]', { timeout: kStuck });

        // By the button at the legend's corner, which names the menu.
        assert.match(await page.$eval('#Picture2-menu', (b) => b.getAttribute('aria-label')), /Меню/);
        await page.tap('#Picture2-menu');
        await page.waitForSelector('#menu:not([hidden])', { timeout: kStuck });
        const sheet = await page.$('#menu [data-action=steps]');
        await acted(page, () => sheet.tap());
        const shown = await page.evaluate(() => {
          const panel = document.getElementById('steps'), answers = panel.querySelector('.answers').getBoundingClientRect();
          return { open: panel.open, right: panel.getBoundingClientRect().right,
            sideways: panel.scrollWidth - panel.clientWidth,
            lefts: [...panel.querySelectorAll('canvas')].map((c) => c.getBoundingClientRect().left),
            answers: [answers.top, answers.bottom], viewport: window.innerHeight };
        });
        assert.ok(shown.open);
        assert.ok(shown.right <= device.width && shown.sideways <= 0, JSON.stringify(shown));
        assert.ok(shown.answers[0] >= 0 && shown.answers[1] <= shown.viewport, `the buttons in view: ${shown.answers}`);
        if (device.column) assert.equal(new Set(shown.lefts).size, 1, 'the steps in one column');
        const close = (await page.$$('#steps .answers button')).at(-1);
        assert.equal(await close.evaluate((b) => b.textContent), 'Закрыть');
        await close.tap();
        assert.equal(await page.$eval('#steps', (d) => d.open), false);

        // A box fits the screen, and its buttons can be tapped.
        await page.tap('#Picture1-menu');
        await page.waitForSelector('#menu:not([hidden])', { timeout: kStuck });
        const save = await page.$('#menu [data-action=save]');
        await acted(page, () => save.tap());
        const box = await page.$eval('#box', (b) => {
          const r = b.getBoundingClientRect();
          return { title: b.querySelector('.title-text').textContent, right: r.right, bottom: r.bottom,
            buttons: ['.ok', '.cancel', '.close'].map((s) => b.querySelector(s).getBoundingClientRect().height) };
        });
        assert.equal(box.title, 'Сохранить рисунок');
        assert.ok(box.right <= device.width && box.bottom <= device.height, JSON.stringify(box));
        for (const height of box.buttons) assert.ok(height >= 44, JSON.stringify(box));
        const cancel = await page.$('#box .cancel');
        await acted(page, () => cancel.tap());
        assert.equal(await page.$eval('#box', (b) => b.open), false);
      });
    });
}

test("a link opens its plot at once, as typing it would; the menu gives the link of the plot on the screen", async () => {
  const example = 'fn=sin&A=2&k=3&b=1&C=4&from=0&to=10';
  let typed;
  await withPage({}, async (page) => {
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' });
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    typed = { pixels: await pixelCounts(page, 'Picture1'), legend: await legend(page) };
    await page.evaluate(() => Object.defineProperty(navigator, 'clipboard', {
      value: { writeText: async (text) => { window.copiedLink = text; } }, configurable: true }));
    await page.click('#Picture1', { button: 'right' });
    await acted(page, () => page.click('#menu [data-action=link]'));
    assert.equal(await page.evaluate(() => window.copiedLink), `${pathToFileURL(pageFile).href}#${example}`);
  });
  await withPage({ fragment: example }, async (page) => {
    await page.evaluate(() => viramontHooks.idle());
    assert.equal(await field(page, 'Combo1'), 'Sin(X)');
    assert.equal(await field(page, 'Text5'), '4+2Sin(3x+1)');
    assert.deepEqual(await pixelCounts(page, 'Picture1'), typed.pixels);
    assert.equal(await legend(page), typed.legend);
    assert.equal((await marks(page)).opened, 0, 'no box');

    // Another link in the same tab: the logarithm to base 3, whose base box
    // the link answers.
    await page.evaluate(() => { window.location.hash = 'fn=log&a=3&A=2&k=1&b=0&C=1&from=1&to=9'; });
    await page.waitForFunction(() => document.getElementById('Text5').value.includes('Log(3)') &&
      !document.getElementById('form').hasAttribute('aria-busy'), { timeout: kStuck });
    assert.equal((await marks(page)).opened, 0, 'the base box not shown');
    assert.ok((await pixelCounts(page, 'Picture1')).red > 300);

    // A value that cannot be taken is met as if typed.
    await acted(page, () => page.evaluate(() => { window.location.hash = 'fn=ln&from=-1&to=5'; }));
    assert.equal((await openBox(page)).text, 'измените параметры начала и конца отрезка');
    await answer(page, 'Enter');
  });
});

test('practice: a wrong answer in green with what differs, the solution typed back, an answer of the same graph, the score after ten; the cards as a PDF', async () => {
  // A school laptop's screen, where the panel is higher than the window.
  await withPage({ width: 1366, height: 768 }, async (page) => {
    const menuItem = async (action) => {
      await page.click('#Picture1', { button: 'right' });
      await acted(page, () => page.click(`#menu [data-action=${action}]`));
    };
    const text = (id) => page.$eval(`#${id}`, (e) => e.textContent);
    const click = (id) => acted(page, () => page.click(`#${id}`));
    const names = ['A', 'k', 'b', 'C'];
    const answerWith = async (values) => {
      await fill(page, Object.fromEntries(names.map((n, i) => [`practice-${n}`, values[i]])));
      return click('practice-check');
    };
    const greenPixels = () => page.$eval('#practice-picture', (c) => {
      const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      let green = 0;
      for (let i = 0; i < d.length; i += 4) green += d[i] === 0 && d[i + 1] === 160 && d[i + 2] === 0;
      return green;
    });
    const seed = () => page.evaluate(() => viramontHooks.practiceSeed(20261209));
    // Whether a part stands whole on the screen, inside its panel.
    const inView = (id) => page.$eval(`#${id}`, (e) => {
      const r = e.getBoundingClientRect(), d = e.closest('dialog').getBoundingClientRect();
      return r.height > 0 && r.top >= d.top && r.bottom <= Math.min(d.bottom, window.innerHeight);
    });

    // The round learnt from its solutions: each shown counts as not solved.
    await seed();
    await menuItem('practice');
    assert.ok(await page.$eval('#practice', (d) => d.open));
    assert.deepEqual(await page.$$eval('#practice input', (es) => es.map((e) => e.getAttribute('aria-label'))), names);
    assert.match(await text('practice-picture-lines'), /Красный график: построен от x = /);
    // The task's picture is walked by the keys that walk Picture1.
    assert.equal(await page.$eval('#practice-picture', (e) => e.getAttribute('role')), 'slider');
    await page.focus('#practice-picture');
    await acted(page, () => page.keyboard.press('ArrowDown'));
    const firstLine = await page.waitForFunction(() => {
      const said = document.getElementById('announce').textContent;
      return said.startsWith('Видно x от ') && said;
    }, { polling: 'mutation', timeout: kStuck }).then((h) => h.jsonValue());
    assert.ok((await text('practice-picture-lines')).startsWith(firstLine), firstLine);
    await acted(page, () => page.keyboard.press('End'));
    assert.match(await page.$eval('#practice-picture', (e) => e.getAttribute('aria-valuetext')),
      /^x = −?[\d,]+: (синий −?[\d,]+|синего графика нет); (красный −?[\d,]+|красного графика нет)$/);
    const tasks = [];
    for (let n = 1; n <= 10; ++n) {
      assert.equal(await text('practice-heading'), `Задание ${n} из 10`);
      const base = await text('practice-base');
      assert.equal(await page.$eval('#practice-motion', (b) => b.disabled), true);
      await click('practice-solution');
      const lines = (await text('practice-steps')).split('\n');
      assert.ok(lines.length >= 3, lines.join(' / '));
      if (n === 1) {
        // The solution offers the task's moves on its picture; Escape ends
        // them at once on the picture as it was, and the panel stays open.
        const picture = () => page.$eval('#practice-picture', (c) => [c.toDataURL(),
          document.getElementById('practice-picture-lines').textContent]);
        const still = await picture();
        const ended = Number(await page.evaluate(() => document.body.dataset.motions || 0));
        await click('practice-motion');
        await page.waitForFunction(() => document.body.dataset.motion === 'playing' &&
          /^Шаг 1 из \d/.test(document.getElementById('practice-picture-lines').textContent),
        { polling: 'mutation', timeout: kStuck });
        await page.keyboard.press('Escape');
        await page.waitForFunction((b) => Number(document.body.dataset.motions || 0) > b,
          { polling: 'mutation', timeout: kStuck }, ended);
        assert.deepEqual(await picture(), still);
        assert.ok(await page.$eval('#practice', (d) => d.open));
      }
      tasks.push({ base, numbers: lines[1].split('; ').map((part) => part.split('= ')[1]) });
      await click('practice-next');
    }
    assert.equal(await text('practice-verdict'), 'Верно с первой попытки: 0 из 10.');
    assert.equal(await text('practice-next'), 'Новый раунд');

    // The same round again, answered.
    await seed();
    await click('practice-next');
    const negated = (t) => (t === '0' ? t : t.startsWith('-') ? t.slice(1) : `-${t}`);
    for (const [i, task] of tasks.entries()) {
      assert.equal(await text('practice-base'), task.base);
      const [A, k, b, C] = task.numbers;
      if (i === 0) {
        // Wrong by C: the pupil's graph in green, and what differs, said.
        await answerWith([A, k, b, String(Number(C) + 1)]);
        assert.match(await text('practice-verdict'), /^Неверно/);
        assert.match(await text('practice-differs'), /^Сдвиг вдоль оси Oy/);
        assert.ok(await greenPixels() > 200);
        assert.ok(await inView('practice-differs'), 'what differs is on the screen after the check');
        await page.waitForFunction(() => document.getElementById('announce').textContent.includes('Сдвиг вдоль оси Oy'),
          { timeout: kStuck });
        await answerWith(task.numbers);
        assert.match(await text('practice-verdict'), /^Верно/);
        assert.equal(await greenPixels(), 0, 'a right answer is not drawn over the task');
        assert.ok(await inView('practice-verdict'));
      } else if (i === 1) {
        // Another answer of the same graph counts.
        const odd = /sin x|x³/.test(task.base), even = /cos x|x²/.test(task.base);
        await answerWith(odd ? [negated(A), negated(k), negated(b), C] : even ? [A, negated(k), negated(b), C] : task.numbers);
        assert.match(await text('practice-verdict'), /^Верно/, `${task.base}: ${task.numbers}`);
        assert.equal(await text('practice-differs'), '');
      } else {
        await answerWith(task.numbers);
        assert.match(await text('practice-verdict'), /^Верно/, `${task.base}: ${task.numbers}`);
      }
      await click('practice-next');
    }
    assert.equal(await text('practice-verdict'), 'Верно с первой попытки: 9 из 10.');
    // Closed and opened again, the panel is as it was left.
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#practice', (d) => d.open), false);
    await menuItem('practice');
    assert.equal(await text('practice-verdict'), 'Верно с первой попытки: 9 из 10.');
    await page.keyboard.press('Escape');

    // The cards: a set number that is not a number is named; eight variants
    // of set 17 on two pages of cards and one of answers, at 240 dpi; the
    // same set, the same file.
    await menuItem('cards');
    await fill(page, { 'cards-variants': 'восемь', 'cards-set': '17' });
    await page.select('#cards-level', '1');
    await click('cards-save');
    assert.equal((await openBox(page)).text, 'В поле «Вариантов (1–30)» нужно целое число.');
    await answer(page, 'Enter');
    await fill(page, { 'cards-variants': '8' });
    const saved = async () => {
      const file = downloaded(page, 'карточки.pdf');
      await click('cards-save');
      const bytes = fs.readFileSync(await file);
      fs.rmSync(await file);
      return bytes;
    };
    const pdf = await saved();
    const text1 = pdf.toString('latin1');
    assert.ok(text1.startsWith('%PDF-1.4'));
    assert.equal(text1.match(/\/Type \/Page /g).length, 3);
    assert.equal(text1.match(/\/Width 2806 \/Height 1984 /g).length, 3);
    const title = Buffer.from('\ufeffКарточки для класса', 'utf16le').swap16().toString('hex').toUpperCase();
    assert.ok(text1.includes(`/Title <${title}>`), text1.slice(0, 400));
    assert.ok((await saved()).equals(pdf), 'the same set number, the same cards');
  });
});

// The example plot, pixel for pixel against the desktop's raster canvas.
// The dots of both graphs are the program's own stamps on both sides and
// must agree exactly. Letters are set by each side's own font rasteriser
// (hinted FreeType, the browser's Skia), so their edges differ, but every
// line of text stands on the same pixel rows.
test('the example plot has the desktop pixels', { skip: !process.env.VIRAMONT_DESKTOP_PIXELS }, async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'viramont-pixels-'));
  const files = ['picture1.ppm', 'picture2.ppm'].map((f) => path.join(folder, f));
  execFileSync(process.env.VIRAMONT_DESKTOP_PIXELS, files, { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  const desktop = files.map(readPpm);
  await withPage({}, async (page) => {
    await pick(page, 'Sin(X)');
    await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' });
    await press(page, 'ВЫБОР');
    await press(page, 'Command1');
    for (const [i, id] of ['Picture1', 'Picture2'].entries()) {
      const shown = await page.$eval(`#${id}`, (c) => ({
        width: c.width, height: c.height,
        rgba: Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data),
      }));
      const d = desktop[i];
      assert.deepEqual([shown.width, shown.height], [d.width, d.height], id);
      let differ = 0;
      const inkRows = [[], []];  // per side, the rows with ink darker than the back
      const graphs = { blue: [0, 0], red: [0, 0] };  // pixels in the colour on the desktop, on both
      for (let p = 0; p < d.width * d.height; ++p) {
        const a = d.rgb.subarray(3 * p, 3 * p + 3), b = shown.rgba.slice(4 * p, 4 * p + 3);
        const same = a[0] === b[0] && a[1] === b[1] && a[2] === b[2];
        if (!same) ++differ;
        const row = Math.floor(p / d.width);
        [a, b].forEach((px, side) => {
          if (px[0] + px[1] + px[2] < 400 && inkRows[side].at(-1) !== row) inkRows[side].push(row);
        });
        for (const [name, colour] of [['blue', [0, 0, 255]], ['red', [255, 0, 0]]]) {
          if (a[0] === colour[0] && a[1] === colour[1] && a[2] === colour[2]) {
            ++graphs[name][0];
            if (same) ++graphs[name][1];
          }
        }
      }
      const share = differ / (d.width * d.height);
      console.log(`# ${id}: ${differ} of ${d.width * d.height} pixels differ (${(100 * share).toFixed(2)}%); ` +
        `blue ${graphs.blue[1]}/${graphs.blue[0]}, red ${graphs.red[1]}/${graphs.red[0]} alike`);
      if (id === 'Picture1') {
        assert.ok(graphs.blue[0] > 1000 && graphs.red[0] > 1000);
        // Every graph pixel of the desktop the page also has, except where
        // the page's round line end or a letter covers it differently.
        assert.ok(graphs.blue[1] >= 0.995 * graphs.blue[0], `blue ${graphs.blue[1]} of ${graphs.blue[0]}`);
        assert.ok(graphs.red[1] >= 0.995 * graphs.red[0], `red ${graphs.red[1]} of ${graphs.red[0]}`);
      }
      assert.deepEqual(inkRows[1], inkRows[0], `${id}: rows with ink`);
      if (id === 'Picture1') assert.ok(share < 0.005, `${id}: ${(100 * share).toFixed(2)}% of the pixels differ`);
    }
  });
  fs.rmSync(folder, { recursive: true });
});

function readPpm(file) {
  const data = fs.readFileSync(file);
  const header = data.subarray(0, 40).toString('latin1').match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  return { width: Number(header[1]), height: Number(header[2]), rgb: data.subarray(header[0].length) };
}
