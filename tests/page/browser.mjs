// The one way the page's tests and benchmark open the page: Debian's
// Chromium, headless, through puppeteer-core, with a fresh profile and no
// background traffic. Every request the page makes other than for its own
// file is recorded in `requests`, and every script error in `errors`.
import puppeteer from 'puppeteer-core';
import { pathToFileURL } from 'node:url';

export const chromiumPath = process.env.VIRAMONT_CHROMIUM || '/usr/bin/chromium';

export async function launchPage(file, { width = 1280, height = 900, language = 'ru-RU', ratio = 1 } = {}) {
  const browser = await puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic', '--no-first-run', '--disable-default-apps', `--lang=${language}`],
    env: { ...process.env, LANGUAGE: language.replace('-', '_') },
  });
  const page = await browser.newPage();
  const url = pathToFileURL(file).href;
  page.requests = [];
  page.errors = [];
  page.on('request', (r) => { if (r.url() !== url && !r.url().startsWith('data:')) page.requests.push(r.url()); });
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.setViewport({ width, height, deviceScaleFactor: ratio });
  await page.evaluateOnNewDocument((language) => {
    Object.defineProperty(navigator, 'language', { get: () => language });
  }, language);
  const started = Date.now();
  await page.goto(url);
  await page.waitForSelector('body.ready', { timeout: 20000 });
  page.startMs = Date.now() - started;
  return { browser, page };
}
