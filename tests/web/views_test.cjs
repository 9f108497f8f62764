// The room in the browser against the desktop program's pictures of the
// same five views (tests/visual/reference, drawn by Mesa), and against
// itself drawn with every batch whole and every light that is on: leaving
// out what the view cannot see and the spot lights that cannot reach changes
// no pixel.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const web = require('./support.cjs');

const VIEWS = ['start', 'square', 'bar', 'glassware', 'overview'];

let server;
let browser;
let page;
before(async () => {
  server = await web.serve();
  browser = await web.launch();
  ({ page } = await web.open(browser, server.url));
  await web.started(page);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

for (const view of VIEWS) {
  test(`the ${view} view is the desktop's`, async () => {
    const d = web.difference(web.reference(view), await web.picture(page, view));
    console.log(`${view}: mean difference ${d.mean.toFixed(3)}, ` +
                `${(100 * d.within).toFixed(2)} % of pixels within 24`);
    assert.ok(web.closeEnough(d), JSON.stringify(d));
  });
}

// The page's switch for culling and choosing lights per chunk (web/gl/chunks.h).
const chunkSelection = (on) => page.evaluate((value) => window.Module._vglSetChunkSelection(value), on);

for (const view of VIEWS) {
  test(`the ${view} view culled and selectively lit is the whole one, pixel for pixel`, async () => {
    const selected = await web.picture(page, view);
    let whole;
    try {
      await chunkSelection(0);
      whole = await web.picture(page, view);
    } finally {
      await chunkSelection(1);
    }
    let differing = 0;
    for (let i = 0; i < selected.data.length; i += 4) {
      if (selected.data.readUInt32LE(i) !== whole.data.readUInt32LE(i)) ++differing;
    }
    assert.equal(differing, 0, `${differing} pixels differ`);
  });
}
