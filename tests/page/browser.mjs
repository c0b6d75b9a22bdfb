// The one way the page's tests and benchmark open the page: Debian's
// Chromium (through the DevTools protocol) or Firefox ESR (through
// WebDriver BiDi), headless, through puppeteer-core, with a fresh profile,
// no background traffic, and downloads going to a folder of their own
// (`page.downloads`). VIRAMONT_BROWSER=firefox picks Firefox. Every request
// the page makes other than for its own file (or its own site folder) is
// recorded in `requests`, every script error in `errors`, and every error
// written to the console in `consoleErrors`.
//
// What headless Firefox cannot do, and what stands in for it:
//   - window.print() ends the page there (the target closes), so in Firefox
//     the page's print is recorded in `window.viramontPrints` instead, with
//     the picture it was given;
//   - it has no accessibility tree for puppeteer (that needs the DevTools
//     protocol): `page.accessibilityTree` is false, and a test reads the
//     ARIA roles and names from the elements instead.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

export const engine = process.env.VIRAMONT_BROWSER === 'firefox' ? 'firefox' : 'chromium';
export const chromiumPath = process.env.VIRAMONT_CHROMIUM || '/usr/bin/chromium';
export const firefoxPath = process.env.VIRAMONT_FIREFOX || '/usr/bin/firefox-esr';

function launch(language) {
  if (engine === 'firefox') {
    return puppeteer.launch({
      browser: 'firefox',
      executablePath: firefoxPath,
      headless: true,
      // A PDF downloaded (the cards) is only saved: Firefox's own viewer
      // would open each in a tab of its own, and a session of many would
      // have the browser drawing them all.
      extraPrefsFirefox: { 'intl.accept_languages': language, 'intl.locale.requested': language, 'pdfjs.disabled': true },
    });
  }
  return puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic', '--no-first-run', '--disable-default-apps', `--lang=${language}`],
    env: { ...process.env, LANGUAGE: language.replace('-', '_') },
  });
}

// `touch` emulates a phone or tablet (a touch screen, a mobile viewport;
// Chromium only); `fragment` opens the page's address with it. `file` may
// be the http address of a page in a site folder, `site` that folder's
// address: whatever the page asks inside it is its own; such a page opens
// in the launch's own fresh profile (Chromium offers no app to install in
// a context of its own, which is incognito), with no folder for downloads.
export async function launchPage(file, {
  width = 1280, height = 900, language = 'ru-RU', ratio = 1, touch = false, fragment = '', site = '',
} = {}) {
  const browser = await launch(language);
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'viramont-downloads-'));
  const context = site ? browser.defaultBrowserContext()
    : await browser.createBrowserContext({ downloadBehavior: { policy: 'allow', downloadPath: downloads } });
  const page = await context.newPage();
  const url = /^https?:/.test(file) ? file : pathToFileURL(file).href;
  const address = fragment ? `${url}#${fragment}` : url;
  page.requests = [];
  page.errors = [];
  page.downloads = downloads;
  page.accessibilityTree = engine === 'chromium';
  page.on('request', (r) => {
    const asked = r.url().split('#')[0];
    const own = site ? asked.startsWith(site) : asked === url;
    if (!own && !asked.startsWith('data:') && !asked.startsWith('blob:')) page.requests.push(r.url());
  });
  page.on('pageerror', (e) => page.errors.push(e.message));
  page.consoleErrors = [];
  page.on('console', (m) => { if (m.type() === 'error') page.consoleErrors.push(m.text()); });
  await page.setViewport({ width, height, deviceScaleFactor: ratio, isMobile: touch, hasTouch: touch });
  await page.evaluateOnNewDocument((language, recordPrints) => {
    Object.defineProperty(navigator, 'language', { get: () => language });
    if (recordPrints) {
      window.viramontPrints = [];
      window.print = () => window.viramontPrints.push(document.querySelector('#print-sheet img')?.src);
    }
  }, language, engine === 'firefox');
  const started = Date.now();
  await page.goto(address);
  await page.waitForSelector('body.ready', { timeout: 20000 });
  page.startMs = Date.now() - started;
  const close = async () => {
    await browser.close();
    fs.rmSync(downloads, { recursive: true, force: true });
  };
  return { browser, page, close };
}

// Resolves with the file's path once the download folder holds `name` and
// nothing else: the browser writes a download under another name (.part,
// .crdownload) and gives it its final name when it is complete.
export function downloaded(page, name) {
  const folder = page.downloads;
  const file = path.join(folder, name);
  return new Promise((resolve) => {
    const check = () => {
      const names = fs.readdirSync(folder);
      if (names.length === 1 && names[0] === name && fs.statSync(file).size > 0) {
        watcher.close();
        resolve(file);
      }
    };
    const watcher = fs.watch(folder, check);
    check();
  });
}
