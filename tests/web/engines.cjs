// The three browser engines the page is tested in, behind one face, so that
// a check is written once and run in each: Debian's Chromium through
// playwright-core (WebGL 2 on SwiftShader), Debian's Firefox ESR through
// puppeteer-core speaking WebDriver BiDi, and WebKitGTK's MiniBrowser through
// WebKitWebDriver with selenium-webdriver (both on the X server's Mesa
// llvmpipe, so they need the test's X display). No engine is downloaded.
//
//   const engine = await startEngine(name);   // chromium, firefox or webkit
//   const tab = await engine.open(url);
//
// An engine: name, version, serving (what serve() needs to serve the page to
// it), differences (how its tab does what the others' do: {what: why}),
// open(url) and close().
//
// A tab: evaluate(fn, arg) runs fn(arg) in the page and gives its (awaited)
// result; waitFor(fn, arg) until fn(arg) is true there; press(key, {shift}),
// keyDown(key), keyUp(key) for a lower-case letter or 'Escape'; move(x, y),
// mouseDown(), mouseUp() for the mouse at a point of the viewport (CSS
// pixels); click(selector); screenshot(selector), the element as the screen
// shows it (a pngjs picture); reload(); problems(), the console errors,
// uncaught exceptions, and failed or refused loads seen so far; close().
'use strict';

const { spawn } = require('node:child_process');
const execFile = require('node:util').promisify(require('node:child_process').execFile);
const fs = require('node:fs');
const http = require('node:http');
const net = require('node:net');
const path = require('node:path');
const { PNG } = require('pngjs');

const ENGINES = ['chromium', 'firefox', 'webkit'];
const SKIP = 77;  // CTest's SKIP_RETURN_CODE for these tests
const VIEWPORT = { width: 800, height: 900 };
const WAIT_MS = 60000;

const decodePng = (base64) => PNG.sync.read(Buffer.from(base64, 'base64'));

// The keys, mouse and clicks of a playwright or puppeteer page, whose
// keyboard and mouse are alike.
const pageInput = (page) => ({
  keyDown: (key) => page.keyboard.down(key),
  keyUp: (key) => page.keyboard.up(key),
  move: (x, y) => page.mouse.move(x, y),
  mouseDown: () => page.mouse.down(),
  mouseUp: () => page.mouse.up(),
  click: (selector) => page.click(selector),
});

// --- Chromium ----------------------------------------------------------------

async function chromium(support) {
  const browser = await support.launch();
  return {
    name: 'chromium',
    version: `Chromium ${browser.version()}`,
    serving: {},
    differences: {},
    open: async (url) => {
      const { page, problems, close } = await support.open(browser, url);
      return {
        problems: async () => problems,
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        waitFor: (fn, arg) => page.waitForFunction(fn, arg, { timeout: WAIT_MS }),
        press: (key, { shift = false } = {}) => page.keyboard.press(shift ? `Shift+${key.toUpperCase()}` : key),
        ...pageInput(page),
        screenshot: async (selector) => PNG.sync.read(await page.locator(selector).screenshot()),
        reload: () => page.reload(),
        close,
      };
    },
    close: () => browser.close(),
  };
}

// --- Firefox -------------------------------------------------------------------

