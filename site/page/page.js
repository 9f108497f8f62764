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
        const view = new URLSearchParams(location.search).get('view');
        if (view) {
          requestAnimationFrame(() => {
            if (!call('ccall', 'vellmoorPose', 'number', ['string'], [view])) {
              console.warn('Vellmoor: there is no view called ' + view);
            }
          });
        }
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
