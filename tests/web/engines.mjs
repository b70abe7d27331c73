// The page as people open it, in three engines against the desktop's
// commands: the single file opened from disk in Chromium, Firefox and WebKit
// (values, charts, report and a rejected file); the site kept offline in
// Chromium; the phone layout, a pinch and a tap under touch emulation.
//
// node engines.mjs --page DIR --velantro BIN --examples DIR [--shots DIR] [--engines chromium,firefox,webkit]
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { Builder, By, Capabilities } from 'selenium-webdriver';
import { readPng, differences, findCharts } from './pictures.mjs';

const options = {};
for (let i = 2; i < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const required of ['page', 'velantro', 'examples']) {
  if (!options[required]) {
    console.error('usage: node engines.mjs --page DIR --velantro BIN --examples DIR [--shots DIR] [--engines LIST]');
    process.exit(2);
  }
}
const engines = (options.engines || 'chromium,firefox,webkit').split(',');
const started = Date.now();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velantro-engines-'));
const failures = [];
const fail = (what) => {
  failures.push(what);
  console.error('FAIL ' + what);
};
const single = 'file://' + path.resolve(options.page, 'velantro.html');

function velantro(args) {
  return spawnSync(path.resolve(options.velantro), args, {
    encoding: 'utf8',
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', LC_ALL: 'C.UTF-8' },
  });
}

const good = path.join(options.examples, 'dvd-verify.ibg');
const refused = path.join(work, 'cut-header.ibg');
const goodText = fs.readFileSync(good, 'latin1');
fs.writeFileSync(refused, goodText.slice(0, goodText.indexOf('\n', 200)), 'latin1');
velantro(['--export', path.join(work, 'export.png'), good]);
const picture = readPng(path.join(work, 'export.png'));
const info = velantro(['--info', good]).stdout.trim().split('\n');
const report = velantro(['--report', good]).stdout.replace(/^File .*$/m, 'File');
const refusedReason = /\((.*)\)\n$/.exec(velantro(['--info', refused]).stderr)[1];

// --- What each engine is asked, through one call: a function run in the page.

const puppeteerUi = (page) => ({
  evaluate: (fn, ...args) => page.evaluate(fn, ...args),
  upload: async (selector, file) => (await page.$(selector)).uploadFile(file),
  screenshot: (file) => page.screenshot({ path: file, fullPage: true }),
});

const webdriverUi = (driver) => ({
  evaluate: async (fn, ...args) => {
    const result = await driver.executeAsyncScript(
      `const done = arguments[arguments.length - 1];
       Promise.resolve().then(() => (${fn}).apply(null, Array.from(arguments).slice(0, -1)))
         .then((value) => done({ value: value }), (error) => done({ error: String(error) }));`,
      ...args
    );
    if (result.error) throw new Error(result.error);
    return result.value;
  },
  upload: async (selector, file) => {
    await driver.executeScript(`document.querySelector(arguments[0]).hidden = false;`, selector);
    await driver.findElement(By.css(selector)).sendKeys(file);
    await driver.executeScript(`document.querySelector(arguments[0]).hidden = true;`, selector);
  },
  screenshot: async (file) => fs.writeFileSync(file, await driver.takeScreenshot(), 'base64'),
});

async function until(ui, fn, arg, what, seconds = 30) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end; ) {
    if (await ui.evaluate(fn, arg)) return true;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  fail(what + ': not within ' + seconds + ' s');
  return false;
}
const drawn = (ui) => ui.evaluate(() => Number(document.body.dataset.drawn));
const settledAfter = (ui, before, what) =>
  until(ui, (b) => Number(document.body.dataset.drawn) > b && document.body.dataset.busy === '0', before, what);

function dropFile(ui, file) {
  return ui.evaluate(
    (name, base64) => {
      const data = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const transfer = new DataTransfer();
      transfer.items.add(new File([data], name));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    },
    path.basename(file),
    fs.readFileSync(file).toString('base64')
  );
}

