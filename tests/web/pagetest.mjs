// The page in Debian's chromium against the desktop's commands: the same chart
// pixels as --export, the same values as --info, the same report as --report,
// the same reasons for rejected files, and not one request beyond the page.
//
// node pagetest.mjs --page DIR --velantro BIN --examples DIR [--ibggen BIN]
//                   [--screenshot OUT.png] [--bench FILE.ibg]
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { readPng, differences, findCharts, canvasPixels as canvas } from './pictures.mjs';

const options = {};
for (let i = 2; i < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const required of ['page', 'velantro', 'examples']) {
  if (!options[required]) {
    console.error(`usage: node pagetest.mjs --page DIR --velantro BIN --examples DIR [--ibggen BIN] [--screenshot OUT.png]`);
    process.exit(2);
  }
}

for (const name of ['page', 'velantro', 'examples', 'screenshot', 'bench', 'ibggen']) {
  if (options[name]) options[name] = path.resolve(options[name]);
}

const failures = [];
const fail = (what) => {
  failures.push(what);
  console.error('FAIL ' + what);
};
const started = Date.now();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velantro-page-'));

// --- The desktop's answers -------------------------------------------------

function velantro(args, scale = 1) {
  const run = spawnSync(options.velantro, args, {
    encoding: 'utf8',
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', LC_ALL: 'C.UTF-8', QT_SCALE_FACTOR: String(scale) },
  });
  return { status: run.status, out: run.stdout, err: run.stderr };
}

function exportPicture(file, args, scale = 1) {
  const out = path.join(work, 'export.png');
  const run = velantro(['--export', out, ...args, file], scale);
  if (run.status !== 0) throw new Error(`--export ${args.join(' ')} ${file}: ${run.err}`);
  return readPng(out);
}

let chartPlaces = null;

// --- The page ----------------------------------------------------------------

const pageFiles = new Set(['/index.html', '/style.css', '/velantro.js', '/velantro.wasm', '/velantro.webmanifest',
                           '/offline.js', '/velantro-192.png', '/velantro-512.png', '/velantro.svg', '/library.js', '/library.css']);
const served = [];
const burns = path.join(work, 'burns');
fs.mkdirSync(burns);
const server = http.createServer((request, response) => {
  const url = new URL(request.url, 'http://127.0.0.1');
  const name = url.pathname === '/' ? '/index.html' : url.pathname;
  served.push(name);
  let file = null;
  if (pageFiles.has(name)) file = path.join(options.page, name);
  else if (name.startsWith('/burns/')) file = path.join(burns, path.basename(name));
  if (!file || !fs.existsSync(file)) {
    response.writeHead(404);
    response.end();
    return;
  }
  const types = { '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm',
                  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml' };
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  protocolTimeout: 300000,
  args: ['--no-sandbox', '--disable-dev-shm-usage', '--no-first-run', '--disable-gpu', '--disable-extensions'],
});

const foreign = [];
const consoleErrors = [];
async function openPage(query = '', ratio = 1) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 1100, deviceScaleFactor: ratio });
  page.on('request', (request) => {
    const url = request.url();
    if (!url.startsWith(origin + '/') && !url.startsWith('blob:') && !url.startsWith('data:')) foreign.push(url);
  });
  page.on('console', (message) => {
    if (message.type() === 'error') consoleErrors.push(message.text());
  });
  page.on('pageerror', (error) => consoleErrors.push(String(error)));
  if (process.env.VELANTRO_PAGE_DEBUG) page.on('console', (message) => console.error('page: ' + message.text()));
  await page.goto(origin + '/index.html' + query);
  await page.waitForFunction(() => Number(document.body.dataset.drawn) > 0 && document.body.dataset.busy === '0');
  return page;
}

const drawnCount = (page) => page.evaluate(() => Number(document.body.dataset.drawn));
const settled = (page, after) =>
  page.waitForFunction(
    (before) => Number(document.body.dataset.drawn) > before && document.body.dataset.busy === '0',
    { timeout: 300000 },
    after
  );

