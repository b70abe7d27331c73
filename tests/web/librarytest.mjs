// The burn library on the page against `velantro --library` for the same
// folder: the same cells in every row, and the same groups.
//
// node librarytest.mjs --page DIR --velantro BIN --ibggen BIN [--screenshot OUT.png]
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const options = {};
for (let i = 2; i < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = path.resolve(process.argv[i + 1]);
const failures = [];
const check = (ok, what) => {
  if (!ok) {
    failures.push(what);
    console.error('FAIL ' + what);
  }
};

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velantro-library-page-'));
const burns = path.join(work, 'burns');
fs.mkdirSync(burns);
spawnSync(options.ibggen, ['--library', '36', '--samples', '300', '-o', burns]);
fs.writeFileSync(path.join(burns, 'torn.ibg'), '[START_CONFIGURATION]\n');
fs.writeFileSync(path.join(burns, 'notes.txt'), 'not a graph file\n');
const run = (args) => spawnSync(options.velantro, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } }).stdout;
// Text rows: the file's path, then the cells as the window shows them.
const desktopRows = run(['--library', burns]).split('\n').slice(1, -1).map((line) => line.split('\t'));
const desktopGroups = run(['--library', '--group-by', 'drive,media,speed', burns]).split('\n').slice(1, -1).map((line) => line.split('\t'));

const types = { '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
  const file = path.join(options.page, path.basename(new URL(request.url, 'http://x').pathname) || 'index.html');
  if (!fs.existsSync(file)) {
    response.writeHead(404);
    response.end();
    return;
  }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-dev-shm-usage', '--no-first-run', '--disable-gpu', '--disable-extensions'],
});
try {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.setViewport({ width: 1280, height: 1400 });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.waitForFunction(() => Number(document.body.dataset.drawn) > 0);
  const names = fs.readdirSync(burns).sort();
  // The browser's folder chooser cannot be driven; the same box takes the files.
  await page.$eval('#library-folder', (box) => box.removeAttribute('webkitdirectory'));
  await (await page.$('#library-folder')).uploadFile(...names.map((name) => path.join(burns, name)));
  await page.waitForFunction((count) => document.body.dataset.libraryDone === String(count), { timeout: 120000 }, names.length - 1);
  await page.select('#library-grouping', '1');
  await new Promise((resolve) => setTimeout(resolve, 500));

  const table = (id) =>
    page.$$eval(`#${id} tr`, (rows) => rows.slice(1).map((row) => Array.from(row.children, (cell) => cell.textContent)));
  const pageRows = (await table('library-rows')).map((cells) => cells.slice(1));
  check(pageRows.length === desktopRows.length, `rows: page ${pageRows.length}, desktop ${desktopRows.length}`);
  desktopRows.forEach((cells, i) => {
    const shown = cells.slice(1).map((cell) => (cell === '-' ? '' : cell));
    const same = pageRows[i] && path.basename(cells[0]) === pageRows[i][0] && JSON.stringify(pageRows[i].slice(1)) === JSON.stringify(shown);
    check(same, `row ${i}: page ${JSON.stringify(pageRows[i])}, desktop ${JSON.stringify(cells)}`);
  });
  const pageGroups = await table('library-groups');
  check(pageGroups.length === desktopGroups.length && desktopGroups.length === 18, `groups: page ${pageGroups.length}, desktop ${desktopGroups.length}`);
  desktopGroups.forEach((cells, i) => {
    const want = cells.slice(0, 4).concat(cells.slice(5).map((share) => Math.round(Number(share) * 100) + '%'));
    const got = pageGroups[i] ? pageGroups[i].slice(0, 4).concat(pageGroups[i].slice(5)) : [];
    check(JSON.stringify(got) === JSON.stringify(want), `group ${i}: page ${JSON.stringify(got)}, desktop ${JSON.stringify(want)}`);
  });

  // A click on a row opens the file in the page's own view.
  await page.click('#library-rows tr:nth-child(2) td:nth-child(3)');
  await page.waitForFunction(() => document.body.dataset.busy === '0' && document.getElementById('drive').textContent !== '');
  check((await page.$eval('#drive', (e) => e.textContent)) === desktopRows[0][2], 'the row clicked is opened');
  if (options.screenshot) await page.screenshot({ path: options.screenshot, fullPage: true });
  check(errors.length === 0, 'page errors: ' + errors.join('; '));
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(failures.length === 0 ? 'library page: all checks passed' : `library page: ${failures.length} failed`);
process.exit(failures.length === 0 ? 0 : 1);