async function canvasOf(ui, id) {
  const shot = await ui.evaluate((which) => {
    const element = document.getElementById(which);
    const data = element.getContext('2d').getImageData(0, 0, element.width, element.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
    return { width: element.width, height: element.height, bytes: btoa(text) };
  }, id);
  return { width: shot.width, height: shot.height, rgba: Buffer.from(shot.bytes, 'base64') };
}

const shownState = (ui) =>
  ui.evaluate(() => ({
    drive: document.getElementById('drive').textContent,
    values: Array.from(document.querySelectorAll('#values dd'), (d) => d.textContent),
    captions: Array.from(document.querySelectorAll('#values dt'), (d) => d.textContent),
    rejected: document.body.dataset.rejected,
    message: document.getElementById('message').hidden ? '' : document.getElementById('message').textContent,
    status: document.getElementById('status').textContent,
  }));

let places = null;
// A good file by the button, then a refused one dropped: what the commands say of each.
async function checkPage(ui, engine) {
  if (!(await until(ui, () => Number(document.body.dataset.drawn) > 0 && document.body.dataset.busy === '0', null, `${engine}: the page did not start`)))
    return;
  let before = await drawn(ui);
  await ui.upload('#file', path.resolve(good));
  if (!(await settledAfter(ui, before, `${engine}: dvd-verify.ibg by the button`))) {
    fail(`${engine}: ${JSON.stringify(await shownState(ui))}`);
    return;
  }
  const state = await shownState(ui);
  if (info[0] !== 'Drive: ' + state.drive) fail(`${engine}: drive "${state.drive}"`);
  state.captions.forEach((caption, i) => {
    const expected = info[i + 1].slice(caption.length + 2);
    const shown = state.values[i];
    const same = caption === 'Date/Time' ? Date.parse(shown) === Date.parse(expected) || shown === expected : shown === expected;
    if (!same) fail(`${engine}: ${caption} "${shown}", --info "${info[i + 1]}"`);
  });
  if (state.status !== 'Showing dvd-verify.ibg.') fail(`${engine}: status "${state.status}"`);

  const speed = await canvasOf(ui, 'speed');
  const percent = await canvasOf(ui, 'percent');
  places = places || findCharts(speed, percent, picture);
  if (!places) fail(`${engine}: the charts are nowhere in the export`);
  else {
    const a = differences(speed, picture, places.left, places.top);
    const b = differences(percent, picture, places.left, places.below);
    if (a || b) fail(`${engine}: ${a} speed and ${b} percent chart pixels differ from --export`);
  }

  await ui.evaluate(() => document.getElementById('report-button').click());
  await until(ui, () => !document.getElementById('report').hidden, null, `${engine}: the report`);
  const dateShown = state.values[state.captions.indexOf('Date/Time')];
  const dateExpected = info[1 + state.captions.indexOf('Date/Time')].replace(/^Date\/Time: /, '');
  const text = (await ui.evaluate(() => document.getElementById('report-text').textContent))
    .replace(/^File .*$/m, 'File')
    .split(dateShown)
    .join(dateExpected);
  if (text !== report) fail(`${engine}: the report differs from --report`);

  before = await drawn(ui);
  await dropFile(ui, refused);
  await settledAfter(ui, before, `${engine}: cut-header.ibg dropped`);
  const after = await shownState(ui);
  if (after.rejected !== refusedReason || !after.message.includes(`(${refusedReason})`))
    fail(`${engine}: the refused file: "${after.rejected}", --info "${refusedReason}"`);
  if (!after.status.startsWith('cut-header.ibg was not opened: ' + refusedReason)) fail(`${engine}: status "${after.status}"`);
  if (after.drive !== state.drive) fail(`${engine}: a refused file changed the drive shown`);
  if (options.shots) await ui.screenshot(path.join(options.shots, `${engine}-from-disk.png`));
}

// --- The engines ---------------------------------------------------------------

const browserArgs = ['--no-sandbox', '--disable-dev-shm-usage', '--no-first-run', '--disable-gpu', '--disable-extensions'];
const checked = [];

async function inChromium() {
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: browserArgs });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    const errors = [];
    page.on('pageerror', (error) => errors.push(String(error)));
    await page.goto(single);
    await checkPage(puppeteerUi(page), 'chromium');
    for (const error of errors) fail('chromium: ' + error);
    checked.push('chromium from disk');
    await siteOffline(browser);
    await phone(browser);
  } finally {
    await browser.close();
  }
}

async function inFirefox() {
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(single);
    await checkPage(puppeteerUi(page), 'firefox');
    checked.push('firefox from disk');
  } finally {
    await browser.close();
  }
}

// WebKitGTK's MiniBrowser through its WebDriver, on a display of its own.
async function inWebKit() {
  const display = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], {
    stdio: ['ignore', 'pipe', 'ignore'],
  });
  const number = await new Promise((resolve) => display.stdout.once('data', (data) => resolve(String(data).trim())));
  const port = 4400 + (process.pid % 500);
  const driverProcess = spawn('WebKitWebDriver', ['--port=' + port], {
    stdio: 'ignore',
    env: { ...process.env, DISPLAY: ':' + number },
  });
  let driver = null;
  try {
    for (let wait = 0; wait < 100; wait++) {
      const up = await fetch(`http://127.0.0.1:${port}/status`).then(
        () => true,
        () => false
      );
      if (up) break;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    const capabilities = new Capabilities();
    capabilities.set('webkitgtk:browserOptions', {
      binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
      args: ['--automation', '--geometry=1280x900'],
    });
    capabilities.setBrowserName('MiniBrowser');
    driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities(capabilities).build();
    await driver.manage().setTimeouts({ script: 60000 });
    await driver.get(single);
    await checkPage(webdriverUi(driver), 'webkit');
    checked.push('webkit from disk');
  } finally {
    if (driver) await driver.quit().catch(() => {});
    driverProcess.kill();
    display.kill();
  }
}

