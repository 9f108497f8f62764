// A lost WebGL context (WEBGL_lose_context): the page says the picture is
// paused and draws nothing; given the context back, the room comes back as it
// was, pixel for pixel, and walks and animates on.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const web = require('./support.cjs');

const shared = web.servedSite();

// The view drawn before the loss, what the page showed while lost, and the
// view drawn first thing after the context came back.
function loseAndRestore(page, view) {
  return page.evaluate((name) => new Promise((resolve, reject) => {
    setTimeout(() => reject(new Error('the context did not come back')), 10000);
    const testing = window.vellmoor.testing;
    const canvas = document.getElementById('canvas');
    const lose = canvas.getContext('webgl2').getExtension('WEBGL_lose_context');
    const before = testing.capture(name);
    canvas.addEventListener('webglcontextlost', () => {
      const frames = testing.frames().count;
      setTimeout(() => {
        const paused = { state: window.vellmoor.state, framesDrawn: testing.frames().count - frames,
                         message: document.getElementById('message').innerText };
        canvas.addEventListener('webglcontextrestored', () => {
          resolve({ before, after: testing.capture(name), paused });
        }, { once: true });
        lose.restoreContext();
      }, 300);
    }, { once: true });
    lose.loseContext();
  }), view);
}

async function lostAndBack(framesFirst) {
  const { page, problems } = await shared.open();
  await web.started(page);
  await page.waitForFunction((n) => window.vellmoor.testing.frames().count >= n, framesFirst);
  const seen = await loseAndRestore(page, 'bar');
  assert.equal(seen.paused.state, 'paused');
  assert.equal(seen.paused.framesDrawn, 0);
  assert.match(seen.paused.message, /paused/);
  const d = web.difference(web.decode(seen.before), web.decode(seen.after), 0);
  assert.equal(d.within, 1, `the room after the loss differs: ${JSON.stringify(d)}`);
  assert.ok(await page.locator('#message').isHidden());

  // It goes on: frames, the lamps switching, a key.
  const frames = (await page.evaluate(() => window.vellmoor.testing.frames())).count;
  await page.waitForFunction((n) => window.vellmoor.testing.frames().count > n + 5, frames);
  const z = (await web.camera(page)).eyeZ;
  await page.keyboard.press('s');
  assert.notEqual((await web.camera(page)).eyeZ, z);
  const again = await web.picture(page, 'bar');
  assert.equal(web.difference(web.decode(seen.before), again, 0).within, 1, 'the room later');
  assert.deepEqual(problems, []);
}

test('a context lost at the first frames comes back with the same room', async () => {
  await lostAndBack(1);
});

test('a context lost after 60 frames comes back with the same room', async () => {
  await lostAndBack(60);
});
