// The site as hosts serve it: compressed or in pieces, cut off, from the
// disk, without JavaScript, and kept by its service worker for a start
// without a network and an install.
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

// The strictest policy the page runs under: its own files and the wasm.
const POLICY = { 'Content-Security-Policy': "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'" };

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
  for (const serving of [{ encoding: 'gzip' }, { encoding: 'br', headers: POLICY }, { chunked: true }]) {
    const server = await serve(serving);
    const { page, problems, close } = await web.open(browser, server.url, { init: watchProgress });
    await web.started(page);
    const what = JSON.stringify(serving);
    assert.equal(await page.evaluate(() => window.vellmoor.state), 'running', what);
    // What came over the network: the compressed copy, decoded to the file.
    const data = path.join(web.site, 'vellmoor.data');
    const sent = serving.encoding ? `${data}.${serving.encoding === 'gzip' ? 'gz' : 'br'}` : data;
    assert.deepEqual(await page.evaluate(() => {
      const entry = performance.getEntriesByType('resource').find((e) => e.name.endsWith('/vellmoor.data'));
      return [entry.encodedBodySize, entry.decodedBodySize];
    }), [fs.statSync(sent).size, fs.statSync(data).size], what);
    const shown = await page.evaluate(() => window.progressShown);
    assert.ok(shown.some((value) => value > 0 && value < 1), `${what}: ${shown}`);
    assert.deepEqual(shown, [...shown].sort((a, b) => a - b), what);
    assert.equal(shown[shown.length - 1], 1, what);
    // The program's script is asked for with the page, not after the data.
    assert.ok(server.asked.indexOf('vellmoor.js') < server.asked.indexOf('vellmoor.data'),
              `${what}: ${server.asked}`);
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
               /^Could not load vellmoor\.data: the download broke off after [1-9]\d*\.\d MB of 2\.0 MB \(.+\)\. Reloading the page tries again\.$/);
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

// A build with one file changed, finished as `make web` finishes the site.
function newBuild() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vellmoor-site-'));
  fs.cpSync(web.site, folder, { recursive: true });
  fs.appendFileSync(path.join(folder, 'page.css'), '/* changed */\n');
  const source = path.join(__dirname, '..', '..', 'site');
  execFileSync(process.env.VELLMOOR_CMAKE || 'cmake',
               [`-DSITE=${folder}`, `-DPAGE=${path.join(source, 'page')}`, '-P', path.join(source, 'finish.cmake')]);
  return folder;
}

test('once it has run it can be installed, starts again with the network off, and a new build replaces its cache', async () => {
  const server = await serve();
  const { page, close } = await web.open(browser, server.url);
  await web.started(page);
  const [first] = await caches(page);
  assert.match(first, /^vellmoor-[0-9a-f]{16}$/);

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

  await page.context().setOffline(true);
  const asked = server.asked.length;
  await page.reload();
  await web.started(page);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'running');
  assert.deepEqual(server.asked.slice(asked), []);

  const folder = newBuild();
  server.use(folder);
  await page.context().setOffline(false);
  await page.reload();
  const name = 'vellmoor-' + /PREFIX \+ '([0-9a-f]+)'/.exec(fs.readFileSync(path.join(folder, 'service-worker.js'), 'utf8'))[1];
  assert.notEqual(name, first);
  let held = [];
  for (let tries = 0; tries < 100 && !(held.length === 1 && held[0] === name); ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    held = await caches(page);
  }
  assert.deepEqual(held, [name]);
  await close();
  fs.rmSync(folder, { recursive: true });
});
