// The burn library on the page: a folder chosen or dropped gives the rows and
// groups of its graph files, read by the core in a worker of its own, one
// file after the other, headers first; nothing leaves the computer. A click
// on a row opens the file, and a selection compares the files, through the
// page's own ways in: a drop, and the compare window's file box.
(function () {
  'use strict';
  if (typeof document === 'undefined') return;
  const script = document.currentScript.src.replace(/library\.js$/, 'velantro.js');
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', start);
  } else {
    start();
  }

  // A table of more rows than this is filtered, not scrolled through.
  const ShownRows = 1000;
  const RefreshMs = 250;

  function start() {
    const $ = (id) => document.getElementById(id);
    const worker = new Worker(script);
    const pending = new Map();
    let nextId = 0;
    // The worker starts its core once told to; it fetches the core itself.
    worker.postMessage({ kind: 'load' });
    worker.onmessage = (event) => {
      // Word of the worker's start or its progress answers no question.
      if (!pending.has(event.data.id)) return;
      const settle = pending.get(event.data.id);
      pending.delete(event.data.id);
      if (event.data.error) settle.reject(new Error(event.data.error));
      else settle.resolve(event.data.answer.value);
    };
    const ask = (message) =>
      new Promise((resolve, reject) => {
        const id = ++nextId;
        pending.set(id, { resolve: resolve, reject: reject });
        worker.postMessage(Object.assign({ id: id, kind: 'library' }, message));
      });

    const files = [];
    const headerQueue = [];
    const reportQueue = [];
    const selected = new Set();
    let reading = false;
    let order = { column: -1, descending: 0, groupColumn: -1, groupDescending: 0 };
    let lastRefresh = 0;

    async function add(found) {
      const taken = await ask({ call: 'add', names: found.map((f) => f.name) });
      for (const position of taken) {
        headerQueue.push(files.length);
        files.push(found[position].file);
      }
      $('library-tables').hidden = false;
      if (!reading) read();
    }

    async function read() {
      reading = true;
      while (headerQueue.length > 0 || reportQueue.length > 0) {
        const header = headerQueue.length > 0;
        const index = header ? headerQueue.shift() : reportQueue.shift();
        await ask({ call: header ? 'header' : 'report', index: index, file: files[index] });
        if (header) reportQueue.push(index);
        if (performance.now() - lastRefresh > RefreshMs) await refresh();
      }
      reading = false;
      await refresh();
      document.body.dataset.libraryDone = String(files.length);
    }

    function cellRow(tag, cells, onClick) {
      const row = document.createElement('tr');
      cells.forEach((text, column) => {
        const cell = document.createElement(tag);
        cell.textContent = text;
        if (onClick) cell.addEventListener('click', () => onClick(column));
        row.append(cell);
      });
      return row;
    }

    async function refresh() {
      lastRefresh = performance.now();
      const view = await ask({
        call: 'view',
        filter: $('library-filter').value,
        column: order.column,
        descending: order.descending,
        bySpeed: Number($('library-grouping').value),
        groupColumn: order.groupColumn,
        groupDescending: order.groupDescending,
      });
      const progress = $('library-progress');
      progress.max = Math.max(1, 2 * view.total);
      progress.value = view.headers + view.reports;

      const sortBy = (column) => {
        order.descending = order.column === column ? 1 - order.descending : 0;
        order.column = column;
        refresh();
      };
      const rows = $('library-rows');
      rows.replaceChildren(cellRow('th', [''].concat(view.titles), (column) => column > 0 && sortBy(column - 1)));
      for (const entry of view.rows.slice(0, ShownRows)) {
        const row = cellRow('td', [''].concat(entry.cells));
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.checked = selected.has(entry.index);
        box.setAttribute('aria-label', 'Select');
        box.addEventListener('click', (event) => {
          event.stopPropagation();
          if (box.checked) selected.add(entry.index);
          else selected.delete(entry.index);
          $('library-compare').disabled = selected.size < 1 || selected.size > 8;
        });
        row.firstChild.append(box);
        row.dataset.index = String(entry.index);
        row.addEventListener('click', () => openFile(files[entry.index]));
        rows.append(row);
      }
      $('library-more').textContent =
        view.rows.length > ShownRows ? `${ShownRows} of ${view.rows.length} rows shown: filter to see the others.` : '';

      const sortGroupsBy = (shown) => {
        const column = view.groupColumns[shown];
        order.groupDescending = order.groupColumn === column ? 1 - order.groupDescending : 0;
        order.groupColumn = column;
        refresh();
      };
      const groups = $('library-groups');
      groups.replaceChildren(cellRow('th', view.groupTitles, sortGroupsBy));
      for (const cells of view.groups) groups.append(cellRow('td', cells));
    }

    // The page opens a file dropped on it, and compares the files put in its compare box.
    function openFile(file) {
      const transfer = new DataTransfer();
      transfer.items.add(file);
      document.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
      window.scrollTo(0, 0);
    }
    $('library-compare').addEventListener('click', () => {
      const transfer = new DataTransfer();
      for (const index of selected) transfer.items.add(files[index]);
      $('compare-file').files = transfer.files;
      $('compare-file').dispatchEvent(new Event('change'));
    });

    $('library-button').addEventListener('click', () => $('library-folder').click());
    $('library-folder').addEventListener('change', () => {
      add(Array.from($('library-folder').files, (file) => ({ file: file, name: file.webkitRelativePath || file.name })));
      $('library-folder').value = '';
    });
    $('library-filter').addEventListener('input', refresh);
    $('library-grouping').addEventListener('change', () => {
      order.groupColumn = -1;
      refresh();
    });

    // A folder dropped here is walked whole; the page's own drop opens one file.
    const section = $('library');
    section.addEventListener('dragover', (event) => {
      event.preventDefault();
      event.stopPropagation();
    });
    section.addEventListener('drop', async (event) => {
      event.preventDefault();
      event.stopPropagation();
      const entries = Array.from(event.dataTransfer.items, (item) => item.webkitGetAsEntry && item.webkitGetAsEntry()).filter(Boolean);
      const found = [];
      const walk = async (entry, path) => {
        if (entry.isFile) {
          found.push({ file: await new Promise((resolve, reject) => entry.file(resolve, reject)), name: path + entry.name });
          return;
        }
        const reader = entry.createReader();
        for (;;) {
          const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
          if (batch.length === 0) break;
          for (const child of batch) await walk(child, path + entry.name + '/');
        }
      };
      for (const entry of entries) await walk(entry, '');
      add(found);
    });
  }
})();
