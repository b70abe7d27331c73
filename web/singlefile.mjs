// Writes the page as one HTML file that opens from disk: the style, the
// script (the page, its worker and the core's loader) and the core itself
// inside, under a policy that lets in only these by their hashes.
//
// node singlefile.mjs INDEX.html STYLE.css VELANTRO.js VELANTRO.wasm OUT.html
import crypto from 'node:crypto';
import fs from 'node:fs';

const [index, style, script, core, out] = process.argv.slice(2);
if (!out) {
  console.error('usage: node singlefile.mjs INDEX.html STYLE.css VELANTRO.js VELANTRO.wasm OUT.html');
  process.exit(2);
}
const hash = (text) => `'sha256-${crypto.createHash('sha256').update(text, 'utf8').digest('base64')}'`;
// A script element ends at the first "</script" in it, whatever the script means.
const css = fs.readFileSync(style, 'utf8');
const js = fs.readFileSync(script, 'utf8').replace(/<\/(script)/gi, '<\\/$1');
if (js.includes('<!--')) throw new Error(`${script}: "<!--" would change how the page parses its script`);
const wasm = fs.readFileSync(core).toString('base64').replace(/.{1,120}/g, '$&\n');

const policy = [
  "default-src 'none'",
  `script-src ${hash(js)} 'wasm-unsafe-eval'`,
  'worker-src blob:',
  // The page reads a file itself where a browser lets its worker read none.
  'connect-src blob:',
  `style-src ${hash(css)}`,
  'img-src data: blob:',
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');

let html = fs.readFileSync(index, 'utf8');
const replaceOnce = (pattern, replacement) => {
  if (!pattern.test(html)) throw new Error(`${index}: ${pattern} not found`);
  html = html.replace(pattern, () => replacement);
};
replaceOnce(/<meta http-equiv="Content-Security-Policy" content="[^"]*">/, `<meta http-equiv="Content-Security-Policy" content="${policy}">`);
replaceOnce(/<link rel="stylesheet" href="style.css">/, `<style>${css}</style>`);
replaceOnce(/<link rel="manifest"[^>]*>\n/, '');
replaceOnce(/<script src="velantro.js" defer><\/script>\n/, '');
replaceOnce(
  /<\/body>/,
  `<script type="application/octet-stream" id="velantro-core">\n${wasm}</script>\n<script>${js}</script>\n</body>`
);
fs.writeFileSync(out, html);
