// What the page says when it cannot show the room: never a blank canvas.
'use strict';

const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const web = require('./support.cjs');

const browsers = [];
after(async () => {
  for (const browser of browsers) await browser.close();
});

async function failure({ serving = {}, chromium = [] } = {}) {
  const server = await web.serve(serving);
  const browser = await web.launch(chromium);
  browsers.push(browser);
  const { page, close } = await web.open(browser, server.url);
  await web.started(page);
  const said = { state: await page.evaluate(() => window.vellmoor.state),
                 status: await page.evaluate(() => window.vellmoor.status),
                 text: await page.locator('#message').innerText(),
                 shown: await page.locator('#message').isVisible() };
  await close();
  await server.close();
  return said;
}

test('a data file that does not load is named with the server\'s answer', async () => {
  const said = await failure({ serving: { missing: ['vellmoor.data'] } });
  assert.equal(said.state, 'failed');
  assert.ok(said.shown);
  assert.match(said.text, /Could not load vellmoor\.data: the server answered 404/);
});

test('a texture that cannot be read gives the program\'s own message and status 1', async () => {
  // The data file starts with oxy02.tga; image type 10 is run-length coded.
  const said = await failure({ serving: { alter: { 'vellmoor.data': (bytes) => {
    bytes[2] = 10;
    return bytes;
  } } } });
  assert.equal(said.state, 'failed');
  assert.equal(said.status, 1);
  assert.match(said.text, /vellmoor: cannot load texture file 'oxy02\.tga'/);
  assert.match(said.text, /exit status 1/);
});

test('a browser without WebGL 2 is told so', async () => {
  const said = await failure({ chromium: ['--disable-webgl2'] });
  assert.equal(said.state, 'failed');
  assert.match(said.text, /no WebGL 2/);
});
