// The site folder (build/web/site, page/site.py) as a school puts it on its
// web server and a pupil meets it, in Debian's Chromium or Firefox ESR
// (VIRAMONT_BROWSER): served from a subfolder of a local HTTP server that
// the test starts on 127.0.0.1 and stops, the only host there is. The
// service worker takes over at the first visit; with the network off and
// the server stopped the app opens, and a plot's link draws its plot;
// Chromium finds the app installable; a new build of the folder is picked
// up at the next visit and said once; and the one file still opens from
// file:// with nothing in the console. Headless Firefox has no check of
// installability: that case runs in Chromium only.
//
//   VIRAMONT_PAGE=build/web/viramont.html node --test tests/page/site.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { engine, launchPage } from './browser.mjs';
import { field, kStuck, legend, pageFile, pixelCounts } from './kit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const sources = path.join(here, '../../page');
const siteFolder = path.join(path.dirname(pageFile), 'site');
const partsFolder = path.join(path.dirname(pageFile), 'site-parts');
// Where the school's server has the folder.
const kFolder = '/school/viramont/';
const kExample = 'fn=sin&A=2&k=3&b=1&C=4&from=0&to=10';
const kUpdated = 'Viramont обновлён';

// ---- the folder ------------------------------------------------------------

const versionOf = (folder) => {
  const page = fs.readFileSync(path.join(folder, 'index.html'), 'utf8');
  const worker = fs.readFileSync(path.join(folder, 'sw.js'), 'utf8');
  const inPage = page.match(/<meta name="viramont-version" content="([0-9a-f]+)">/)[1];
  assert.equal(worker.match(/const version = '([0-9a-f]+)';/)[1], inPage, `${folder}: the page and sw.js are one version`);
  return inPage;
};

// The site folder made again by the build's own step from `page`.
function buildSite(page, output) {
  execFileSync('python3', [path.join(sources, 'site.py'), page, path.join(sources, 'site.js'),
    path.join(sources, 'service_worker.js'), partsFolder, output]);
  return output;
}

// A PNG file's size and its pixels as 8-bit RGBA (the folder's icons are
// written with no filter on any row).
function readPng(file) {
  const png = fs.readFileSync(file);
  assert.equal(png.subarray(1, 4).toString(), 'PNG');
  const [width, height] = [png.readUInt32BE(16), png.readUInt32BE(20)];
  const chunks = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at), kind = png.subarray(at + 4, at + 8).toString();
    if (kind === 'IDAT') chunks.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const rows = zlib.inflateSync(Buffer.concat(chunks));
  assert.equal(rows.length, height * (1 + width * 4));
  const pixel = (x, y) => {
    assert.equal(rows[y * (1 + width * 4)], 0, 'no filter');
    const at = y * (1 + width * 4) + 1 + x * 4;
    return [...rows.subarray(at, at + 4)];
  };
  return { width, height, pixel };
}

const rgbOf = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));

// ---- the school's server ---------------------------------------------------

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// Serves `root.folder` (which a test may change) at kFolder on 127.0.0.1,
// as any static server does, and records every path asked.
function serve(root) {
  const asked = [];
  const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, 'http://127.0.0.1');
    asked.push(pathname);
    const name = pathname.startsWith(kFolder) ? pathname.slice(kFolder.length) || 'index.html' : '';
    const file = path.join(root.folder, name);
    if (!name || name.includes('/') || !fs.existsSync(file)) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(name)] });
    response.end(fs.readFileSync(file));
  });
  const stop = () => new Promise((resolve) => {
    server.closeAllConnections();
    server.close(() => resolve());
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    base: `http://127.0.0.1:${server.address().port}${kFolder}`, asked, stop,
  })));
}

// The site opened in a fresh browser at the folder's address (with
// `fragment`); at the end nothing went wrong in the page or its console,
// and nothing was asked but the folder's own files.
async function withSite(root, { fragment = '' } = {}, body) {
  const served = await serve(root);
  const { page, close } = await launchPage(served.base, { site: served.base, fragment });
  try {
    await body(page, served);
    assert.deepEqual(page.errors, [], 'script errors');
    assert.deepEqual(page.consoleErrors, [], 'console errors');
    assert.deepEqual(page.requests, [], 'the page asked outside its folder');
    const files = fs.readdirSync(siteFolder);
    const foreign = served.asked.filter((p) => !p.startsWith(kFolder) || !['', ...files].includes(p.slice(kFolder.length)));
    assert.deepEqual(foreign, [], 'the server was asked for what is not in the folder');
  } finally {
    await close();
    await served.stop();
  }
}

