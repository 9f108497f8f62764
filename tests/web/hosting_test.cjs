// The site as hosts serve it: compressed or in pieces, cut off, from the
// disk, without JavaScript, behind redirects, and kept by its service worker
// for a start without a network and an install, through new builds uploaded
// file by file, until a build takes the worker away.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const web = require('./support.cjs');

let browser;
const servers = [];
before(async () => {
  browser = await web.launch();
});
after(async () => {
  await browser?.close();
  for (const server of servers) await server.close();
});

// A server for one test, closed at the end even when the test fails.
async function serve(serving) {
  const server = await web.serve(serving);
  servers.push(server);
  return server;
}

// The strictest policy the page runs under: its own files and the wasm, and
// no script URL but through a Trusted Types policy.
const POLICY = { 'Content-Security-Policy': "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; " +
                                            "require-trusted-types-for 'script'" };

// In the page before its scripts: every value the progress bar shows.
function watchProgress() {
  window.progressShown = [];
  new MutationObserver((changes) => {
    for (const change of changes) {
      if (change.target.id === 'progress') window.progressShown.push(change.target.value);
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['value'] });
}

test('served compressed with the compressed length, or in pieces with no length, the room starts and the bar fills', async () => {
  // In pieces, the data comes late, after the page's load event and more.
  for (const serving of [{ encoding: 'gzip' }, { encoding: 'br', headers: POLICY },
                         { chunked: true, delay: { 'vellmoor.data': 4000 } }]) {
    const server = await serve(serving);
    const { page, problems, close } = await web.open(browser, server.url, { init: watchProgress });
    const warnings = [];
    page.on('console', (message) => warnings.push(message.text()));
    await web.started(page);
    const what = JSON.stringify(serving);
    assert.equal(await page.evaluate(() => window.vellmoor.state), 'running', what);
    const [script, data] = await page.evaluate(() => ['vellmoor.js', 'vellmoor.data'].map((name) => {
      const entry = performance.getEntriesByType('resource').find((e) => new URL(e.name).pathname.endsWith(`/${name}`));
      return { startTime: entry.startTime, responseEnd: entry.responseEnd,
               sizes: [entry.encodedBodySize, entry.decodedBodySize] };
    }));
    // What came over the network: the compressed copy, decoded to the file.
    const file = path.join(web.site, 'vellmoor.data');
    const sent = serving.encoding ? `${file}.${serving.encoding === 'gzip' ? 'gz' : 'br'}` : file;
    assert.deepEqual(data.sizes, [fs.statSync(sent).size, fs.statSync(file).size], what);
    const shown = await page.evaluate(() => window.progressShown);
    assert.ok(shown.some((value) => value > 0 && value < 1), `${what}: ${shown}`);
    assert.deepEqual(shown, [...shown].sort((a, b) => a - b), what);
    assert.equal(shown[shown.length - 1], 1, what);
    // The program's script is fetched beside the data, not after it, and no
    // preload of it waits unused.
    assert.ok(script.startTime < data.responseEnd, what);
    assert.deepEqual(warnings.filter((text) => /preload/i.test(text)), [], what);
    assert.deepEqual(problems, [], what);
    await close();
  }
});

test('a download cut off half-way is named with its cause', async () => {
  const server = await serve({ cutOff: { 'vellmoor.data': 0.5 } });
  const { page, close } = await web.open(browser, server.url);
  await web.started(page);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'failed');
  assert.match(await page.locator('#message').innerText(),
               /^Could not load vellmoor\.data: the download broke off after [1-9]\d*\.\d MB of 2\.0 MB \(.+\); reloading the page tries again\.$/);
  await close();
});

