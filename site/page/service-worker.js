// Keeps the site for a start without a network: the files of one build in a
// cache named by that build. Nothing is kept until every file has been
// checked against the SHA-256 the build wrote here: while a new build is
// still being uploaded the server holds a mixture, so the install fails, the
// worker already at work keeps its cache, and the browser tries again on a
// later visit. The page is asked of the network first, so a new build shows
// on the first visit after it is whole on the server.
'use strict';

const PREFIX = 'vellmoor-';
const BUILD = '@VELLMOOR_BUILD@';
const CACHE = PREFIX + BUILD;
// name=SHA-256 for each file but the page itself, which is told by the build
// named in it: hosts may add to a page's text, never to these files.
const HASHES = Object.fromEntries('@VELLMOOR_KEPT_FILES@'.split(' ').map((entry) => entry.split('=')));
const FILES = ['index.html', ...Object.keys(HASHES)];
// How long a visit waits for the network's page before it takes the kept one.
const NETWORK_WAIT_MS = 3000;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

async function isOfThisBuild(name, bytes) {
  if (name === 'index.html') return new TextDecoder().decode(bytes).includes(BUILD);
  return hex(await crypto.subtle.digest('SHA-256', bytes)) === HASHES[name];
}

// A file as the server holds it now, as an answer of the cache's own: the
// body without a redirect (a browser refuses a redirected answer for a
// visit) and without the encoding it came in, which is undone already.
async function fetchChecked(name) {
  const query = HASHES[name] ? '?v=' + HASHES[name] : '';
  const response = await fetch(name + query, {cache: 'no-cache'});
  if (!response.ok) throw new Error(name + ': ' + response.status);
  const bytes = await response.arrayBuffer();
  if (!(await isOfThisBuild(name, bytes))) throw new Error(name + ' is of another build than ' + BUILD);
  const headers = new Headers(response.headers);
  ['Content-Encoding', 'Content-Length', 'Transfer-Encoding'].forEach((header) => headers.delete(header));
  return new Response(bytes, {headers});
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const answers = await Promise.all(FILES.map(fetchChecked));
    const cache = await caches.open(CACHE);
    try {
      await Promise.all(FILES.map((name, index) => cache.put(name, answers[index])));
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The kept file a request is for: one of the site's files, the page itself
// also as its folder and under any query (?view=...); null for anything else,
// which goes to the network as usual.
function keptName(request) {
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) {
    return null;
  }
  const name = url.pathname.slice(scope.pathname.length) || 'index.html';
  return FILES.includes(name) ? name : null;
}

async function kept(name) {
  return (await caches.open(CACHE)).match(name);
}

// The network's answer if it comes in time, else the kept one (offline, or
// a server too slow to wait for).
async function networkFirst(request, name) {
  const network = fetch(request);
  network.catch(() => {});
  const waited = new Promise((resolve) => setTimeout(resolve, NETWORK_WAIT_MS, null));
  const answer = await Promise.race([network.catch(() => null), waited]);
  return answer || (await kept(name)) || network;
}

self.addEventListener('fetch', (event) => {
  const name = keptName(event.request);
  if (!name) return;
  if (event.request.mode === 'navigate') {
    event.respondWith(networkFirst(event.request, name));
    return;
  }
  // A page of another build asks for its own files, which are on the network.
  const version = new URL(event.request.url).searchParams.get('v');
  if (version !== null && version !== HASHES[name]) return;
  event.respondWith(kept(name).then((answer) => answer || fetch(event.request)));
});
