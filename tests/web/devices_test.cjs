// The page on other screens and keyboards than one desktop's: dense screens,
// phones in both orientations and in full screen, browsers with parts of full
// screen missing, keyboard layouts, reduced motion, fast screens, and links
// to views that do not exist.
'use strict';

const { test, afterEach } = require('node:test');
const assert = require('node:assert/strict');
const { devices } = require('playwright-core');
const web = require('./support.cjs');

const shared = web.servedSite();
let contexts = [];
afterEach(async () => {
  await Promise.all(contexts.map((context) => context.close()));
  contexts = [];
});

// A page in a browser context of its own (a phone, a ratio, reduced motion).
// hold: the program's data never comes, so only the page is at work.
async function load(options, { path = '', start = true, init = null, hold = false } = {}) {
  const { defaultBrowserType, ...contextOptions } = options;
  const context = await shared.browser.newContext(contextOptions);
  contexts.push(context);
  if (init) await context.addInitScript(init);
  if (hold) await web.holdData(context);
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  await page.goto(shared.url + path);
  if (start) await web.started(page);
  return { page, problems };
}

const testing = (page, what, ...args) =>
  page.evaluate(([name, rest]) => window.vellmoor.testing[name](...rest), [what, args]);

// Each pixel of the half-size picture: the mean of a 2x2 block.
function halved(png) {
  const width = png.width >> 1;
  const height = png.height >> 1;
  const data = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      for (let c = 0; c < 4; ++c) {
        let sum = 0;
        for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]]) {
          sum += png.data[((2 * y + dy) * png.width + 2 * x + dx) * 4 + c];
        }
        data[(y * width + x) * 4 + c] = Math.round(sum / 4);
      }
    }
  }
  return { width, height, data };
}

test('at ratio 2 the picture has twice the pixels, and pointer and full screen follow', async () => {
  const desktop = { viewport: { width: 800, height: 900 } };
  const single = await load(desktop);
  const { page } = await load({ ...desktop, deviceScaleFactor: 2 });
  assert.deepEqual(await page.evaluate(() => [canvas.width, canvas.height, canvas.clientWidth]),
                   [1200, 800, 600]);
  assert.deepEqual(await testing(page, 'windowSize'), [1200, 800]);
  const d = web.difference(await web.picture(single.page, 'square'),
                           halved(await web.picture(page, 'square')));
  console.log(`ratio 2 halved against ratio 1: mean ${d.mean.toFixed(2)}, ` +
              `${(100 * d.within).toFixed(1)} % within 24`);
  assert.ok(d.mean < 6 && d.within > 0.9, JSON.stringify(d));

  // 250 CSS pixels from the left is 500 of 1200, in the dead zone; 100 is 200,
  // in the left third.
  const box = await page.locator('#canvas').boundingBox();
  const yaw = (await web.camera(page)).yaw;
  await page.mouse.move(box.x + 250, box.y + 200);
  assert.equal((await web.camera(page)).yaw, yaw);
  await page.mouse.move(box.x + 100, box.y + 200);
  await web.until('a turn to the left', () => web.camera(page), (now) => now.yaw > yaw);

  await page.click('#fullscreen');
  const screen = await page.evaluate(() => [2 * innerWidth, 2 * innerHeight]);
  await page.waitForFunction((size) => window.vellmoor.testing.windowSize().join() === size.join(),
                             screen);
  assert.match(await page.locator('#notice').innerText(), /first Esc only leaves full screen/);
});

const PHONES = ['iPhone SE', 'iPhone 13', 'Pixel 7'];

test('on phones, upright and on their side, the whole 3:2 picture and every button fit', async () => {
  for (const phone of PHONES.flatMap((name) => [name, `${name} landscape`])) {
    const { page } = await load(devices[phone], { start: false, hold: true });
    const seen = await page.evaluate(() => {
      const box = (element) => element.getBoundingClientRect();
      const inside = (b) => b.left >= 0 && b.top >= 0 && b.right <= innerWidth && b.bottom <= innerHeight;
      const stage = box(document.getElementById('stage'));
      return {
        ratio: stage.width / stage.height,
        stageInside: inside(stage),
        outside: [...document.querySelectorAll('#buttons button')].filter((b) => !inside(box(b)))
          .map((b) => b.textContent),
        scrolls: document.documentElement.scrollWidth > innerWidth,
        share: stage.width * stage.height / (innerWidth * innerHeight),
      };
    });
    assert.ok(Math.abs(seen.ratio - 1.5) < 0.01, `${phone}: ${JSON.stringify(seen)}`);
    assert.ok(seen.stageInside && !seen.scrolls && seen.outside.length === 0,
              `${phone}: ${JSON.stringify(seen)}`);
    assert.ok(seen.share > 0.25, `${phone}: the picture is small: ${JSON.stringify(seen)}`);
  }
});

