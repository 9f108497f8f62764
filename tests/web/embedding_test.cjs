// The page embedded in another site's page, whose reader may be typing while
// it loads, and hidden while a key is held on it.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const http = require('node:http');
const web = require('./support.cjs');

const shared = web.servedSite();

// Another site's page with a form, and the walk-through in a frame: from
// localhost, where the walk-through comes from 127.0.0.1.
async function hostPage(site) {
  const server = http.createServer((request, response) => response.writeHead(200, { 'Content-Type': 'text/html' })
    .end(`<!doctype html><title>Host</title><input id="field" aria-label="Name">
          <iframe src="${site}" allow="fullscreen" width="640" height="640"></iframe>`));
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://localhost:${server.address().port}/`, close: () => server.close() };
}

test('embedded in another site, it takes no focus while loading, a click on the picture does, ' +
     'and a key held on a button is let go when the page is hidden', async () => {
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
    await page.frameLocator('iframe').locator('#canvas').click();
    await page.keyboard.press('w');
    assert.ok(await eyeZ() < start, 'w walked');

    const box = await page.frameLocator('iframe').locator('#keys button[data-key="w"]').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    const held = await eyeZ();
    await room.waitForFunction((z) => window.vellmoor.testing.camera().eyeZ < z - 1, held);  // repeating
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
    const back = await eyeZ();
    await page.waitForTimeout(600);  // several repeats' time
    assert.equal(await eyeZ(), back, 'still walking after the return');
    await page.mouse.up();
  } finally {
    host.close();
  }
});
