// What the page's tests share: the site from `make web` served on this
// machine, Debian's Chromium drawing WebGL 2 with SwiftShader, and pictures
// compared with the desktop program's.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const SKIP = 77;  // CTest's SKIP_RETURN_CODE for these tests
const site = process.env.VELLMOOR_WEB_SITE || '';
if (!fs.existsSync(path.join(site, 'index.html'))) {
  console.log(`Skipped: no site in '${site}' (make web builds it; make test does so first).`);
  process.exit(SKIP);
}
let playwright;
try {
  playwright = require('playwright-core');
} catch (error) {
  console.log('Skipped: playwright-core is not installed (make web-test-modules installs it).');
  process.exit(SKIP);
}
const { PNG } = require('pngjs');

const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream',
};

// Serves the site (or another folder of the web build) on a free port, as
// the static hosts it is published on behave. missing: files answered with
// 404; alter: {file: (bytes) => bytes} for files served changed; encoding:
// 'gzip' or 'br', for files with such a copy beside them sent as a static
// host does, that copy with its own length; chunked: sent in pieces with no
// length; unsized: sent whole with neither length nor pieces, the end told
// by closing the connection; cutOff: {file: share}, the connection dropped
// after that share of the file's length; stall: {file: share}, the answer
// stopped there with the connection left open; delay: {file: ms} before the
// answer starts; headers: added to every answer; under: the folder
// ('games/vellmoor/') the site is published in, which a host without
// `pretty` URLs also answers without its closing slash; pretty: the host
// redirects a folder to its slash and index.html to its folder, as hosts
// with "pretty URLs" do; fallback: unknown paths are answered with
// index.html and 200, as single-page-app hosts do. The returned server
// lists the files asked for (`asked`, without their queries) and can be
// turned to another folder on the same address (`use(folder, borrowed)`,
// with `borrowed` {file: folder} files still served from elsewhere, as in
// the middle of an upload).
function serve({ missing = [], alter = {}, root = site, encoding = null, chunked = false,
                 unsized = false, cutOff = {}, stall = {}, delay = {}, headers = {}, under = '',
                 pretty = false, fallback = false } = {}) {
  const asked = [];
  let borrowed = {};
  const server = http.createServer((request, response) => {
    const address = new URL(request.url, 'http://localhost');
    const where = decodeURIComponent(address.pathname).slice(1);
    const redirect = (to) => response.writeHead(301, { ...headers, Location: to + address.search }).end();
    const folder = under.replace(/\/$/, '');
    if (pretty && under && where === folder) return redirect(`/${under}`);
    if (pretty && where === `${under}index.html`) return redirect(`/${under}`);
    let name = where === folder || where === under ? 'index.html'
      : where.startsWith(under) ? where.slice(under.length) : '';
    asked.push(name);
    const from = path.resolve(borrowed[name] || root);
    const file = path.join(from, name);
    let found = name && !missing.includes(name) && path.dirname(file) === from && fs.existsSync(file);
    if (!found && fallback) {
      name = 'index.html';
      found = true;
    }
    if (!found) {
      response.writeHead(404, headers).end();
      return;
    }
    const suffix = { gzip: '.gz', br: '.br' }[encoding];
    const encoded = suffix && fs.existsSync(path.join(from, name) + suffix);
    const bytes = fs.readFileSync(path.join(from, name) + (encoded ? suffix : ''));
    const body = alter[name] ? alter[name](Buffer.from(bytes)) : bytes;
    const answer = { ...headers, 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream' };
    if (encoded) answer['Content-Encoding'] = encoding;
    if (unsized) {
      response.useChunkedEncodingByDefault = false;
      response.shouldKeepAlive = false;
    } else if (!chunked) {
      answer['Content-Length'] = body.length;
    }
    const share = cutOff[name] ?? stall[name] ?? 1;
    const end = Math.floor(body.length * share);
    setTimeout(() => {
      response.writeHead(200, answer);
      // Cut off, the connection is closed a moment after the last byte sent,
      // so that the page has read what came before it hears of the end.
      send(response, body.subarray(0, end), chunked, () => {
        if (name in stall) return;
        if (end < body.length) setTimeout(() => response.socket.end(), 300);
        else response.end();
      });
    }, delay[name] || 0);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/${under}`,
    asked,
    use: (folder, from = {}) => {
      root = folder;
      borrowed = from;
    },
    close: () => {
      server.closeAllConnections();
      return new Promise((done) => server.close(done));
    },
  })));
}

// Serves the site with each file's length, `name` slowly but steadily: in
// pieces of `piece` bytes, one every `everyMs`, as a slow line that never
// stops. The returned server is closed by `close()`.
function serveSlowly(name, { piece = 65536, everyMs = 200 } = {}) {
  const root = path.resolve(site);
  const server = http.createServer((request, response) => {
    const where = decodeURIComponent(new URL(request.url, 'http://localhost').pathname).slice(1) || 'index.html';
    const file = path.join(root, where);
    if (path.dirname(file) !== root || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    const body = fs.readFileSync(file);
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(where)] || 'application/octet-stream',
                              'Content-Length': body.length });
    if (where !== name) {
      response.end(body);
      return;
    }
    const next = (offset) => {
      if (response.destroyed) return;
      if (offset >= body.length) {
        response.end();
        return;
      }
      response.write(body.subarray(offset, offset + piece));
      setTimeout(next, everyMs, offset + piece);
    };
    next(0);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => {
      server.closeAllConnections();
      return new Promise((done) => server.close(done));
    },
  })));
}

// Writes a body whole, or in 64 KiB pieces each in a turn of its own.
function send(response, body, inPieces, done) {
  if (!inPieces) {
    response.write(body, done);
    return;
  }
  const PIECE = 65536;
  const next = (offset) => {
    if (offset >= body.length || response.destroyed) {
      done();
      return;
    }
    response.write(body.subarray(offset, offset + PIECE), () => setImmediate(next, offset + PIECE));
  };
  next(0);
}

function launch(extraArguments = []) {
  return playwright.chromium.launch({
    executablePath: process.env.VELLMOOR_CHROMIUM || '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
           ...extraArguments],
  });
}

// Opens the page; `problems` collects console errors, uncaught exceptions,
// failed requests and error answers as they come. init: a function run in
// the page before its own scripts; script: false opens it with JavaScript off.
async function open(browser, url, { touch = false, init = null, script = true } = {}) {
  const context = await browser.newContext({ viewport: { width: 800, height: 900 }, hasTouch: touch,
                                             javaScriptEnabled: script });
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  const problems = problemsOf(page);
  await page.goto(url);
  return { page, problems, close: () => context.close() };
}

// The console errors, uncaught exceptions, failed requests and error answers
// of a page, as they come: a playwright page, or a puppeteer one, whose events
// are named alike.
function problemsOf(page) {
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`exception: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`failed: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`${response.status()}: ${response.url()}`);
  });
  return problems;
}

// Waits until the page has started the program (or said why not); when it
// runs, until its first frame is drawn.
async function started(page) {
  await page.waitForFunction(() => window.vellmoor && window.vellmoor.state !== 'loading', null,
                             { timeout: 60000 });
  if (await page.evaluate(() => window.vellmoor.state) === 'running') {
    await page.waitForFunction(() => window.vellmoor.testing.frames().count > 0, null, { timeout: 60000 });
  }
}

// Waits until `holds` is true of what `probe` gives, looking every 50 ms for
// at most `timeout` ms, and returns it; fails saying what was waited for and
// what was seen last. For what the page does after a key, a click or a touch.
async function until(what, probe, holds, timeout = 10000) {
  const end = Date.now() + timeout;
  for (;;) {
    const seen = await probe();
    if (holds(seen)) return seen;
    if (Date.now() > end) throw new Error(`waited ${timeout} ms for ${what}; saw ${JSON.stringify(seen)}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

function camera(page) {
  return page.evaluate(() => window.vellmoor.testing.camera());
}

// The canvas as the program draws it now, from a named view if given.
async function picture(page, view) {
  return decode(await page.evaluate((name) => window.vellmoor.testing.capture(name), view));
}

// A PNG data URL's picture.
function decode(url) {
  return PNG.sync.read(Buffer.from(url.slice(url.indexOf(',') + 1), 'base64'));
}

function reference(view) {
  return PNG.sync.read(fs.readFileSync(path.join(process.env.VELLMOOR_REFERENCES, `${view}.png`)));
}

// The mean absolute difference per colour channel, and the share of pixels
// whose every channel is within `tolerance`.
function difference(a, b, tolerance = 24) {
  if (a.width !== b.width || a.height !== b.height) {
    return { mean: 255, within: 0 };
  }
  const pixels = a.width * a.height;
  let sum = 0;
  let within = 0;
  for (let i = 0; i < pixels; ++i) {
    let worst = 0;
    for (let channel = 0; channel < 3; ++channel) {
      const d = Math.abs(a.data[i * 4 + channel] - b.data[i * 4 + channel]);
      sum += d;
      worst = Math.max(worst, d);
    }
    if (worst <= tolerance) ++within;
  }
  return { mean: sum / (pixels * 3), within: within / pixels };
}

// Whether a difference() between the page's picture and the desktop's or
// Mesa's is small enough: a mean of at most 4 of 255 per channel, and 97 %
// of the pixels within 24 in every channel.
function closeEnough(d) {
  return d.mean <= 4 && d.within >= 0.97;
}

// For a test file: the site served and Chromium started before its tests,
// both closed after them. `shared.url` and `shared.browser` are there once
// the tests run; `shared.open(options)` opens a page that is closed after
// the test that opened it, so it stops drawing.
function servedSite() {
  const { before, after, afterEach } = require('node:test');
  const shared = { opened: [] };
  before(async () => {
    shared.server = await serve();
    shared.url = shared.server.url;
    shared.browser = await launch();
  });
  afterEach(async () => {
    await Promise.all(shared.opened.splice(0).map((opened) => opened.close()));
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.close();
  });
  shared.open = async (options) => {
    const opened = await open(shared.browser, shared.url, options);
    shared.opened.push(opened);
    return opened;
  };
  return shared;
}

// The page in every engine the suite tests (tests/web/engines.cjs), Chromium
// started by launch() and opened by open() as above.
const engines = require('./engines.cjs');
const startEngine = (name) => engines.startEngine(name, { launch, open, problemsOf });

// Holds the program's data back for a Playwright page or browser context,
// under whatever query the page asks for it, so only the page is at work
// and its loading message stays.
function holdData(target) {
  return target.route((url) => url.pathname.endsWith('/vellmoor.data'), () => {});
}

module.exports = { site, serve, serveSlowly, servedSite, launch, open, started, until, camera, picture, decode, reference, difference,
                   closeEnough, holdData,
                   ENGINES: engines.ENGINES, startEngine };
