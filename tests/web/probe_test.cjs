// OpenGL 1.1's lighting equation and flat shading in the browser, against
// colours worked out by hand for the scenes of probe/probe.cpp.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const web = require('./support.cjs');

let server;
let browser;
let page;
before(async () => {
  server = await web.serve({ root: path.join(web.site, '..', 'probe') });
  browser = await web.launch();
  ({ page } = await web.open(browser, server.url));
  await page.waitForFunction(() => window.probeReady === true);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

async function colour(scene) {
  const rgb = await page.evaluate((n) => window.Module._probe(n), scene);
  return [rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255];
}

function near(actual, expected) {
  assert.ok(actual.every((value, i) => Math.abs(value - expected[i]) <= 1),
            `${actual} is not ${expected}`);
}

// Straight on, 2 away: N.L = N.H = 1, the spot factor 1^2 and attenuation
// 1 / (1 + 0.5 * 2 + 0.25 * 4) = 1/3. Red: emission 0.05 + scene 0.2 * 0.5
// + (0.3 * 0.5 + 0.6 * 0.8 + 0.9 * 0.5) / 3 = 0.51, so 130; green 0.38 (97);
// blue 0.34 (87).
test('a spot light that fades with distance lights a face as OpenGL 1.1 says', async () => {
  near(await colour(0), [130, 97, 87]);
});

// Outside the cone the light adds nothing, its ambient share included:
// 0.05 + 0.1 = 0.15 red (38), 0.1 green and blue (26).
test('outside its cone a spot light adds nothing', async () => {
  near(await colour(1), [38, 26, 26]);
});

// The back face, turned to the light, has the back diffuse (0.2, 0.4, 0.8):
// red 0.15 + (0.15 + 0.12 + 0.45) / 3 = 0.39 (99), green 0.38 (97), blue
// 0.1 + (0.15 + 0.48 + 0.45) / 3 = 0.46 (117).
test('a back face is lit with the back material and the reversed normal', async () => {
  near(await colour(2), [99, 97, 117]);
});

// Red, green, blue, white at the four corners: a flat quad is the colour of
// its last vertex, a flat polygon of its first.
test('flat shading takes a quad\'s last vertex and a polygon\'s first', async () => {
  assert.deepEqual(await colour(3), [255, 255, 255]);
  assert.deepEqual(await colour(4), [255, 0, 0]);
});

// What OpenGL leaves to the implementation is the WebGL context's own: its
// buffers' bits, subpixel bits and largest viewport and texture (WebGL's
// enumerants are OpenGL's).
test('the window\'s bits and limits are those of the browser\'s context', async () => {
  const answers = await page.evaluate(() => {
    const gl = window.Module.canvas.getContext('webgl2');
    const layer = (name, index) => window.Module._stateInteger(gl[name], index);
    const names = ['RED_BITS', 'GREEN_BITS', 'BLUE_BITS', 'ALPHA_BITS', 'DEPTH_BITS',
                   'STENCIL_BITS', 'SUBPIXEL_BITS', 'MAX_TEXTURE_SIZE'];
    const viewport = gl.getParameter(gl.MAX_VIEWPORT_DIMS);
    return names.map((name) => [name, layer(name, 0), gl.getParameter(gl[name])]).concat(
      [0, 1].map((i) => [`MAX_VIEWPORT_DIMS ${i}`, layer('MAX_VIEWPORT_DIMS', i), viewport[i]]));
  });
  for (const [name, layer, context] of answers) {
    assert.equal(layer, context, name);
  }
});

// Where Mesa departs from OpenGL 1.1 the page follows OpenGL: Mesa makes a
// float of a byte u as u times 1/255 in single precision, at times a unit in
// the last place above u/255, so floats are compared within one; and it
// converts luminance, a sum, to 32-bit integers through a float, where 1
// overflows (to 0, or the least integer), so those are left out.
function departs(name) {
  return /LUMINANCE.* GL_(UNSIGNED_)?INT$/.test(name);
}
function same(name, mesa, ours) {
  if (mesa === ours || !/GL_FLOAT$/.test(name)) return mesa === ours;
  const words = (hex) => hex.match(/.{8}/g).map((word) => {
    const bytes = word.match(/../g);
    return parseInt((/swapped/.test(name) ? bytes : bytes.reverse()).join(''), 16);
  });
  const ourWords = words(ours);
  return words(mesa).every((word, i) => Math.abs(word - ourWords[i]) <= 1);
}

// glReadPixels in every colour format and type, with pack settings and
// pixel transfers, writes what Mesa writes, byte for byte.
test('pixels read back in every format and type are as Mesa reads them', async () => {
  const reference = execFileSync(process.env.VELLMOOR_READ_BACK_REFERENCE, { encoding: 'utf8' })
    .trim().split('\n').map((line) => line.split('\t'));
  const read = await page.evaluate(() => {
    const cases = [];
    for (let i = 0; i < window.Module._readBackCases(); ++i) {
      const at = window.Module._readBackCase(i);
      cases.push(Array.from(window.Module.HEAPU8.subarray(at, at + 256),
                            (b) => b.toString(16).padStart(2, '0')).join(''));
    }
    return cases;
  });
  assert.equal(read.length, reference.length);
  const differing = reference.map(([name, bytes], i) => [name, bytes, read[i]])
    .filter(([name, bytes, ours]) => !departs(name) && !same(name, bytes, ours))
    .map(([name, bytes, ours]) => `${name}: Mesa ${bytes.slice(0, 64)}, the page ${ours.slice(0, 64)}`);
  assert.deepEqual(differing, []);
});