test('in full screen on a phone the keys lie over the picture, clear of its middle', async () => {
  const { page } = await load(devices['Pixel 7 landscape']);
  await page.tap('#fullscreen');
  await page.waitForFunction(() => document.fullscreenElement !== null &&
                                   document.getElementById('fullscreen').textContent === 'Leave full screen');
  const seen = await page.evaluate(() => {
    const w = innerWidth;
    const h = innerHeight;
    const middle = { left: w / 3, right: 2 * w / 3, top: h / 3, bottom: 2 * h / 3 };
    return [...document.querySelectorAll('#buttons button')].map((button) => {
      const b = button.getBoundingClientRect();
      const covers = b.right > middle.left && b.left < middle.right && b.bottom > middle.top &&
                     b.top < middle.bottom;
      const shown = b.width > 0 && b.left >= 0 && b.top >= 0 && b.right <= w && b.bottom <= h;
      const alpha = Number((/rgba\(.*,\s*([\d.]+)\)/.exec(getComputedStyle(button).backgroundColor) || [0, 1])[1]);
      return { key: button.textContent, covers, shown, alpha };
    });
  });
  for (const button of seen) {
    assert.ok(button.shown && !button.covers && button.alpha < 1, JSON.stringify(button));
  }
  const z = (await web.camera(page)).eyeZ;
  await page.tap('#keys button[data-key="w"]');
  await web.until('w to walk', () => web.camera(page), (now) => now.eyeZ < z);

  // The Esc button asks once before it ends.
  await page.tap('#end');
  await web.until('the Esc button to ask', () => page.locator('#end').innerText(), (text) => /again/.test(text));
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'running');
  await page.tap('#end');
  await page.waitForFunction(() => window.vellmoor.state === 'ended');
});

// Browsers that lack parts of full screen, emulated by taking those parts
// away before the page runs: what the button then gives.
const FULL_SCREENS = [
  { browser: 'iPhone Safari, with no element full screen', whole: 'filled window',
    init: () => {
      for (const name of ['requestFullscreen', 'webkitRequestFullscreen', 'webkitRequestFullScreen']) {
        delete Element.prototype[name];
      }
    } },
  { browser: 'older iPad Safari, with only the prefixed calls', whole: 'full screen',
    init: () => {
      delete Element.prototype.requestFullscreen;
      for (const name of ['exitFullscreen', 'fullscreenElement', 'fullscreenEnabled']) delete Document.prototype[name];
    } },
  { browser: 'a request that returns no promise', whole: 'full screen',
    init: () => {
      const request = Element.prototype.requestFullscreen;
      Element.prototype.requestFullscreen = function () { request.call(this); };
    } },
];

test('where browsers lack parts of full screen, the button still shows the picture whole', async () => {
  for (const { browser, whole, init } of FULL_SCREENS) {
    const { page, problems } = await load({ viewport: { width: 480, height: 320 }, hasTouch: true },
                                          { init, hold: true, start: false });
    const button = page.locator('#fullscreen');
    assert.ok(await button.isVisible(), `${browser}: no button`);
    assert.equal(await button.innerText(), whole === 'full screen' ? 'Full screen' : 'Fill the window', browser);
    const before = await page.evaluate(() => [canvas.clientWidth, canvas.clientHeight, canvas.width]);
    await button.tap();
    // The picture fills the viewport, drawn at its size, with the keys over it.
    await page.waitForFunction(() => canvas.clientWidth === innerWidth && canvas.clientHeight === innerHeight &&
                                     canvas.width === innerWidth, null, { polling: 100, timeout: 10000 });
    assert.equal(await page.evaluate(() => Boolean(document.webkitFullscreenElement)),
                 whole === 'full screen', `${browser}: not in ${whole}`);
    assert.ok(await page.$eval('#keys button[data-key="w"]', (w) => {
      const b = w.getBoundingClientRect();
      const c = canvas.getBoundingClientRect();
      return b.left >= c.left && b.right <= c.right && b.top >= c.top && b.bottom <= c.bottom &&
             document.elementFromPoint(b.x + b.width / 2, b.y + b.height / 2) === w;
    }), `${browser}: no key over the picture`);
    // Left as it was entered; Esc gives the filled window back, as it leaves full screen.
    if (whole === 'filled window') await page.keyboard.press('Escape');
    else await button.tap();
    await page.waitForFunction((size) => [canvas.clientWidth, canvas.clientHeight, canvas.width].join() === size.join(),
                               before, { polling: 100, timeout: 10000 });
    assert.deepEqual(problems, [], browser);
    await page.context().close();
  }
});

