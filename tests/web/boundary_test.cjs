// The C++/JavaScript boundary: the renderer (web/js) run under node against
// a WebGL that records its calls, fed a draw's parameters and the shared
// state as the layer lays them out (boundary_sample.cpp), through the layout
// generated from the layer's headers. Every field must arrive where the
// layer put it: the depth mask as the depth mask, not as the winding.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const layoutFile = process.env.VELLMOOR_LAYOUT;
const sampleProgram = process.env.VELLMOOR_BOUNDARY_SAMPLE;
const webJs = path.join(__dirname, '..', '..', 'web', 'js');

// A WebGL 2 context that keeps every call; constants are their own names.
function recordingGl() {
  const calls = [];
  let objects = 0;
  const answers = {
    getShaderParameter: () => true, getProgramParameter: () => true,
    getUniformLocation: (program, name) => ({ uniform: name }),
  };
  const gl = new Proxy({}, {
    get(target, name) {
      if (name === 'calls') return calls;
      if (typeof name === 'string' && /^[A-Z0-9_]+$/.test(name)) return name;
      return (...args) => {
        calls.push([name, ...args.map((a) => (ArrayBuffer.isView(a) ? Array.from(a) : a))]);
        if (answers[name]) return answers[name](...args);
        return name.startsWith('create') ? { object: ++objects } : undefined;
      };
    },
  });
  return gl;
}

// The renderer's libraries in a context of their own, with a heap.
function loadRenderer() {
  const library = {};
  const heap = new ArrayBuffer(1 << 16);
  const context = vm.createContext({
    LibraryManager: { library },
    mergeInto: (to, from) => Object.assign(to, from),
    HEAPU8: new Uint8Array(heap), HEAP32: new Int32Array(heap),
    HEAPU32: new Uint32Array(heap), HEAPF32: new Float32Array(heap),
    performance, Map, Math, JSON, Error,
  });
  for (const file of [layoutFile, path.join(webJs, 'shaders.js'), path.join(webJs, 'renderer.js')]) {
    vm.runInContext(fs.readFileSync(file, 'utf8'), context, { filename: file });
  }
  context.VGLLayout = library.$VGLLayout;
  context.VGLShaders = library.$VGLShaders;
  context.VGL = library.$VGL;
  return { library, context, bytes: new Uint8Array(heap) };
}

const skip = !layoutFile || !sampleProgram ? 'needs VELLMOOR_LAYOUT and VELLMOOR_BOUNDARY_SAMPLE' : false;

test('the renderer reads every field where the layer wrote it', { skip }, () => {
  const sample = JSON.parse(execFileSync(sampleProgram, { encoding: 'utf8' }));
  const { library, context, bytes } = loadRenderer();
  const gl = recordingGl();
  context.VGL.init(gl);
  const statePlace = 1024;
  const drawPlace = 8192;
  bytes.set(Buffer.from(sample.state, 'hex'), statePlace);
  bytes.set(Buffer.from(sample.draw, 'hex'), drawPlace);
  gl.calls.length = 0;
  library.vglSetState(statePlace);
  library.vglDraw(0, drawPlace);

  const e = sample.expected;
  const call = (name, first) => gl.calls.filter((c) => c[0] === name &&
                                                      (first === undefined || c[1]?.uniform === first));
  const uniform = (name) => {
    const found = gl.calls.filter((c) => typeof c[0] === 'string' && c[0].startsWith('uniform') &&
                                         c[1]?.uniform === name);
    assert.equal(found.length, 1, `${name} set once`);
    return found[0].slice(found[0][0].startsWith('uniformMatrix') ? 3 : 2);
  };
  const close = (actual, expected, what) => {
    assert.equal(actual.length, expected.length, what);
    actual.forEach((value, i) => assert.ok(Math.abs(value - expected[i]) < 1e-4, `${what}[${i}]`));
  };

  assert.deepEqual(call('depthMask').map((c) => c[1]), [e.depthMask !== 0]);
  assert.deepEqual(call('frontFace').map((c) => c[1]), [e.clockwise ? 'CW' : 'CCW']);
  assert.deepEqual(call('drawElements').map((c) => [c[2], c[4]]), [[e.indexCount, e.firstIndex * 4]]);
  assert.deepEqual(call(e.depthTest ? 'enable' : 'disable').map((c) => c[1]).includes('DEPTH_TEST'), true);
  assert.deepEqual(call(e.blend ? 'enable' : 'disable').map((c) => c[1]).includes('BLEND'), true);
  assert.deepEqual(call('blendFunc').map((c) => c.slice(1)), [e.blendFunc]);
  close(uniform('uModelview')[0], e.modelview, 'modelview');
  close(uniform('uNormalMatrix')[0], e.normalMatrix, 'normal matrix');
  close(uniform('uProjection')[0], e.projection, 'projection');
  close(uniform('uSceneAmbient')[0], e.sceneAmbient, 'scene ambient');
  assert.equal(uniform('uCurrentMaterial')[0][context.VGLLayout.sizes.materialWords], e.backAmbientRed);
  assert.deepEqual([uniform('uFlat')[0], uniform('uTextured')[0]], [e.flat, e.textured]);
  assert.deepEqual([uniform('uNormalize')[0], uniform('uTextureReplace')[0]],
                   [e.normalize, e.textureReplace]);

  // Every uniform the renderer sets is one the shaders declare.
  const declared = call('shaderSource').flatMap((c) => [...c[2].matchAll(/^uniform .* (\w+)(\[\d+\])?;$/gm)])
    .map((match) => match[1]);
  const set = gl.calls.filter((c) => c[0].startsWith('uniform')).map((c) => c[1]?.uniform);
  assert.deepEqual(set.filter((name) => !declared.includes(name)), [], `declared: ${declared}`);

  // The program the key asks for: lit, two-sided, the one spot light.
  const vertex = call('shaderSource').map((c) => c[2]).find((source) => source.includes('aPosition'));
  const lights = vertex.match(/^ {2}light\(.*$/gm);
  assert.deepEqual(lights.map((line) => line.split(',').slice(0, 5).join(',').trim()),
                   [`light(${e.spotLight}, true, true, false, true`]);
});
