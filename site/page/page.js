// Starts Vellmoor in the page: loads the program and its data, hands it the
// keyboard, pointer, touch and size of the canvas as GLUT would, and says in
// the page what happens when it cannot start or when it ends.
'use strict';

(function () {
  const ESCAPE = 27;
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

  // The sizes of the program's big files as the build wrote them into the
  // page: what the progress bar counts towards, whatever encoding a server
  // sends them in (its Content-Length is then the compressed size, or absent).
  function expectedSizes() {
    const sizes = {};
    const meta = document.querySelector('meta[name="vellmoor-sizes"]');
    for (const entry of (meta ? meta.content : '').split(/\s+/)) {
      const [name, bytes] = entry.split('=');
      if (Number(bytes) > 0) sizes[name] = Number(bytes);
    }
    return sizes;
  }

  function megabytes(bytes) {
    return (bytes / 1e6).toFixed(1) + ' MB';
  }

  // A file of the site, collected from the stream as it arrives; `received`
  // hears of every chunk's decoded length.
  async function fetchFile(name, expected, received) {
    let response;
    try {
      response = await fetch(name);
    } catch (error) {
      throw new Error('Could not load ' + name + ': the server could not be reached (' +
                      error.message + ').');
    }
    if (!response.ok) {
      throw new Error('Could not load ' + name + ': the server answered ' + response.status +
                      (response.statusText ? ' ' + response.statusText : '') + '.');
    }
    const reader = response.body.getReader();
    const chunks = [];
    let length = 0;
    for (;;) {
      let chunk;
      try {
        chunk = await reader.read();
      } catch (error) {
        throw new Error('Could not load ' + name + ': the download broke off after ' +
                        megabytes(length) + (expected ? ' of ' + megabytes(expected) : '') +
                        ' (' + error.message + ').');
      }
      if (chunk.done) break;
      chunks.push(chunk.value);
      length += chunk.value.length;
      received(chunk.value.length);
    }
    if (expected && length !== expected) {
      throw new Error('Could not load ' + name + ': it came to ' + length + ' bytes where this ' +
                      'page expects ' + expected + ', so the site\'s files are from different ' +
                      'builds. Copying the whole site again mends it.');
    }
    const bytes = new Uint8Array(length);
    let offset = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, offset);
      offset += chunk.length;
    }
    return bytes.buffer;
  }

  // The program's wasm and data at once, with the bar showing the share of
  // their bytes that has arrived (moving to and fro if their sizes are not
  // known).
  function fetchProgram() {
    const names = ['vellmoor.wasm', 'vellmoor.data'];
    const sizes = expectedSizes();
    const total = names.reduce((sum, name) => sum + (sizes[name] || 0), 0);
    let arrived = 0;
    if (names.some((name) => !sizes[name])) progress.removeAttribute('value');
    const received = (bytes) => {
      arrived += bytes;
      if (progress.hasAttribute('value')) progress.value = Math.min(1, arrived / total);
    };
    return Promise.all(names.map((name) => fetchFile(name, sizes[name], received)));
  }

  // Once the room runs, the site is kept by the service worker, so that the
  // page starts again without a network and can be installed. Not sooner: its
  // copies would compete with the page's own downloads.
  function keepForOffline() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    navigator.serviceWorker.register('service-worker.js').catch((error) => {
      console.warn('Vellmoor will not start without a network: ' + error.message);
    });
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
    if (capsLockSaid || event.shiftKey || event.key.length !== 1 ||
        event.key === event.key.toLowerCase()) return;
    capsLockSaid = true;
    tell('Caps Lock is on. The page takes the letter keys as lower case all the same; ' +
         'with Shift they do nothing.');
  }

  // The character the desktop's GLUT would give, or null. Letters come from
  // where the key sits (event.code), so w walks on every layout; Shift makes
  // them upper case, which the program ignores as the desktop's does.
  function keyCode(event) {
    if (event.key === 'Escape') return ESCAPE;
    if (event.ctrlKey || event.metaKey || event.altKey) return null;
    const letter = /^Key([A-Z])$/.exec(event.code || '');
    if (letter) {
      noteCapsLock(event);
      return (event.shiftKey ? letter[1] : letter[1].toLowerCase()).charCodeAt(0);
    }
    if (event.key === 'Enter') return 13;
    if (event.key === 'Backspace') return 8;
    if (event.key === 'Delete') return 127;
    if (event.key.length === 1 && event.key.charCodeAt(0) < 256) return event.key.charCodeAt(0);
    return null;
  }

  // Keys are heard wherever the focus is, except Space and Enter on a
  // button, which press it.
  document.addEventListener('keydown', (event) => {
    if (page.state !== 'running') return;
    if ((event.key === ' ' || event.key === 'Enter') && event.target.closest &&
        event.target.closest('button')) return;
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

  canvas.addEventListener('mousedown', () => canvas.focus());

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

  // A button that sends a key: once a tap, repeating while held, as keys do.
  function keyButton(button, press) {
    let delay = null;
    let repeat = null;
    const stop = () => {
      clearTimeout(delay);
      clearInterval(repeat);
      delay = repeat = null;
    };
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();  // the focus stays where it is
      stop();
      press();
      delay = setTimeout(() => { repeat = setInterval(press, 80); }, 400);
    });
    ['pointerup', 'pointerleave', 'pointercancel'].forEach((type) => button.addEventListener(type, stop));
    button.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' || event.key === ' ') {  // keyboard users of the buttons
        event.preventDefault();
        press();
      }
    });
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
    endButton.textContent = 'End? Tap again';
    endButton.classList.add('asking');
    endAsked = setTimeout(() => {
      endAsked = null;
      endButton.textContent = 'Esc';
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
  const MAX_RATIO = 2;
  const MAX_SIDE = 4096;
  function resize() {
    const box = canvas.getBoundingClientRect();
    if (box.width < 1 || box.height < 1) return;
    const ratio = Math.min(window.devicePixelRatio || 1, MAX_RATIO,
                           MAX_SIDE / box.width, MAX_SIDE / box.height);
    const width = Math.max(1, Math.round(box.width * ratio));
    const height = Math.max(1, Math.round(box.height * ratio));
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

  const fullscreenButton = document.getElementById('fullscreen');
  if (!document.fullscreenEnabled) {
    fullscreenButton.hidden = true;
  }
  fullscreenButton.addEventListener('click', () => {
    if (document.fullscreenElement) {
      document.exitFullscreen();
      return;
    }
    player.requestFullscreen().catch((error) => console.warn('Full screen refused: ' + error.message));
  });
  document.addEventListener('fullscreenchange', () => {
    const full = document.fullscreenElement === player;
    fullscreenButton.textContent = full ? 'Leave full screen' : 'Full screen';
    if (full) tell('The first Esc only leaves full screen; the next one ends the walk-through.');
    resize();
    canvas.focus();
  });

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
  const namesFrom = (entry) => (call('ccall', entry, 'string', [], []) || '').split(' ');
  page.testing = {
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
  };

  // --- Start ----------------------------------------------------------------

  async function start() {
    if (location.protocol === 'file:') {
      fail('Browsers do not let a page read its files from the disk, so the room cannot load ' +
           'from here. Serve this folder with any web server and open its address: for ' +
           'example, run python3 -m http.server in this folder and open ' +
           'http://localhost:8000/ (in the source tree, make serve-web does it).');
      return;
    }
    if (!hasWebGL2()) {
      fail('This browser cannot show Vellmoor: it has no WebGL 2. Every current desktop and ' +
           'phone browser has it; where it is switched off (in the browser\'s settings, or for ' +
           'an old graphics driver), switching it on lets the room show.');
      return;
    }
    let wasm;
    let data;
    try {
      [wasm, data] = await fetchProgram();
    } catch (error) {
      fail(error.message + ' Reloading the page tries again.');
      return;
    }
    window.Module = {
      canvas: canvas,
      wasmBinary: wasm,
      getPreloadedPackage: () => data,
      print: (text) => console.log(text),
      printErr: (text) => {
        errors.push(text);
        console.warn(text);
      },
      onRuntimeInitialized: () => {
        program = window.Module;
        page.state = 'running';
        message.hidden = true;
        canvas.focus();
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
    const script = document.createElement('script');
    script.src = 'vellmoor.js';
    script.onerror = () => fail('Could not load vellmoor.js. Reloading the page tries again.');
    document.body.appendChild(script);
  }

  start();
})();
