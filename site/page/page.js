// Starts Vellmoor in the page: loads the program and its data, hands it the
// keyboard, pointer, touch and size of the canvas as GLUT would, and says in
// the page what happens when it cannot start or when it ends.
'use strict';

(function (decide) {
  const ESCAPE = decide.ESCAPE;
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const message = document.getElementById('message');
  const messageText = document.getElementById('message-text');
  const progress = document.getElementById('progress');
  const player = document.getElementById('player');
  const notice = document.getElementById('notice');
  const errors = [];
  const pointer = {x: 0, y: 0};
  let program = null;  // the running program's module
  let resolveReady;
  const page = {
    state: 'loading',  // then running (paused while the context is lost), ended or failed
    status: null,      // the program's exit status once it has ended
    ready: new Promise((resolve) => { resolveReady = resolve; }),
  };
  window.vellmoor = page;

  function say(text, state) {
    page.state = state;
    message.className = state;
    messageText.textContent = text;
    message.hidden = false;
  }

  function fail(text) {
    if (page.state === 'failed' || page.state === 'ended') return;
    say(text, 'failed');
    resolveReady();
  }

  function ended(status) {
    page.status = status;
    if (status === 0) {
      say('The walk-through has ended. Reload the page to start it again.', 'ended');
    } else {
      const said = errors.length ? errors.join('\n') + '\n' : '';
      say(said + 'The walk-through could not go on (exit status ' + status + '). ' +
          'Reload the page to try again.', 'failed');
    }
    resolveReady();
  }

  function isExit(error) {
    return error && (error.name === 'ExitStatus' || error === 'unwind');
  }

  // Calls into the program; an exit() on the way is the end of the walk-through.
  function call(entry, ...args) {
    if (page.state !== 'running') return undefined;
    try {
      return program[entry](...args);
    } catch (error) {
      if (!isExit(error)) throw error;
      return undefined;
    }
  }

  function hasWebGL2() {
    try {
      return Boolean(document.createElement('canvas').getContext('webgl2'));
    } catch (error) {
      return false;
    }
  }

  // --- Loading --------------------------------------------------------------

  // What the build wrote into the page about the program's files: for each,
  // its decoded size and its SHA-256, by which the page asks for it
  // (file?v=SHA-256, so no cache on the way can answer with another build's
  // copy) and checks what came.
  function programFiles() {
    const meta = document.querySelector('meta[name="vellmoor-files"]');
    return decide.programFiles(meta ? meta.content : '');
  }
  const versioned = decide.versioned;

  function megabytes(bytes) {
    return (bytes / 1e6).toFixed(1) + ' MB';
  }

  function hex(buffer) {
    return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
  }

  function base64(hexDigits) {
    return btoa(String.fromCharCode(...hexDigits.match(/../g).map((pair) => parseInt(pair, 16))));
  }

  // What the site's Content-Security-Policy has refused so far: the browser
  // reports each refusal as an event, a moment after the call it refused.
  const refusals = [];
  document.addEventListener('securitypolicyviolation', (event) => refusals.push(event));
  const REQUIRED_POLICY = 'default-src \'self\'; script-src \'self\' \'wasm-unsafe-eval\'';

  // The sentence for the policy's refusal of a file of the site by its name,
  // or of compiling WebAssembly ('wasm-eval'); null if it refused neither.
  function refusedByPolicy(name) {
    const refusal = refusals.find((event) => event.blockedURI === name ||
                                  event.blockedURI.split('?')[0].endsWith('/' + name));
    if (!refusal) return null;
    const refused = name === 'wasm-eval' ? 'run WebAssembly, so the room cannot start: its ' +
      'script-src needs \'wasm-unsafe-eval\'' : 'load ' + name + ' (' + refusal.effectiveDirective +
      '), so the room cannot start: the policy it needs is ' + REQUIRED_POLICY;
    return 'This site\'s Content-Security-Policy does not let the page ' + refused + '.';
  }
  const nextTask = () => new Promise((resolve) => setTimeout(resolve));

  // Under a Content-Security-Policy that requires Trusted Types, the page's
  // own scripts are named through a policy that lets by only them.
  let scriptPolicy = null;
  function trustedScriptURL(url) {
    if (!window.trustedTypes) return url;
    try {
      scriptPolicy = scriptPolicy || window.trustedTypes.createPolicy('vellmoor', {
        createScriptURL: (asked) => {
          if (!/^(vellmoor|service-worker)\.js(\?v=[0-9a-f]{64})?$/.test(asked)) throw new TypeError(asked);
          return asked;
        },
      });
    } catch (error) {
      return url;  // names refused; fine unless Trusted Types are required, which the sink says
    }
    return scriptPolicy.createScriptURL(url);
  }
  const TRUSTED_TYPES_REFUSED = 'This site\'s Content-Security-Policy requires Trusted Types but ' +
    'allows no policy named vellmoor, so the page cannot load its program: its trusted-types ' +
    'directive needs vellmoor.';

  // An address that ends in a folder's name without its slash makes every
  // file of the site be looked for in the folder above.
  function slashAdvice() {
    return decide.lacksClosingSlash(location.pathname) ?
      ' (or open ' + location.origin + location.pathname + '/, since this address lacks its closing /)' : '';
  }

  // The sentence for a file the server did not give, from its answer.
  function notGiven(name, response) {
    if (decide.notGivenCause(response.status) === 'missing') {
      return 'Could not load ' + name + ': the server does not have it (' + response.status +
             '), so every file of the site must be copied to its folder' + slashAdvice() + '.';
    }
    return 'Could not load ' + name + ': the server answered ' + response.status +
           (response.statusText ? ' ' + response.statusText : '') +
           '; reloading the page tries again once the server is well.';
  }

  // The sentence for a whole answer that is not the file this page expects,
  // or null if it is: told from its first bytes, its length against the
  // server's and the build's, and its SHA-256.
  async function mismatch(name, file, response, bytes) {
    const cause = decide.whatCame(name, file, {
      start: new TextDecoder().decode(bytes.subarray(0, 64)),
      magic: hex(bytes.subarray(0, 4)),
      type: response.headers.get('Content-Type'),
      encoding: response.headers.get('Content-Encoding'),
      length: response.headers.get('Content-Length'),
      received: bytes.length,
      canHash: Boolean(window.crypto.subtle),
    });
    if (cause === 'web page') {
      return 'Could not load ' + name + ': the server sent a web page in its place' +
             (response.redirected ? ' (after sending the page on to ' + response.url + ')' : '') +
             ', as hosts do for a file they do not have, so every file of the site must be copied ' +
             'to its folder' + slashAdvice() + '.';
    }
    if (cause === 'not WebAssembly') {
      return 'Could not load ' + name + ': what the server sent is not WebAssembly, so the file ' +
             'was changed on its way there (a text-mode FTP upload does that) and must be copied ' +
             'again as binary.';
    }
    if (cause === 'broke off') {
      return 'Could not load ' + name + ': the download broke off after ' + megabytes(bytes.length) +
             ' of ' + megabytes(file.size) + ' (the server closed the connection); reloading the ' +
             'page tries again.';
    }
    if (cause === 'whole') return null;
    if (cause === 'check hash' && hex(await window.crypto.subtle.digest('SHA-256', bytes)) === file.hash) {
      return null;
    }
    return fromAnotherBuild(name);
  }

  function fromAnotherBuild(name) {
    return name + ' on the server is from another build than this page, as when a new build ' +
           'is still being copied there, so the room can start only once all of one build\'s ' +
           'files are on the server.';
  }

  // No stage of the start waits for ever: each download, the program's
  // script and the start itself report their progress, and the watchdog
  // ends a start that has made none for `testing.stallLimit` milliseconds,
  // telling what it was waiting for.
  const STALL_LIMIT = 30000;
  const loading = {};  // name -> {received, size, done}, for each download
  let watched = null;  // the start's watchdog, once it is watched
  let waitingFor = null;  // besides the downloads: vellmoor.js, or null for the program
  function progressed() {
    if (watched) watched.progressed(performance.now());
  }
  function stalledSentence(seconds) {
    const on = decide.stalledOn(loading, waitingFor);
    if (on.file) {
      const {file: unfinished, received, size} = on;
      return 'Could not load ' + unfinished + ': nothing more has come for ' + seconds + ' s, after ' +
             megabytes(received) + (size ? ' of ' + megabytes(size) : '') + ', so the network or ' +
             'the server has stalled; reloading the page tries again.';
    }
    if (on.script) {
      return 'Could not load vellmoor.js: it has not come in ' + seconds + ' s, so the network or ' +
             'the server has stalled; reloading the page tries again.';
    }
    return 'The program has not started in ' + seconds + ' s after its files came, so the ' +
           'browser has stalled; reloading the page tries again.';
  }
  function watchTheStart() {
    watched = decide.watchdog(performance.now());
    const watchdog = setInterval(() => {
      if (page.state !== 'loading') {
        clearInterval(watchdog);
        return;
      }
      const idle = watched.stalledFor(performance.now(), page.testing.stallLimit);
      if (idle !== null) fail(stalledSentence(Math.round(idle / 1000)));
    }, 250);
  }

  // A file of the site, collected from the stream as it arrives; `received`
  // hears of every chunk's decoded length. Throws an error whose message is
  // the sentence that names what went wrong.
  async function fetchFile(name, file, received, cache = 'no-cache') {
    const status = loading[name] = {received: 0, size: file ? file.size : 0, done: false};
    let response;
    try {
      response = await fetch(versioned(name, file), {cache});
    } catch (error) {
      await nextTask();
      throw new Error(refusedByPolicy(name) || 'Could not load ' + name + ': the server could not be ' +
                      'reached (' + error.message + '); reloading the page tries again once the ' +
                      'network is back.');
    }
    if (!response.ok) throw new Error(notGiven(name, response));
    const reader = response.body.getReader();
    const chunks = [];
    for (;;) {
      let chunk;
      try {
        chunk = await reader.read();
      } catch (error) {
        throw new Error('Could not load ' + name + ': the download broke off after ' +
                        megabytes(status.received) + (file ? ' of ' + megabytes(file.size) : '') +
                        ' (' + error.message + '); reloading the page tries again.');
      }
      if (chunk.done) break;
      chunks.push(chunk.value);
      status.received += chunk.value.length;
      progressed();
      received(chunk.value.length);
    }
    const bytes = new Uint8Array(status.received);
    let offset = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, offset);
      offset += chunk.length;
    }
    const wrong = await mismatch(name, file, response, bytes);
    if (wrong) throw new Error(wrong);
    status.done = true;
    return bytes.buffer;
  }

  // The program's wasm and data at once, with the bar showing the share of
  // their bytes that has arrived (moving to and fro if their sizes are not
  // known).
  function fetchProgram(files) {
    const names = ['vellmoor.wasm', 'vellmoor.data'];
    const total = names.reduce((sum, name) => sum + (files[name] ? files[name].size : 0), 0);
    let arrived = 0;
    if (names.some((name) => !files[name])) progress.removeAttribute('value');
    const received = (bytes) => {
      arrived += bytes;
      if (progress.hasAttribute('value')) progress.value = Math.min(1, arrived / total);
    };
    return Promise.all(names.map((name) => fetchFile(name, files[name], received)));
  }

  // Once the room runs, the site is kept by the service worker, so that the
  // page starts again without a network and can be installed. Not sooner: its
  // copies would compete with the page's own downloads. A build that no
  // longer keeps the site registers nothing; its worker, which browsers that
  // kept an earlier build fetch by themselves, takes the old one away.
  function keepForOffline() {
    const worker = document.querySelector('meta[name="vellmoor-worker"]');
    if (!('serviceWorker' in navigator) || !window.isSecureContext ||
        (worker && worker.content !== 'keep')) return;
    Promise.resolve()
      .then(() => navigator.serviceWorker.register(trustedScriptURL('service-worker.js')))
      .catch((error) => console.warn('Vellmoor will not start without a network: ' + error.message));
  }

  // --- Input, as GLUT reports it ------------------------------------------

  function canvasPosition(clientX, clientY) {
    const box = canvas.getBoundingClientRect();
    return {
      x: Math.floor((clientX - box.left) * canvas.width / box.width),
      y: Math.floor((clientY - box.top) * canvas.height / box.height),
    };
  }

  function key(code) {
    call('_vglutKeyboard', code, pointer.x, pointer.y);
  }

  // Said once: letters come in upper case without Shift.
  let capsLockSaid = false;
  function noteCapsLock(event) {
    if (capsLockSaid || !decide.showsCapsLock(event)) return;
    capsLockSaid = true;
    tell('Caps Lock is on. The page takes the letter keys as lower case all the same; ' +
         'with Shift they do nothing.');
  }

  // The character the desktop's GLUT would give, or null (decide.keyCode).
  function keyCode(event) {
    const code = decide.keyCode(event);
    if (code !== null) noteCapsLock(event);
    return code;
  }

  // --- Focus ------------------------------------------------------------------

  // The page takes the focus for the canvas at start only when it is the
  // top-level document: embedded in another site's page, that would pull the
  // focus out of the page around it, whose reader may be typing into a form.
  // There the focus comes with the person's own click or tap on the picture
  // or on a key.
  const topLevel = window.top === window;

  // The focus the page moves itself shows its outline only after the
  // keyboard was used (a key pressed on a focused button, say): otherwise no
  // one asked to see it. Where the person moves it (Tab) the browser decides.
  let byKeyboard = false;
  document.addEventListener('keydown', () => { byKeyboard = true; }, true);
  document.addEventListener('pointerdown', () => { byKeyboard = false; }, true);
  function focusCanvas() {
    canvas.classList.toggle('quiet', !byKeyboard);
    canvas.focus({preventScroll: true});
  }
  canvas.addEventListener('blur', () => canvas.classList.remove('quiet'));
  canvas.addEventListener('pointerdown', focusCanvas);

  // Keys are heard wherever the focus is, except Space and Enter on a
  // button, which press it. With the picture filling the window the first
  // Esc only gives the page back, as the first one leaves full screen.
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && filled) {
      event.preventDefault();
      fillWindow(false);
      return;
    }
    if (page.state !== 'running') return;
    if (decide.pressesButton(event.key, Boolean(event.target.closest && event.target.closest('button')))) return;
    const code = keyCode(event);
    if (code === null) return;
    event.preventDefault();
    key(code);
  });

  canvas.addEventListener('mousemove', (event) => {
    if (event.buttons !== 0) return;  // motion with a button held is not passive
    const at = canvasPosition(event.clientX, event.clientY);
    pointer.x = at.x;
    pointer.y = at.y;
    call('_vglutPassiveMotion', at.x, at.y);
  });

  // A finger on the picture is the pointer without a button.
  function touch(event) {
    event.preventDefault();
    seeTouch();
    const finger = event.changedTouches[0];
    const at = canvasPosition(finger.clientX, finger.clientY);
    pointer.x = at.x;
    pointer.y = at.y;
    call('_vglutPassiveMotion', at.x, at.y);
  }
  canvas.addEventListener('touchstart', touch, {passive: false});
  canvas.addEventListener('touchmove', touch, {passive: false});

  // A touch screen shows the keys over the picture in full screen.
  function seeTouch() {
    player.classList.add('touch');
  }
  if (window.matchMedia('(pointer: coarse)').matches) seeTouch();
  document.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch') seeTouch();
  });

  // Keys held on the buttons. When the page loses the focus or is hidden no
  // pointerup may ever come (the finger lifts in another tab), so every held
  // key is let go then.
  const holds = [];  // [key, hold, stop] of each button
  function letGo(event) {
    if (decide.letsGo(event.type, document.hidden)) holds.forEach(([, , stop]) => stop());
  }
  decide.LET_GO_ON.window.forEach((type) => window.addEventListener(type, letGo));
  decide.LET_GO_ON.document.forEach((type) => document.addEventListener(type, letGo));

  // A button that sends a key: once a tap, repeating while held, as keys do.
  function keyButton(button, press) {
    const hold = decide.keyHold();
    let delay = null;
    let repeat = null;
    const stop = () => {
      clearTimeout(delay);
      clearInterval(repeat);
      delay = repeat = null;
      hold.letGo(performance.now());
    };
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();  // the focus stays where it is, if the page has it
      stop();
      if (hold.down(document.hasFocus()).takeFocus) focusCanvas();
      press();
      delay = setTimeout(() => { repeat = setInterval(press, decide.REPEAT_MS); }, decide.REPEAT_DELAY_MS);
    });
    ['pointerup', 'pointerleave', 'pointercancel', 'lostpointercapture'].forEach((type) => {
      button.addEventListener(type, stop);
    });
    button.addEventListener('click', () => {
      if (hold.click(performance.now())) press();
    });
    holds.push([button.dataset.key, hold, stop]);
  }
  document.querySelectorAll('#keys button').forEach((button) => {
    keyButton(button, () => key(button.dataset.key.charCodeAt(0)));
  });

  // The Esc button ends the walk-through at the second press: the first one
  // asks, for a few seconds, in the button itself.
  const endButton = document.getElementById('end');
  let endAsked = null;
  function askToEnd() {
    if (endAsked !== null) {
      clearTimeout(endAsked);
      key(ESCAPE);
      return;
    }
    const named = endButton.getAttribute('aria-label');
    endButton.textContent = 'End? Tap again';
    endButton.setAttribute('aria-label', endButton.textContent);
    endButton.classList.add('asking');
    endAsked = setTimeout(() => {
      endAsked = null;
      endButton.textContent = 'Esc';
      endButton.setAttribute('aria-label', named);
      endButton.classList.remove('asking');
    }, 4000);
  }
  endButton.addEventListener('click', askToEnd);

  // --- A few words over the picture ----------------------------------------

  let noticeTimer = null;
  function tell(text) {
    notice.textContent = text;
    notice.hidden = false;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { notice.hidden = true; }, 6000);
  }

  // --- Steady lamps ---------------------------------------------------------

  // The warning, written into the loading message (a live region) once the
  // page has been drawn: screen readers announce what changes in a live
  // region, not what it holds when it first appears.
  requestAnimationFrame(() => requestAnimationFrame(() => {
    document.getElementById('flashing').textContent =
      'Warning: the room has coloured spot lamps that flash many times a second. ' +
      '“Steady lamps” keeps them lit.';
  }));

  // On when asked for before, or, the first time, when the system asks for
  // reduced motion.
  const steadyButton = document.getElementById('steady');
  const STEADY_KEY = 'vellmoor.steadyLamps';
  function storedSteady() {
    try {
      const stored = localStorage.getItem(STEADY_KEY);
      if (stored !== null) return stored === 'on';
    } catch (error) {
      // storage refused: the system's setting decides
    }
    return window.matchMedia('(prefers-reduced-motion: reduce)').matches;
  }
  let steady = storedSteady();
  function applySteady() {
    steadyButton.setAttribute('aria-pressed', String(steady));
    call('_vellmoorSteadyLamps', steady ? 1 : 0);
  }
  steadyButton.addEventListener('click', () => {
    steady = !steady;
    try {
      localStorage.setItem(STEADY_KEY, steady ? 'on' : 'off');
    } catch (error) {
      // kept for this visit only
    }
    applySteady();
  });
  applySteady();

  // --- Size and full screen -------------------------------------------------

  // The drawing buffer has as many pixels as the screen shows, up to twice
  // the CSS size: past 2 the cost grows with the square of the ratio (9 times
  // the pixels of 1 at 3) for a difference hardly seen, and sides of at most
  // 4096 stay within every WebGL drawing-buffer limit.
  function resize() {
    const box = canvas.getBoundingClientRect();
    const size = decide.drawingSize(box.width, box.height, window.devicePixelRatio);
    if (!size) return;
    const [width, height] = size;
    if (canvas.width === width && canvas.height === height) return;
    canvas.width = width;
    canvas.height = height;
    call('_vglutReshape', width, height);
  }
  new ResizeObserver(resize).observe(canvas);
  // A change of ratio (zoom, another screen) need not change the CSS size.
  function watchRatio() {
    window.matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)')
      .addEventListener('change', () => {
        resize();
        watchRatio();
      }, {once: true});
  }
  watchRatio();

  // The picture whole: in element full screen where the browser has it, by
  // the standard call or WebKit's prefixed one (older iPad Safari); where it
  // has none (iPhone Safari), or may not use it here (a frame not allowed
  // full screen), or refuses it, the picture fills the window instead, with
  // the keys over it as in full screen. Browsers differ in which parts they
  // have, so each is looked for by itself, and none may throw.
  const fullscreenButton = document.getElementById('fullscreen');
  let filled = false;
  let whole = false;

  function fullscreenRequest() {
    const request = player.requestFullscreen || player.webkitRequestFullscreen;
    const way = decide.wholeWay({hasRequest: typeof request === 'function',
                                 standard: 'fullscreenEnabled' in document,
                                 enabled: document.fullscreenEnabled,
                                 webkitEnabled: document.webkitFullscreenEnabled});
    return way === 'full screen' ? request : null;
  }

  function fullscreenElement() {
    return document.fullscreenElement || document.webkitFullscreenElement || null;
  }

  // Calls a full-screen method, which may throw, return nothing, or return
  // a promise that is rejected later.
  function attempt(method, target, otherwise) {
    try {
      const result = method.call(target);
      if (result && typeof result.then === 'function') result.then(null, otherwise);
    } catch (error) {
      otherwise();
    }
  }

  function refused() {
    if (filled || fullscreenElement()) return;
    console.warn('Full screen was refused: the picture fills the window instead.');
    fillWindow(true);
  }

  function fillWindow(on) {
    filled = on;
    document.documentElement.classList.toggle('filled', on);
    showWhole();
  }

  function showWhole() {
    const now = filled || fullscreenElement() === player;
    player.classList.toggle('whole', now);
    fullscreenButton.textContent = decide.wholeLabel(filled, now, fullscreenRequest() ? 'full screen' : 'fill');
    if (now === whole) return;
    whole = now;
    if (now) {
      tell('The first Esc only ' + (filled ? 'gives the page back' : 'leaves full screen') +
           '; the next one ends the walk-through.');
    }
    resize();
    focusCanvas();
  }

  fullscreenButton.addEventListener('click', () => {
    if (filled) {
      fillWindow(false);
    } else if (fullscreenElement()) {
      const exit = document.exitFullscreen || document.webkitExitFullscreen;
      if (typeof exit === 'function') attempt(exit, document, () => {});
    } else if (fullscreenRequest()) {
      attempt(fullscreenRequest(), player, refused);
    } else {
      fillWindow(true);
    }
  });
  ['fullscreenchange', 'webkitfullscreenchange'].forEach((type) => {
    document.addEventListener(type, showWhole);
  });
  ['fullscreenerror', 'webkitfullscreenerror'].forEach((type) => {
    document.addEventListener(type, refused);
  });
  showWhole();

  // --- A lost picture -------------------------------------------------------

  // The renderer asks for the context back and rebuilds the room when it
  // comes (web/js/renderer.js); until then the picture is paused.
  canvas.addEventListener('webglcontextlost', () => {
    if (page.state !== 'running') return;
    say('The picture is paused: the browser took away its graphics context. It goes on ' +
        'by itself when the browser gives it back; if it does not, reloading the page starts ' +
        'the walk-through again.', 'paused');
  });
  canvas.addEventListener('webglcontextrestored', () => {
    if (page.state !== 'paused') return;
    page.state = 'running';
    message.hidden = true;
  });

  // --- Named views ----------------------------------------------------------

  const MAX_VIEW_NAME = 64;  // far longer than any view's name

  // Poses the room at a named view; false, and the page says so, if there is
  // no such view.
  function pose(view) {
    if (view.length <= MAX_VIEW_NAME && call('ccall', 'vellmoorPose', 'number', ['string'], [view])) {
      return true;
    }
    const names = call('ccall', 'vellmoorViewNames', 'string', [], []) || '';
    tell('There is no view of that name; the views are ' + names.split(' ').join(', ') + '.');
    return false;
  }

  // --- The testing surface --------------------------------------------------

  // What the page's tests and the benchmark use, and nothing else does but
  // ?view=; all of it is here:
  //   capture(view)  the room drawn now (from a named view, if given), as a
  //                  PNG data URL; throws for a view that does not exist
  //   pose(view)     the room from a named view, as ?view= gives it
  //   displayNow()   draws a frame now, outside the loop
  //   turn()         one turn of the loop now (idle, then display), unpaced
  //   frames()       {count, drawCalls, triangles, displayMs} of the frames drawn
  //   camera()       the camera's fields by the program's names (eyeX, yaw, ...)
  //   lamps()        the lit spot lamps, bit i for the i-th of lampColours()
  //   lampColours()  the spot lamps' colours, in the program's order
  //   windowSize()   [width, height] as the program's reshape was told
  //   held()         the keys held on the on-screen buttons now
  //   stallLimit     ms a start may go without progress before it is ended
  //                  (a test sets it lower, as the page starts)
  const namesFrom = (entry) => (call('ccall', entry, 'string', [], []) || '').split(' ');
  page.testing = {
    stallLimit: STALL_LIMIT,
    capture(view) {
      if (view && !pose(view)) throw new Error('There is no view called ' + view + '.');
      page.testing.displayNow();
      return canvas.toDataURL('image/png');
    },
    pose,
    displayNow: () => call('_vglutDisplayNow'),
    turn: () => call('_vglutTurn'),
    frames: () => (program && program.vellmoorFrames) || {count: 0, drawCalls: 0, displayMs: 0},
    camera: () => Object.fromEntries(namesFrom('vellmoorCameraFields')
      .map((field, i) => [field, call('_vellmoorCamera', i)])),
    lamps: () => call('_vellmoorLampsLit'),
    lampColours: () => namesFrom('vellmoorLampColours'),
    windowSize: () => [call('_vellmoorWindowSize', 0), call('_vellmoorWindowSize', 1)],
    held: () => holds.filter(([, hold]) => hold.held()).map(([key]) => key),
  };

  // --- Start ----------------------------------------------------------------

  // The first cause found is the one told.
  function failWith(error) {
    fail(error.message);
  }

  // The program's script, fetched beside the wasm and the data and run as
  // soon as it comes: its loader is handed a buffer for the data at once,
  // which is filled, and the program compiled, only once both have come and
  // proved to be this build's. The script must be this build's too: it is
  // asked for by its hash and checked against it (integrity), and the size
  // it gives the data must be the one the page expects.
  function runProgram(files, downloads) {
    let ran = false;
    let dataBuffer = null;
    let packageSize = null;
    waitingFor = 'vellmoor.js';
    window.Module = {
      canvas: canvas,
      getPreloadedPackage: (name, size) => {
        packageSize = size;
        dataBuffer = new ArrayBuffer(size);
        return dataBuffer;
      },
      instantiateWasm: (imports, receive) => {
        ran = true;
        progressed();
        downloads.then(async ([wasm, data]) => {
          if (page.state !== 'loading') return;
          if (packageSize !== data.byteLength) throw new Error(fromAnotherBuild('vellmoor.js'));
          new Uint8Array(dataBuffer).set(new Uint8Array(data));
          waitingFor = null;
          progressed();
          receive((await instantiate(wasm, imports)).instance);
        }).catch(failWith);
        return {};
      },
      print: (text) => console.log(text),
      printErr: (text) => {
        errors.push(text);
        console.warn(text);
      },
      onRuntimeInitialized: () => {
        program = window.Module;
        page.state = 'running';
        message.hidden = true;
        if (topLevel) focusCanvas();
        applySteady();
        // After main() has made the window at its own size.
        const view = new URLSearchParams(location.search).get('view');
        requestAnimationFrame(() => {
          resize();
          if (view) pose(view);
        });
        resolveReady();
        keepForOffline();
      },
      quit: (status, toThrow) => {
        if (program) program._vglutStop();
        ended(status);
        throw toThrow;
      },
      onAbort: (what) => fail('The walk-through stopped with an error: ' + what +
                              '. Reloading the page starts it again.'),
    };
    const file = files['vellmoor.js'];
    const script = document.createElement('script');
    try {
      script.src = trustedScriptURL(versioned('vellmoor.js', file));
    } catch (error) {
      fail(TRUSTED_TYPES_REFUSED);
      return;
    }
    if (file) script.integrity = 'sha256-' + base64(file.hash);
    // Why a script did not run is not told to the page: it is found by
    // fetching it again, past any cache.
    const diagnose = () => {
      if (ran) return;
      fetchFile('vellmoor.js', file, () => {}, 'reload')
        .then(() => fail(refusedByPolicy('vellmoor.js') || 'The browser would not run vellmoor.js, ' +
                         'though it came whole; reloading the page tries again.'))
        .catch(failWith);
    };
    script.onload = diagnose;
    script.onerror = diagnose;
    document.body.appendChild(script);
  }

  async function instantiate(wasm, imports) {
    try {
      return await WebAssembly.instantiate(wasm, imports);
    } catch (error) {
      await nextTask();
      if (refusedByPolicy('wasm-eval')) throw new Error(refusedByPolicy('wasm-eval'));
      if (error instanceof WebAssembly.LinkError) throw new Error(fromAnotherBuild('vellmoor.js'));
      throw new Error('Could not start the program: ' + error.message + '.');
    }
  }

  function start() {
    const stalled = document.getElementById('stalled');
    if (stalled) stalled.remove();
    if (location.protocol === 'file:') {
      fail('Browsers do not let a page read its files from the disk, so the room cannot load ' +
           'from here. Serve this folder with any web server and open its address: for ' +
           'example, run python3 -m http.server in this folder and open ' +
           'http://localhost:8000/ (in the source tree, make serve-web does it).');
      return;
    }
    if (window.origin === 'null') {
      fail('The page is in a frame sandboxed without allow-same-origin, which keeps it from ' +
           'loading its own files: the embedding page\'s iframe needs sandbox="allow-scripts ' +
           'allow-same-origin", or no sandbox.');
      return;
    }
    if (!hasWebGL2()) {
      fail('This browser cannot show Vellmoor: it has no WebGL 2. Every current desktop and ' +
           'phone browser has it; where it is switched off (in the browser\'s settings, or for ' +
           'an old graphics driver), switching it on lets the room show.');
      return;
    }
    watchTheStart();
    const files = programFiles();
    const downloads = fetchProgram(files);
    downloads.catch(failWith);
    runProgram(files, downloads);
  }

  start();
})(window.vellmoorDecisions);
