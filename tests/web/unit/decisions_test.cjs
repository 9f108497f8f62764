// What the page and its worker decide, without a browser: the cause each
// download is told, the watchdog, keys and the buttons' holds, the way the
// picture is shown whole, the drawing buffer's size, and what the worker
// keeps and answers.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const decide = require(path.join(__dirname, '../../../site/page/decisions.js'));

const HASH = 'ab'.repeat(32);
const OTHER = 'cd'.repeat(32);

test('the program files are read from what the build wrote, anything malformed left out', () => {
  assert.deepEqual(decide.programFiles(`vellmoor.js=120:${HASH}  vellmoor.data=7:${OTHER}\n`),
                   { 'vellmoor.js': { size: 120, hash: HASH }, 'vellmoor.data': { size: 7, hash: OTHER } });
  assert.deepEqual(decide.programFiles(`a=0:${HASH} b=-1:${HASH} c=5:${HASH.slice(1)} d=5:${HASH.toUpperCase()} ` +
                                       `e=x:${HASH} f=5:${HASH}0`), {});
  assert.deepEqual(decide.programFiles(''), {});
  assert.equal(decide.versioned('vellmoor.wasm', { size: 1, hash: HASH }), `vellmoor.wasm?v=${HASH}`);
  assert.equal(decide.versioned('vellmoor.wasm', undefined), 'vellmoor.wasm');
});

test('a server that did not give a file: missing for 404 and 410 only; a folder without its slash', () => {
  assert.deepEqual([404, 410, 403, 500, 200].map(decide.notGivenCause),
                   ['missing', 'missing', 'refused', 'refused', 'refused']);
  assert.equal(decide.lacksClosingSlash('/games/vellmoor'), true);
  for (const pathname of ['/games/vellmoor/', '/', '/games/index.html', '']) {
    assert.equal(decide.lacksClosingSlash(pathname), false, pathname);
  }
});

test('each whole answer is told by its cause, in the order the page tells them', () => {
  const file = { size: 1000, hash: HASH };
  const came = (facts, name = 'vellmoor.data', expected = file) => decide.whatCame(name, expected, {
    start: 'DATA', magic: '0061736d', type: 'application/octet-stream', encoding: null, length: null,
    received: 1000, canHash: true, ...facts });
  // The file of the size expected: its hash decides, or, without SHA-256, the size alone.
  assert.equal(came({ length: '1000' }), 'check hash');
  assert.equal(came({ canHash: false }), 'whole');
  // A host's web page, by its text or its type, before anything else.
  assert.equal(came({ start: '\n  <!DOCTYPE html>', received: 10 }), 'web page');
  assert.equal(came({ start: '<HTML>' }), 'web page');
  assert.equal(came({ type: 'text/html; charset=utf-8', magic: '3c21' }, 'vellmoor.wasm'), 'web page');
  assert.equal(came({ type: 'application/xhtml+xml' }), 'check hash');
  // Not WebAssembly: only the wasm is held to its magic number.
  assert.equal(came({ magic: '0061736e' }, 'vellmoor.wasm'), 'not WebAssembly');
  assert.equal(came({ magic: '0061736d' }, 'vellmoor.wasm'), 'check hash');
  assert.equal(came({ magic: '00000000' }, 'vellmoor.data'), 'check hash');
  assert.equal(came({ magic: '00000000' }, 'vellmoor.wasm', null), 'not WebAssembly');
  // A file the page knows nothing of is taken as it comes.
  assert.equal(came({ received: 3 }, 'vellmoor.js', null), 'whole');
  // Shorter than the build's: broken off, unless the server's own length says
  // all of it came, when it is a whole file of another build.
  assert.equal(came({ received: 999 }), 'broke off');
  assert.equal(came({ received: 500, length: '1000' }), 'broke off');
  assert.equal(came({ received: 500, length: '500' }), 'another build');
  assert.equal(came({ received: 500, length: '500', canHash: false }), 'another build');
  // A compressed answer's length is not the file's.
  assert.equal(came({ received: 500, length: '500', encoding: 'gzip' }), 'broke off');
  assert.equal(came({ received: 0, length: '0' }), 'another build');
  // Longer than the build's: another build, whatever the server says.
  assert.equal(came({ received: 1001, length: '1001' }), 'another build');
  assert.equal(came({ received: 1001 }), 'another build');
});