// Drops a file on the page as a file manager would; the time to both charts drawn.
async function drop(page, file) {
  const bytes = fs.readFileSync(file).toString('base64');
  let timer;
  const late = new Promise((resolve, reject) => {
    timer = setTimeout(async () => {
      reject(new Error(path.basename(file) + ' was not drawn: ' + (await page.evaluate(() => JSON.stringify(document.body.dataset)))));
    }, 20000);
  });
  return Promise.race([late, dropped(page, file, bytes)]).finally(() => clearTimeout(timer));
}

function dropped(page, file, bytes) {
  return page.evaluate(
    (name, base64) =>
      new Promise((resolve) => {
        const before = Number(document.body.dataset.drawn);
        const data = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        const transfer = new DataTransfer();
        transfer.items.add(new File([data], name));
        const start = performance.now();
        const watch = new MutationObserver(() => {
          if (Number(document.body.dataset.drawn) > before && document.body.dataset.busy === '0') {
            watch.disconnect();
            requestAnimationFrame(() => resolve(performance.now() - start));
          }
        });
        watch.observe(document.body, { attributes: true });
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
      }),
    path.basename(file),
    bytes
  );
}


async function zoomOf(page) {
  return page.evaluate(() => document.body.dataset.zoom || '');
}

// Both charts against the export with the same options.
async function compareCharts(page, file, args, what, scale = 1) {
  const picture = exportPicture(file, args, scale);
  const speed = await canvas(page, 'speed');
  const percent = await canvas(page, 'percent');
  if (!chartPlaces) {
    chartPlaces = findCharts(speed, percent, picture);
    if (!chartPlaces) {
      fail(`${what}: the page's charts are nowhere in the export`);
      return;
    }
  }
  const a = differences(speed, picture, chartPlaces.left * scale, chartPlaces.top * scale);
  const b = differences(percent, picture, chartPlaces.left * scale, chartPlaces.below * scale);
  if (a || b) fail(`${what}: ${a} speed and ${b} percent chart pixels differ from --export ${args.join(' ')}`);
}

const checked = [];
async function click(page, selector) {
  const before = await drawnCount(page);
  await page.click(selector);
  await settled(page, before);
}

// --- The checks --------------------------------------------------------------

