// The page and its worker, in the same file as the core's loader. The worker
// runs the core and reads the file in chunks; the page only moves bytes,
// pixels and clicks between the core and the screen.
(function () {
  'use strict';

  if (typeof document === 'undefined') {
    if (typeof importScripts === 'function') runWorker(self, () => new FileReaderSync());
    return;
  }
  const script = document.currentScript;
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', () => runPage(script));
  } else {
    runPage(script);
  }

  // The worker's side, or the page's own where a browser lets no worker
  // read a file: `endpoint` carries the messages, `reader` reads a blob
  // synchronously.
  function runWorker(endpoint, reader) {
    let core = null;
    let mounted = 0;
    let current = null;
    const calls = {};
    // The first message brings the core's code when the page holds it.
    let loaded;
    const load = new Promise((resolve) => (loaded = resolve));
    const ready = load.then((wasm) => VelantroCore(wasm ? { wasmBinary: wasm } : {})).then((module) => {
      core = module;
      const call = (name, types) => core.cwrap('velantro_' + name, 'string', types);
      calls.start = call('start', ['number']);
      calls.open = call('open', ['string']);
      calls.options = call('options', ['number', 'number', 'number', 'number']);
      calls.wheel = call('wheel', ['number', 'number']);
      calls.drag = call('drag', ['number', 'number']);
      calls.pan = call('pan', ['number']);
      calls.whole = call('whole', []);
      calls.pinch = call('pinch', ['number', 'number']);
      calls.slide = call('slide', ['number']);
      calls.readout = call('readout', ['number', 'number', 'number', 'number', 'number']);
      calls.report = call('report', ['string', 'string']);
      calls.picture = call('picture', []);
      calls.compare = call('compare', ['string', 'number', 'number', 'number']);
      calls.compareChoose = call('compare_choose', ['number', 'number']);
      calls.compareWheel = call('compare_wheel', ['number', 'number']);
      calls.compareDrag = call('compare_drag', ['number', 'number']);
      calls.comparePan = call('compare_pan', ['number']);
      calls.compareWhole = call('compare_whole', []);
      calls.compareReadout = call('compare_readout', ['number', 'number']);
      calls.library_clear = call('library_clear', []);
      calls.library_add = call('library_add', ['string']);
      calls.library_header = call('library_header', ['number', 'string']);
      calls.library_report = call('library_report', ['number', 'string']);
      calls.library_view = call('library_view', ['string', 'number', 'number', 'number', 'number', 'number']);
      core.FS.mkdir('/in');
      readAhead(core.FS.filesystems.WORKERFS);
    });
    ready.catch((error) => endpoint.postMessage({ refused: 'This browser did not start the page\'s core (' + error + ').' }));

    // Each read of a File costs a round trip to the browser's blob store,
    // whatever its size: the reader's chunks are served from a few
    // megabytes read at once, and memory stays flat all the same.
    function readAhead(filesystem) {
      const span = 4 << 20;
      const blobs = reader();
      filesystem.reader = blobs;
      // The library's mount insists on a worker; the page's own core mounts
      // its files the same way.
      if (typeof importScripts !== 'function') {
        filesystem.mount = (mount) => {
          const root = filesystem.createNode(null, '/', filesystem.DIR_MODE, 0);
          for (const blob of mount.opts.blobs) filesystem.createNode(root, blob.name, filesystem.FILE_MODE, 0, blob.data);
          return root;
        };
      }
      let held = { node: null, start: 0, bytes: new Uint8Array(0) };
      let told = 0;
      filesystem.stream_ops.read = (stream, buffer, offset, length, position) => {
        const node = stream.node;
        const count = Math.max(0, Math.min(length, node.size - position));
        if (count === 0) return 0;
        if (held.node !== node || position < held.start || position + count > held.start + held.bytes.length) {
          const end = Math.min(node.size, position + Math.max(count, span));
          held = { node: node, start: position, bytes: new Uint8Array(blobs.readAsArrayBuffer(node.contents.slice(position, end))) };
          // The share read, for the page's status; a few times a second at most.
          if (performance.now() - told > 200) {
            told = performance.now();
            endpoint.postMessage({ progress: { name: node.name, done: end, size: node.size } });
          }
        }
        buffer.set(held.bytes.subarray(position - held.start, position - held.start + count), offset);
        return count;
      };
    }

    // The file stays where it is: the core reads it in chunks as it goes.
    // Each has a folder of its own, the working one while it is shown, so
    // the core knows it by its name alone, as the report names it.
    function mount(blob, name) {
      const folder = '/in/' + ++mounted;
      core.FS.mkdir(folder);
      core.FS.mount(core.FS.filesystems.WORKERFS, { blobs: [{ name: name, data: blob }] }, folder);
      core.FS.chdir(folder);
      return { folder: folder, name: name };
    }

    function unmount(file) {
      core.FS.chdir('/in');
      core.FS.unmount(file.folder);
      core.FS.rmdir(file.folder);
    }

    // 0xFFRRGGBB words in memory are B, G, R, A; a canvas takes R, G, B, A.
    function takePixels(chart) {
      const bytes = core.HEAPU8.slice(chart.pixels, chart.pixels + chart.width * chart.height * 4);
      for (let i = 0; i < bytes.length; i += 4) {
        const blue = bytes[i];
        bytes[i] = bytes[i + 2];
        bytes[i + 2] = blue;
      }
      chart.pixels = bytes.buffer;
      return bytes.buffer;
    }

    let compared = [];
    function withPlot(answer) {
      const chart = JSON.parse(answer);
      return { answer: chart, transfer: chart ? [takePixels(chart.plot)] : [] };
    }

    function withPixels(answer) {
      const state = JSON.parse(answer);
      return { answer: state, transfer: [takePixels(state.speed), takePixels(state.percent)] };
    }

    const handlers = {
      start: (m) => withPixels(calls.start(m.ratio)),
      open: (m) => {
        // By its whole path: a file that fails leaves the view on the one
        // before, which the core reads again from its own folder.
        const file = mount(m.file, m.name);
        const reply = withPixels(calls.open(file.folder + '/' + file.name));
        if (reply.answer.rejected) {
          unmount(file);
        } else {
          if (current) unmount(current);
          current = file;
        }
        if (current) core.FS.chdir(current.folder);
        return reply;
      },
      options: (m) => withPixels(calls.options(m.averaged ? 1 : 0, m.blockSize, m.shown, m.fit ? 1 : 0)),
      wheel: (m) => withPixels(calls.wheel(m.x, m.notches)),
      drag: (m) => withPixels(calls.drag(m.from, m.to)),
      pan: (m) => withPixels(calls.pan(m.steps)),
      whole: () => withPixels(calls.whole()),
      pinch: (m) => withPixels(calls.pinch(m.x, m.factor)),
      slide: (m) => withPixels(calls.slide(m.share)),
      readout: (m) => ({ answer: JSON.parse(calls.readout(m.chart, m.x, m.y, m.width, m.height)), transfer: [] }),
      report: (m) => ({ answer: current ? calls.report(current.name, m.format) : '', transfer: [] }),
      picture: () => ({ answer: JSON.parse(calls.picture()), transfer: [] }),
      // The compared files stay mounted: a zoom reads them again.
      compare: (m) => {
        compared.forEach(unmount);
        compared = m.files.map((file) => mount(file.file, file.name));
        if (current) core.FS.chdir(current.folder);
        return withPlot(calls.compare(JSON.stringify(compared.map((file) => file.folder + '/' + file.name)), m.series, m.axis, m.ratio));
      },
      compareChoose: (m) => withPlot(calls.compareChoose(m.series, m.axis)),
      compareWheel: (m) => withPlot(calls.compareWheel(m.x, m.notches)),
      compareDrag: (m) => withPlot(calls.compareDrag(m.from, m.to)),
      comparePan: (m) => withPlot(calls.comparePan(m.steps)),
      compareWhole: () => withPlot(calls.compareWhole()),
      compareReadout: (m) => ({ answer: JSON.parse(calls.compareReadout(m.x, m.y)), transfer: [] }),
    };

    // The burn library (library.js): a file is read through a mount of its
    // own and let go at once, so only the rows stay.
    handlers.library = (m) => {
      let answer = '{}';
      if (m.call === 'clear') answer = calls.library_clear();
      if (m.call === 'add') answer = calls.library_add(JSON.stringify(m.names));
      if (m.call === 'view') answer = calls.library_view(m.filter, m.column, m.descending, m.bySpeed, m.groupColumn, m.groupDescending);
      if (m.call === 'header' || m.call === 'report') {
        const file = mount(m.file, 'library.ibg');
        try {
          calls['library_' + m.call](m.index, file.folder + '/' + file.name);
        } finally {
          unmount(file);
          if (current) core.FS.chdir(current.folder);
        }
      }
      return { answer: JSON.parse(answer), transfer: [] };
    };

    endpoint.onmessage = (event) => {
      const message = event.data;
      if (message.kind === 'load') {
        // Some browsers let a worker made from a page on disk read no blob.
        try {
          reader().readAsArrayBuffer(new Blob(['\n']));
        } catch (error) {
          endpoint.postMessage({ unreadable: String(error) });
          return;
        }
        endpoint.postMessage({ ready: true });
        loaded(message.wasm);
        return;
      }
      ready
        .then(() => {
          const started = performance.now();
          const reply = handlers[message.kind](message);
          reply.answer = { value: reply.answer, ms: performance.now() - started, memory: core.HEAPU8.length };
          endpoint.postMessage({ id: message.id, answer: reply.answer }, reply.transfer);
        })
        .catch((error) => endpoint.postMessage({ id: message.id, error: String(error) }));
    };
  }

  function runPage(script) {
    const $ = (id) => document.getElementById(id);
    const pending = new Map();
    let nextId = 0;
    let busy = 0;
    let drawn = 0;

    const worker = StartCoreWorker(script, runWorker, (event) => {
      if (event.data.progress) {
        ShowProgress(event.data.progress);
        return;
      }
      if (event.data.refused) {
        for (const settle of pending.values()) settle.reject(new Error(event.data.refused));
        pending.clear();
        return;
      }
      const settle = pending.get(event.data.id);
      pending.delete(event.data.id);
      if (event.data.error) settle.reject(new Error(event.data.error));
      else settle.resolve(event.data.answer);
    });

    function ask(kind, message) {
      const id = ++nextId;
      busy++;
      document.body.dataset.busy = String(busy);
      return new Promise((resolve, reject) => {
        pending.set(id, { resolve: resolve, reject: reject });
        worker.postMessage(Object.assign({ id: id, kind: kind }, message));
      }).then(
        (answer) => {
          busy--;
          document.body.dataset.busy = String(busy);
          document.body.dataset.coreMs = answer.ms.toFixed(1);
          document.body.dataset.coreMemory = String(answer.memory);
          return answer.value;
        },
        (error) => {
          busy--;
          document.body.dataset.busy = String(busy);
          throw error;
        }
      );
    }

    const ratio = window.devicePixelRatio >= 1.5 ? 2 : 1;
    const seriesBoxes = Array.from(document.querySelectorAll('#series input'));
    let fileName = '';
    // The file just refused, which the message names.
    let refusedName = '';

    function show(state) {
      $('drive').textContent = state.drive;
      const values = $('values');
      values.replaceChildren();
      state.captions.forEach((caption, i) => {
        const term = document.createElement('dt');
        term.textContent = caption;
        const value = document.createElement('dd');
        value.textContent = state.values[i];
        values.append(term, value);
      });
      let fileNote = $('file-note');
      if (!fileNote) {
        fileNote = document.createElement('p');
        fileNote.id = 'file-note';
        values.after(fileNote);
      }
      fileNote.textContent = state.fileNote;
      fileNote.hidden = !state.fileNote;
      seriesBoxes.forEach((box, i) => {
        box.parentElement.style.setProperty('--colour', state.colours[i]);
        box.checked = state.ticked[i];
        box.disabled = !state.enabled[i];
      });
      $('averaged').checked = state.averaged;
      $('raw').checked = !state.averaged;
      $('block-size').value = String(state.blockSize);
      $('block-size').disabled = !state.averaged;
      $('fit').checked = state.fit;
      paint($('speed'), state.speed);
      paint($('percent'), state.percent);
      // The charts' size on the page is the core's, in CSS pixels.
      const sizes = document.documentElement.style;
      sizes.setProperty('--chart-width', state.speed.width / ratio + 'px');
      sizes.setProperty('--speed-height', state.speed.height / ratio + 'px');
      sizes.setProperty('--percent-height', state.percent.height / ratio + 'px');
      state.speedCaptions.slice(1).forEach((text, i) => {
        $('speed-axis').children[11 - i].textContent = text;
      });
      state.rpmCaptions.slice(1).forEach((text, i) => {
        $('rpm-axis').children[11 - i].textContent = text;
      });
      const note = $('note');
      note.hidden = !state.note;
      if (state.note) {
        note.textContent = state.note.text;
        note.style.left = (state.note.left * 100).toFixed(3) + '%';
        note.style.top = (state.note.top * 100).toFixed(3) + '%';
        note.style.color = state.note.colour;
      }
      const sizeAxis = $('size-axis');
      sizeAxis.replaceChildren();
      sizeAxis.classList.toggle('zoomed', state.zoomed);
      for (const caption of state.sizeCaptions) {
        const label = document.createElement('span');
        label.textContent = caption.text;
        label.style.left = (caption.centre * 100).toFixed(3) + '%';
        sizeAxis.append(label);
      }
      $('report-button').disabled = !state.loaded;
      $('save-button').disabled = !state.loaded;
      if (state.message) {
        $('message').textContent =
          (refusedName ? refusedName + ': ' : '') + state.message.text.replace(/\r\n/g, '\n') + ' (' + state.rejected + ')';
        $('message').hidden = false;
      } else if (state.loaded) {
        $('message').hidden = true;
      }
      document.body.dataset.zoom = state.zoom ? state.zoom.join(':') : '';
      document.body.dataset.passes = String(state.passes);
      document.body.dataset.drawn = String(++drawn);
      document.body.dataset.rejected = state.rejected;
    }

    function paint(canvas, chart) {
      canvas.width = chart.width;
      canvas.height = chart.height;
      const image = new ImageData(new Uint8ClampedArray(chart.pixels), chart.width, chart.height);
      canvas.getContext('2d').putImageData(image, 0, 0);
    }

    // The title, the report and the downloads change to a file only once it
    // is shown; one that is refused leaves them on the file the page shows.
    function open(blob, name) {
      const before = fileName;
      ShowStatus('Reading ' + name + '... 0 %');
      return ask('open', { file: blob, name: name }).then((state) => {
        if (!state.message) {
          fileName = name;
          $('report').hidden = true;
        } else if (!state.loaded) {
          fileName = '';
        }
        document.title = fileName ? fileName + ' - Velantro' : 'Velantro';
        refusedName = state.message ? name : '';
        show(state);
        ShowStatus(
          state.rejected
            ? name + ' was not opened: ' + state.rejected + '.' + (before && state.loaded ? ' Still showing ' + before + '.' : '')
            : 'Showing ' + name + '.'
        );
      }, (error) => ShowStatus(name + ' was not opened: ' + error.message));
    }

    // Steps that arrive while the core is still on the last one of their
    // kind wait, and go to it as one: wheel notches and pan steps add up, the
    // options as they stand last.
    function joined(kind, join) {
      let waiting = null;
      let busy = false;
      const flush = () => {
        if (busy || waiting === null) return;
        const message = waiting;
        waiting = null;
        busy = true;
        ask(kind, message)
          .then(show)
          .finally(() => {
            busy = false;
            flush();
          });
      };
      return (message) => {
        waiting = waiting === null ? message : join(waiting, message);
        setTimeout(flush, 0);
      };
    }
    const askWheel = joined('wheel', (a, b) => ({ x: b.x, notches: a.notches + b.notches }));
    const askPan = joined('pan', (a, b) => ({ steps: a.steps + b.steps }));
    const askOptions = joined('options', (a, b) => b);

    function sendOptions() {
      let shown = 0;
      seriesBoxes.forEach((box, i) => {
        if (box.checked) shown |= 1 << i;
      });
      askOptions({
        averaged: $('averaged').checked,
        blockSize: Number($('block-size').value),
        shown: shown,
        fit: $('fit').checked,
      });
    }

    // Opening.
    $('open-button').addEventListener('click', () => $('file').click());
    $('file').addEventListener('change', () => {
      const file = $('file').files[0];
      if (file) open(file, file.name);
      $('file').value = '';
    });
    document.addEventListener('dragover', (event) => {
      event.preventDefault();
      event.dataTransfer.dropEffect = 'copy';
    });
    document.addEventListener('drop', (event) => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (file) open(file, file.name);
    });

    // Options.
    for (const control of [$('raw'), $('averaged'), $('block-size'), $('fit')].concat(seriesBoxes)) {
      control.addEventListener('change', sendOptions);
    }

    // Readouts, zoom and panning.
    let dragFrom = null;
    let readoutPending = false;
    const band = $('band');
    // Where the pointer is on a canvas, as shares of its width and height: the
    // core knows what stands there.
    const offset = (event, canvas) => {
      const box = canvas.getBoundingClientRect();
      return { x: event.clientX - box.left, y: event.clientY - box.top, share: (event.clientX - box.left) / box.width, down: (event.clientY - box.top) / box.height };
    };
    [$('speed'), $('percent')].forEach((canvas, index) => {
      const chart = index + 1;
      const label = canvas.parentElement.querySelector('.readout');
      canvas.addEventListener('mousemove', (event) => {
        const at = offset(event, canvas);
        if (dragFrom !== null) {
          band.hidden = false;
          band.style.left = Math.min(dragFrom.x, at.x) + 'px';
          band.style.width = Math.abs(at.x - dragFrom.x) + 1 + 'px';
        }
        if (readoutPending) return;
        readoutPending = true;
        const size = { width: label.offsetWidth / canvas.clientWidth, height: label.offsetHeight / canvas.clientHeight };
        ask('readout', { chart: chart, x: at.share, y: at.down, width: size.width, height: size.height }).then((readout) => {
          readoutPending = false;
          label.hidden = readout === null;
          if (readout === null) return;
          label.textContent = readout.caption.replace(/\r\n/g, '\n');
          label.style.left = (readout.left * 100).toFixed(3) + '%';
          label.style.top = (readout.top * 100).toFixed(3) + '%';
        });
      });
      canvas.addEventListener('mouseleave', () => {
        label.hidden = true;
      });
      canvas.addEventListener('mousedown', (event) => {
        if (event.button === 0) dragFrom = Object.assign(offset(event, canvas), { canvas: canvas });
      });
      canvas.addEventListener('mouseup', (event) => {
        if (event.button !== 0 || dragFrom === null) return;
        const from = dragFrom;
        dragFrom = null;
        band.hidden = true;
        ask('drag', { from: from.share, to: offset(event, canvas).share }).then(show);
      });
      canvas.addEventListener('dblclick', () => ask('whole', {}).then(show));
      canvas.addEventListener(
        'wheel',
        (event) => {
          event.preventDefault();
          // Pixels, lines or pages; a notch is 100 pixels or 3 lines.
          const notch = [100, 3, 1][event.deltaMode];
          // A horizontal wheel, or Shift with the vertical one, moves along
          // the disc: down and right towards its end, as in the window.
          if (event.shiftKey || (event.deltaX !== 0 && event.deltaY === 0)) {
            panBy((event.deltaY !== 0 ? event.deltaY : event.deltaX) / notch);
            return;
          }
          const notches = -event.deltaY / notch;
          if (notches !== 0) askWheel({ x: offset(event, canvas).share, notches: notches });
        },
        { passive: false }
      );
      AttachTouch(canvas, {
        pinch: (x, factor) => ask('pinch', { x: x / Math.max(1, canvas.clientWidth), factor: factor }).then(show),
        slide: (moved) => ask('slide', { share: moved / Math.max(1, canvas.clientWidth) }).then(show),
        whole: () => ask('whole', {}).then(show),
        readout: (x, y) => canvas.dispatchEvent(new MouseEvent('mousemove', { clientX: x, clientY: y })),
      });
    });
    // Pan steps come as fast as a wheel turns: those that arrive while one is
    // on its way go together.
    function panBy(steps) {
      if (steps !== 0) askPan({ steps: steps });
    }
    // A drag let go outside the chart it began on runs to the chart's edge:
    // the core holds it within the view, as the window does.
    document.addEventListener('mouseup', (event) => {
      if (event.button !== 0 || dragFrom === null) return;
      const from = dragFrom;
      dragFrom = null;
      band.hidden = true;
      ask('drag', { from: from.share, to: offset(event, from.canvas).share }).then(show);
    });
    document.addEventListener('keydown', (event) => {
      if (event.target.closest && event.target.closest('select, input[type=text]')) return;
      if (event.key === 'Escape') {
        // A drag in progress is called off; without one, back to the whole disc.
        if (dragFrom !== null) {
          dragFrom = null;
          band.hidden = true;
        } else {
          ask('whole', {}).then(show);
        }
      } else if (event.target.closest && event.target.closest('input')) return;
      else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
        panBy(event.key === 'ArrowLeft' ? -1 : 1);
      } else if (event.key === '+' || event.key === '-') {
        // The keyboard's wheel, about the middle of the view.
        askWheel({ x: 0.5, notches: event.key === '+' ? 1 : -1 });
      }
    });

    // The burn report.
    const download = (text, type, name) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([text], { type: type }));
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    };
    const baseName = () => fileName.replace(/\.[^.]*$/, '') || 'velantro';
    $('report-button').addEventListener('click', () =>
      ask('report', { format: 'text' }).then((text) => {
        $('report-text').textContent = text;
        $('report').hidden = false;
      })
    );
    $('copy-button').addEventListener('click', () => CopyText($('report-text').textContent));
    $('json-button').addEventListener('click', () =>
      ask('report', { format: 'json' }).then((text) => download(text, 'application/json', baseName() + '.json'))
    );
    $('csv-button').addEventListener('click', () =>
      ask('report', { format: 'csv' }).then((text) => download(text, 'text/csv', baseName() + '.csv'))
    );

    // Compare: the core reads the files and draws the lines; the captions
    // and the legend are its texts, placed where it says.
    let compareFiles = [];
    function showCompare(chart) {
      paint($('compare-plot'), chart.plot);
      $('compare-title').textContent = chart.title;
      $('compare-x-title').textContent = chart.xTitle;
      $('compare-y-title').textContent = chart.yTitle;
      for (const [id, ticks, side] of [['compare-x-axis', chart.xTicks, 'left'], ['compare-y-axis', chart.yTicks, 'top']]) {
        const axis = $(id);
        axis.replaceChildren();
        for (const tick of ticks) {
          const label = document.createElement('span');
          label.textContent = tick.text;
          label.style[side] = (tick.centre * 100).toFixed(3) + '%';
          axis.append(label);
        }
      }
      const legend = $('compare-legend');
      legend.replaceChildren();
      for (const entry of chart.legend) {
        const item = document.createElement('li');
        item.textContent = entry.text;
        item.style.setProperty('--colour', entry.colour);
        legend.append(item);
      }
      const rejected = $('compare-rejected');
      rejected.replaceChildren();
      for (const file of chart.rejected) {
        const item = document.createElement('li');
        item.textContent = file.name + ': ' + file.reason;
        rejected.append(item);
      }
      $('compare-added').textContent = chart.added;
      $('compare-readout').hidden = true;
      $('compare').hidden = false;
      document.body.dataset.compared = String(chart.legend.length);
      document.body.dataset.compareRange = chart.range.join(':');
      document.body.dataset.compareDrawn = String(Number(document.body.dataset.compareDrawn || 0) + 1);
    }
    function sendCompare() {
      if (compareFiles.length === 0) return Promise.resolve();
      return ask('compare', Object.assign({ files: compareFiles, ratio: ratio }, compareChoices())).then(showCompare);
    }
    const compareChoices = () => ({ series: $('compare-verify').checked ? 1 : 0, axis: Number($('compare-axis').value) });
    function chooseCompare() {
      if (compareFiles.length === 0) return Promise.resolve();
      return ask('compareChoose', compareChoices()).then(showCompare);
    }
    $('compare-button').addEventListener('click', () => $('compare-file').click());
    $('compare-file').addEventListener('change', () => {
      compareFiles = Array.from($('compare-file').files, (file) => ({ file: file, name: file.name }));
      $('compare-file').value = '';
      sendCompare();
    });
    $('compare-verify').addEventListener('change', chooseCompare);
    $('compare-axis').addEventListener('change', chooseCompare);

    // The compare plot's zoom, pan and readout: the core decides each.
    const comparePlot = $('compare-plot');
    // Inside the plot's border, where the core's pixels begin.
    const plotOffset = (event) => ({ x: event.offsetX, y: event.offsetY });
    let compareDragFrom = null;
    let compareReadoutPending = false;
    comparePlot.addEventListener('mousemove', (event) => {
      if (compareReadoutPending) return;
      compareReadoutPending = true;
      const at = plotOffset(event);
      ask('compareReadout', at).then((readout) => {
        compareReadoutPending = false;
        const box = $('compare-readout');
        box.hidden = readout === null;
        if (readout === null) return;
        box.replaceChildren(readout.place);
        for (const value of readout.values) {
          const line = document.createElement('span');
          line.textContent = value.name + ': ' + value.value;
          line.style.setProperty('--colour', value.colour);
          box.append(line);
        }
      });
    });
    comparePlot.addEventListener('mouseleave', () => ($('compare-readout').hidden = true));
    comparePlot.addEventListener('mousedown', (event) => {
      if (event.button === 0) compareDragFrom = plotOffset(event).x;
      comparePlot.focus();
    });
    comparePlot.addEventListener('mouseup', (event) => {
      if (event.button !== 0 || compareDragFrom === null) return;
      const from = compareDragFrom;
      compareDragFrom = null;
      ask('compareDrag', { from: from, to: plotOffset(event).x }).then(showCompare);
    });
    comparePlot.addEventListener('dblclick', () => ask('compareWhole', {}).then(showCompare));
    comparePlot.addEventListener(
      'wheel',
      (event) => {
        event.preventDefault();
        const notch = [100, 3, 1][event.deltaMode];
        if (event.shiftKey || (event.deltaX !== 0 && event.deltaY === 0)) {
          ask('comparePan', { steps: (event.deltaY !== 0 ? event.deltaY : event.deltaX) / notch }).then(showCompare);
        } else if (event.deltaY !== 0) {
          ask('compareWheel', { x: plotOffset(event).x, notches: -event.deltaY / notch }).then(showCompare);
        }
      },
      { passive: false }
    );
    comparePlot.addEventListener('keydown', (event) => {
      event.stopPropagation();
      if (event.key === 'Escape') compareDragFrom = null;
      else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight')
        ask('comparePan', { steps: event.key === 'ArrowLeft' ? -1 : 1 }).then(showCompare);
    });

    // The charts with the drive and the values, as one picture laid out as
    // the window is: the core gives every place; the charts' pixels are the
    // canvases', at the places of --export's.
    $('save-button').addEventListener('click', () =>
      ask('picture', {}).then((layout) => {
        const picture = document.createElement('canvas');
        picture.width = layout.width * ratio;
        picture.height = layout.height * ratio;
        const context = picture.getContext('2d');
        context.scale(ratio, ratio);
        context.fillStyle = '#f0f0f0';
        context.fillRect(0, 0, layout.width, layout.height);
        context.imageSmoothingEnabled = false;
        for (const [id, box] of [['speed', layout.speed], ['percent', layout.percent]])
          context.drawImage($(id), box.left, box.top, box.width, box.height);
        context.fillStyle = '#000';
        context.font = '11px sans-serif';
        context.textBaseline = 'middle';
        const centred = (text, box) => {
          context.textAlign = 'center';
          context.fillText(text, box.left + box.width / 2, box.top + box.height / 2);
        };
        for (const caption of layout.captions) centred(caption.text, caption);
        centred($('drive').textContent, layout.drive);
        const rows = $('values').children;
        context.textBaseline = 'top';
        for (let i = 0; i + 1 < rows.length; i += 2) {
          const top = layout.infoCaptions.top + (i / 2) * layout.rowHeight;
          context.textAlign = 'left';
          context.fillText(rows[i].textContent, layout.infoCaptions.left, top);
          context.textAlign = 'center';
          context.fillText(rows[i + 1].textContent, layout.infoValues.left + layout.infoValues.width / 2, top);
        }
        picture.toBlob((blob) => download(blob, 'image/png', baseName() + '.png'), 'image/png');
      })
    );

    // A link may name a file of the same site to open.
    const start = ask('start', { ratio: ratio }).then(show);
    TakeLaunchedFiles((file, name) => start.then(() => open(file, name)));
    KeepOffline();
    const wanted = new URLSearchParams(location.search).get('open');
    if (wanted) {
      const url = new URL(wanted, location.href);
      if (url.origin !== location.origin) {
        $('message').textContent = wanted + ': only files of this site can be opened by a link';
        $('message').hidden = false;
      } else {
        start
          .then(() => fetch(url, { credentials: 'same-origin' }))
          .then((response) => {
            if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
            return response.blob();
          })
          .then((blob) => open(blob, decodeURIComponent(url.pathname.split('/').pop())))
          .catch((error) => {
            $('message').textContent = wanted + ': ' + error.message;
            $('message').hidden = false;
          });
      }
    }
  }
})();