// Opens `address` anew and waits for the page to be ready.
async function visit(page, address) {
  await page.goto(address);
  await page.waitForSelector('body.ready', { timeout: kStuck });
}

// Resolves once the page's service worker is activated and answers the
// page: its scope and state.
const activated = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.ready;
  const worker = registration.active;
  if (worker.state !== 'activated') {
    await new Promise((resolve) => worker.addEventListener('statechange', () => {
      if (worker.state === 'activated') resolve();
    }));
  }
  if (!navigator.serviceWorker.controller) {
    await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
  }
  return { scope: registration.scope, state: worker.state };
});

// What the page shows after the service worker answered it (body's
// data-site), and the notice.
async function siteSignal(page) {
  await page.waitForSelector('body[data-site]', { timeout: kStuck });
  return page.evaluate(() => ({
    site: document.body.dataset.site,
    version: document.querySelector('meta[name="viramont-version"]').content,
    notice: [...document.querySelectorAll('#site-notice')].map((e) => e.textContent),
  }));
}

// The example plot as the page shows it: formula, pixels of both graphs, legend.
const plotShown = async (page) => {
  await page.evaluate(() => viramontHooks.idle());
  return { formula: await field(page, 'Text5'), pixels: await pixelCounts(page, 'Picture1'), legend: await legend(page) };
};

// ---- cases -----------------------------------------------------------------

test('the folder holds the page, the manifest, its icons and the service worker, all of one version', () => {
  const manifest = JSON.parse(fs.readFileSync(path.join(siteFolder, 'manifest.webmanifest'), 'utf8'));
  const icons = manifest.icons.map((i) => i.src);
  assert.deepEqual(fs.readdirSync(siteFolder).sort(), ['index.html', 'manifest.webmanifest', 'sw.js', ...icons].sort());
  assert.equal(manifest.name, 'Viramont');
  assert.equal(manifest.short_name, 'Viramont');
  assert.equal(manifest.lang, 'ru');
  assert.match(manifest.description, /^[А-ЯЁ][^]*[а-яё]/);
  assert.equal(manifest.display, 'standalone');
  for (const key of ['start_url', 'scope', 'id']) assert.match(manifest[key], /^\.\//, `${key} within the folder`);
  assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
  assert.equal(manifest.background_color, manifest.theme_color);

  // Icons of 192 and 512 px, and a maskable one: each PNG of its stated
  // size; the plain ones leave the corners clear, the maskable fills them.
  const sizes = (purpose) => manifest.icons.filter((i) => i.purpose === purpose).map((i) => i.sizes).sort();
  assert.deepEqual(sizes('any'), ['192x192', '512x512']);
  assert.equal(sizes('maskable').length, 1);
  for (const icon of manifest.icons) {
    const png = readPng(path.join(siteFolder, icon.src));
    assert.equal(`${png.width}x${png.height}`, icon.sizes, icon.src);
    assert.equal(icon.type, 'image/png');
    const corner = png.pixel(0, 0), middle = png.pixel(png.width >> 1, png.height >> 1);
    assert.deepEqual(corner, icon.purpose === 'maskable' ? [...rgbOf(manifest.theme_color), 255] : [0, 0, 0, 0], icon.src);
    assert.deepEqual(middle, [255, 255, 255, 255], `${icon.src}: the window in the middle`);
  }

  // index.html is the page; the service worker keeps every file but itself.
  const page = fs.readFileSync(pageFile, 'utf8'), index = fs.readFileSync(path.join(siteFolder, 'index.html'), 'utf8');
  assert.ok(index.includes(page.slice(page.indexOf('<body>'), page.lastIndexOf('</body>'))), 'the page inside index.html');
  const worker = fs.readFileSync(path.join(siteFolder, 'sw.js'), 'utf8');
  const kept = JSON.parse(worker.match(/const files = (\[[^\]]*\]);/)[1]);
  assert.deepEqual(kept.sort(), fs.readdirSync(siteFolder).filter((n) => n !== 'sw.js').sort());
  versionOf(siteFolder);
});

