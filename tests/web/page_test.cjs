// The page in Chromium as a person uses it: it loads cleanly, takes keys,
// pointer and touch as the desktop window does, animates, and ends on Esc.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const web = require('./support.cjs');

const shared = web.servedSite();


async function running(options) {
  const opened = await shared.open(options);
  await web.started(opened.page);
  return opened;
}

// Where on the page a point of the canvas is.
async function onCanvas(page, x, y) {
  const box = await page.locator('#canvas').boundingBox();
  return { x: box.x + x * box.width / 600, y: box.y + y * box.height / 400 };
}

test('the page loads with no error and its focused canvas is the 600x400 window', async () => {
  const { page, problems } = await running();
  assert.equal(await page.title(), '-=- Vellmoor -=-');
  assert.deepEqual(await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    return [canvas.width, canvas.height, canvas.clientWidth, canvas.clientHeight,
            document.activeElement === canvas, document.getElementById('message').hidden];
  }), [600, 400, 600, 400, true, true]);
  assert.ok(await page.evaluate(async () => (await fetch(document.querySelector('link[rel=icon]').href)).ok));
  await page.waitForFunction(() => window.vellmoor.testing.frames().count > 10);
  assert.deepEqual(problems, []);
});

test('keys walk, strafe, rise and crouch as on the desktop, repeats included, upper case not', async () => {
  const { page } = await running();
  const before = await web.picture(page);
  // From (5, -5) looking along -z: w steps to z = -6, Shift+W does nothing, d steps
  // right to x = 6, r rises to 6, x crouches to 2.5; a held w repeats twice.
  for (const key of ['w', 'Shift+W', 'd', 'r', 'x']) await page.keyboard.press(key);
  let eye = await web.camera(page);
  assert.ok(Math.abs(eye.eyeX - 6) < 1e-3 && Math.abs(eye.eyeZ + 6) < 1e-3, JSON.stringify(eye));
  assert.equal(eye.eyeHeight, 2.5);
  await page.keyboard.down('w');
  await page.keyboard.down('w');
  await page.keyboard.up('w');
  eye = await web.camera(page);
  assert.ok(Math.abs(eye.eyeZ + 8) < 1e-3, JSON.stringify(eye));
  assert.ok(web.difference(before, await web.picture(page)).within < 0.9, 'the view has moved');
});

test('the pointer in the left third turns the view; in the middle, or dragging, it does not', async () => {
  const { page } = await running();
  const start = (await web.camera(page)).yaw;
  const middle = await onCanvas(page, 300, 200);
  await page.mouse.move(middle.x, middle.y);
  assert.equal((await web.camera(page)).yaw, start);
  const left = await onCanvas(page, 60, 200);
  await page.mouse.down();
  await page.mouse.move(left.x, left.y);
  assert.equal((await web.camera(page)).yaw, start);
  await page.mouse.up();
  await page.mouse.move(left.x + 1, left.y);
  assert.ok((await web.camera(page)).yaw > start, 'turned left');
});

test('an on-screen key and a finger moving over the picture act as the key and the pointer', async () => {
  const { page } = await running({ touch: true });
  const start = await web.camera(page);
  await page.tap('#keys button[data-key="w"]');
  assert.ok(Math.abs((await web.camera(page)).eyeZ - (start.eyeZ - 1)) < 1e-3);
  const touch = await page.context().newCDPSession(page);
  const from = await onCanvas(page, 300, 200);
  const to = await onCanvas(page, 40, 200);
  await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [from] });
  await touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [to] });
  await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  assert.ok((await web.camera(page)).yaw > start.yaw, 'turned left');
});

test('the spot lamps switch as frames go by', async () => {
  const { page } = await running();
  const seen = await page.evaluate(() => new Promise((resolve) => {
    const states = new Set();
    let frames = 0;
    const look = () => {
      states.add(window.vellmoor.testing.lamps());
      if (++frames < 60) requestAnimationFrame(look); else resolve([...states]);
    };
    requestAnimationFrame(look);
  }));
  assert.ok(seen.length >= 2, `lamp states seen: ${seen}`);
});

test('full screen gives the program the screen\'s size, and leaving it 600x400 again', async () => {
  const { page } = await running();
  const sizes = () => page.evaluate(() => [window.vellmoor.testing.windowSize(),
                                           [canvas.width, canvas.height]]);
  await page.click('#fullscreen');
  await page.waitForFunction(() => document.fullscreenElement !== null);
  const screen = await page.evaluate(() => [window.innerWidth, window.innerHeight]);
  await page.waitForFunction((size) => window.vellmoor.testing.windowSize().join() === size.join(), screen);
  assert.deepEqual(await sizes(), [screen, screen]);
  await page.evaluate(() => document.exitFullscreen());
  await page.waitForFunction(() => window.vellmoor.testing.windowSize().join() === '600,400');
  assert.deepEqual(await sizes(), [[600, 400], [600, 400]]);
});

test('Esc ends the walk-through: nothing more is drawn and the page says so', async () => {
  const { page, problems } = await running();
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => window.vellmoor.state !== 'running');
  assert.equal(await page.evaluate(() => window.vellmoor.status), 0);
  const frames = (await page.evaluate(() => window.vellmoor.testing.frames())).count;
  await page.waitForTimeout(500);
  assert.equal((await page.evaluate(() => window.vellmoor.testing.frames())).count, frames);
  assert.match(await page.locator('#message').innerText(), /ended.*Reload/s);
  assert.ok(await page.locator('#message').isVisible());
  assert.deepEqual(problems, []);
});