const page = await openPage();
const downloads = path.join(work, 'downloads');
await (await page.createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
const examples = fs
  .readdirSync(options.examples)
  .filter((name) => name.endsWith('.ibg'))
  .sort()
  .map((name) => path.join(options.examples, name));

// Files the desktop turns away, made here: each must be turned away for the same reason.
const hostile = [];
const make = (name, bytes) => {
  const file = path.join(work, name);
  fs.writeFileSync(file, bytes);
  hostile.push(file);
};
const good = fs.readFileSync(path.join(options.examples, 'dvd-verify.ibg'), 'latin1');
make('empty.ibg', '');
make('endless-line.ibg', 'IBG'.padEnd(3 * 1024 * 1024, 'x'));
make('huge-capacity.ibg', good.replace(/MEDIA_CAPACITY=\d+/, 'MEDIA_CAPACITY=1e400'));
make('huge-sample.ibg', good.replace('\n3.41,1925,', '\n3.41e999,1925,'));
make('cut-header.ibg', good.slice(0, good.indexOf('\n', 200)));
make('binary.ibg', Buffer.from(Array.from({ length: 65536 }, (_, i) => (i * 7919) & 255)));

let dropMs = null;
// The drive and title of the file shown last: a refused file leaves the page on it.
let lastShown = { drive: '', title: 'Velantro' };
for (const file of examples.concat(hostile).filter((f) => !process.env.VELANTRO_PAGE_ONLY || f.includes(process.env.VELANTRO_PAGE_ONLY))) {
  const name = path.basename(file);
  const info = velantro(['--info', file]);
  if (process.env.VELANTRO_PAGE_DEBUG) console.error(`${name} ${((Date.now() - started) / 1000).toFixed(1)} s`);
  const ms = await drop(page, file);
  if (name === 'dvd-verify.ibg') dropMs = ms;
  const state = await page.evaluate(() => ({
    drive: document.getElementById('drive').textContent,
    values: Array.from(document.querySelectorAll('#values dd')).map((d) => d.textContent),
    captions: Array.from(document.querySelectorAll('#values dt')).map((d) => d.textContent),
    rejected: document.body.dataset.rejected,
    message: document.getElementById('message').hidden ? '' : document.getElementById('message').textContent,
  }));
  if (info.status !== 0) {
    const reason = /\((.*)\)\n$/.exec(info.err);
    if (!reason || state.rejected !== reason[1] || !state.message.includes(`(${reason[1]})`))
      fail(`${name}: the page says "${state.rejected}", --info "${info.err.trim()}"`);
    const title = await page.title();
    if (state.drive !== lastShown.drive || title !== lastShown.title)
      fail(`${name}: refused, yet the page shows "${state.drive}" as "${title}", not "${lastShown.drive}" as "${lastShown.title}"`);
    checked.push(name + ' rejected');
    continue;
  }
  lastShown = { drive: state.drive, title: await page.title() };

  // The values, the date as the same moment in the page's own form.
  const lines = info.out.trim().split('\n');
  if (lines[0] !== 'Drive: ' + state.drive) fail(`${name}: drive "${state.drive}", --info "${lines[0]}"`);
  state.captions.forEach((caption, i) => {
    const expected = lines[i + 1].slice(caption.length + 2);
    const shown = state.values[i];
    const same =
      caption === 'Date/Time' ? Date.parse(shown) === Date.parse(expected) || shown === expected : shown === expected;
    if (!lines[i + 1].startsWith(caption + ': ') || !same) fail(`${name}: ${caption} "${shown}", --info "${lines[i + 1]}"`);
  });
  // A note after the sections, such as the decimal comma's, shown under the values.
  const note = await page.evaluate(() => document.getElementById('file-note')?.hidden === false ? document.getElementById('file-note').textContent : '');
  if (note !== (lines[state.captions.length + 2] ?? '')) fail(`${name}: note "${note}", --info "${lines.slice(-1)}"`);

  // The report, apart from the file's path and the date's form.
  const report = velantro(['--report', file]).out;
  await page.click('#report-button');
  await page.waitForFunction(() => !document.getElementById('report').hidden);
  const dateShown = state.values[state.captions.indexOf('Date/Time')];
  const dateExpected = lines[1 + state.captions.indexOf('Date/Time')].replace(/^Date\/Time: /, '');
  const text = (await page.$eval('#report-text', (e) => e.textContent))
    .replace(/^File .*$/m, 'File')
    .split(dateShown)
    .join(dateExpected);
  if (text !== report.replace(/^File .*$/m, 'File')) fail(`${name}: the report differs from --report`);

  // The downloads, as --report --format writes them run beside the file.
  if (name === 'dvd-verify.ibg') {
    for (const [button, format] of [['#json-button', 'json'], ['#csv-button', 'csv']]) {
      const saved = path.join(downloads, `dvd-verify.${format}`);
      fs.rmSync(saved, { force: true });
      await page.click(button);
      for (let wait = 0; wait < 100 && !fs.existsSync(saved); wait++) await new Promise((r) => setTimeout(r, 50));
      const wanted = spawnSync(options.velantro, ['--report', '--format', format, name], {
        cwd: path.dirname(file),
        encoding: 'utf8',
        env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', LC_ALL: 'C.UTF-8' },
      }).stdout;
      const got = fs.existsSync(saved) ? fs.readFileSync(saved, 'utf8').split(dateShown).join(dateExpected) : '';
      if (got !== wanted) fail(`${name}: the ${format} download differs from --report --format ${format}`);
    }
  }

  // The charts: averaged, raw, a series hidden, zoomed by the wheel.
  await compareCharts(page, file, [], `${name} averaged`);
  // "Save picture": the charts where --export has them, below the window's menu bar.
  if (name === 'dvd-verify.ibg') {
    const saved = path.join(downloads, 'dvd-verify.png');
    fs.rmSync(saved, { force: true });
    await page.click('#save-button');
    for (let wait = 0; wait < 100 && !fs.existsSync(saved); wait++) await new Promise((r) => setTimeout(r, 50));
    await new Promise((r) => setTimeout(r, 200));
    const places = fs.existsSync(saved) ? findCharts(await canvas(page, 'speed'), await canvas(page, 'percent'), readPng(saved)) : null;
    if (!places || places.left !== chartPlaces.left || chartPlaces.top - places.top !== chartPlaces.below - places.below)
      fail(`${name}: the saved picture's charts are not where --export has them (${JSON.stringify(places)})`);
  }
  await click(page, '#raw');
  await compareCharts(page, file, ['--raw'], `${name} raw`);
  const box = '#series label:nth-child(1) input';
  if (!(await page.$eval(box, (e) => e.disabled))) {
    await click(page, box);
    await compareCharts(page, file, ['--raw', '--hide', 'write-speed'], `${name} raw without write speed`);
    await click(page, box);
  }
  await click(page, '#averaged');
  const speed = await page.$('#speed');
  const place = await speed.boundingBox();
  let before = await drawnCount(page);
  await page.mouse.move(place.x + place.width * 0.3, place.y + place.height / 2);
  await page.mouse.wheel({ deltaY: -300 });
  await settled(page, before);
  const zoom = await zoomOf(page);
  if (!zoom) fail(`${name}: the wheel did not zoom`);
  else await compareCharts(page, file, ['--range', zoom], `${name} zoomed to ${zoom}`);
  // A notch of a horizontal wheel moves the view a tenth of its width towards the end, as in the window.
  if (zoom && name === 'dvd-verify.ibg') {
    before = await drawnCount(page);
    await page.mouse.wheel({ deltaX: 100 });
    await page
      .waitForFunction((b) => Number(document.body.dataset.drawn) > b && document.body.dataset.busy === '0', { timeout: 20000 }, before)
      .catch(() => {});
    const panned = await zoomOf(page);
    const [left, right] = zoom.split(':').map(Number);
    const [pannedLeft, pannedRight] = panned.split(':').map(Number);
    const step = (right - left) / 10;
    if (Math.abs(pannedLeft - left - step) > 1e-3 || Math.abs(pannedRight - right - step) > 1e-3) {
      fail(`${name}: a notch to the right moved ${zoom} to ${panned}`);
    } else {
      await compareCharts(page, file, ['--range', panned], `${name} panned to ${panned}`);
    }
  }
  before = await drawnCount(page);
  await page.keyboard.press('Escape');
  await settled(page, before);
  if (await zoomOf(page)) fail(`${name}: Escape left the zoom`);
  checked.push(name);
}

// Compare: the legend names each file with its drive and media ID as --info
// gives them, in a colour that --compare draws too; a rejected file is listed
// with the reason --info gives.
{
  const files = ['dvd-verify.ibg', 'cd-write.ibg'].map((name) => path.join(options.examples, name));
  const refused = path.join(work, 'cut-header.ibg');
  const picture = path.join(work, 'compare.png');
  velantro(['--compare', picture, ...files]);
  const wanted = readPng(picture);
  await (await page.$('#compare-file')).uploadFile(...files, refused);
  await page.waitForFunction(() => document.body.dataset.compared && document.body.dataset.busy === '0');
  const shown = await page.evaluate(() => ({
    legend: Array.from(document.querySelectorAll('#compare-legend li'), (e) => ({
      text: e.textContent,
      colour: e.style.getPropertyValue('--colour'),
    })),
    rejected: Array.from(document.querySelectorAll('#compare-rejected li'), (e) => e.textContent),
    xTitle: document.getElementById('compare-x-title').textContent,
  }));
  const plot = await canvas(page, 'compare-plot');
  const has = (rgba, colour) => {
    const [r, g, b] = [1, 3, 5].map((i) => parseInt(colour.slice(i, i + 2), 16));
    let count = 0;
    for (let i = 0; i < rgba.length; i += 4) if (rgba[i] === r && rgba[i + 1] === g && rgba[i + 2] === b) count++;
    return count;
  };
  if (shown.legend.length !== files.length) fail(`compare: ${shown.legend.length} legend entries for ${files.length} files`);
  shown.legend.forEach((entry, i) => {
    const lines = velantro(['--info', files[i]]).out.split('\n');
    const drive = lines[0].replace(/^Drive: /, '');
    const media = (lines.find((line) => line.startsWith('Media ID: ')) || '').replace(/^Media ID: /, '');
    if (!entry.text.startsWith(`${path.basename(files[i])}: ${drive}, ${media}`)) fail(`compare: legend "${entry.text}"`);
    if (has(plot.rgba, entry.colour) < 20 || has(wanted.rgba, entry.colour) < 20)
      fail(`compare: ${entry.colour} is not the line of ${path.basename(files[i])} in both the page and --compare`);
  });
  if (new Set(shown.legend.map((entry) => entry.colour)).size !== files.length) fail('compare: two files share a colour');
  const reason = /\((.*)\)\n$/.exec(velantro(['--info', refused]).err);
  if (!reason || !shown.rejected.includes(`cut-header.ibg: ${reason[1]}`)) fail(`compare: rejected "${shown.rejected}"`);
  if (!/^Sectors on the disc, as data size \((MB|GB)\)$/.test(shown.xTitle)) fail(`compare: axis "${shown.xTitle}"`);
  checked.push('compare');
}

// Compare zooms, pans, reads out and takes each file's share as its axis,
// as the window does: the core decides, the page only passes the pointer on.
{
  await page.$eval('#compare-plot', (plot) => plot.scrollIntoView({ block: 'center' }));
  const box = await (await page.$('#compare-plot')).boundingBox();
  const range = () => page.evaluate(() => document.body.dataset.compareRange.split(':').map(Number));
  const act = async (what) => {
    const before = await page.evaluate(() => document.body.dataset.compareDrawn);
    await what();
    await page.waitForFunction((n) => document.body.dataset.compareDrawn !== n && document.body.dataset.busy === '0', {}, before);
  };
  const [, whole] = await range();
  await page.mouse.move(box.x + 1 + box.width / 4, box.y + box.height / 2);
  await act(() => page.mouse.wheel({ deltaY: -100 }));
  const zoomed = await range();
  if (Math.abs(zoomed[1] - zoomed[0] - whole / 2) > 1) fail(`compare: a wheel notch shows ${zoomed} of 0:${whole}`);
  await page.keyboard.down('Shift');
  await act(() => page.mouse.wheel({ deltaY: 100 }));
  await page.keyboard.up('Shift');
  const panned = await range();
  if (Math.abs(panned[0] - zoomed[0] - whole / 20) > 1) fail(`compare: Shift and the wheel moved ${zoomed} to ${panned}`);
  await page.mouse.move(box.x + 1 + box.width / 3, box.y + box.height / 2);
  await page.waitForFunction(() => !document.getElementById('compare-readout').hidden);
  const readout = await page.$eval('#compare-readout', (e) => e.textContent);
  if (!/^Sector \d+ \(/.test(readout)) fail(`compare: readout "${readout}"`);
  await act(() => page.mouse.click(box.x + 1 + box.width / 2, box.y + box.height / 2, { count: 2 }));
  if ((await range())[1] !== whole) fail('compare: a double-click did not show the whole axis');
  await act(() => page.select('#compare-axis', '1'));
  const title = await page.$eval('#compare-x-title', (e) => e.textContent);
  if (title !== "Share of each file's data (%)" || (await range())[1] !== 100) fail(`compare: share axis "${title}"`);
  checked.push('compare zoom, pan, readout and axis');
}

// A hard disk's read log lies far above a DVD's scale: the page says so, and
// with "Fit Speed Scale" draws its curve as --export --fit does.
if (options.ibggen) {
  // Notches that come while the core draws a long file wait and go as one.
  const long = path.join(work, 'long.ibg');
  execFileSync(options.ibggen, ['--kind', 'dvd-verify', '--samples', '300000', '-o', long]);
  await drop(page, long);
  const passes = () => page.evaluate(() => Number(document.body.dataset.passes));
  const first = await passes();
  // Each notch a task of its own, the later two while the first is drawn.
  await page.evaluate(async () => {
    const chart = document.getElementById('speed');
    const box = chart.getBoundingClientRect();
    const at = { clientX: box.left + box.width / 2, clientY: box.top + box.height / 2, deltaY: -100, bubbles: true, cancelable: true };
    for (let n = 0; n < 3; n++) {
      chart.dispatchEvent(new WheelEvent('wheel', at));
      await new Promise((resolve) => setTimeout(resolve, 0));
    }
  });
  await page.waitForFunction(() => document.body.dataset.zoom && document.body.dataset.busy === '0');
  await new Promise((r) => setTimeout(r, 300));
  await page.waitForFunction(() => document.body.dataset.busy === '0');
  const [left, right] = (await zoomOf(page)).split(':').map(Number);
  const made = (await passes()) - first;
  if (made > 2 || Math.abs((right - left) * 8 - 2359296) > 1) fail(`three quick notches: ${made} passes, ${left}:${right} shown`);
  checked.push('three quick notches');

  const log = path.join(work, 'hdd.ibg');
  execFileSync(options.ibggen, ['--kind', 'hdd-read-log', '--samples', '400', '-o', log]);
  await drop(page, log);
  const note = await page.evaluate(() => (document.getElementById('note').hidden ? '' : document.getElementById('note').textContent));
  if (note !== 'Every sample lies above this scale: Tools > Fit Speed Scale shows them.') fail(`hdd.ibg: note "${note}"`);
  const toggleFit = async () => {
    const before = await drawnCount(page);
    await page.$eval('#fit', (box) => {
      box.checked = !box.checked;
      box.dispatchEvent(new Event('change'));
    });
    await settled(page, before);
  };
  await toggleFit();
  const mode = await page.evaluate(() => (document.getElementById('raw').checked ? ['--raw'] : ['--average', document.getElementById('block-size').value]));
  await compareCharts(page, log, ['--fit', ...mode], 'hdd.ibg fitted');
  if (await page.evaluate(() => !document.getElementById('note').hidden)) fail('hdd.ibg: the note stays on a fitted scale');
  await toggleFit();
  checked.push('the note above the scale and Fit Speed Scale');
}

// A link to a file of the same site opens it; one elsewhere is refused without a request.
fs.copyFileSync(path.join(options.examples, 'dvd-dl.ibg'), path.join(burns, 'dvd-dl.ibg'));
const linked = await openPage('?open=burns/dvd-dl.ibg');
await linked.waitForFunction(() => document.body.dataset.drawn === '2' && document.body.dataset.busy === '0');
await compareCharts(linked, path.join(options.examples, 'dvd-dl.ibg'), [], 'dvd-dl.ibg opened by a link');
// A device pixel ratio of 2 draws as the window does at a scale factor of 2.
const sharp = await openPage('', 2);
await drop(sharp, path.join(options.examples, 'dvd-verify.ibg'));
await compareCharts(sharp, path.join(options.examples, 'dvd-verify.ibg'), [], 'dvd-verify.ibg at a ratio of 2', 2);
const elsewhere = await openPage('?open=http://192.0.2.1/burn.ibg');
if (!(await elsewhere.$eval('#message', (e) => !e.hidden))) fail('a link to another site was not refused');

if (options.screenshot) {
  // A tab behind others draws nothing.
  await linked.bringToFront();
  await linked.click('#report-button');
  await linked.waitForFunction(() => !document.getElementById('report').hidden);
  await linked.screenshot({ path: options.screenshot, fullPage: true });
}

// The load pass on a big file, for the note.
if (options.bench) {
  const bench = await openPage();
  // Chosen with the open button: the browser reads the file where it lies.
  const choose = async () => {
    const before = await drawnCount(bench);
    const start = Date.now();
    await (await bench.$('#file')).uploadFile(options.bench);
    await settled(bench, before);
    return Date.now() - start;
  };
  // The first pass runs while the browser still compiles the core's hot code.
  const first = await choose();
  console.log(`bench: first load ${first.toFixed(0)} ms chosen to drawn`);
  const ms = await choose();
  const core = await bench.evaluate(() => ({ ms: document.body.dataset.coreMs, memory: document.body.dataset.coreMemory }));
  const size = fs.statSync(options.bench).size;
  console.log(
    `bench: ${path.basename(options.bench)} (${size} bytes): load pass ${core.ms} ms in the worker, ` +
      `${ms.toFixed(0)} ms chosen to drawn, the core's memory ${core.memory} bytes`
  );
}

await browser.close();
server.close();
fs.rmSync(work, { recursive: true, force: true });

for (const url of foreign) fail('a request left the page: ' + url);
for (const name of served) if (!pageFiles.has(name) && name !== '/' && !name.startsWith('/burns/')) fail('asked for ' + name);
for (const text of consoleErrors) fail('console: ' + text);

console.log(`checked: ${checked.join(', ')}`);
console.log(`drop to drawn, dvd-verify.ibg (2000 samples): ${dropMs === null ? '?' : dropMs.toFixed(0)} ms`);
console.log(`${failures.length} failures, ${((Date.now() - started) / 1000).toFixed(1)} s`);
process.exit(failures.length ? 1 : 0);
