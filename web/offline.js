// Keeps the page's own files, so that after one visit the page opens and
// reads files without a network. Each visit is answered from the kept copy
// at once and refreshes it for the next; a graph file the site links to is
// fetched as it is, never kept.
'use strict';

const keptFiles = ['./', 'index.html', 'style.css', 'velantro.js', 'velantro.wasm', 'velantro.webmanifest',
                   'velantro-192.png', 'velantro-512.png', 'velantro.svg'];
const cacheName = 'velantro';

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(keptFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

const kept = new Set(keptFiles.map((name) => new URL(name, self.registration.scope).href));

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  url.search = '';
  if (event.request.method !== 'GET' || !kept.has(url.href)) return;
  event.respondWith(
    caches.open(cacheName).then((cache) =>
      cache.match(url.href).then((copy) => {
        const fresh = fetch(url.href)
          .then((response) => {
            if (response.ok) cache.put(url.href, response.clone());
            return response;
          })
          .catch((error) => {
            if (!copy) throw error;
            return copy;
          });
        if (copy) {
          event.waitUntil(fresh.catch(() => {}));
          return copy;
        }
        return fresh;
      })
    )
  );
});
