// The page in Chromium beside the checks every engine runs (core_test.cjs):
// a finger on the picture, with touch events sent through Chromium's DevTools
// protocol, which the other engines' drivers do not have, and full screen.
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

test('Chromium (touch through its DevTools protocol): an on-screen key tapped, and a finger moving over the picture, act as the key and the pointer', async () => {
  const { page } = await running({ touch: true });
  const start = await web.camera(page);
  await page.tap('#keys button[data-key="w"]');
  await web.until('a step forward', () => web.camera(page), (now) => Math.abs(now.eyeZ - (start.eyeZ - 1)) < 1e-3);
  const touch = await page.context().newCDPSession(page);
  const from = await onCanvas(page, 300, 200);
  const to = await onCanvas(page, 40, 200);
  await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [from] });
  await touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [to] });
  await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await web.until('a turn to the left', () => web.camera(page), (now) => now.yaw > start.yaw);
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
