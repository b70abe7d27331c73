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
import { readPng, differences, findCharts, canvasPixels as canvasOf } from './pictures.mjs';

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

// Each example, and files the desktop turns away; what the commands say of each.
const good = path.join(options.examples, 'dvd-verify.ibg');
const goodText = fs.readFileSync(good, 'latin1');
const refusedFiles = {
  'empty.ibg': '',
  'cut-header.ibg': goodText.slice(0, goodText.indexOf('\n', 200)),
  'huge-sample.ibg': goodText.replace('\n3.41,1925,', '\n3.41e999,1925,'),
};
for (const [name, text] of Object.entries(refusedFiles)) fs.writeFileSync(path.join(work, name), text, 'latin1');
const files = fs
  .readdirSync(options.examples)
  .filter((name) => name.endsWith('.ibg') && name !== 'dvd-verify.ibg')
  .sort()
  .map((name) => path.join(options.examples, name))
  .concat(Object.keys(refusedFiles).map((name) => path.join(work, name)));
const expectations = new Map();
function expected(file) {
  if (!expectations.has(file)) {
    const info = velantro(['--info', file]);
    const answer = { refused: info.status !== 0 };
    if (answer.refused) {
      answer.reason = /\((.*)\)\n$/.exec(info.stderr)[1];
    } else {
      answer.info = info.stdout.trim().split('\n');
      answer.report = velantro(['--report', file]).stdout.replace(/^File .*$/m, 'File');
      const out = path.join(work, path.basename(file) + '.png');
      velantro(['--export', out, file]);
      answer.picture = readPng(out);
    }
    expectations.set(file, answer);
  }
  return expectations.get(file);
}

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
async function checkFile(ui, engine, file, byButton) {
  const name = path.basename(file);
  const wanted = expected(file);
  const before = await drawn(ui);
  if (byButton) await ui.upload('#file', path.resolve(file));
  else await dropFile(ui, file);
  if (!(await settledAfter(ui, before, `${engine}: ${name}`))) {
    fail(`${engine}: ${JSON.stringify(await shownState(ui))}`);
    return false;
  }
  const state = await shownState(ui);
  if (wanted.refused) {
    if (state.rejected !== wanted.reason || !state.message.includes(`(${wanted.reason})`))
      fail(`${engine}: ${name} refused for "${state.rejected}", --info "${wanted.reason}"`);
    if (!state.status.startsWith(`${name} was not opened: ${wanted.reason}`)) fail(`${engine}: status "${state.status}"`);
    return true;
  }
  const info = wanted.info;
  if (info[0] !== 'Drive: ' + state.drive) fail(`${engine}: ${name}: drive "${state.drive}"`);
  state.captions.forEach((caption, i) => {
    const expectedValue = info[i + 1].slice(caption.length + 2);
    const shown = state.values[i];
    const same =
      caption === 'Date/Time' ? Date.parse(shown) === Date.parse(expectedValue) || shown === expectedValue : shown === expectedValue;
    if (!same) fail(`${engine}: ${name}: ${caption} "${shown}", --info "${info[i + 1]}"`);
  });
  if (state.status !== `Showing ${name}.`) fail(`${engine}: status "${state.status}"`);

  const speed = await canvasOf(ui, 'speed');
  const percent = await canvasOf(ui, 'percent');
  places = places || findCharts(speed, percent, wanted.picture);
  if (!places) fail(`${engine}: ${name}: the charts are nowhere in the export`);
  else {
    const a = differences(speed, wanted.picture, places.left, places.top);
    const b = differences(percent, wanted.picture, places.left, places.below);
    if (a || b) fail(`${engine}: ${name}: ${a} speed and ${b} percent chart pixels differ from --export`);
  }

  await ui.evaluate(() => {
    document.getElementById('report').hidden = true;
    document.getElementById('report-button').click();
  });
  await until(ui, () => !document.getElementById('report').hidden, null, `${engine}: ${name}: the report`);
  const dateShown = state.values[state.captions.indexOf('Date/Time')];
  const dateExpected = info[1 + state.captions.indexOf('Date/Time')].replace(/^Date\/Time: /, '');
  const text = (await ui.evaluate(() => document.getElementById('report-text').textContent))
    .replace(/^File .*$/m, 'File')
    .split(dateShown)
    .join(dateExpected);
  if (text !== wanted.report) fail(`${engine}: ${name}: the report differs from --report`);
  return true;
}

