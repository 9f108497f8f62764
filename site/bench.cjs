// make bench-web: the frame time of every named view in headless Chromium
// (WebGL 2 on SwiftShader), drawn as before (chunk selection switched off:
// every batch whole, every light that is on) and as now (chunks culled
// against the view, each lit by the lights that reach it), in headless
// Firefox ESR as now (WebGL 2 on the X server's Mesa, llvmpipe), beside the
// desktop program's (the benchmark's scene server, on the X server's
// OpenGL); the four taken in turn in one run, medians of rounds. With the
// page's own CPU time and its WebGL draw calls per frame, the programs
// compiled before the first frame, and the longest frame of a walk through
// the lamp cycle in a fresh page. Prints each target's verdict and exits 1
// when one is missed.
//
//   node site/bench.cjs SCENE_SERVER ASSETS_DIR [OUT_FILE]
//
// A frame is idle() + display() and a wait until it is drawn: glFinish() on
// the desktop, a one-pixel readPixels in the browser.
'use strict';

const { spawn } = require('node:child_process');
const fs = require('node:fs');
const readline = require('node:readline');
const web = require('../tests/web/support.cjs');

const VIEWS = ['start', 'square', 'bar', 'glassware', 'overview'];
const ROUNDS = 5;
const WARM_UP = 3;
const FRAMES = 20;
const WALK_MS = 10000;

