// The page benchmark: from the click on Command1 until the page has painted
// both canvases, in headless Chromium, for the sine plot over 0..10, over
// -100..100 and over -2047..2047 (there with k = 1 and k = 10, many periods
// to a pixel column), against the compute floor of the same
// plot in the same page (the same loops and arithmetic in WebAssembly,
// drawing nothing); and from the step sheet's command until the sheet with
// its graphs has painted. Runs
// alternate with runs of the floor; each case reports medians and the
// ratio. Each click is made at the start of a frame, in an animation frame
// callback, so no wait for the display's next frame is counted; the page
// has painted when the press has ended (a long plot first gives the busy
// cursor a frame) and the frame's rendering has run, that is at the first
// task after it (a message posted to the page itself).
//
//   node bench/page/page_bench.mjs [build/web/viramont_bench.html] [runs]
//
// Each case also reports the press's handler alone: the program's work
// until the page is idle, before the browser paints.
//
// The exit status is 1 when a case's ratio is above its target: the default
// press's handler at or under the floor (its painting, about 2 ms of the
// browser's own, is reported beside it), the widest press at most a
// twentieth of the floor; or when the step sheet over -2047..2047 takes
// 200 ms or more; or when the median frame of the plot's motion
// ("Показать движение", timed in the program per animation frame) is above
// 8 ms over 0..10 or 16 ms over -2047..2047.
import path from 'node:path';
import { launchPage } from '../../tests/page/browser.mjs';

const file = path.resolve(process.argv[2] || 'build/web/viramont_bench.html');
const runs = Number(process.argv[3] || 21);
const cases = [
  { name: 'default', start: '0', end: '10', handlerTarget: 1, sheetTarget: null, frameTarget: 8 },
  { name: 'wide', start: '-100', end: '100', sheetTarget: null },
  { name: 'widest', start: '-2047', end: '2047', target: 0.05, sheetTarget: 200, frameTarget: 16 },
  { name: 'k=10', k: '10', start: '-2047', end: '2047', sheetTarget: 200, frameTarget: 16 },
];

const { browser, page } = await launchPage(file);
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
let failed = false;
for (const c of cases) {
  const result = await page.evaluate(async (c, runs) => {
    const set = (id, v) => { document.getElementById(id).value = v; };
    const pickSine = document.getElementById('Combo1');
    pickSine.value = 'Sin(X)';
    await viramontHooks.press('Combo1');
    for (const [id, v] of [['Text1', '1'], ['Text2', c.k || '1'], ['Text3', '1'], ['Text4', '1'], ['Text6', c.start], ['Text7', c.end]]) set(id, v);
    await viramontHooks.press('ВЫБОР');
    const nextFrame = () => new Promise((r) => requestAnimationFrame(r));
    const afterRendering = () => new Promise((r) => {
      const channel = new MessageChannel();
      channel.port1.onmessage = r;
      channel.port2.postMessage(0);
    });
    const presses = [], floors = [], handlers = [], sheets = [];
    // The motion of the plot once, Escape held back: each frame's time in the
    // program, from its animation frame until its pixels are on the canvas.
    document.getElementById('Command1').click();
    await viramontHooks.idle();
    viramontHooks.motionTimes();
    const ended = Number(document.body.dataset.motions || 0);
    await viramontHooks.press('picture:motion');
    await new Promise((r) => new MutationObserver((_, o) => {
      if (Number(document.body.dataset.motions || 0) > ended) {
        o.disconnect();
        r();
      }
    }).observe(document.body, { attributes: true, attributeFilter: ['data-motions'] }));
    const frames = viramontHooks.motionTimes();
    for (let i = 0; i < runs; ++i) {
      await nextFrame();
      const clicked = performance.now();
      document.getElementById('Command1').click();
      await viramontHooks.idle();
      handlers.push(performance.now() - clicked);
      await afterRendering();
      presses.push(performance.now() - clicked);
      await nextFrame();
      const t = performance.now();
      viramontHooks.floor();
      floors.push(performance.now() - t);
      await nextFrame();
      const asked = performance.now();
      viramontHooks.press('picture:steps');
      await viramontHooks.idle();
      await afterRendering();
      sheets.push(performance.now() - asked);
      document.getElementById('steps').close();
      await viramontHooks.idle();
    }
    return { presses, floors, handlers, sheets, frames };
  }, c, runs);
  const press = median(result.presses), floor = median(result.floors), sheet = median(result.sheets);
  const handler = median(result.handlers);
  if (process.env.VIRAMONT_BENCH_DETAIL) console.log(c.name, result.presses.map((t) => t.toFixed(1)).join(' '));
  const ratio = press / floor, handlerRatio = handler / floor;
  console.log(`${c.name.padEnd(8)} ${c.start}..${c.end}${c.k ? `, k = ${c.k}` : ''}: press ${press.toFixed(2)} ms, floor ${floor.toFixed(2)} ms, ` +
    `ratio ${ratio.toFixed(3)}` + (c.target ? ` (target ${c.target})` : '') +
    `; handler ${handler.toFixed(2)} ms, ratio ${handlerRatio.toFixed(3)}` +
    (c.handlerTarget ? ` (target ${c.handlerTarget})` : '') +
    `; step sheet ${sheet.toFixed(1)} ms` + (c.sheetTarget ? ` (target < ${c.sheetTarget})` : '') +
    `; motion frame median ${median(result.frames).toFixed(2)} ms, longest ${Math.max(...result.frames).toFixed(2)} ms` +
    ` of ${result.frames.length}` + (c.frameTarget ? ` (target median <= ${c.frameTarget})` : ''));
  if (c.frameTarget && median(result.frames) > c.frameTarget) failed = true;
  if (c.target && ratio > c.target) failed = true;
  if (c.handlerTarget && handlerRatio > c.handlerTarget) failed = true;
  if (c.sheetTarget && !(sheet < c.sheetTarget)) failed = true;
}
await browser.close();
process.exit(failed ? 1 : 0);