// The first file by the button, the others dropped.
async function checkPage(ui, engine) {
  if (!(await until(ui, () => Number(document.body.dataset.drawn) > 0 && document.body.dataset.busy === '0', null, `${engine}: the page did not start`)))
    return;
  // A page that reads nothing fails once, not once a file.
  if (!(await checkFile(ui, engine, good, true))) return;
  if (options.shots) await ui.screenshot(path.join(options.shots, `${engine}-from-disk.png`));
  for (const file of files) if (!(await checkFile(ui, engine, file, false))) return;
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
    await accessibility(page);
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

// What a screen reader is told: every chart named, no two controls of a
// kind under one name, and a sign when Copy has copied.
async function accessibility(page) {
  const unnamed = await page.$$eval('canvas', (all) => all.filter((c) => !c.getAttribute('aria-label')).map((c) => c.id));
  if (unnamed.length) fail(`accessibility: canvases without a name: ${unnamed.join(', ')}`);
  const seen = new Set();
  const walk = (node) => {
    if (['checkbox', 'radio', 'button', 'combobox'].includes(node.role)) {
      const key = node.role + ': ' + node.name;
      if (seen.has(key)) fail(`accessibility: two controls named ${key}`);
      seen.add(key);
    }
    for (const child of node.children || []) walk(child);
  };
  walk(await page.accessibility.snapshot());
  await page.evaluate(() => document.getElementById('copy-button').click());
  await until(puppeteerUi(page), () => document.getElementById('copy-sign').textContent !== '', null, 'accessibility: a sign that Copy copied');
  checked.push('accessibility');
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
  if (expected(good).info[0] !== 'Drive: ' + state.drive) fail(`site offline: drive "${state.drive}"`);
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
    if (viewport.hasTouch) await pinchAndTaps(page);
  }
  await page.close();
  checked.push('phone, 200 %, pinch and double tap');
}

async function pinchAndTaps(page) {
  const ui = puppeteerUi(page);
  const session = await page.createCDPSession();
  await page.$eval('#speed', (canvas) => canvas.scrollIntoView({ block: 'center' }));
  const box = await (await page.$('#speed')).boundingBox();
  const y = box.y + box.height / 2;
  const touch = (type, points) => session.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const centre = box.x + box.width * 0.4;
  let before = await drawn(ui);
  await touch('touchStart', [{ x: centre - 20, y, id: 1 }, { x: centre + 20, y, id: 2 }]);
  for (let step = 1; step <= 5; step++)
    await touch('touchMove', [{ x: centre - 20 - step * 12, y, id: 1 }, { x: centre + 20 + step * 12, y, id: 2 }]);
  await touch('touchEnd', []);
  await settledAfter(ui, before, 'pinch');
  const zoom = await page.evaluate(() => document.body.dataset.zoom);
  if (!zoom) fail('a pinch did not zoom');
  // One finger to the left moves the view towards the disc's end.
  before = await drawn(ui);
  await touch('touchStart', [{ x: centre + 60, y, id: 4 }]);
  for (let step = 1; step <= 4; step++) await touch('touchMove', [{ x: centre + 60 - step * 20, y, id: 4 }]);
  await touch('touchEnd', []);
  await settledAfter(ui, before, 'a swipe');
  const moved = await page.evaluate(() => document.body.dataset.zoom);
  if (!zoom || !moved || Number(moved.split(':')[0]) <= Number(zoom.split(':')[0])) fail(`a swipe moved ${zoom} to ${moved}`);
  before = await drawn(ui);
  for (let tap = 0; tap < 2; tap++) {
    await touch('touchStart', [{ x: centre, y, id: 3 }]);
    await touch('touchEnd', []);
  }
  await settledAfter(ui, before, 'double tap');
  if (await page.evaluate(() => document.body.dataset.zoom)) fail('a double tap left the zoom');
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
