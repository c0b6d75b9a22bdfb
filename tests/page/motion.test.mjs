// "Показать движение" on the page in Debian's Chromium or Firefox ESR
// (VIRAMONT_BROWSER): the menu item plays the example plot's four moves on
// Picture1, each caption on it in turn, and ends on the plot's pixels and
// words; Escape ends it at once. Every wait is for the page's own signals:
// the body's count of ended motions (data-motions) and Picture1's lines.
//
//   VIRAMONT_PAGE=build/web/viramont.html node --test tests/page/motion.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { acted, fill, kStuck, pick, press, withPage } from './kit.mjs';

// Picture1's pixels, as one hash, and its lines for screen readers.
const shown = (page) => page.evaluate(() => {
  const c = document.getElementById('Picture1');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let h = 2166136261;
  for (let i = 0; i < d.length; ++i) h = Math.imul(h ^ d[i], 16777619) >>> 0;
  return { pixels: h, lines: document.getElementById('Picture1-lines').textContent };
});
const motionsEnded = (page) => page.evaluate(() => Number(document.body.dataset.motions || 0));

async function plotExample(page) {
  await pick(page, 'Sin(X)');
  await fill(page, { Text1: '2', Text2: '3', Text3: '1', Text4: '4', Text6: '0', Text7: '10' });
  await press(page, 'ВЫБОР');
  await press(page, 'Command1');
}

async function showMotion(page) {
  await page.click('#Picture1', { button: 'right' });
  const item = await page.$('#menu [data-action=motion]');
  assert.equal(await item.evaluate((e) => e.firstChild.textContent), 'Показать движение');
  assert.equal(await item.evaluate((e) => e.getAttribute('aria-disabled')), 'false');
  await acted(page, () => item.click());
}

test('the motion on Picture1, from the menu', async (t) => {
  await withPage({}, async (page) => {
    await plotExample(page);
    const plotted = await shown(page);

    await t.test('the menu item plays the moves and ends on the plot', async () => {
      const before = await motionsEnded(page);
      // Each move's caption is seen on the picture's lines, in order.
      const captions = page.evaluate((b) => new Promise((resolve) => {
        const seen = [];
        const lines = document.getElementById('Picture1-lines');
        const note = () => {
          const caption = (lines.textContent.match(/Шаг \d из \d\. [^.]*?(?=\. y =|$)/) || [])[0];
          if (caption && seen[seen.length - 1] !== caption) seen.push(caption);
        };
        const watch = new MutationObserver(note);
        watch.observe(lines, { childList: true, subtree: true, characterData: true });
        new MutationObserver((_, o) => {
          if (Number(document.body.dataset.motions || 0) <= b) return;
          o.disconnect();
          watch.disconnect();
          resolve(seen);
        }).observe(document.body, { attributes: true, attributeFilter: ['data-motions'] });
      }), before);
      await showMotion(page);
      await page.waitForFunction((b) => Number(document.body.dataset.motions || 0) > b,
        { polling: 'mutation', timeout: kStuck }, before);
      assert.deepEqual(await captions, [
        'Шаг 1 из 4. Сжатие к оси Oy в 3 раза',
        'Шаг 2 из 4. Сдвиг вдоль оси Ox на 1/3 влево',
        'Шаг 3 из 4. Растяжение от оси Ox в 2 раза',
        'Шаг 4 из 4. Сдвиг вдоль оси Oy на 4 вверх',
      ]);
      assert.deepEqual(await shown(page), plotted);
    });

    await t.test('save and print draw the frame shown anew, then the plot again', async () => {
      const larger = () => page.evaluate(async () => (await viramontHooks.picture(3)).toDataURL());
      const press = await larger();
      const before = await motionsEnded(page);
      await showMotion(page);
      await page.waitForFunction(() => document.body.dataset.motion === 'playing' &&
        /Шаг 1 из 4/.test(document.getElementById('Picture1-lines').textContent),
      { polling: 'mutation', timeout: kStuck });
      await page.keyboard.press(' ');  // paused on its frame
      assert.notEqual(await larger(), press);
      await page.keyboard.press('Escape');
      await page.waitForFunction((b) => Number(document.body.dataset.motions || 0) > b,
        { polling: 'mutation', timeout: kStuck }, before);
      assert.equal(await larger(), press);
    });

    await t.test('Escape ends it at once, on the plot', async () => {
      const before = await motionsEnded(page);
      await showMotion(page);
      await page.waitForFunction(() => document.body.dataset.motion === 'playing' &&
        /Шаг 1 из 4/.test(document.getElementById('Picture1-lines').textContent),
      { polling: 'mutation', timeout: kStuck });
      assert.notEqual((await shown(page)).lines, plotted.lines);
      await page.keyboard.press('Escape');
      await page.waitForFunction((b) => Number(document.body.dataset.motions || 0) > b,
        { polling: 'mutation', timeout: kStuck }, before);
      assert.deepEqual(await shown(page), plotted);
      assert.equal(await page.evaluate(() => document.body.dataset.motion), undefined);
    });
  });
});
