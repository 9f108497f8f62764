// What the page says when it cannot show the room: never a blank canvas, never
// a wait without end, and a sentence that names the cause.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');
const web = require('./support.cjs');

let browser;
const browsers = [];
before(async () => {
  browser = await web.launch();
  browsers.push(browser);
});
after(async () => {
  for (const opened of browsers) await opened.close();
});

// The page's message once it has given up, served as `serving` says; `init`
// runs in the page before its scripts.
async function failure({ serving = {}, init = null, on = browser } = {}) {
  const server = await web.serve(serving);
  try {
    const { page, close } = await web.open(on, server.url, { init });
    await page.waitForFunction(() => window.vellmoor && window.vellmoor.state !== 'loading', null,
                               { timeout: 20000 });
    const said = { state: await page.evaluate(() => window.vellmoor.state),
                   status: await page.evaluate(() => window.vellmoor.status),
                   text: await page.locator('#message').innerText(),
                   shown: await page.locator('#message').isVisible(),
                   stalledShown: await page.locator('#stalled').count() };
    await close();
    return said;
  } finally {
    await server.close();
  }
}

// In the page before its scripts: a stalled start given up after 3 s.
const STALL_LIMIT_MS = 3000;  // as impatient() sets it
function impatient() {
  addEventListener('DOMContentLoaded', () => { window.vellmoor.testing.stallLimit = 3000; });
}