// Luminance contrast of two CSS rgb() colours.
function contrast(a, b) {
  const luminance = (colour) => {
    const [r, g, b] = colour.match(/\d+(\.\d+)?/g).slice(0, 3).map((c) => {
      const v = Number(c) / 255;
      return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (light + 0.05) / (dark + 0.05);
}

test('from the disk it says how to serve it, without JavaScript that it needs it; its buttons stand out', async () => {
  let { page, close } = await web.open(browser, `file://${path.resolve(web.site)}/index.html`);
  await web.started(page);
  const said = await page.locator('#message').innerText();
  assert.match(said, /serve this folder with any web server/i);
  assert.match(said, /python3 -m http\.server in this folder/);
  assert.match(said, /make serve-web/);
  const colours = await page.evaluate(() => ({
    page: getComputedStyle(document.body).backgroundColor,
    outlines: [...document.querySelectorAll('button')].map((button) => getComputedStyle(button).borderTopColor),
  }));
  for (const outline of colours.outlines) {
    assert.ok(contrast(outline, colours.page) >= 3, `${outline} on ${colours.page}`);
  }
  assert.equal(await page.locator('#keys').getAttribute('role'), 'group');
  await close();

  ({ page, close } = await web.open(browser, `file://${path.resolve(web.site)}/index.html`, { script: false }));
  assert.ok(await page.locator('#noscript').isVisible());
  assert.match(await page.locator('#noscript').innerText(), /JavaScript/);
  await close();
});

// The caches the page's origin holds, once its service worker is active.
async function caches(page) {
  return page.evaluate(async () => {
    const waited = new Promise((resolve, reject) => setTimeout(reject, 20000, new Error('no service worker')));
    await Promise.race([navigator.serviceWorker.ready, waited]);
    return window.caches.keys();
  });
}

// What `probe` gives once `done` holds of it, or after 10 s: for what the
// browser does in the background.
async function settled(probe, done) {
  let value = await probe();
  for (let tries = 0; tries < 100 && !done(value); ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    value = await probe();
  }
  return value;
}

// The cache a site's worker fills.
function cacheOf(folder) {
  return 'vellmoor-' + /BUILD = '([0-9a-f]+)'/.exec(fs.readFileSync(path.join(folder, 'service-worker.js'), 'utf8'))[1];
}

// Another build of the site, finished as `make web` finishes it: `change`
// alters its copied files (by their paths) first; `offline` is passed on.
function newBuild({ change = () => {}, offline = true } = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vellmoor-site-'));
  fs.cpSync(web.site, folder, { recursive: true });
  change((name) => path.join(folder, name));
  const source = path.join(__dirname, '..', '..', 'site');
  execFileSync(process.env.VELLMOOR_CMAKE || 'cmake',
               [`-DSITE=${folder}`, `-DPAGE=${path.join(source, 'page')}`, `-DOFFLINE=${offline ? 'ON' : 'OFF'}`,
                '-P', path.join(source, 'finish.cmake')]);
  builds.push(folder);
  return folder;
}
const builds = [];
after(() => builds.forEach((folder) => fs.rmSync(folder, { recursive: true })));

// The last byte of the data is a pixel of the dartboard: a rebuild of the
// same size that draws the same room.
function sameSizeData(file) {
  const bytes = fs.readFileSync(file('vellmoor.data'));
  bytes[bytes.length - 1] ^= 1;
  fs.writeFileSync(file('vellmoor.data'), bytes);
}

// On a host with "pretty URLs", which redirects index.html to its folder:
// the site is installable and kept; a new build of the same size, uploaded
// file by file, is never kept mixed, shows on the first visit once it is
// whole, and starts offline; a build without offline keeping takes the
// worker and its caches away.
test('its worker keeps one whole build through redirects, uploads and going offline, until a build takes it away', async () => {
  const server = await serve({ pretty: true, under: 'games/vellmoor/' });
  const { page, close } = await web.open(browser, `${server.url}index.html`);
  await web.started(page);
  assert.equal(page.url(), server.url);
  const [first] = await caches(page);
  assert.equal(first, cacheOf(web.site));

  const session = await page.context().newCDPSession(page);
  // The test's browser context is a private one, which a real browser is not.
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
  const icons = await page.evaluate(async () => {
    const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
    return Promise.all(manifest.icons.map((icon) => new Promise((resolve) => {
      const image = new Image();
      image.onload = () => resolve([icon.sizes, `${image.naturalWidth}x${image.naturalHeight}`]);
      image.onerror = () => resolve([icon.sizes, 'not loaded']);
      image.src = icon.src;
    })));
  });
  assert.ok(icons.length > 0);
  for (const [declared, loaded] of icons) assert.equal(loaded, declared);

  // Half-way through the upload: the new page, worker and program, the old data.
  const next = newBuild({ change: sameSizeData });
  server.use(next, { 'vellmoor.data': web.site });
  await page.reload();
  await web.started(page);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'failed');
  assert.match(await page.locator('#message').innerText(),
               /^vellmoor\.data on the server is from another build than this page.*all of one build's files are on the server\.$/);
  // The browser tries the new worker, which finds the mixture and is dropped.
  assert.deepEqual(await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    await registration.update().catch(() => {});
    const trying = registration.installing || registration.waiting;
    if (trying && trying.state !== 'redundant') {
      await new Promise((resolve) => trying.addEventListener('statechange', () => {
        if (trying.state === 'redundant' || trying.state === 'activated') resolve();
      }));
    }
    return [trying && trying.state, await window.caches.keys()];
  }), ['redundant', [first]]);

  server.use(next);
  await page.reload();
  await web.started(page);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'running');
  assert.equal(await page.evaluate(() => document.querySelector('meta[name="vellmoor-build"]').content),
               cacheOf(next).slice('vellmoor-'.length));
  const renewed = [cacheOf(next)];
  assert.deepEqual(await settled(() => caches(page), (held) => held.join() === renewed.join()), renewed);

  await page.context().setOffline(true);
  const asked = server.asked.length;
  await page.reload();
  await web.started(page);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'running');
  assert.deepEqual(server.asked.slice(asked), []);

  await page.context().setOffline(false);
  server.use(newBuild({ offline: false }));
  await page.reload();
  const kept = await settled(() => page.evaluate(async () => ({
    workers: (await navigator.serviceWorker.getRegistrations()).length,
    caches: (await window.caches.keys()).length,
  })), (left) => left.workers + left.caches === 0);
  assert.deepEqual(kept, { workers: 0, caches: 0 });
  await close();
});
