// Small scenes of what the room never draws (scenes/scenes.cpp), drawn by the
// web layer in one browser engine (VELLMOOR_ENGINE: chromium, firefox or
// webkit) and held to Mesa's pictures of the same, drawn now by
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

const ENGINE = process.env.VELLMOOR_ENGINE || 'chromium';
let engine;
let server;
let tab;
before(async () => {
  engine = await web.startEngine(ENGINE);
  server = await web.serve({ ...engine.serving, root: path.join(web.site, '..', 'scenes') });
  tab = await engine.open(server.url);
  await tab.waitFor(() => window.scenesReady === true);
  assert.equal(await tab.evaluate(() => window.Module._scenesInPage()), scenes.length);
});
after(async () => {
  await engine?.close();
  await server?.close();
  fs.rmSync(folder, { recursive: true, force: true });
});

// A scene is drawn as Mesa draws it when the mean difference is at most 2
// (of 255) and 99 % of its pixels are within 24 of Mesa's: tighter than the
// room's views, whose thresholds allow for a whole room's edges.
function asMesaDraws(d, within = 0.99) {
  return d.mean <= 2 && d.within >= within;
}

// Scenes where Mesa departs from OpenGL 1.1 in what it draws: the layer
// draws as OpenGL says, and the share of pixels within 24 of Mesa's allows
// for the departure and no more.
const departures = {
  // Mesa's llvmpipe scales a smooth point's alpha up within a pixel of its
  // edge and leaves the edge hard; OpenGL fades the edge over that pixel.
  // The points' edges are 1.2 to 1.3 % of the picture.
  'smooth points and lines': 0.985,
};

// Scene n as the page draws it, rows turned to come from the top.
async function drawn(n) {
  const size = readPpm(scenes[0][0]).width;
  const bytes = await tab.evaluate(([index, side]) => {
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
    test(`${ENGINE}, ${name}: the page draws it as Mesa does`, async () => {
      const d = web.difference(readPpm(file), await drawn(n));
      console.log(`${ENGINE}, ${name}: mean difference ${d.mean.toFixed(3)}, ` +
                  `${(100 * d.within).toFixed(2)} % within 24`);
      assert.ok(asMesaDraws(d, departures[name]), JSON.stringify(d));
    });
    return;
  }
  test(`${ENGINE}, ${name}: the page says it refuses the call and draws the scene without it`, async () => {
    const picture = await drawn(n);
    const refusal = /glMaterial.* is not supported on WebGL; ignored/;
    const said = await tab.evaluate(() => window.said);
    assert.ok(said.some((text) => refusal.test(text)), `no refusal said: ${JSON.stringify(said)}`);
    const without = web.difference(readPpm(leftOut), picture);
    console.log(`${ENGINE}, ${name}, the call left out: mean difference ${without.mean.toFixed(3)}`);
    assert.ok(asMesaDraws(without), JSON.stringify(without));
    assert.ok(!asMesaDraws(web.difference(readPpm(file), picture)),
              'the scene draws the same with the call as without it');
  });
});