async function firefox(support) {
  const puppeteer = require('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: process.env.VELLMOOR_FIREFOX || '/usr/bin/firefox-esr',
    // Headless, it still draws WebGL through the X display's GL (llvmpipe).
    headless: true,
    defaultViewport: VIEWPORT,
  });
  return {
    name: 'firefox',
    version: `Firefox ${(await browser.version()).replace(/^firefox\//, '')}`,
    serving: {},
    differences: {},
    open: async (url) => {
      const page = await browser.newPage();
      const problems = support.problemsOf(page);
      await page.goto(url);
      return {
        problems: async () => problems,
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        waitFor: (fn, arg) => page.waitForFunction(fn, { timeout: WAIT_MS, polling: 100 }, arg),
        press: async (key, { shift = false } = {}) => {
          if (!shift) return page.keyboard.press(key);
          await page.keyboard.down('Shift');
          await page.keyboard.press(key.toUpperCase());
          return page.keyboard.up('Shift');
        },
        ...pageInput(page),
        screenshot: async (selector) => decodePng(await (await page.$(selector)).screenshot({ encoding: 'base64' })),
        reload: () => page.reload(),
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
  };
}

// --- WebKit --------------------------------------------------------------------

// A free port on this machine.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Until the driver answers on its port.
async function driverReady(url, child) {
  for (let tries = 0; tries < 200; ++tries) {
    if (child.exitCode !== null) throw new Error(`WebKitWebDriver ended with status ${child.exitCode}`);
    const up = await new Promise((resolve) => {
      http.get(`${url}status`, (response) => {
        response.resume();
        resolve(response.statusCode === 200);
      }).on('error', () => resolve(false));
    });
    if (up) return;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error('WebKitWebDriver did not answer');
}

// WebDriver classic reports nothing the page says, so the page is served
// with this first in its head: it keeps the console errors, uncaught
// exceptions and elements that failed to load, for the test to read.
function watchProblems() {
  const problems = [];
  window.testProblems = problems;
  const error = console.error;
  console.error = (...args) => {
    problems.push('console: ' + args.join(' '));
    error.apply(console, args);
  };
  window.addEventListener('error', (event) => {
    const what = event.target && event.target !== window ? event.target.src || event.target.href : null;
    problems.push(what ? 'failed: ' + what : 'exception: ' + event.message);
  }, true);
  window.addEventListener('unhandledrejection', (event) => {
    problems.push('exception: ' + (event.reason && event.reason.message || event.reason));
  });
}
const WATCHER = `<script>(${watchProblems})();</script>`;
const withWatcher = (bytes) => Buffer.from(String(bytes).replace(/<head>/, `<head>\n${WATCHER}`));

// The X screen's picture in the rectangle given (CSS pixels at ratio 1), from
// xwd's dump of the root window (ZPixmap, 24 or 32 bits a pixel).
async function screenArea({ x, y, width, height }) {
  const { stdout: bytes } = await execFile('xwd', ['-root', '-silent'],
                                           { encoding: 'buffer', maxBuffer: 64 << 20 });
  const field = (i) => bytes.readUInt32BE(i * 4);
  const [headerSize, format, bitsPerPixel, bytesPerLine, colours] = [0, 2, 11, 12, 19].map(field);
  const littleEndian = field(7) === 0;
  if (format !== 2 || bitsPerPixel % 8 !== 0) throw new Error(`xwd gave format ${format} at ${bitsPerPixel} bits`);
  const shifts = [14, 15, 16].map((i) => 31 - Math.clz32(field(i) & -field(i)));
  const pixels = headerSize + colours * 12;
  const picture = new PNG({ width, height });
  for (let row = 0; row < height; ++row) {
    for (let column = 0; column < width; ++column) {
      const at = pixels + (y + row) * bytesPerLine + (x + column) * bitsPerPixel / 8;
      const value = littleEndian ? bytes.readUIntLE(at, bitsPerPixel / 8) : bytes.readUIntBE(at, bitsPerPixel / 8);
      const out = (row * width + column) * 4;
      shifts.forEach((shift, channel) => { picture.data[out + channel] = (value >>> shift) & 255; });
      picture.data[out + 3] = 255;
    }
  }
  return picture;
}

async function webkit() {
  const { Builder, Key, Origin } = require('selenium-webdriver');
  const port = await freePort();
  const driver = spawn(process.env.VELLMOOR_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver',
                       [`--port=${port}`], { stdio: 'ignore' });
  // Not left behind by a test that ends before closing it (the driver ends
  // its browser when it goes).
  const stop = () => driver.kill();
  process.on('exit', stop);
  const server = `http://127.0.0.1:${port}/`;
  let session;
  try {
    await driverReady(server, driver);
    session = await new Builder().usingServer(server).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {
        binary: miniBrowser(),
        args: ['--automation'],
      },
    }).build();
    await session.manage().window().setRect({ x: 0, y: 0, ...VIEWPORT });
  } catch (error) {
    stop();
    throw error;
  }
  const capabilities = await session.getCapabilities();
  const keyOf = (key) => (key === 'Escape' ? Key.ESCAPE : key);
  const actions = () => session.actions({ async: true });
  // A function of one argument, run in the page, its promise awaited.
  const evaluate = (fn, arg) => session.executeScript(`return (${fn})(arguments[0]);`, arg === undefined ? null : arg);
  const held = new Set();
  return {
    name: 'webkit',
    version: `WebKitGTK ${capabilities.get('browserVersion')}`,
    serving: { alter: { 'index.html': withWatcher } },
    differences: {
      problems: 'WebDriver classic reports nothing the page says: a watcher served first in the page keeps it',
      repeat: 'WebKitWebDriver sends no second keydown for a held key: the repeat is sent as the system sends it',
      screen: 'WebKitWebDriver\'s screenshots show WebGL canvases black: the screen is read from the X display',
    },
    open: async (url) => {
      await session.get(url);
      const problems = [];
      // What the page has kept since the last look, added to `problems`.
      const look = async () => {
        const seen = await evaluate(() => (window.testProblems ? window.testProblems.splice(0) : null));
        if (seen === null) throw new Error('The page was not served with the problem watcher.');
        problems.push(...seen);
      };
      await look();
      return {
        problems: async () => {
          await look();
          return problems;
        },
        evaluate,
        waitFor: async (fn, arg) => {
          const until = Date.now() + WAIT_MS;
          while (!(await evaluate(fn, arg))) {
            if (Date.now() > until) throw new Error(`Timed out waiting for ${fn}`);
            await new Promise((resolve) => setTimeout(resolve, 100));
          }
        },
        press: (key, { shift = false } = {}) => {
          const keys = actions();
          if (shift) keys.keyDown(Key.SHIFT);
          const k = shift ? key.toUpperCase() : keyOf(key);
          keys.keyDown(k).keyUp(k);
          if (shift) keys.keyUp(Key.SHIFT);
          return keys.perform();
        },
        // WebKitWebDriver sends nothing for a key pressed again while held,
        // where a system repeats it: that repeat is sent as the system would.
        keyDown: (key) => {
          if (!held.has(key)) {
            held.add(key);
            return actions().keyDown(keyOf(key)).perform();
          }
          return evaluate((letter) => (document.activeElement || document.body).dispatchEvent(new KeyboardEvent(
            'keydown', { key: letter, code: `Key${letter.toUpperCase()}`, repeat: true, bubbles: true, cancelable: true })), key);
        },
        keyUp: (key) => {
          held.delete(key);
          return actions().keyUp(keyOf(key)).perform();
        },
        move: (x, y) => actions().move({ origin: Origin.VIEWPORT, x: Math.round(x), y: Math.round(y) }).perform(),
        mouseDown: () => actions().press().perform(),
        mouseUp: () => actions().release().perform(),
        click: async (selector) => (await session.findElement({ css: selector })).click(),
        // WebKitWebDriver's screenshots show WebGL canvases black, so the
        // element is cut from the X screen, where the window sits with its
        // toolbar above the page.
        screenshot: async (selector) => screenArea(await evaluate((css) => {
          const box = document.querySelector(css).getBoundingClientRect();
          return { x: Math.round(window.screenX + window.outerWidth - window.innerWidth + box.left),
                   y: Math.round(window.screenY + window.outerHeight - window.innerHeight + box.top),
                   width: Math.round(box.width), height: Math.round(box.height) };
        }, selector)),
        reload: () => session.navigate().refresh(),
        close: async () => {},  // the session's one window stays until the engine closes
      };
    },
    close: async () => {
      try {
        await session.quit();
      } finally {
        stop();
        process.off('exit', stop);
      }
    },
  };
}

