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

// What the worker decides (vellmoorDecisions), this build's copy, named
// through a Trusted Types policy where the site's policy asks for one.
const DECISIONS = 'decisions.js?v=@VELLMOOR_DECISIONS_JS@';
let decisionsURL = DECISIONS;
try {
  if (self.trustedTypes) {
    decisionsURL = self.trustedTypes.createPolicy('vellmoor', {createScriptURL: () => DECISIONS})
      .createScriptURL(DECISIONS);
  }
} catch (error) {
  // names refused: fine unless Trusted Types are required, which importScripts says
}
importScripts(decisionsURL);
const decide = self.vellmoorDecisions;

// name=SHA-256 for each file but the page itself, which is told by the build
// named in it: hosts may add to a page's text, never to these files.
const HASHES = decide.keptHashes('@VELLMOOR_KEPT_FILES@');
const FILES = ['index.html', ...Object.keys(HASHES)];
// How long a visit waits for the network's page before it takes the kept one.
const NETWORK_WAIT_MS = 3000;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

async function isOfThisBuild(name, bytes) {
  const text = name === 'index.html' ? new TextDecoder().decode(bytes) : '';
  const sha256 = name === 'index.html' ? '' : hex(await crypto.subtle.digest('SHA-256', bytes));
  return decide.ofThisBuild(name, {text, sha256}, BUILD, HASHES);
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
  decide.UNKEPT_HEADERS.forEach((header) => headers.delete(header));
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
    .then((names) => Promise.all(decide.oldCaches(names, PREFIX, CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

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
  const request = event.request;
  const name = decide.keptName(request.method, request.url, self.registration.scope, FILES);
  if (!name) return;
  // A page of another build asks for its own files, which are on the network.
  const answer = decide.answerFor(name, request.mode, new URL(request.url).searchParams.get('v'), HASHES);
  if (answer === 'network first') event.respondWith(networkFirst(request, name));
  else if (answer === 'kept') event.respondWith(kept(name).then((found) => found || fetch(request)));
});
