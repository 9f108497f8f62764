// make bench-web: the frame time of every named view in headless Chromium
// (WebGL 2 on SwiftShader) beside the desktop program's (the benchmark's
// scene server, on the X server's OpenGL), the two taken in turn in one run,
// with the page's own CPU time and its WebGL draw calls per frame.
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
const WARM_UP = 5;
const FRAMES = 30;
const DRAW_CALL_TARGET = 300;
const DISPLAY_CPU_TARGET_MS = 2;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The desktop program's scene server (bench/scene_server.cpp): one line of
// start-up figures, the renderer, then a line of milliseconds per frame for
// the floor, every view, and two cases without lists, per `frames` asked.
function desktop(server, assets) {
  const child = spawn(server, ['--serve', 'kept', assets], { stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = readline.createInterface({ input: child.stdout })[Symbol.asyncIterator]();
  const next = async () => (await lines.next()).value;
  return {
    start: async () => {
      await next();
      return next();
    },
    frames: async () => {
      child.stdin.write(`frames ${WARM_UP} ${FRAMES}\n`);
      return (await next()).trim().split(/\s+/).map(Number).slice(1, 1 + VIEWS.length);
    },
    stop: () => child.stdin.end(),
  };
}

// Every view's frame time in the page, and the page's CPU time for idle and
// display (the WebGL calls are issued, not yet carried out, when it returns).
function browserFrames(page) {
  return page.evaluate(({ views, warmUp, frames }) => {
    const gl = document.getElementById('canvas').getContext('webgl2');
    const pixel = new Uint8Array(4);
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
  }, { views: VIEWS, warmUp: WARM_UP, frames: FRAMES });
}

async function main() {
  const [server, assets, out] = process.argv.slice(2);
  const native = desktop(server, assets);
  const renderer = await native.start();
  const site = await web.serve();
  const browser = await web.launch();
  const { page } = await web.open(browser, site.url);
  await web.started(page);
  const webRenderer = await page.evaluate(() => {
    const gl = document.createElement('canvas').getContext('webgl2');
    const info = gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
  });

  const desktopMs = VIEWS.map(() => []);
  const browserRuns = VIEWS.map(() => []);
  for (let round = 0; round < ROUNDS; ++round) {
    // Alternate which goes first, so neither always follows the other.
    const order = round % 2 === 0 ? ['desktop', 'browser'] : ['browser', 'desktop'];
    for (const side of order) {
      if (side === 'desktop') {
        (await native.frames()).forEach((ms, v) => desktopMs[v].push(ms));
      } else {
        (await browserFrames(page)).forEach((run, v) => browserRuns[v].push(run));
      }
    }
  }
  native.stop();
  await browser.close();
  await site.close();

  const lines = [
    'Vellmoor in the browser beside the desktop program, one run',
    `  browser   Chromium ${browser.version()}, headless: ${webRenderer}`,
    `  desktop   ${renderer}`,
    `  frame     idle + display + wait until drawn, 600x400; median of ${ROUNDS} rounds of ` +
      `${FRAMES} frames after ${WARM_UP} warm-up, desktop and browser in turn`,
    '',
    'View          desktop ms    fps   browser ms    fps   browser/desktop   page CPU ms   draw calls',
  ];
  const results = VIEWS.map((view, v) => {
    const d = median(desktopMs[v]);
    const b = median(browserRuns[v].map((run) => run.ms));
    const cpu = median(browserRuns[v].map((run) => run.cpu));
    const drawCalls = Math.max(...browserRuns[v].map((run) => run.drawCalls));
    lines.push(`  ${view.padEnd(11)} ${d.toFixed(2).padStart(10)} ${(1000 / d).toFixed(1).padStart(6)}` +
               ` ${b.toFixed(2).padStart(12)} ${(1000 / b).toFixed(1).padStart(6)}` +
               ` ${(b / d).toFixed(2).padStart(16)}x ${cpu.toFixed(3).padStart(13)} ${String(drawCalls).padStart(12)}`);
    return { view, cpu, drawCalls };
  });
  const mostCalls = Math.max(...results.map((r) => r.drawCalls));
  const overviewCpu = results.find((r) => r.view === 'overview').cpu;
  const callsMet = mostCalls <= DRAW_CALL_TARGET;
  const cpuMet = overviewCpu <= DISPLAY_CPU_TARGET_MS;
  lines.push('', 'Targets in the browser',
             `  at most ${DRAW_CALL_TARGET} WebGL draw calls a frame (most of any view): ` +
               `${mostCalls}  ${callsMet ? 'met' : 'MISSED'}`,
             `  at most ${DISPLAY_CPU_TARGET_MS} ms of the page's CPU time for a frame of the overview: ` +
               `${overviewCpu.toFixed(3)} ms  ${cpuMet ? 'met' : 'MISSED'}`);
  const report = lines.join('\n') + '\n';
  process.stdout.write(report);
  if (out) fs.writeFileSync(out, report);
  process.exitCode = callsMet && cpuMet ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