// The site, served once and then with its server gone: the page and a file
// read from what the service worker kept.
async function siteOffline(browser) {
  const types = { '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm',
                  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml' };
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/^\/$/, '/index.html');
    const file = path.join(options.page, path.basename(name));
    if (!fs.existsSync(file) || name.includes('..')) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(url);
  const manifest = await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    const link = document.querySelector('link[rel=manifest]');
    return (await fetch(link.href)).json();
  });
  const handler = (manifest.file_handlers || []).find((h) => Object.values(h.accept).flat().includes('.ibg'));
  if (!handler || !manifest.icons.some((icon) => icon.sizes === '512x512') || !manifest.start_url || !manifest.display)
    fail('site: the manifest lacks a file handler for .ibg, an icon, start_url or display');
  await new Promise((resolve) => server.close(resolve));
  server.closeAllConnections();
  await page.reload();
  const ui = puppeteerUi(page);
  await until(ui, () => Number(document.body.dataset.drawn) > 0 && document.body.dataset.busy === '0', null, 'site offline: the page');
  const before = await drawn(ui);
  await dropFile(ui, good);
  await settledAfter(ui, before, 'site offline: dvd-verify.ibg');
  const state = await shownState(ui);
  if (info[0] !== 'Drive: ' + state.drive) fail(`site offline: drive "${state.drive}"`);
  if (options.shots) await page.screenshot({ path: path.join(options.shots, 'site-1280x900.png'), fullPage: false });
  await page.close();
  checked.push('site offline');
}

// A phone's screen and a 1280 px window at 200 %: nothing sideways, the panel
// above the charts; a pinch zooms, a double tap shows the whole disc again.
async function phone(browser) {
  const page = await browser.newPage();
  for (const [what, viewport] of [
    ['390x844', { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }],
    ['200 %', { width: 640, height: 450, deviceScaleFactor: 2 }],
  ]) {
    await page.setViewport(viewport);
    await page.goto(single);
    const ui = puppeteerUi(page);
    await until(ui, () => Number(document.body.dataset.drawn) > 0 && document.body.dataset.busy === '0', null, `${what}: the page`);
    const before = await drawn(ui);
    await dropFile(ui, good);
    await settledAfter(ui, before, `${what}: dvd-verify.ibg`);
    const layout = await page.evaluate(() => ({
      wide: document.documentElement.scrollWidth,
      width: document.documentElement.clientWidth,
      panel: document.getElementById('panel').getBoundingClientRect().bottom,
      charts: document.getElementById('charts').getBoundingClientRect().top,
    }));
    if (layout.wide > layout.width) fail(`${what}: the page is ${layout.wide} px wide in ${layout.width}`);
    if (layout.panel > layout.charts) fail(`${what}: the panel is not above the charts`);
    if (options.shots) await page.screenshot({ path: path.join(options.shots, `phone-${what.replace(' %', '')}.png`), fullPage: true });
  }
  const session = await page.createCDPSession();
  const box = await (await page.$('#speed')).boundingBox();
  const y = box.y + box.height / 2;
  const touch = (type, points) => session.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  let before = await drawn(puppeteerUi(page));
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  const centre = box.x + box.width * 0.4;
  await touch('touchStart', [{ x: centre - 20, y, id: 1 }, { x: centre + 20, y, id: 2 }]);
  for (let step = 1; step <= 5; step++)
    await touch('touchMove', [{ x: centre - 20 - step * 12, y, id: 1 }, { x: centre + 20 + step * 12, y, id: 2 }]);
  await touch('touchEnd', []);
  await settledAfter(puppeteerUi(page), before, 'pinch');
  const zoom = await page.evaluate(() => document.body.dataset.zoom);
  if (!zoom) fail('a pinch did not zoom');
  before = await drawn(puppeteerUi(page));
  for (let tap = 0; tap < 2; tap++) {
    await touch('touchStart', [{ x: centre, y, id: 3 }]);
    await touch('touchEnd', []);
  }
  await settledAfter(puppeteerUi(page), before, 'double tap');
  if (await page.evaluate(() => document.body.dataset.zoom)) fail('a double tap left the zoom');
  await page.close();
  checked.push('phone, 200 %, pinch and double tap');
}

const runs = { chromium: inChromium, firefox: inFirefox, webkit: inWebKit };
for (const engine of engines) {
  const at = Date.now();
  try {
    await runs[engine]();
  } catch (error) {
    fail(`${engine}: ${error.stack || error}`);
  }
  console.log(`${engine}: ${((Date.now() - at) / 1000).toFixed(1)} s`);
}
fs.rmSync(work, { recursive: true, force: true });
console.log(`checked: ${checked.join(', ')}`);
console.log(`${failures.length} failures, ${((Date.now() - started) / 1000).toFixed(1)} s`);
process.exit(failures.length ? 1 : 0);
