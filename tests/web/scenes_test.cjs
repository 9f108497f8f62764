// Small scenes of what the room never draws (scenes/scenes.cpp), drawn by the
// web layer in Chromium and held to Mesa's pictures of the same, drawn now by
// scene_reference under the test's X server. A scene holding a call the
// layer refuses must show the layer's message, and the picture with that
// call left out.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const web = require('./support.cjs');

const reference = process.env.VELLMOOR_SCENE_REFERENCE || '';
if (!fs.existsSync(reference) || !process.env.DISPLAY) {
  console.log('Skipped: Mesa\'s pictures need scene_reference and an X display (make test has both).');
  process.exit(77);
}

// Mesa's pictures, in the order of the scenes: [file, name].
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vellmoor-scenes-'));
const scenes = execFileSync(reference, [folder], { encoding: 'utf8' }).trim().split('\n')
  .map((line) => [line.slice(0, line.indexOf(' ')), line.slice(line.indexOf(' ') + 1)]);

// A binary PPM as difference() takes pictures: RGBA rows from the top.
function readPpm(file) {
  const bytes = fs.readFileSync(file);
  const [, width, height] = bytes.toString('latin1', 0, 20).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  const start = bytes.length - width * height * 3;
  const data = Buffer.alloc(width * height * 4, 255);
  for (let i = 0; i < width * height; ++i) bytes.copy(data, i * 4, start + i * 3, start + i * 3 + 3);
  return { width: Number(width), height: Number(height), data };
}

let server;
let browser;
let page;
const said = [];
before(async () => {
  server = await web.serve({ root: path.join(web.site, '..', 'scenes') });
  browser = await web.launch();
  ({ page } = await web.open(browser, server.url));
  page.on('console', (message) => said.push(message.text()));
  await page.waitForFunction(() => window.scenesReady === true);
  assert.equal(await page.evaluate(() => window.Module._scenesInPage()), scenes.length);
});
after(async () => {
  await browser?.close();
  await server?.close();
  fs.rmSync(folder, { recursive: true, force: true });
});

// A scene is drawn as Mesa draws it when the mean difference is at most 2
// (of 255) and 99 % of its pixels are within 24 of Mesa's: tighter than the
// room's views, whose thresholds allow for a whole room's edges.
function asMesaDraws(d) {
  return d.mean <= 2 && d.within >= 0.99;
}

// Scene n as the page draws it, rows turned to come from the top.
async function drawn(n) {
  const size = readPpm(scenes[0][0]).width;
  const bytes = await page.evaluate(([index, side]) => {
    const at = window.Module._scenePixels(index);
    return Array.from(window.Module.HEAPU8.subarray(at, at + side * side * 4));
  }, [n, size]);
  const data = Buffer.alloc(bytes.length);
  for (let y = 0; y < size; ++y) {
    Buffer.from(bytes.slice((size - 1 - y) * size * 4, (size - y) * size * 4)).copy(data, y * size * 4);
  }
  return { width: size, height: size, data };
}

scenes.forEach(([file, name], n) => {
  const leftOut = file.replace(/\.ppm$/, '-left-out.ppm');
  if (!fs.existsSync(leftOut)) {
    test(`${name}: the page draws it as Mesa does`, async () => {
      const d = web.difference(readPpm(file), await drawn(n));
      console.log(`${name}: mean difference ${d.mean.toFixed(3)}, ${(100 * d.within).toFixed(2)} % within 24`);
      assert.ok(asMesaDraws(d), JSON.stringify(d));
    });
    return;
  }
  test(`${name}: the page says it refuses the call and draws the scene without it`, async () => {
    said.length = 0;
    const picture = await drawn(n);
    const refusal = /glMaterial.* is not supported on WebGL; ignored/;
    // The page's console reaches the test a little later, on a busy machine much later.
    for (const until = Date.now() + 30000; Date.now() < until && !said.some((text) => refusal.test(text));) {
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    assert.ok(said.some((text) => refusal.test(text)), `no refusal said: ${JSON.stringify(said)}`);
    const without = web.difference(readPpm(leftOut), picture);
    console.log(`${name}, the call left out: mean difference ${without.mean.toFixed(3)}`);
    assert.ok(asMesaDraws(without), JSON.stringify(without));
    assert.ok(!asMesaDraws(web.difference(readPpm(file), picture)),
              'the scene draws the same with the call as without it');
  });
});