const POLICY = 'Content-Security-Policy';
// Each cause the page meets on real hosts, what its message must name, and
// whether reloading can help (a message must not say so where it cannot).
const CAUSES = [
  { cause: 'a data file that is not there', serving: { missing: ['vellmoor.data'] },
    said: /^Could not load vellmoor\.data: the server does not have it \(404\)/, reload: false },
  { cause: 'a policy without WebAssembly',
    serving: { headers: { [POLICY]: "default-src 'self'; script-src 'self'" } },
    said: /Content-Security-Policy does not let the page run WebAssembly, so the room cannot start: its script-src needs 'wasm-unsafe-eval'\.$/,
    reload: false },
  { cause: 'Trusted Types that allow another policy only',
    serving: { headers: { [POLICY]: "script-src 'self' 'wasm-unsafe-eval'; require-trusted-types-for 'script'; " +
                                    'trusted-types other' } },
    said: /requires Trusted Types but allows no policy named vellmoor/, reload: false },
  { cause: 'the script answered by a single-page-app fallback',
    serving: { fallback: true, missing: ['vellmoor.js'] },
    said: /^Could not load vellmoor\.js: the server sent a web page in its place/, reload: false },
  { cause: 'the data answered by a single-page-app fallback',
    serving: { fallback: true, missing: ['vellmoor.data'] },
    said: /^Could not load vellmoor\.data: the server sent a web page in its place/, reload: false },
  { cause: 'the script broken off with no length',
    serving: { unsized: true, cutOff: { 'vellmoor.js': 0.5 } },
    said: /^Could not load vellmoor\.js: the download broke off after 0\.1 MB of 0\.1 MB \(the server closed/,
    reload: true },
  { cause: 'the data broken off with no length',
    serving: { unsized: true, cutOff: { 'vellmoor.data': 0.5 } },
    said: /^Could not load vellmoor\.data: the download broke off after 1\.0 MB of 2\.0 MB \(the server closed/,
    reload: true },
  { cause: 'a whole data file of another build, shorter than this build\'s',
    serving: { alter: { 'vellmoor.data': (bytes) => bytes.subarray(0, bytes.length >> 1) } },
    said: /^vellmoor\.data on the server is from another build than this page/, reload: false },
  { cause: 'the data stalled half-way', serving: { stall: { 'vellmoor.data': 0.5 } }, init: impatient,
    said: /^Could not load vellmoor\.data: nothing more has come for \d+ s, after 1\.0 MB of 2\.0 MB/,
    reload: true },
];

test('each way a host can fail the start ends in a sentence that names its cause', async () => {
  for (const { cause, serving, init, said, reload } of CAUSES) {
    const told = await failure({ serving, init });
    assert.equal(told.state, 'failed', cause);
    assert.ok(told.shown, cause);
    assert.equal(told.stalledShown, 0, cause);
    assert.match(told.text, said, cause);
    assert.equal(/reload/i.test(told.text), reload, `${cause}: ${told.text}`);
  }
});

test('a download slow but steady is not ended however long it takes', async () => {
  // 2 MB of data in 64 KiB pieces, one every 150 ms: nearly 5 s, well past
  // the limit, with each piece far within it.
  const server = await web.serveSlowly('vellmoor.data', { piece: 65536, everyMs: 150 });
  try {
    const { page, close } = await web.open(browser, server.url, { init: impatient });
    await web.started(page);
    assert.equal(await page.evaluate(() => window.vellmoor.state), 'running',
                 await page.locator('#message').innerText());
    const took = await page.evaluate(() => {
      const entry = performance.getEntriesByType('resource').find((e) => /\/vellmoor\.data\?/.test(e.name));
      return entry.responseEnd - entry.responseStart;
    });
    assert.ok(took > 1.3 * STALL_LIMIT_MS, `the data came in ${took} ms`);
    await close();
  } finally {
    await server.close();
  }
});

test('where page.js never runs, the page says so, with the missing slash among the causes', async () => {
  await Promise.all([[{ missing: ['page.js'] }, ''], [{ under: 'games/vellmoor/' }, '../vellmoor']].map(async ([serving, address]) => {
    const server = await web.serve(serving);
    const { page, close } = await web.open(browser, new URL(address, server.url).href);
    const stalled = page.locator('#stalled');
    await stalled.waitFor({ state: 'visible', timeout: 15000 });
    assert.match(await stalled.innerText(), new RegExp('script has not run: if the address ends in the ' +
                 "site's folder without a closing /, add the /; otherwise page\\.js is missing"));
    await close();
    await server.close();
  }));
});

test('in a frame sandboxed without allow-same-origin it says what the frame needs', async () => {
  const server = await web.serve();
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.setContent(`<iframe sandbox="allow-scripts" src="${server.url}"></iframe>`);
  const message = page.frameLocator('iframe').locator('#message');
  await message.and(page.frameLocator('iframe').locator('.failed')).waitFor({ timeout: 20000 });
  const text = await message.innerText();
  assert.match(text, /sandboxed without allow-same-origin.*needs sandbox="allow-scripts allow-same-origin"/);
  assert.doesNotMatch(text, /reload/i);
  await context.close();
  await server.close();
});

// index.html as a build with the file `name` changed by `change` writes it.
function pageWith(name, change) {
  const bytes = fs.readFileSync(path.join(web.site, name));
  const [was, is] = [bytes, change(Buffer.from(bytes))]
    .map((version) => crypto.createHash('sha256').update(version).digest('hex'));
  return (page) => Buffer.from(page.toString().replace(was, is));
}

test('a texture that cannot be read gives the program\'s own message and status 1', async () => {
  // The data file starts with oxy02.tga; image type 10 is run-length coded.
  // The page is told the damaged file's hash, as a build with it would be.
  const damage = (bytes) => {
    bytes[2] = 10;
    return bytes;
  };
  const alter = { 'vellmoor.data': damage, 'index.html': pageWith('vellmoor.data', damage) };
  const said = await failure({ serving: { alter } });
  assert.equal(said.state, 'failed');
  assert.equal(said.status, 1);
  assert.match(said.text, /vellmoor: cannot load texture file 'oxy02\.tga'/);
  assert.match(said.text, /exit status 1/);
});

test('a browser without WebGL 2 is told so', async () => {
  const without = await web.launch(['--disable-webgl2']);
  browsers.push(without);
  const said = await failure({ on: without });
  assert.equal(said.state, 'failed');
  assert.match(said.text, /no WebGL 2/);
});
