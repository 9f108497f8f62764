// Starts Vellmoor in the page: loads the program and its data, hands it the
// keyboard, pointer, touch and size of the canvas as GLUT would, and says in
// the page what happens when it cannot start or when it ends.
'use strict';

(function () {
  const WIDTH = 600;
  const HEIGHT = 400;
  const ESCAPE = 27;
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const message = document.getElementById('message');
  const messageText = document.getElementById('message-text');
  const progress = document.getElementById('progress');
  const errors = [];
  const pointer = {x: 0, y: 0};
  let program = null;  // the running program's module
  let resolveReady;
  const page = {
    state: 'loading',  // then running, ended or failed
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

  // A file of the site, with its share of the progress bar.
  async function fetchFile(name, share, loaded) {
    let response;
    try {
      response = await fetch(name);
    } catch (error) {
      throw new Error('Could not load ' + name + ' (' + error.message + ').');
    }
    if (!response.ok) {
      throw new Error('Could not load ' + name + ': the server answered ' + response.status +
                      (response.statusText ? ' ' + response.statusText : '') + '.');
    }
    const total = Number(response.headers.get('Content-Length')) || 0;
    if (!response.body || !total) {
      return response.arrayBuffer();
    }
    const reader = response.body.getReader();
    const bytes = new Uint8Array(total);
    let offset = 0;
    for (;;) {
      const {done, value} = await reader.read();
      if (done) break;
      bytes.set(value.subarray(0, Math.max(0, total - offset)), offset);
      offset += value.length;
      loaded(share * Math.min(1, offset / total));
    }
    return bytes.buffer;
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

  function keyCode(event) {
    if (event.key === 'Escape') return ESCAPE;
    if (event.ctrlKey || event.metaKey || event.altKey) return null;
    if (event.key === 'Enter') return 13;
    if (event.key === 'Backspace') return 8;
    if (event.key === 'Delete') return 127;
    if (event.key.length === 1 && event.key.charCodeAt(0) < 256) return event.key.charCodeAt(0);
    return null;
  }

  canvas.addEventListener('keydown', (event) => {
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
    const finger = event.changedTouches[0];
    const at = canvasPosition(finger.clientX, finger.clientY);
    pointer.x = at.x;
    pointer.y = at.y;
    call('_vglutPassiveMotion', at.x, at.y);
  }
  canvas.addEventListener('touchstart', touch, {passive: false});
  canvas.addEventListener('touchmove', touch, {passive: false});

  // The on-screen keys: one press each tap, repeating while held, as keys do.
  document.querySelectorAll('#keys button').forEach((button) => {
    const code = button.dataset.key === 'Escape' ? ESCAPE : button.dataset.key.charCodeAt(0);
    let delay = null;
    let repeat = null;
    const stop = () => {
      clearTimeout(delay);
      clearInterval(repeat);
      delay = repeat = null;
    };
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();  // the canvas keeps the keyboard
      stop();
      key(code);
      delay = setTimeout(() => { repeat = setInterval(() => key(code), 80); }, 400);
    });
    ['pointerup', 'pointerleave', 'pointercancel'].forEach((type) => button.addEventListener(type, stop));
    button.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' || event.key === ' ') key(code);  // keyboard users of the buttons
    });
  });

  // --- Full screen ----------------------------------------------------------

  const fullscreenButton = document.getElementById('fullscreen');
  if (!document.fullscreenEnabled) {
    fullscreenButton.hidden = true;
  }
  fullscreenButton.addEventListener('click', () => {
    stage.requestFullscreen().catch((error) => console.warn('Full screen refused: ' + error.message));
  });

  // The canvas takes the size it is shown at, and the program hears of it.
  function resize() {
    const full = document.fullscreenElement === stage;
    const width = full ? Math.max(1, Math.round(stage.clientWidth)) : WIDTH;
    const height = full ? Math.max(1, Math.round(stage.clientHeight)) : HEIGHT;
    if (canvas.width === width && canvas.height === height) return;
    canvas.width = width;
    canvas.height = height;
    call('_vglutReshape', width, height);
  }
  document.addEventListener('fullscreenchange', () => {
    resize();
    canvas.focus();
  });
  window.addEventListener('resize', resize);

  // --- Start ----------------------------------------------------------------

  // For a link to a view, and for the page's tests: the room from a named
  // viewpoint, drawn now; returns the picture as a PNG data URL.
  page.capture = function (view) {
    if (view && !call('ccall', 'vellmoorPose', 'number', ['string'], [view])) {
      throw new Error('There is no view called ' + view + '.');
    }
    call('_vglutDisplayNow');
    return canvas.toDataURL('image/png');
  };
  page.frames = () => (program && program.vellmoorFrames) || {count: 0, drawCalls: 0, displayMs: 0};
  // The camera (eyeX, eyeZ, yaw, eyeHeight, pitch), the lit spot lamps (one
  // bit each) and the window size the program was told, for the tests.
  page.camera = () => [0, 1, 2, 3, 4].map((field) => call('_vellmoorCamera', field));
  page.lamps = () => call('_vellmoorLampsLit');
  page.windowSize = () => [call('_vellmoorWindowSize', 0), call('_vellmoorWindowSize', 1)];

  async function start() {
    if (!hasWebGL2()) {
      fail('This browser cannot show Vellmoor: it has no WebGL 2. Every current desktop and ' +
           'phone browser has it; where it is switched off (in the browser\'s settings, or for ' +
           'an old graphics driver), switching it on lets the room show.');
      return;
    }
    const shares = [0, 0];
    const loaded = (i) => (value) => {
      shares[i] = value;
      progress.value = shares[0] + shares[1];
    };
    let wasm;
    let data;
    try {
      [wasm, data] = await Promise.all([fetchFile('vellmoor.wasm', 0.3, loaded(0)),
                                        fetchFile('vellmoor.data', 0.7, loaded(1))]);
    } catch (error) {
      fail(error.message + (location.protocol === 'file:'
          ? ' Browsers do not let a page read files from the disk: serve the folder with a web ' +
            'server (make serve-web does) and open its address.'
          : ' Reloading the page tries again.'));
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
        const view = new URLSearchParams(location.search).get('view');
        if (view) {
          requestAnimationFrame(() => {
            if (!call('ccall', 'vellmoorPose', 'number', ['string'], [view])) {
              console.warn('Vellmoor: there is no view called ' + view);
            }
          });
        }
        resolveReady();
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
