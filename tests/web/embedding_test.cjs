// The page embedded in another site's page, whose reader may be typing while
// it loads, in a frame allowed full screen or not, and hidden while a key is
// held on it.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const http = require('node:http');
const web = require('./support.cjs');

const shared = web.servedSite();

// Another site's page with a form, and the walk-through in a frame (with
// `allow` as its allow attribute): from localhost, where the walk-through
// comes from 127.0.0.1.
async function hostPage(site, allow = 'fullscreen') {
  const server = http.createServer((request, response) => response.writeHead(200, { 'Content-Type': 'text/html' })
    .end(`<!doctype html><title>Host</title><input id="field" aria-label="Name">
          <iframe src="${site}" allow="${allow}" width="640" height="640"></iframe>`));
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://localhost:${server.address().port}/`, close: () => server.close() };
}

// Waits until the walk-through's camera has come `steps` steps forward of `z`.
const walked = (room, z, steps) => web.until(`${steps} steps forward of ${z}`, () => web.camera(room),
                                             (now) => Math.abs(now.eyeZ - (z - steps)) < 1e-3);
// Waits until the keys held on the on-screen buttons are `keys`.
const held = (room, keys) => web.until(`the keys held to be [${keys}]`,
                                       () => room.evaluate(() => window.vellmoor.testing.held()),
                                       (now) => now.join() === keys.join());

test('embedded in another site, it takes no focus while loading, a click on a key or the picture ' +
     'does, and a key held on a button is let go when the page is hidden', async () => {
  const host = await hostPage(shared.url);
  try {
    const context = await shared.browser.newContext();
    shared.opened.push(context);
    const page = await context.newPage();
    await page.goto(host.url, { waitUntil: 'domcontentloaded' });
    await page.focus('#field');
    // Typing on until the room has drawn a few frames: its start is past.
    const frame = () => page.frames().find((f) => f.url().startsWith(shared.url));
    const drawn = async () => (await frame()?.evaluate(() => window.vellmoor?.testing?.frames().count)
      .catch(() => 0)) || 0;
    const until = Date.now() + 60000;
    let typed = '';
    for (let after = 0; after < 5 && Date.now() < until;) {
      await page.keyboard.type('k');
      typed += 'k';
      if (await drawn() > 2) ++after;
    }
    assert.equal(await page.inputValue('#field'), typed);

    const room = frame();
    const eyeZ = async () => (await web.camera(room)).eyeZ;
    const start = await eyeZ();
    // The field has the focus, so the frame has none: a click on a key walks
    // and gives the walk-through the keys, which no longer type into the field.
    await page.frameLocator('iframe').locator('#keys button[data-key="w"]').click();
    await walked(room, start, 1);
    await page.keyboard.press('w');
    await walked(room, start, 2);
    assert.equal(await page.inputValue('#field'), typed, 'the key went to the field');

    await page.focus('#field');
    await page.frameLocator('iframe').locator('#canvas').click();
    await page.keyboard.press('w');
    await walked(room, start, 3);
    assert.equal(await page.inputValue('#field'), typed, 'the key went to the field');

    const box = await page.frameLocator('iframe').locator('#keys button[data-key="w"]').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    const pressed = await eyeZ();
    await room.waitForFunction((z) => window.vellmoor.testing.camera().eyeZ < z - 1, pressed);  // repeating
    await held(room, ['w']);
    // Headless Chromium never hides a page, so the hiding is told as a
    // browser tells it: document.hidden, then the event; and the return.
    const show = (hidden) => room.evaluate((hide) => {
      for (const [name, value] of [['hidden', hide], ['visibilityState', hide ? 'hidden' : 'visible']]) {
        Object.defineProperty(document, name, { configurable: true, get: () => value });
      }
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
    await show(true);
    await show(false);
    await held(room, []);
    await page.mouse.up();
    // Allowed full screen, the frame offers it.
    assert.equal(await page.frameLocator('iframe').locator('#fullscreen').innerText(), 'Full screen');
  } finally {
    host.close();
  }
});

test('in a frame not allowed full screen the button fills the window', async () => {
  const host = await hostPage(shared.url, '');
  try {
    const context = await shared.browser.newContext();
    shared.opened.push(context);
    await web.holdData(context);
    const page = await context.newPage();
    await page.goto(host.url);
    const room = page.frameLocator('iframe');
    const button = room.locator('#fullscreen');
    await button.and(room.getByText('Fill the window', { exact: true })).waitFor({ timeout: 10000 })
      .catch(async () => assert.fail(`waited for "Fill the window", the button says "${await button.innerText()}"`));
    await button.click();
    await room.locator('html.filled #player.whole').waitFor({ timeout: 10000 });
    assert.equal(await button.innerText(), 'Back to the page');
  } finally {
    host.close();
  }
});