test('the service worker takes over at the first visit; offline, with the server stopped, the app and a link open', async () => {
  const reference = await (async () => {
    const { page, close } = await launchPage(pageFile, { fragment: kExample });
    try { return await plotShown(page); } finally { await close(); }
  })();
  assert.ok(reference.pixels.red > 300 && reference.pixels.blue > 300, JSON.stringify(reference.pixels));

  await withSite({ folder: siteFolder }, {}, async (page, served) => {
    const worker = await activated(page);
    assert.deepEqual(worker, { scope: served.base, state: 'activated' });
    assert.equal(await page.$eval('link[rel=manifest]', (l) => l.href), `${served.base}manifest.webmanifest`);
    const back = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
    const manifest = JSON.parse(fs.readFileSync(path.join(siteFolder, 'manifest.webmanifest'), 'utf8'));
    assert.equal(back, `rgb(${rgbOf(manifest.theme_color).join(', ')})`, 'the app in the form\'s colour');
    if (engine === 'chromium') {
      const session = await page.createCDPSession();
      const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, [], 'installable');
      const { errors, url } = await session.send('Page.getAppManifest');
      assert.deepEqual(errors, []);
      assert.equal(url, `${served.base}manifest.webmanifest`);
      await session.detach();
    } else {
      console.log('# Firefox: no check of installability');
    }

    await page.setOfflineMode(true);
    await served.stop();
    const addresses = [
      { address: served.base, plot: false },
      { address: `${served.base}index.html#${kExample}`, plot: true },
      { address: `${served.base}#${kExample}`, plot: true },
    ];
    for (const { address, plot } of addresses) {
      await visit(page, address);
      assert.equal(await page.evaluate(() => navigator.onLine), false, 'the browser is offline');
      assert.ok(await page.$('#Combo1') && await page.$('#Picture1'), `${address}: the form`);
      const shown = await plotShown(page);
      if (plot) assert.deepEqual(shown, reference, address);
      else assert.equal(shown.pixels.red, 0, address);
    }
  });
});

test('a new build of the folder is picked up at the next visit, which says so once', async () => {
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'viramont-site-'));
  try {
    const built = versionOf(siteFolder);
    assert.equal(versionOf(buildSite(pageFile, path.join(temp, 'same'))), built, 'the same page, the same version');
    const changed = path.join(temp, 'viramont.html');
    fs.writeFileSync(changed, fs.readFileSync(pageFile, 'utf8').replace('<head>', '<head>\n<!-- the next build -->'));
    const next = versionOf(buildSite(changed, path.join(temp, 'next')));
    assert.notEqual(next, built);

    const root = { folder: siteFolder };
    await withSite(root, {}, async (page, served) => {
      await activated(page);
      await page.evaluateOnNewDocument(() => {
        window.takenOver = 0;
        navigator.serviceWorker.addEventListener('controllerchange', () => { window.takenOver += 1; });
      });
      // Each visit: the folder on the server, then what the page shows.
      const visits = [
        { folder: siteFolder, shown: { site: 'current', version: built, notice: [] } },
        { folder: path.join(temp, 'next'), shown: null },  // the old page; the new worker takes over
        { folder: path.join(temp, 'next'), shown: { site: 'updated', version: next, notice: [kUpdated] } },
        { folder: path.join(temp, 'next'), shown: { site: 'current', version: next, notice: [] } },
      ];
      for (const [i, { folder, shown }] of visits.entries()) {
        root.folder = folder;
        await visit(page, served.base);
        if (shown) {
          assert.deepEqual(await siteSignal(page), shown, `visit ${i + 2}`);
        } else {
          assert.equal(await page.evaluate(() => document.querySelector('meta[name="viramont-version"]').content), built);
          await page.waitForFunction(() => window.takenOver > 0, { timeout: kStuck });
        }
      }
    });
  } finally {
    fs.rmSync(temp, { recursive: true, force: true });
  }
});

test('the one file and the folder\'s page open from file:// with no error and no service worker', async () => {
  const pages = [
    { file: pageFile, own: pathToFileURL(pageFile).href },
    { file: path.join(siteFolder, 'index.html'), own: pathToFileURL(siteFolder).href + '/' },
  ];
  assert.ok(!fs.readFileSync(pageFile, 'utf8').includes('serviceWorker'), 'the one file has no service worker');
  for (const { file, own } of pages) {
    const { page, close } = await launchPage(file, { site: own });
    try {
      await page.evaluate(() => viramontHooks.idle());
      assert.deepEqual(page.errors, [], file);
      assert.deepEqual(page.consoleErrors, [], file);
      assert.deepEqual(page.requests, [], file);
      assert.deepEqual(await page.evaluate(() => [document.body.dataset.site ?? 'none',
        document.querySelector('link[rel=manifest]')?.href ?? 'none']), ['none', 'none'], file);
    } finally {
      await close();
    }
  }
});