const TARGETS = {
  medianRatio: 0.45,      // after / before, median frame over the views
  overviewRatio: 0.75,    // after / before in the overview
  desktopRatio: 2.5,      // after / desktop, median over the views
  walkPeak: 2,            // longest frame of the walk / its median
  overviewCpuMs: 2,       // the page's CPU time for an overview frame
  drawCalls: 400,         // a frame, in any view
};

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The desktop program's scene server (bench/scene_server.cpp): a line of
// start-up figures, the renderer, then a line of name=milliseconds per frame
// case for each `frames` asked.
function desktop(server, assets) {
  const child = spawn(server, ['--serve', 'kept', assets], { stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = readline.createInterface({ input: child.stdout })[Symbol.asyncIterator]();
  const next = async () => (await lines.next()).value;
  const figures = (line) => Object.fromEntries(line.trim().split(/\s+/).map((word) => {
    const [name, value] = word.split('=');
    return [name, Number(value)];
  }));
  return {
    start: async () => {
      await next();
      return next();
    },
    frames: async () => {
      child.stdin.write(`frames ${WARM_UP} ${FRAMES}\n`);
      const ms = figures(await next());
      return VIEWS.map((view) => ms[view]);
    },
    stop: () => child.stdin.end(),
  };
}

// Every view's frame time in the page with chunk selection on or off, and
// the page's CPU time for idle and display (the WebGL calls are issued, not
// yet carried out, when it returns). `page`: a playwright page or an engine's
// tab (tests/web/engines.cjs), both of which evaluate(fn, arg).
function browserFrames(page, selection) {
  return page.evaluate(({ views, warmUp, frames, selection }) => {
    const gl = document.getElementById('canvas').getContext('webgl2');
    const pixel = new Uint8Array(4);
    window.Module._vglSetChunkSelection(selection);
    return views.map((view) => {
      window.vellmoor.testing.capture(view);
      let cpu = 0;
      let start = 0;
      for (let i = 0; i < warmUp + frames; ++i) {
        if (i === warmUp) start = performance.now();
        const before = performance.now();
        window.vellmoor.testing.turn();
        if (i >= warmUp) cpu += performance.now() - before;
        gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      }
      const stats = window.vellmoor.testing.frames();
      return { ms: (performance.now() - start) / frames, cpu: cpu / frames, drawCalls: stats.drawCalls };
    });
  }, { views: VIEWS, warmUp: WARM_UP, frames: FRAMES, selection });
}

// A fresh page: the programs made before its first frame and how long the
// renderer takes to finish that frame's work, then every frame of a walk
// through the lamp cycle from the start view (frames of different views
// differ by their content alone).
async function walk(browser, url) {
  const { page } = await web.open(browser, url);
  await web.started(page);
  const result = await page.evaluate(({ walkMs }) => {
    const gl = document.getElementById('canvas').getContext('webgl2');
    const pixel = new Uint8Array(4);
    const startup = window.vellmoor.testing.frames();
    const settling = performance.now();
    gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
    const settledMs = performance.now() - settling;
    window.vellmoor.testing.pose('start');
    const frames = [];
    const began = performance.now();
    for (let i = 0; performance.now() - began < walkMs; ++i) {
      const before = performance.now();
      window.vellmoor.testing.turn();
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      frames.push(performance.now() - before);
    }
    const after = window.vellmoor.testing.frames();
    return { programs: startup.programs, compileMs: startup.compileMs, settledMs, frames,
             laterPrograms: after.programs - startup.programs };
  }, { walkMs: WALK_MS });
  await page.close();
  return result;
}

// The WebGL renderer a page draws with, as the browser names it.
function rendererName() {
  const gl = document.createElement('canvas').getContext('webgl2');
  const info = gl.getExtension('WEBGL_debug_renderer_info');
  return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
}

async function main() {
  const [server, assets, out] = process.argv.slice(2);
  const native = desktop(server, assets);
  const renderer = await native.start();
  const site = await web.serve();
  const browser = await web.launch();
  const fresh = await walk(browser, site.url);
  const { page } = await web.open(browser, site.url);
  await web.started(page);
  const webRenderer = await page.evaluate(rendererName);
  const firefox = await web.startEngine('firefox');
  const firefoxTab = await firefox.open(site.url);
  await firefoxTab.waitFor(() => window.vellmoor && window.vellmoor.testing.frames().count > 0);
  const firefoxRenderer = await firefoxTab.evaluate(rendererName);
  // The pages' own loops are held (their next animation frame never comes),
  // so that each side is timed alone, through the turns asked of it.
  for (const tab of [page, firefoxTab]) await tab.evaluate(() => { window.requestAnimationFrame = () => 0; });

  const desktopMs = VIEWS.map(() => []);
  const runs = { before: VIEWS.map(() => []), after: VIEWS.map(() => []), firefox: VIEWS.map(() => []) };
  const sides = ['desktop', 'before', 'after', 'firefox'];
  for (let round = 0; round < ROUNDS; ++round) {
    // Each round starts with another side, so none always follows the same one.
    for (let turn = 0; turn < sides.length; ++turn) {
      const side = sides[(round + turn) % sides.length];
      if (side === 'desktop') {
        (await native.frames()).forEach((ms, v) => desktopMs[v].push(ms));
      } else if (side === 'firefox') {
        (await browserFrames(firefoxTab, 1)).forEach((run, v) => runs.firefox[v].push(run));
      } else {
        (await browserFrames(page, side === 'after' ? 1 : 0)).forEach((run, v) => runs[side][v].push(run));
      }
    }
  }
  await page.evaluate(() => window.Module._vglSetChunkSelection(1));
  native.stop();
  await browser.close();
  await firefox.close();
  await site.close();

  const lines = [
    'Vellmoor in the browser beside the desktop program, one run',
    `  browser   Chromium ${browser.version()}, headless: ${webRenderer}`,
    `  firefox   ${firefox.version}, headless: ${firefoxRenderer} (Mesa's llvmpipe on the X server)`,
    `  desktop   ${renderer}`,
    `  frame     idle + display + wait until drawn, 600x400; median of ${ROUNDS} rounds of ` +
      `${FRAMES} frames after ${WARM_UP} warm-up, desktop, before, after and firefox in turn`,
    '  before    Chromium, chunk selection off: every batch drawn whole, lit by every light that is on',
    '  after     Chromium, chunks culled against the view, each lit by the lights that reach it',
    '  firefox   Firefox, as after',
    '',
    'View         desktop ms   before ms    after ms   after/before  after/desktop' +
      '   page CPU ms before/after   draw calls before/after   firefox ms  firefox/desktop',
  ];
  const views = VIEWS.map((view, v) => {
    const figure = (side, key) => median(runs[side][v].map((run) => run[key]));
    const calls = (side) => Math.max(...runs[side][v].map((run) => run.drawCalls));
    const r = { view, desktop: median(desktopMs[v]), before: figure('before', 'ms'),
                after: figure('after', 'ms'), cpuBefore: figure('before', 'cpu'),
                cpuAfter: figure('after', 'cpu'), callsBefore: calls('before'), callsAfter: calls('after'),
                firefox: figure('firefox', 'ms') };
    lines.push(`  ${view.padEnd(10)} ${r.desktop.toFixed(2).padStart(10)} ${r.before.toFixed(2).padStart(11)}` +
               ` ${r.after.toFixed(2).padStart(11)} ${(r.after / r.before).toFixed(2).padStart(13)}x` +
               ` ${(r.after / r.desktop).toFixed(2).padStart(13)}x` +
               ` ${r.cpuBefore.toFixed(3).padStart(14)} / ${r.cpuAfter.toFixed(3).padEnd(9)}` +
               ` ${String(r.callsBefore).padStart(14)} / ${String(r.callsAfter).padEnd(5)}` +
               ` ${r.firefox.toFixed(2).padStart(12)} ${(r.firefox / r.desktop).toFixed(2).padStart(15)}x`);
    return r;
  });
  const overview = views.find((r) => r.view === 'overview');
  const medianBefore = median(views.map((r) => r.before));
  const medianAfter = median(views.map((r) => r.after));
  const medianDesktopRatio = median(views.map((r) => r.after / r.desktop));
  const slower = views.filter((r) => r.after > r.before).map((r) => r.view);
  const mostCalls = Math.max(...views.map((r) => r.callsAfter));
  const walkMedian = median(fresh.frames);
  const walkLongest = Math.max(...fresh.frames);
  lines.push(`  ${'median'.padEnd(10)} ${median(views.map((r) => r.desktop)).toFixed(2).padStart(10)}` +
             ` ${medianBefore.toFixed(2).padStart(11)} ${medianAfter.toFixed(2).padStart(11)}` +
             ` ${(medianAfter / medianBefore).toFixed(2).padStart(13)}x ${medianDesktopRatio.toFixed(2).padStart(13)}x` +
             `${''.padStart(49)} ${median(views.map((r) => r.firefox)).toFixed(2).padStart(12)}` +
             ` ${median(views.map((r) => r.firefox / r.desktop)).toFixed(2).padStart(15)}x`);
  lines.push('', 'Start-up and a walk in a fresh page',
             `  programs made before the first frame: ${fresh.programs}, ${fresh.compileMs.toFixed(0)} ms ` +
               'of compiling and linking',
             `  the first frame's work finished ${fresh.settledMs.toFixed(0)} ms after it was issued`,
             `  walk of ${(WALK_MS / 1000).toFixed(0)} s through the lamp cycle from the start view: ` +
               `${fresh.frames.length} frames, median ${walkMedian.toFixed(1)} ms, longest ` +
               `${walkLongest.toFixed(1)} ms, programs made during it: ${fresh.laterPrograms}`);

  let missed = false;
  const verdict = (met) => {
    missed = missed || !met;
    return met ? 'met' : 'MISSED';
  };
  lines.push('', 'Targets in the browser',
             `  median frame over the views at most ${TARGETS.medianRatio}x before: ` +
               `${(medianAfter / medianBefore).toFixed(2)}x  ${verdict(medianAfter <= TARGETS.medianRatio * medianBefore)}`,
             `  no view slower than before: ${slower.length ? slower.join(', ') + ' slower' : 'none'}  ` +
               verdict(slower.length === 0),
             `  the overview at least ${Math.round(100 * (1 - TARGETS.overviewRatio))} % faster: ` +
               `${(100 * (1 - overview.after / overview.before)).toFixed(0)} %  ` +
               verdict(overview.after <= TARGETS.overviewRatio * overview.before),
             `  at most ${TARGETS.desktopRatio}x the desktop's frame, median over the views: ` +
               `${medianDesktopRatio.toFixed(2)}x  ${verdict(medianDesktopRatio <= TARGETS.desktopRatio)}`,
             `  no frame of the walk longer than ${TARGETS.walkPeak}x its median: ` +
               `${(walkLongest / walkMedian).toFixed(2)}x  ${verdict(walkLongest <= TARGETS.walkPeak * walkMedian)}`,
             `  at most ${TARGETS.overviewCpuMs} ms of the page's CPU time for a frame of the overview: ` +
               `${overview.cpuAfter.toFixed(3)} ms  ${verdict(overview.cpuAfter <= TARGETS.overviewCpuMs)}`,
             `  at most ${TARGETS.drawCalls} WebGL draw calls a frame (most of any view): ` +
               `${mostCalls}  ${verdict(mostCalls <= TARGETS.drawCalls)}`);
  const report = lines.join('\n') + '\n';
  process.stdout.write(report);
  if (out) fs.writeFileSync(out, report);
  process.exitCode = missed ? 1 : 0;
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