test('keys act wherever the focus is, by where they sit on the keyboard; a key held on a button is let go ' +
     'when another page comes to the front', async () => {
  const { page, problems } = await load({ viewport: { width: 800, height: 900 } });
  await page.focus('#fullscreen');
  const eye = () => web.camera(page);
  const start = await eye();
  const steps = (n) => web.until(`${n} steps forward`, eye, (now) => Math.abs(now.eyeZ - (start.eyeZ - n)) < 1e-3);
  await page.keyboard.press('w');  // heard with a button focused
  await steps(1);
  // The W key of a Russian layout, and of a French one ('z').
  const session = await page.context().newCDPSession(page);
  for (const key of ['ц', 'z']) {
    for (const type of ['keyDown', 'keyUp']) {
      await session.send('Input.dispatchKeyEvent', { type, key, code: 'KeyW', text: key });
    }
  }
  await steps(3);
  // Upper case without Shift: Caps Lock, said once; the key still walks.
  await page.keyboard.press('W');
  await web.until('Caps Lock told', () => page.locator('#notice').innerText(), (text) => /Caps Lock/.test(text));
  await steps(4);
  await page.evaluate(() => { document.getElementById('notice').textContent = ''; });
  await page.keyboard.press('W');
  await steps(5);
  assert.equal(await page.locator('#notice').innerText(), '');
  // Space on a focused button presses it and is not a key for the program.
  await page.focus('#steady');
  await page.keyboard.press(' ');
  await web.until('Steady lamps pressed', () => page.getAttribute('#steady', 'aria-pressed'), (pressed) => pressed === 'true');

  // Playwright has every page behave as focused; a browser's own focus
  // moves between its windows.
  const held = (keys) => web.until(`the keys held to be [${keys}]`, () => testing(page, 'held'),
                                   (now) => now.join() === keys.join());
  await session.send('Emulation.setFocusEmulationEnabled', { enabled: false });
  await page.bringToFront();
  await web.until('the page to have the focus', () => page.evaluate(() => document.hasFocus()), Boolean);
  const box = await page.locator('#keys button[data-key="s"]').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await held(['s']);
  await (await page.context().newPage()).bringToFront();
  await held([]);
  await page.mouse.up();
  assert.deepEqual(problems, []);
});

// The lit lamps seen over the next 9 turns of the loop (each lamp is dark
// after one of them, when they flash).
const lampStates = (page) => page.evaluate(() => {
  const seen = new Set();
  for (let i = 0; i < 9; ++i) {
    window.vellmoor.testing.turn();
    seen.add(window.vellmoor.testing.lamps());
  }
  return [...seen];
});

test('steady lamps: on under reduced motion, lit while the ball turns, switchable, remembered', async () => {
  const { page } = await load({ reducedMotion: 'reduce' });
  assert.match(await page.locator('#flashing').textContent(), /flash/);
  assert.equal(await page.getAttribute('#steady', 'aria-pressed'), 'true');
  const allLit = await page.evaluate(() => (1 << window.vellmoor.testing.lampColours().length) - 1);
  assert.deepEqual(await lampStates(page), [allLit]);
  // One turn apart, in one task so that the loop does not turn between them.
  const [ball, turned] = await page.evaluate(() => {
    const first = window.vellmoor.testing.capture('square');
    window.vellmoor.testing.turn();
    return [first, window.vellmoor.testing.capture()];
  });
  assert.ok(web.difference(web.decode(ball), web.decode(turned), 0).within < 1, 'the mirror ball turns');
  await page.click('#steady');
  await web.until('the lamps flashing again', () => lampStates(page), (states) => states.length > 1);
  await page.reload();
  await web.started(page);
  assert.equal(await page.getAttribute('#steady', 'aria-pressed'), 'false');
});

test('the loop turns at most 60 times a second on a 144 Hz screen', async () => {
  // A clock that moves 1/144 s at each animation frame, frames as fast as
  // they come.
  const fast = () => {
    let now = 0;
    performance.now = () => now;
    window.requestAnimationFrame = (callback) => setTimeout(() => {
      now += 1000 / 144;
      callback(now);
    }, 0);
  };
  const { page } = await load({ viewport: { width: 320, height: 480 } }, { init: fast });
  const turns = await page.evaluate(() => new Promise((resolve) => {
    const from = window.vellmoor.testing.frames().count;
    const until = performance.now() + 1000;
    const look = () => {
      if (performance.now() < until) requestAnimationFrame(look);
      else resolve(window.vellmoor.testing.frames().count - from);
    };
    requestAnimationFrame(look);
  }));
  assert.ok(turns >= 55 && turns <= 61, `${turns} turns in a second`);
});

test('a link to a view that does not exist, or a name too long, says which views there are', async () => {
  const { page, problems } = await load({}, { path: '?view=nowhere' });
  await page.waitForFunction(() => !document.getElementById('notice').hidden);
  const said = await page.locator('#notice').innerText();
  for (const view of ['start', 'square', 'bar', 'glassware', 'overview']) assert.match(said, new RegExp(view));
  assert.doesNotMatch(said, /nowhere/);
  assert.equal(await testing(page, 'pose', 'x'.repeat(2000000)), false);
  assert.equal(await page.evaluate(() => window.vellmoor.state), 'running');
  assert.deepEqual(problems, []);
});
