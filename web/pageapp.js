// The page as an app: where its core runs, what it says while it reads,
// files handed over by the system, its offline copy and touch. Nothing here
// knows a rule of viewing; it carries events to the page's calls.

// The core runs in a worker. Served, the worker is this same script;
// opened from disk, it is made from the page's own text and given the core's
// code the page holds. A browser that lets such a worker read no file (the
// page's own reads still work) gets the core in the page itself.
function StartCoreWorker(script, runWorker, onMessage) {
  const embedded = document.getElementById('velantro-core');
  const wasm = embedded ? DecodeBase64(embedded.textContent) : null;
  const held = [];
  let target = null;
  let refused = '';

  const refuse = (text) => {
    refused = text;
    ShowRefusal(text);
    held.length = 0;
    onMessage({ data: { refused: text } });
  };
  const flush = () => {
    for (const [message, transfer] of held.splice(0)) target.postMessage(message, transfer);
  };

  function runInPage(why) {
    if (!wasm) {
      refuse(
        'This browser does not let the page start its reader here (' + why + '). ' +
          'Open velantro.html, the page in one file, or serve this folder from a web server.'
      );
      return;
    }
    const endpoint = { onmessage: null, postMessage: (data) => setTimeout(() => answer({ data: data })) };
    const answer = (event) => {
      if (event.data.unreadable) {
        refuse('This browser lets the page read no file (' + event.data.unreadable + ').');
      } else if (event.data.refused) {
        refuse(event.data.refused);
      } else if (event.data.ready) {
        target = { postMessage: (message) => setTimeout(() => endpoint.onmessage({ data: message })) };
        flush();
      } else {
        onMessage(event);
      }
    };
    runWorker(endpoint, () => SyncBlobReader);
    endpoint.onmessage({ data: { kind: 'load', wasm: wasm } });
  }

  let worker = null;
  try {
    worker = new Worker(script.src || URL.createObjectURL(new Blob([script.textContent], { type: 'text/javascript' })));
  } catch (error) {
    runInPage(error.name || String(error));
  }
  if (worker) {
    worker.onmessage = (event) => {
      if (event.data.unreadable) {
        worker.terminate();
        runInPage(event.data.unreadable);
      } else if (event.data.refused) {
        refuse(event.data.refused);
      } else if (event.data.ready) {
        target = worker;
        flush();
      } else {
        onMessage(event);
      }
    };
    worker.onerror = (event) => {
      event.preventDefault();
      refuse('The page\'s reader stopped: ' + (event.message || 'the browser refused to run it') + '.');
    };
    worker.postMessage({ kind: 'load', wasm: wasm ? wasm.slice(0) : null });
  }

  return {
    postMessage(message, transfer) {
      if (refused) onMessage({ data: { refused: refused } });
      else if (target) target.postMessage(message, transfer);
      else held.push([message, transfer]);
    },
  };
}

function DecodeBase64(text) {
  const binary = atob(text.replace(/\s+/g, ''));
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// Reads a slice of a file in the page, synchronously, as the core's reader
// wants it: a request for the slice's own address, its bytes as characters.
const SyncBlobReader = {
  readAsArrayBuffer(blob) {
    const url = URL.createObjectURL(blob);
    try {
      const request = new XMLHttpRequest();
      request.open('GET', url, false);
      request.overrideMimeType('text/plain; charset=x-user-defined');
      request.send();
      if (request.status !== 200 && request.status !== 0) throw new Error('NotReadableError: ' + request.status);
      const text = request.responseText;
      const bytes = new Uint8Array(text.length);
      for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 0xff;
      return bytes.buffer;
    } finally {
      URL.revokeObjectURL(url);
    }
  },
};

// The status region, read out by screen readers as it changes.
function ShowStatus(text) {
  const status = document.getElementById('status');
  if (status) status.textContent = text;
}

function ShowProgress(progress) {
  ShowStatus('Reading ' + progress.name + '... ' + Math.floor((progress.done * 100) / Math.max(1, progress.size)) + ' %');
}

function ShowRefusal(text) {
  const message = document.getElementById('message');
  message.textContent = text;
  message.hidden = false;
  ShowStatus(text);
}

// What an installed page is handed when a graph file is opened with it.
function TakeLaunchedFiles(open) {
  if (!('launchQueue' in window)) return;
  window.launchQueue.setConsumer(async (parameters) => {
    const handle = parameters.files && parameters.files[0];
    if (!handle) return;
    const file = await handle.getFile();
    open(file, file.name);
  });
}

// Served over http(s), the page keeps its files for the next visit offline.
function KeepOffline() {
  if (!('serviceWorker' in navigator) || !/^https?:$/.test(location.protocol)) return;
  navigator.serviceWorker.register('offline.js').catch(() => {});
}

// Touch on a chart: a pinch zooms around its centre, one finger moves a
// zoomed view, a tap reads out, a double tap shows the whole disc. `calls`
// turns CSS pixels on the canvas into the page's calls.
function AttachTouch(canvas, calls) {
  const touches = new Map();
  let pinch = null;
  let swipe = null;
  let lastTap = 0;
  const place = (event) => {
    const box = canvas.getBoundingClientRect();
    return { x: event.clientX - box.left, y: event.clientY - box.top };
  };
  const spread = () => {
    const [a, b] = Array.from(touches.values());
    return { distance: Math.hypot(a.x - b.x, a.y - b.y), centre: (a.x + b.x) / 2 };
  };
  canvas.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    touches.set(event.pointerId, place(event));
    if (touches.size === 2) {
      pinch = spread();
      swipe = null;
    } else if (touches.size === 1) {
      swipe = { x: place(event).x, start: place(event), time: event.timeStamp };
    }
  });
  canvas.addEventListener('pointermove', (event) => {
    if (touches.has(event.pointerId)) touches.set(event.pointerId, place(event));
  });
  const end = (event) => {
    if (!touches.has(event.pointerId)) return;
    const at = place(event);
    if (pinch && touches.size === 2) {
      const now = spread();
      const factor = now.distance / Math.max(1, pinch.distance);
      if (Math.abs(factor - 1) > 0.03 && event.type === 'pointerup') calls.pinch(pinch.centre, factor);
      pinch = null;
    } else if (swipe && touches.size === 1 && event.type === 'pointerup') {
      const moved = at.x - swipe.start.x;
      if (Math.abs(moved) > 10) {
        calls.slide(-moved);
      } else if (Math.abs(at.y - swipe.start.y) <= 10) {
        if (event.timeStamp - lastTap < 350) {
          lastTap = 0;
          calls.whole();
        } else {
          lastTap = event.timeStamp;
          calls.readout(event.clientX, event.clientY);
        }
      }
      swipe = null;
    }
    touches.delete(event.pointerId);
  };
  canvas.addEventListener('pointerup', end);
  canvas.addEventListener('pointercancel', end);
}

// A sign that Copy did its work, or why it could not.
function CopyText(text) {
  const sign = document.getElementById('copy-sign');
  const say = (words) => {
    sign.textContent = words;
    ShowStatus(words);
    clearTimeout(CopyText.fading);
    CopyText.fading = setTimeout(() => (sign.textContent = ''), 4000);
  };
  return navigator.clipboard.writeText(text).then(
    () => say('Copied to the clipboard.'),
    (error) => say('Not copied: ' + (error.message || error))
  );
}