// What an engine needs beside its npm module: a program from Debian's
// packages, and for Firefox and WebKit the X display they draw WebGL on.
function needs(name) {
  if (name === 'chromium') return [];
  const programs = {
    firefox: [process.env.VELLMOOR_FIREFOX || '/usr/bin/firefox-esr'],
    webkit: [process.env.VELLMOOR_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver', miniBrowser()],
  }[name];
  const missing = programs.filter((program) => !program || !fs.existsSync(program))
    .map((program) => `${program || 'MiniBrowser'} is missing (scripts/setup.sh web-test installs it)`);
  if (!process.env.DISPLAY) missing.push('there is no X display (make test runs the suite under xvfb-run)');
  return missing;
}

// WebKitGTK's browser, in the library folder of this machine's architecture.
function miniBrowser() {
  if (process.env.VELLMOOR_MINIBROWSER) return process.env.VELLMOOR_MINIBROWSER;
  for (const folder of fs.readdirSync('/usr/lib').filter((name) => name.includes('-linux-'))) {
    const program = path.join('/usr/lib', folder, 'webkit2gtk-4.1', 'MiniBrowser');
    if (fs.existsSync(program)) return program;
  }
  return null;
}

// Starts an engine; `support` is tests/web/support.cjs, whose Chromium is kept.
// Without the engine's npm module the test is skipped, as without the site;
// without its browser or a display it fails, saying what is missing.
function startEngine(name, support) {
  const start = { chromium, firefox, webkit }[name];
  if (!start) throw new Error(`No engine called '${name}': the engines are ${ENGINES.join(', ')}.`);
  const module = { firefox: 'puppeteer-core', webkit: 'selenium-webdriver' }[name];
  try {
    if (module) require.resolve(module);
  } catch (error) {
    console.log(`Skipped: ${module} is not installed (make web-test-modules installs it).`);
    process.exit(SKIP);
  }
  const missing = needs(name);
  if (missing.length) throw new Error(`${name} cannot start: ${missing.join('; ')}.`);
  return start(support);
}

module.exports = { ENGINES, startEngine };
