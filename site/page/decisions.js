// What the page and its service worker decide, apart from the document they
// act on: which cause a download's failure has, when a start has stalled,
// which key an event is and when a key held on a button is let go, which way
// the picture is shown whole, and what the worker keeps and answers. Plain
// functions of what they are told, loaded as a script by the page and the
// worker (the global vellmoorDecisions) and as a module by Node.
'use strict';

(function (exported) {
  const ESCAPE = 27;

  // --- Downloads --------------------------------------------------------------

  // The program's files as the build wrote them into the page
  // ("name=size:sha256 ..."): for each, its decoded size and its SHA-256.
  function programFiles(text) {
    const files = {};
    for (const entry of text.split(/\s+/)) {
      const [name, size, hash] = entry.split(/[=:]/);
      if (Number(size) > 0 && /^[0-9a-f]{64}$/.test(hash)) files[name] = {size: Number(size), hash};
    }
    return files;
  }

  // The address a file is asked for by: by its hash where the build gave
  // one, so no cache on the way can answer with another build's copy.
  function versioned(name, file) {
    return file ? name + '?v=' + file.hash : name;
  }

  // Why a server did not give a file, from its status: 'missing' where it
  // says it has none, else 'refused'.
  function notGivenCause(status) {
    return status === 404 || status === 410 ? 'missing' : 'refused';
  }

  // Whether an address ends in a folder's name without its closing slash,
  // which makes every file of the site be looked for in the folder above.
  function lacksClosingSlash(pathname) {
    const last = pathname.split('/').pop();
    return Boolean(last) && !last.includes('.');
  }

  // What a whole answer is against the file the page expects, told from
  //   start:      its first characters as text
  //   magic:      its first four bytes in hex
  //   type, encoding, length: its Content-Type, Content-Encoding and
  //               Content-Length headers (null where absent)
  //   received:   the bytes that came
  //   canHash:    whether the browser offers SHA-256 to the page
  // One of 'web page', 'not WebAssembly', 'broke off', 'another build',
  // 'check hash' (of the size expected: its SHA-256 decides) or 'whole'.
  function whatCame(name, file, {start, magic, type, encoding, length, received, canHash}) {
    if (start.trimStart().startsWith('<') || /^text\/html/.test(type)) return 'web page';
    if (name.endsWith('.wasm') && magic !== '0061736d') return 'not WebAssembly';
    if (!file) return 'whole';
    // The server's length, where it is the decoded file's: all of what it sent.
    const declared = !encoding && Number(length) === received;
    if (received < file.size && !declared) return 'broke off';
    if (received !== file.size) return 'another build';
    return canHash ? 'check hash' : 'whole';
  }

  // --- The watchdog -----------------------------------------------------------

  // No stage of the start waits for ever: each download, the program's
  // script and the start itself report their progress, and a start that has
  // made none for `limit` milliseconds is ended.
  function watchdog(now) {
    let last = now;
    return {
      progressed(at) {
        last = at;
      },
      // The milliseconds since the last progress, once they are past the
      // limit; null before.
      stalledFor(at, limit) {
        const idle = at - last;
        return idle > limit ? idle : null;
      },
    };
  }

  // What a stalled start was waiting for, from its downloads ({name:
  // {received, size, done}}) and what it waits for besides them (the
  // program's script, or null once its files came): {file, received, size}
  // for the first unfinished download, else {script} or {program: true}.
  function stalledOn(loading, waitingFor) {
    const unfinished = Object.keys(loading).find((name) => !loading[name].done);
    if (unfinished) return {file: unfinished, received: loading[unfinished].received, size: loading[unfinished].size};
    if (waitingFor) return {script: waitingFor};
    return {program: true};
  }

  // --- Keys -------------------------------------------------------------------

  // The character the desktop's GLUT would give for a keydown, or null.
  // Letters come from where the key sits (code), so w walks on every layout;
  // Shift makes them upper case, which the program ignores as the desktop's
  // does.
  function keyCode({key, code, shiftKey, ctrlKey, metaKey, altKey}) {
    if (key === 'Escape') return ESCAPE;
    if (ctrlKey || metaKey || altKey) return null;
    const letter = /^Key([A-Z])$/.exec(code);
    if (letter) return (shiftKey ? letter[1] : letter[1].toLowerCase()).charCodeAt(0);
    if (key === 'Enter') return 13;
    if (key === 'Backspace') return 8;
    if (key === 'Delete') return 127;
    if (key.length === 1 && key.charCodeAt(0) < 256) return key.charCodeAt(0);
    return null;
  }

  // Whether a keydown shows Caps Lock on: a letter key giving upper case
  // without Shift.
  function showsCapsLock({key, code, shiftKey}) {
    return /^Key[A-Z]$/.test(code) && !shiftKey && key.length === 1 && key !== key.toLowerCase();
  }

  // Whether a keydown on a button is the button's own: Space and Enter press it.
  function pressesButton(key, onButton) {
    return onButton && (key === ' ' || key === 'Enter');
  }

  // A key held on a button sends the key at once, again after REPEAT_DELAY_MS
  // and every REPEAT_MS after that, as keys do.
  const REPEAT_DELAY_MS = 400;
  const REPEAT_MS = 80;
  // The click a browser sends for a press of the pointer comes as the press
  // ends; one that comes later, or without any press, is a press of its own.
  const CLICK_OF_A_PRESS_MS = 500;

  // A key button's presses: the pointer acts at once when pressed
  // (`down`, which says whether the page must take the focus first: it
  // lacks it, as in a frame not yet clicked); keyboards, switch access and
  // screen readers send a plain click, which acts once too (`click` says
  // whether it presses), and the click that follows a pointer's press is
  // that same press. `letGo` ends a hold, as the pointer's release does.
  function keyHold() {
    let held = false;
    let pressEnded = -Infinity;
    return {
      down(hasFocus) {
        held = true;
        return {takeFocus: !hasFocus};
      },
      letGo(now) {
        if (held) pressEnded = now;
        held = false;
      },
      click(now) {
        const ofAPress = held || now - pressEnded < CLICK_OF_A_PRESS_MS;
        pressEnded = -Infinity;
        return !ofAPress;
      },
      held: () => held,
    };
  }

  // The events after which no release may ever come (the finger lifts in
  // another window or tab), so every held key is let go: the window's loss
  // of the focus, and the page hidden.
  const LET_GO_ON = {window: ['blur'], document: ['visibilitychange']};
  function letsGo(type, hidden) {
    return type === 'blur' || (type === 'visibilitychange' && hidden);
  }

  // --- Full screen ------------------------------------------------------------

  // How the picture is shown whole: 'full screen' where the browser has a
  // full-screen call (standard or WebKit's prefixed one) and lets this
  // document use it (its fullscreenEnabled, or WebKit's, is not false: a
  // frame not allowed full screen has it false), else 'fill' the window.
  function wholeWay({hasRequest, standard, enabled, webkitEnabled}) {
    const allowed = standard ? enabled : webkitEnabled;
    return hasRequest && allowed !== false ? 'full screen' : 'fill';
  }

  // The full-screen button's words, with the picture filling the window,
  // in full screen, or neither.
  function wholeLabel(filled, fullscreen, way) {
    if (filled) return 'Back to the page';
    if (fullscreen) return 'Leave full screen';
    return way === 'full screen' ? 'Full screen' : 'Fill the window';
  }

  // --- Size -------------------------------------------------------------------

  // The drawing buffer for a canvas of `width` x `height` CSS pixels: as many
  // pixels as the screen shows, up to twice the CSS size (past 2 the cost
  // grows with the square of the ratio for a difference hardly seen), with
  // sides of at most 4096, within every WebGL drawing-buffer limit. Null for
  // a canvas not laid out.
  const MAX_RATIO = 2;
  const MAX_SIDE = 4096;
  function drawingSize(width, height, devicePixelRatio) {
    if (width < 1 || height < 1) return null;
    const ratio = Math.min(devicePixelRatio || 1, MAX_RATIO, MAX_SIDE / width, MAX_SIDE / height);
    return [Math.max(1, Math.round(width * ratio)), Math.max(1, Math.round(height * ratio))];
  }

  // --- The service worker -----------------------------------------------------

  // The files the worker keeps, from "name=sha256 ..." as the build wrote
  // them: {name: sha256}.
  function keptHashes(text) {
    return Object.fromEntries(text.split(' ').filter(Boolean).map((entry) => entry.split('=')));
  }

  // The kept file a request is for: one of the site's files, the page itself
  // also as its folder and under any query (?view=...); null for anything
  // else, which goes to the network as usual.
  function keptName(method, url, scope, files) {
    const asked = new URL(url);
    const within = new URL(scope);
    if (method !== 'GET' || asked.origin !== within.origin || !asked.pathname.startsWith(within.pathname)) {
      return null;
    }
    const name = asked.pathname.slice(within.pathname.length) || 'index.html';
    return files.includes(name) ? name : null;
  }

  // How the worker answers a request for a kept file: a visit ('navigate')
  // from the network first, falling back on the kept page; a file asked for
  // by this build's hash, or by no hash, from the cache; a file of another
  // build (another ?v=) not at all, so it goes to the network.
  function answerFor(name, mode, version, hashes) {
    if (mode === 'navigate') return 'network first';
    if (version !== null && version !== hashes[name]) return null;
    return 'kept';
  }

  // Whether a file the worker fetched is of its build: the page by the build
  // named in its text, every other file by its SHA-256.
  function ofThisBuild(name, {text, sha256}, build, hashes) {
    return name === 'index.html' ? text.includes(build) : sha256 === hashes[name];
  }

  // The caches an active worker deletes: the site's of other builds.
  function oldCaches(names, prefix, current) {
    return names.filter((name) => name.startsWith(prefix) && name !== current);
  }

  // The headers a kept answer is stored without: the body is kept decoded
  // and whole.
  const UNKEPT_HEADERS = ['Content-Encoding', 'Content-Length', 'Transfer-Encoding'];

  Object.assign(exported, {
    ESCAPE, programFiles, versioned, notGivenCause, lacksClosingSlash, whatCame, watchdog, stalledOn,
    keyCode, showsCapsLock, pressesButton, REPEAT_DELAY_MS, REPEAT_MS, CLICK_OF_A_PRESS_MS, keyHold,
    LET_GO_ON, letsGo, wholeWay, wholeLabel, drawingSize, keptHashes, keptName, answerFor, ofThisBuild,
    oldCaches, UNKEPT_HEADERS,
  });
})(typeof module === 'object' && module.exports ? module.exports : (self.vellmoorDecisions = {}));
