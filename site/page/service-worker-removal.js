// Written in place of the worker that keeps the site, for a site that should
// no longer be kept: a browser that kept an earlier build installs this one
// on its next visit, which deletes the kept copies and unregisters itself.
// It answers nothing, so every request goes to the network as it would with
// no worker at all.
'use strict';

self.addEventListener('install', (event) => {
  event.waitUntil(self.skipWaiting());
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('vellmoor-'))
      .map((name) => caches.delete(name))))
    .then(() => self.registration.unregister()));
});