test('the watchdog fires only past the limit since the last progress, and says what was waited for', () => {
  const watch = decide.watchdog(1000);
  assert.equal(watch.stalledFor(1500, 500), null, 'at the limit');
  assert.equal(watch.stalledFor(1501, 500), 501);
  watch.progressed(1400);
  assert.equal(watch.stalledFor(1900, 500), null);
  assert.equal(watch.stalledFor(2000, 500), 600);
  assert.equal(watch.stalledFor(2000, 30000), null, 'the limit is read at each look');

  const loading = { 'vellmoor.wasm': { received: 10, size: 20, done: true },
                    'vellmoor.data': { received: 5, size: 9, done: false } };
  assert.deepEqual(decide.stalledOn(loading, 'vellmoor.js'), { file: 'vellmoor.data', received: 5, size: 9 });
  loading['vellmoor.data'].done = true;
  assert.deepEqual(decide.stalledOn(loading, 'vellmoor.js'), { script: 'vellmoor.js' });
  assert.deepEqual(decide.stalledOn(loading, null), { program: true });
  assert.deepEqual(decide.stalledOn({}, null), { program: true });
});

test('keys: letters where they sit, Shift upper case, a few named keys, no shortcuts', () => {
  const code = (key, more = {}) => decide.keyCode({ key, code: '', ...more });
  assert.equal(code('z', { code: 'KeyW' }), 'w'.charCodeAt(0), 'a French keyboard\'s Z key is w');
  assert.equal(code('W', { code: 'KeyW', shiftKey: true }), 'W'.charCodeAt(0));
  assert.equal(code('W', { code: 'KeyW' }), 'w'.charCodeAt(0), 'Caps Lock');
  assert.equal(code('Escape'), decide.ESCAPE);
  assert.equal(code('Escape', { ctrlKey: true }), 27);
  for (const modifier of ['ctrlKey', 'metaKey', 'altKey']) {
    assert.equal(code('w', { code: 'KeyW', [modifier]: true }), null, modifier);
  }
  assert.deepEqual(['Enter', 'Backspace', 'Delete', '1', ' ', 'ÿ', 'Ā', 'Shift', 'ArrowUp'].map((key) => code(key)),
                   [13, 8, 127, 49, 32, 255, null, null, null]);
  assert.equal(code('q', { code: 'Digit1' }), 'q'.charCodeAt(0), 'not a letter\'s place: the key itself');
  assert.equal(code('1', { code: undefined }), 49);

  const capsLock = (key, code, shiftKey = false) => decide.showsCapsLock({ key, code, shiftKey });
  assert.deepEqual([capsLock('W', 'KeyW'), capsLock('Z', 'KeyW'), capsLock('W', 'KeyW', true), capsLock('w', 'KeyW'),
                    capsLock('Enter', 'Enter'), capsLock('!', 'Digit1'), capsLock('Ä', 'Quote'), capsLock('Dead', 'KeyE')],
                   [true, true, false, false, false, false, false, false]);
  assert.deepEqual([[' ', true], ['Enter', true], ['w', true], [' ', false], ['Enter', false]]
    .map(([key, onButton]) => decide.pressesButton(key, onButton)), [true, true, false, false, false]);
});

test('a key button: the press acts at once, its click is the same press, a late or lone click is one of its own', () => {
  const hold = decide.keyHold();
  assert.equal(hold.held(), false);
  assert.deepEqual(hold.down(true), { takeFocus: false });
  assert.equal(hold.held(), true);
  assert.equal(hold.click(100), false, 'the click while held is the press');
  hold.letGo(100);
  assert.equal(hold.held(), false);
  assert.equal(hold.click(100 + decide.CLICK_OF_A_PRESS_MS - 1), false, 'the click as the press ends');
  assert.equal(hold.click(100 + decide.CLICK_OF_A_PRESS_MS - 1), true, 'a second click presses');
  hold.down(true);
  hold.letGo(1000);
  assert.equal(hold.click(1000 + decide.CLICK_OF_A_PRESS_MS), true, 'a click that comes late presses');
  assert.equal(decide.keyHold().click(0), true, 'a click with no press (a screen reader) presses');
  // Letting go of a key not held does not make the next click part of a press.
  const idle = decide.keyHold();
  idle.letGo(0);
  assert.equal(idle.click(1), true);
  // In a document without the focus (a frame not clicked yet) the page takes it.
  assert.deepEqual(decide.keyHold().down(false), { takeFocus: true });
  assert.ok(decide.REPEAT_DELAY_MS > decide.REPEAT_MS && decide.REPEAT_MS > 0);
  assert.ok(decide.CLICK_OF_A_PRESS_MS > 0);
});

test('held keys are let go when the window loses the focus or the page is hidden, not when it shows', () => {
  assert.deepEqual(decide.LET_GO_ON, { window: ['blur'], document: ['visibilitychange'] });
  assert.equal(decide.letsGo('blur', false), true);
  assert.equal(decide.letsGo('visibilitychange', true), true);
  assert.equal(decide.letsGo('visibilitychange', false), false);
  assert.equal(decide.letsGo('focus', true), false);
});

