// The page as assistive technology meets it: the accessibility tree's names
// and live region, buttons pressed by a plain click, and the focus outline.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const web = require('./support.cjs');

const shared = web.servedSite();

// The accessibility tree's nodes that are not ignored, each with its role,
// name, properties by name, and parent (`up`).
async function accessibilityTree(page) {
  const session = await page.context().newCDPSession(page);
  const { nodes } = await session.send('Accessibility.getFullAXTree');
  const byId = new Map(nodes.map((node) => [node.nodeId, {
    role: node.role?.value,
    name: node.name?.value || '',
    properties: Object.fromEntries((node.properties || []).map((p) => [p.name, p.value.value])),
    up: () => byId.get(node.parentId),
  }]));
  return nodes.filter((node) => !node.ignored).map((node) => byId.get(node.nodeId));
}

test('the tree names what each key does and the progress bar, and the lamps warning is announced', async () => {
  // Held at the data's download, so the loading message stays.
  const context = await shared.browser.newContext();
  shared.opened.push(context);
  const page = await context.newPage();
  await web.holdData(page);
  await page.goto(shared.url);
  await page.waitForFunction(() => document.getElementById('flashing').textContent !== '');
  const tree = await accessibilityTree(page);

  const keys = await page.$$eval('#keys button, #end', (buttons) => buttons.map((b) => b.textContent));
  const named = tree.filter((node) => node.role === 'button').map((node) => node.name);
  for (const key of keys) {
    assert.ok(named.some((name) => new RegExp(`^\\w[\\w -]+, ${key}$`).test(name)),
              `no button says what ${key} does: ${named}`);
  }
  assert.ok(tree.some((node) => node.role === 'progressbar' && node.name.trim()), 'progress bar named');

  // The warning is in a live region, which held no text when the page came.
  const said = await page.locator('#flashing').textContent();
  const warning = tree.find((node) => node.role === 'StaticText' && node.name === said);
  let region = warning;
  while (region && !['polite', 'assertive'].includes(region.properties.live)) region = region.up();
  assert.ok(region, 'the warning is in no live region');
  const { page: bare } = await shared.open({ script: false });
  assert.equal(await bare.locator('#flashing').textContent(), '');
});

test('a plain click on a key acts once, as a tap does; the outline shows for the keyboard only', async () => {
  const { page } = await shared.open({ touch: true });
  await web.started(page);
  const outline = () => page.$eval('#canvas', (canvas) => [document.activeElement === canvas,
                                                          getComputedStyle(canvas).outlineStyle]);
  assert.deepEqual(await outline(), [true, 'none'], 'focused at start, with no outline');

  const z = async () => Math.round((await web.camera(page)).eyeZ);
  const start = await z();
  const w = page.locator('#keys button[data-key="w"]');
  const presses = [
    ['a click from a screen reader or a switch', () => w.evaluate((button) => button.click())],
    ['a mouse click', () => w.click()],
    ['a tap', () => w.tap()],
    ['Enter on the focused key', () => w.press('Enter')],
    ['Space on the focused key', () => w.press(' ')],
  ];
  for (const [index, [how, press]] of presses.entries()) {
    await press();
    await web.until(`one step for ${how}`, z, (now) => now === start - index - 1);
  }

  await page.locator('#keys button').first().focus();
  await page.keyboard.press('Shift+Tab');
  await web.until('the canvas focused with its outline, for the keyboard', outline,
                  ([focused, style]) => focused && style === 'solid');
});
