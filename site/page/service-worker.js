// Keeps the site for a start without a network: the files the page needs,
// in a cache named by the build that wrote this worker, answered from there
// first. A new build writes a new name, so the browser sees a changed worker:
// it fills a cache of its own, takes over at once and deletes the caches of
// earlier builds.
'use strict';

const PREFIX = 'vellmoor-';
const CACHE = PREFIX + '@VELLMOOR_BUILD@';
const FILES = '@VELLMOOR_CACHED_FILES@'.split(' ');

self.addEventListener('install', (event) => {
  // Asked of the server again rather than taken from the HTTP cache, which
  // may hold another build's files.
  const requests = FILES.map((file) => new Request(file, {cache: 'no-cache'}));
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(requests))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The name in the cache of what is asked for: one of the site's files, the
// page itself also as its folder and under any query (?view=...); null for
// anything else, which goes to the network as usual.
function cachedName(request) {
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) {
    return null;
  }
  const name = url.pathname.slice(scope.pathname.length) || 'index.html';
  return FILES.includes(name) ? name : null;
}

self.addEventListener('fetch', (event) => {
  const name = cachedName(event.request);
  if (!name) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(name))
    .then((response) => response || fetch(event.request)));
});