test('the picture whole: full screen where it is there and allowed, else the window filled', () => {
  const way = (parts) => decide.wholeWay({ hasRequest: true, standard: true, enabled: true, ...parts });
  assert.equal(way({}), 'full screen');
  assert.equal(way({ enabled: false }), 'fill', 'a frame not allowed full screen');
  assert.equal(way({ hasRequest: false }), 'fill', 'no full screen at all (iPhone Safari)');
  assert.equal(way({ standard: false, enabled: undefined, webkitEnabled: true }), 'full screen', 'prefixed');
  assert.equal(way({ standard: false, enabled: undefined, webkitEnabled: false }), 'fill');
  assert.equal(way({ standard: false, enabled: false, webkitEnabled: undefined }), 'full screen',
               'neither told: tried, and filled if refused');
  assert.equal(way({ standard: true, enabled: false, webkitEnabled: true }), 'fill', 'the standard one decides');
  assert.deepEqual([[true, false, 'full screen'], [true, true, 'fill'], [false, true, 'fill'],
                    [false, false, 'full screen'], [false, false, 'fill']]
    .map(([filled, fullscreen, how]) => decide.wholeLabel(filled, fullscreen, how)),
                   ['Back to the page', 'Back to the page', 'Leave full screen', 'Full screen', 'Fill the window']);
});

test('the drawing buffer follows the screen\'s ratio up to 2 and 4096 a side; nothing for no layout', () => {
  assert.deepEqual(decide.drawingSize(600, 400, 1), [600, 400]);
  assert.deepEqual(decide.drawingSize(600, 400, 1.5), [900, 600]);
  assert.deepEqual(decide.drawingSize(600, 400, 3), [1200, 800]);
  assert.deepEqual(decide.drawingSize(600, 400, undefined), [600, 400]);
  assert.deepEqual(decide.drawingSize(3000, 1000, 2), [4096, 1365]);
  assert.deepEqual(decide.drawingSize(1000, 3000, 2), [1365, 4096]);
  assert.deepEqual(decide.drawingSize(1, 1, 0.25), [1, 1]);
  assert.deepEqual(decide.drawingSize(100.4, 50.6, 1), [100, 51]);
  assert.equal(decide.drawingSize(0.5, 400, 1), null);
  assert.equal(decide.drawingSize(600, 0, 1), null);
  assert.deepEqual(decide.drawingSize(1, 1, 1), [1, 1]);
});

test('the worker keeps the build\'s files, answers only its own requests, and deletes other builds\' caches', () => {
  const hashes = decide.keptHashes(`page.js=${HASH} vellmoor.wasm=${OTHER}`);
  assert.deepEqual(hashes, { 'page.js': HASH, 'vellmoor.wasm': OTHER });
  assert.deepEqual(decide.keptHashes(''), {});
  const files = ['index.html', ...Object.keys(hashes)];
  const scope = 'https://example.org/games/vellmoor/';
  const name = (url, method = 'GET') => decide.keptName(method, url, scope, files);
  assert.equal(name(scope), 'index.html');
  assert.equal(name(`${scope}?view=bar`), 'index.html');
  assert.equal(name(`${scope}index.html`), 'index.html');
  assert.equal(name(`${scope}page.js?v=${HASH}`), 'page.js');
  assert.equal(name(`${scope}page.js`, 'POST'), null);
  assert.equal(name(`${scope}other.js`), null);
  assert.equal(name(`${scope}sub/page.js`), null);
  assert.equal(name('https://example.org/games/page.js'), null, 'outside the scope');
  assert.equal(name('https://example.com/games/vellmoor/page.js'), null, 'another origin');

  assert.equal(decide.answerFor('index.html', 'navigate', null, hashes), 'network first');
  assert.equal(decide.answerFor('page.js', 'no-cors', HASH, hashes), 'kept');
  assert.equal(decide.answerFor('page.js', 'cors', null, hashes), 'kept');
  assert.equal(decide.answerFor('page.js', 'cors', OTHER, hashes), null, 'another build\'s file');
  assert.equal(decide.answerFor('index.html', 'cors', '', hashes), null);

  assert.equal(decide.ofThisBuild('index.html', { text: '<meta content="0123abcd">', sha256: '' }, '0123abcd', hashes), true);
  assert.equal(decide.ofThisBuild('index.html', { text: '<meta content="4567">', sha256: '' }, '0123abcd', hashes), false);
  assert.equal(decide.ofThisBuild('page.js', { text: '', sha256: HASH }, '0123abcd', hashes), true);
  assert.equal(decide.ofThisBuild('page.js', { text: '0123abcd', sha256: OTHER }, '0123abcd', hashes), false);

  assert.deepEqual(decide.oldCaches(['vellmoor-a', 'vellmoor-b', 'other-a', 'xvellmoor-c'], 'vellmoor-', 'vellmoor-b'),
                   ['vellmoor-a']);
  assert.deepEqual(decide.UNKEPT_HEADERS.map((header) => header.toLowerCase()).sort(),
                   ['content-encoding', 'content-length', 'transfer-encoding']);
});
