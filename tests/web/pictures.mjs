// The export's PNGs read back, and a page's canvases laid over them.
import fs from 'node:fs';
import zlib from 'node:zlib';

// 8-bit RGB or RGBA PNGs, as the export writes them.
export function readPng(file) {
  const data = fs.readFileSync(file);
  let at = 8;
  let width = 0;
  let height = 0;
  let type = 0;
  const idat = [];
  while (at < data.length) {
    const length = data.readUInt32BE(at);
    const kind = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (kind === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      type = body[9];
      if (body[8] !== 8 || (type !== 2 && type !== 6) || body[12] !== 0) throw new Error(file + ': unexpected PNG form');
    } else if (kind === 'IDAT') {
      idat.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const channels = type === 6 ? 4 : 3;
  const stride = width * channels;
  const rgba = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; x++) {
      const a = x >= channels ? line[x - channels] : 0;
      const b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      let add = 0;
      if (filter === 1) add = a;
      else if (filter === 2) add = b;
      else if (filter === 3) add = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c;
        const pa = Math.abs(p - a);
        const pb = Math.abs(p - b);
        const pc = Math.abs(p - c);
        add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[x] = (line[x] + add) & 255;
    }
    for (let x = 0; x < width; x++) {
      for (let k = 0; k < 3; k++) rgba[(y * width + x) * 4 + k] = line[x * channels + k];
      rgba[(y * width + x) * 4 + 3] = 255;
    }
    previous = line;
  }
  return { width, height, rgba };
}

// Pixels of a canvas that differ from the export at the chart's place there,
// counted up to `most`.
export function differences(canvas, picture, left, top, most = Infinity) {
  let count = 0;
  for (let y = 0; y < canvas.height && count < most; y++) {
    for (let x = 0; x < canvas.width; x++) {
      const i = (y * canvas.width + x) * 4;
      const j = ((top + y) * picture.width + left + x) * 4;
      if (
        canvas.rgba[i] !== picture.rgba[j] ||
        canvas.rgba[i + 1] !== picture.rgba[j + 1] ||
        canvas.rgba[i + 2] !== picture.rgba[j + 2]
      )
        count++;
    }
  }
  return count;
}

// Where a chart sits in the window's picture: found once, by its pixels.
export function findCharts(speed, percent, picture) {
  for (let top = 0; top + speed.height <= picture.height; top++) {
    for (let left = 0; left + speed.width <= picture.width; left++) {
      if (differences(speed, picture, left, top, 1) !== 0) continue;
      for (let below = top + speed.height; below + percent.height <= picture.height; below++) {
        if (differences(percent, picture, left, below, 1) === 0) return { left, top, below };
      }
    }
  }
  return null;
}


// A canvas's pixels as the page holds them, read through any driver that
// runs a function in the page (`ui.evaluate`).
export async function canvasPixels(ui, id) {
  const shot = await ui.evaluate((which) => {
    const element = document.getElementById(which);
    const data = element.getContext('2d').getImageData(0, 0, element.width, element.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
    return { width: element.width, height: element.height, bytes: btoa(text) };
  }, id);
  return { width: shot.width, height: shot.height, rgba: Buffer.from(shot.bytes, 'base64') };
}
