// The renderer under Vellmoor's OpenGL layer (web/gl/backend.h): WebGL 2
// state, the shaders that light every vertex with OpenGL 1.1's equation,
// meshes, textures, and the count of draw calls per frame. The layer's
// structures are read at the offsets $VGLLayout gives (generated from its
// headers at build time). When the browser takes the context away, the
// renderer waits for it to come back and then builds everything again
// (restore, below).

var LibraryVellmoorRenderer = {
  $VGL__deps: ['$VGLShaders', '$VGLLayout'],
  $VGL: {
    gl: null,
    programs: null,      // a Map by program key (made in init: emscripten copies this object as text)
    current: null,
    u: {},               // the current program's uniforms
    // The shared state as last sent, given to each program when it is next
    // used (stateVersion tells whether it has it).
    state: null,
    stateVersion: 0,
    compileMs: 0,        // spent making programs, for the page's figures
    meshes: [null],      // index 0: the stream mesh for immediate-mode geometry
    freeMeshes: [],
    textures: {},        // name -> {texture, levels: {level: [w, h]}, minFilter,
                         //          pixels: {level: bytes}, parameters: {pname: value}}
    lost: false,         // the context is lost
    renewed: false,      // a new context, rebuilt here, of which the layer is not yet told
    materialTexture: null,
    boundVao: null,
    wideLinesVao: null,  // its attributes are pointed at each wide line draw's mesh
    stippleCounts: null, // where the line stipple stands at each vertex (vglLineStipple)
    viewport: [0, 0, 0, 0],
    cullFace: 0,         // the faces culled, 0 for none
    polygonOffset: false,  // filled polygons' depth is offset
    drawCalls: 0,
    triangles: 0,

    init: function(gl) {
      VGL.gl = gl;
      VGL.programs = new Map();
      VGL.materialTexture = gl.createTexture();
      gl.activeTexture(gl.TEXTURE1);
      gl.bindTexture(gl.TEXTURE_2D, VGL.materialTexture);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
      gl.activeTexture(gl.TEXTURE0);
      gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
      gl.pixelStorei(gl.PACK_ALIGNMENT, 1);
      VGL.meshes[0] = VGL.newMesh(gl.STREAM_DRAW);
      VGL.wideLinesVao = gl.createVertexArray();
      VGL.stippleCounts = gl.createBuffer();
    },

    // The program key's two words as one number where that is exact (below
    // 2^53, as every key of the room is), else as text; text too, marked,
    // for vertices with homogeneous parts.
    key: function(low, high, homogeneous) {
      low >>>= 0;
      high >>>= 0;
      if (homogeneous) return high + ':' + low + ':h';
      return high < 0x200000 ? high * 4294967296 + low : high + ':' + low;
    },

    // The program for this key, made and linked if new.
    program: function(key) {
      var entry = VGL.programs.get(key);
      if (entry) return entry;
      var gl = VGL.gl, started = performance.now();
      var program = VGLShaders.link(gl, key);
      entry = {program: program, u: {}, stateVersion: -1};
      VGLShaders.uniforms().forEach(function(uniform) {
        entry.u[uniform[2]] = gl.getUniformLocation(program, VGLShaders.glslName(uniform[2]));
      });
      gl.useProgram(program);
      gl.uniform1i(entry.u.texture, 0);
      gl.uniform1i(entry.u.materials, 1);
      if (VGL.current) gl.useProgram(VGL.current.program);
      VGL.programs.set(key, entry);
      VGL.compileMs += performance.now() - started;
      return entry;
    },

    // The program for this key made the current one, with the shared state.
    use: function(key) {
      var gl = VGL.gl, entry = VGL.program(key);
      if (VGL.current !== entry) {
        gl.useProgram(entry.program);
        VGL.current = entry;
        VGL.u = entry.u;
      }
      if (entry.stateVersion !== VGL.stateVersion) {
        var u = entry.u, state = VGL.state;
        gl.uniformMatrix4fv(u.projection, false, state.projection);
        gl.uniform4fv(u.lights, state.lights);
        gl.uniform4fv(u.sceneAmbient, state.sceneAmbient);
        gl.uniform1fv(u.lightOn, state.lightOn);
        gl.uniform1i(u.normalize, state.normalize);
        gl.uniform1i(u.textureReplace, state.textureReplace);
        if (u.textureEnvMode) {
          gl.uniform1i(u.textureEnvMode, state.textureEnvMode);
          gl.uniform4fv(u.textureEnvColor, state.textureEnvColor);
        }
        gl.uniform1f(u.pointSize, state.pointSize);
        gl.uniform1f(u.lineWidth, state.lineWidth);
        gl.uniform1i(u.alphaFunc, state.alphaFunc);
        gl.uniform1f(u.alphaRef, state.alphaRef);
        gl.uniform4fv(u.fogColor, state.fogColor);
        gl.uniform3fv(u.fogParameters, state.fogParameters);
        gl.uniformMatrix4fv(u.textureMatrix, false, state.textureMatrix);
        if (u.texGenPlanes) gl.uniform4fv(u.texGenPlanes, state.texGenPlanes);
        gl.uniform4fv(u.clipPlanes, state.clipPlanes);
        if (u.polygonStipple) gl.uniform1uiv(u.polygonStipple, state.polygonStipple);
        if (u.lineStipple) gl.uniform2iv(u.lineStipple, state.lineStipple);
        entry.stateVersion = VGL.stateVersion;
      }
    },

    newMesh: function(usage) {
      var gl = VGL.gl;
      var mesh = {vao: gl.createVertexArray(), vertices: gl.createBuffer(),
                  indices: gl.createBuffer(), parts: null, usage: usage};
      gl.bindVertexArray(mesh.vao);
      gl.bindBuffer(gl.ARRAY_BUFFER, mesh.vertices);
      gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, mesh.indices);
      VGL.pointAttributes(0, 0, VGLLayout.vertex.stride, 0);
      gl.bindVertexArray(null);
      VGL.boundVao = null;
      return mesh;
    },

    // Points the bound vertex array's attributes from `location` on at
    // vertices as web/gl/recording.h lays them out (position, normal, texture
    // coordinates, colour, front and back material numbers, flags), from
    // byte `offset` of the bound buffer, `stride` bytes apart, taken per
    // vertex (divisor 0) or per instance (1).
    pointAttributes: function(location, offset, stride, divisor) {
      var gl = VGL.gl, v = VGLLayout.vertex;
      var pointers = [[3, gl.FLOAT, v.position], [3, gl.FLOAT, v.normal], [2, gl.FLOAT, v.texCoord],
                      [4, gl.UNSIGNED_BYTE, v.color], [2, gl.UNSIGNED_SHORT, v.material],
                      [1, gl.UNSIGNED_INT, v.flags]];
      pointers.forEach(function(p, i) {
        var at = location + i;
        gl.enableVertexAttribArray(at);
        if (p[1] === gl.FLOAT || p[1] === gl.UNSIGNED_BYTE) {
          gl.vertexAttribPointer(at, p[0], p[1], p[1] === gl.UNSIGNED_BYTE, stride, offset + p[2]);
        } else {
          gl.vertexAttribIPointer(at, p[0], p[1], stride, offset + p[2]);
        }
        gl.vertexAttribDivisor(at, divisor);
      });
    },

    // Points attribute `location` of the bound vertex array at the
    // vertices' homogeneous parts (w, r, q) in `buffer`, from the part of
    // vertex `first` on, every `every` vertices.
    pointParts: function(location, buffer, first, every, divisor) {
      var gl = VGL.gl, stride = VGLLayout.part.stride;
      gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
      gl.enableVertexAttribArray(location);
      gl.vertexAttribPointer(location, 3, gl.FLOAT, false, every * stride, first * stride + VGLLayout.part.w);
      gl.vertexAttribDivisor(location, divisor);
    },

    // Segments of lines wider than a pixel, each a strip of two triangles
    // whose corners the vertex shader places (VGLShaders.lineCorner): one
    // instance per segment, with the segment's two ends, which lie one after
    // the other from vertex `first` on. Lines are never culled, nor offset
    // as filled polygons are.
    drawWideLines: function(mesh, first, segments, stippled, homogeneous) {
      var gl = VGL.gl, stride = VGLLayout.vertex.stride;
      var count = VGLShaders.attributes(homogeneous).length;
      gl.bindVertexArray(VGL.wideLinesVao);
      VGL.boundVao = VGL.wideLinesVao;
      gl.bindBuffer(gl.ARRAY_BUFFER, mesh.vertices);
      VGL.pointAttributes(0, first * stride, 2 * stride, 1);
      VGL.pointAttributes(count, (first + 1) * stride, 2 * stride, 1);
      if (homogeneous) {
        VGL.pointParts(count - 1, mesh.parts, first, 2, 1);
        VGL.pointParts(2 * count - 1, mesh.parts, first + 1, 2, 1);
      }
      // A stippled segment's count at its start, after both ends' attributes.
      var counted = 2 * count;
      if (stippled) {
        gl.bindBuffer(gl.ARRAY_BUFFER, VGL.stippleCounts);
        gl.enableVertexAttribArray(counted);
        gl.vertexAttribPointer(counted, 1, gl.FLOAT, false, 8, first * 4);
        gl.vertexAttribDivisor(counted, 1);
      } else {
        gl.disableVertexAttribArray(counted);
      }
      if (VGL.cullFace) gl.disable(gl.CULL_FACE);
      if (VGL.polygonOffset) gl.disable(gl.POLYGON_OFFSET_FILL);
      gl.drawArraysInstanced(gl.TRIANGLE_STRIP, 0, 4, segments);
      if (VGL.cullFace) gl.enable(gl.CULL_FACE);
      if (VGL.polygonOffset) gl.enable(gl.POLYGON_OFFSET_FILL);
    },

    fill: function(mesh, vertices, vertexCount, indices, indexCount, parts) {
      var gl = VGL.gl;
      gl.bindVertexArray(mesh.vao);
      VGL.boundVao = mesh.vao;
      gl.bindBuffer(gl.ARRAY_BUFFER, mesh.vertices);
      gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(vertices, vertices + vertexCount * VGLLayout.vertex.stride), mesh.usage);
      gl.bufferData(gl.ELEMENT_ARRAY_BUFFER, HEAPU8.subarray(indices, indices + indexCount * 4), mesh.usage);
      // The parts, where there are any, after the vertex's attributes; only
      // programs for homogeneous vertices read them.
      if (parts) {
        if (!mesh.parts) {
          mesh.parts = gl.createBuffer();
          VGL.pointParts(VGLShaders.attributes(true).length - 1, mesh.parts, 0, 1, 0);
        }
        gl.bindBuffer(gl.ARRAY_BUFFER, mesh.parts);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(parts, parts + vertexCount * VGLLayout.part.stride), mesh.usage);
      }
    },

    texture: function(name) {
      var entry = VGL.textures[name];
      if (!entry) {
        entry = VGL.textures[name] = {texture: VGL.gl.createTexture(), levels: {},
                                      minFilter: VGLLayout.gl.NEAREST_MIPMAP_LINEAR,
                                      pixels: {}, parameters: {}};
      }
      return entry;
    },

    // Whether sampling the texture gives its image; OpenGL 1.1 leaves a
    // fragment untextured where it would not.
    complete: function(name) {
      var entry = VGL.textures[name];
      if (!entry || !entry.levels[0]) return false;
      var gl = VGLLayout.gl;
      if (entry.minFilter === gl.NEAREST || entry.minFilter === gl.LINEAR) return true;  // no mipmaps
      var w = entry.levels[0][0], h = entry.levels[0][1];
      for (var level = 1; w > 1 || h > 1; ++level) {
        w = Math.max(1, w >> 1);
        h = Math.max(1, h >> 1);
        var size = entry.levels[level];
        if (!size || size[0] !== w || size[1] !== h) return false;
      }
      return true;
    },

    // --- A lost context ---------------------------------------------------
    // The browser may take the context away (a GPU reset, a phone reclaiming
    // memory) and give a new, empty one back. Nothing is drawn in between;
    // then the renderer makes its programs, the material table and its
    // textures again from the copies it keeps, and the layer sends the rest
    // again (vglRestore): meshes from its display lists, materials, state.
    watch: function(canvas) {
      canvas.addEventListener('webglcontextlost', function(event) {
        event.preventDefault();  // asks the browser for the context back
        VGL.lost = true;
      });
      canvas.addEventListener('webglcontextrestored', VGL.restore);
    },

    restore: function() {
      var textures = VGL.textures;
      VGL.programs = new Map();
      VGL.current = null;
      VGL.u = {};
      VGL.meshes = [null];
      VGL.freeMeshes = [];
      VGL.textures = {};
      VGL.boundVao = null;
      VGL.init(VGL.gl);
      Object.keys(textures).forEach(function(name) {
        VGL.restoreTexture(name, textures[name]);
      });
      VGL.lost = false;
      VGL.renewed = true;
    },

    restoreTexture: function(name, old) {
      var gl = VGL.gl, entry = VGL.texture(name);
      gl.bindTexture(gl.TEXTURE_2D, entry.texture);
      Object.keys(old.pixels).forEach(function(level) {
        var size = old.levels[level];
        gl.texImage2D(gl.TEXTURE_2D, Number(level), gl.RGBA8, size[0], size[1], 0, gl.RGBA,
                      gl.UNSIGNED_BYTE, old.pixels[level]);
      });
      Object.keys(old.parameters).forEach(function(pname) {
        gl.texParameteri(gl.TEXTURE_2D, Number(pname), old.parameters[pname]);
      });
      entry.levels = old.levels;
      entry.pixels = old.pixels;
      entry.parameters = old.parameters;
      entry.minFilter = old.minFilter;
    },
  },

  vglCreateContext__deps: ['$VGL'],
  vglCreateContext: function(width, height, stencil) {
    var canvas = Module['canvas'];
    canvas.width = width;
    canvas.height = height;
    // An opaque, single-sampled RGB window with a depth buffer, as on the
    // desktop, and a stencil buffer if the program asked for one.
    var gl = canvas.getContext('webgl2', {alpha: false, antialias: false, depth: true,
                                          stencil: stencil !== 0, premultipliedAlpha: false,
                                          preserveDrawingBuffer: false});
    if (!gl) return 0;
    VGL.init(gl);
    VGL.watch(canvas);
    return 1;
  },

  // The states web/gl/window.h names; a new context is told once.
  vglContextState__deps: ['$VGL'],
  vglContextState: function() {
    var state = VGLLayout.contextState;
    if (VGL.lost) return state.lost;
    if (!VGL.renewed) return state.ready;
    VGL.renewed = false;
    return state.renewed;
  },

  // The context's own answers, into a ContextLimits (backend.h).
  vglContextLimits__deps: ['$VGL'],
  vglContextLimits: function(limits) {
    var gl = VGL.gl;
    var at = VGLLayout.limits;
    var word = limits >> 2;
    [gl.RED_BITS, gl.GREEN_BITS, gl.BLUE_BITS, gl.ALPHA_BITS].forEach(function(name, i) {
      HEAP32[word + at.colorBits + i] = gl.getParameter(name);
    });
    HEAP32[word + at.depthBits] = gl.getParameter(gl.DEPTH_BITS);
    HEAP32[word + at.stencilBits] = gl.getParameter(gl.STENCIL_BITS);
    HEAP32[word + at.subpixelBits] = gl.getParameter(gl.SUBPIXEL_BITS);
    var viewport = gl.getParameter(gl.MAX_VIEWPORT_DIMS);
    HEAP32[word + at.maxViewport] = viewport[0];
    HEAP32[word + at.maxViewport + 1] = viewport[1];
    HEAP32[word + at.maxTextureSize] = gl.getParameter(gl.MAX_TEXTURE_SIZE);
  },

  vglCreateMesh__deps: ['$VGL'],
  vglCreateMesh: function(vertices, vertexCount, indices, indexCount, parts) {
    var mesh = VGL.newMesh(VGL.gl.STATIC_DRAW);
    VGL.fill(mesh, vertices, vertexCount, indices, indexCount, parts);
    var number = VGL.freeMeshes.length ? VGL.freeMeshes.pop() : VGL.meshes.length;
    VGL.meshes[number] = mesh;
    return number;
  },

  vglUpdateStream__deps: ['$VGL'],
  vglUpdateStream: function(vertices, vertexCount, indices, indexCount, parts) {
    VGL.fill(VGL.meshes[0], vertices, vertexCount, indices, indexCount, parts);
  },

  vglDeleteMesh__deps: ['$VGL'],
  vglDeleteMesh: function(number) {
    var mesh = VGL.meshes[number], gl = VGL.gl;
    if (!mesh || number === 0) return;
    gl.deleteVertexArray(mesh.vao);
    gl.deleteBuffer(mesh.vertices);
    gl.deleteBuffer(mesh.indices);
    if (mesh.parts) gl.deleteBuffer(mesh.parts);
    if (VGL.boundVao === mesh.vao) VGL.boundVao = null;
    VGL.meshes[number] = null;
    VGL.freeMeshes.push(number);
  },

  vglSetMaterials__deps: ['$VGL'],
  vglSetMaterials: function(materials, count) {
    var gl = VGL.gl;
    // One row of five RGBA texels per material: ambient, diffuse, specular,
    // emission, shininess.
    var words = VGLLayout.sizes.materialWords;
    gl.activeTexture(gl.TEXTURE1);
    gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA32F, words / 4, count, 0, gl.RGBA, gl.FLOAT,
                  HEAPF32.subarray(materials >> 2, (materials >> 2) + count * words));
    gl.activeTexture(gl.TEXTURE0);
  },

  vglPrepareProgram__deps: ['$VGL'],
  vglPrepareProgram: function(keyLow, keyHigh) {
    VGL.program(VGL.key(keyLow, keyHigh));
  },

  vglSetState__deps: ['$VGL'],
  vglSetState: function(state) {
    var gl = VGL.gl, f = state >> 2, at = VGLLayout.state;
    var lightWords = VGLLayout.sizes.lights * VGLLayout.sizes.lightWords;
    VGL.state = {
      projection: HEAPF32.slice(f + at.projection, f + at.projection + 16),
      lights: HEAPF32.slice(f + at.lights, f + at.lights + lightWords),
      sceneAmbient: HEAPF32.slice(f + at.sceneAmbient, f + at.sceneAmbient + 4),
      lightOn: HEAPF32.slice(f + at.lightOn, f + at.lightOn + VGLLayout.sizes.lights),
      normalize: HEAP32[f + at.normalize],
      textureReplace: HEAP32[f + at.textureReplace],
      textureEnvMode: HEAP32[f + at.textureEnvMode],
      textureEnvColor: HEAPF32.slice(f + at.textureEnvColor, f + at.textureEnvColor + 4),
      pointSize: HEAPF32[f + at.pointSize],
      lineWidth: HEAPF32[f + at.lineWidth],
      alphaFunc: HEAP32[f + at.alphaFunc],
      alphaRef: HEAPF32[f + at.alphaRef],
      fogColor: HEAPF32.slice(f + at.fogColor, f + at.fogColor + 4),
      fogParameters: [HEAPF32[f + at.fogDensity], HEAPF32[f + at.fogStart], HEAPF32[f + at.fogEnd]],
      textureMatrix: HEAPF32.slice(f + at.textureMatrix, f + at.textureMatrix + 16),
      clipPlanes: HEAPF32.slice(f + at.clipPlanes, f + at.clipPlanes + 4 * VGLLayout.sizes.clipPlanes),
      polygonStipple: HEAPU32.slice(f + at.polygonStipple, f + at.polygonStipple + 32),
      lineStipple: HEAP32.slice(f + at.lineStipple, f + at.lineStipple + 2),
      texGenPlanes: HEAPF32.slice(f + at.texGenPlanes, f + at.texGenPlanes + 12),
    };
    VGL.stateVersion++;
    if (HEAP32[f + at.depthTest]) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
    if (HEAP32[f + at.blend]) gl.enable(gl.BLEND); else gl.disable(gl.BLEND);
    gl.blendFunc(HEAP32[f + at.blendSource], HEAP32[f + at.blendDestination]);
    // The per-fragment operations, OpenGL's enumerants being WebGL's.
    gl.depthFunc(HEAP32[f + at.depthFunc]);
    gl.depthRange(HEAPF32[f + at.depthRange], HEAPF32[f + at.depthRange + 1]);
    gl.colorMask(HEAP32[f + at.colorMask] !== 0, HEAP32[f + at.colorMask + 1] !== 0,
                 HEAP32[f + at.colorMask + 2] !== 0, HEAP32[f + at.colorMask + 3] !== 0);
    if (HEAP32[f + at.dither]) gl.enable(gl.DITHER); else gl.disable(gl.DITHER);
    if (HEAP32[f + at.scissorTest]) gl.enable(gl.SCISSOR_TEST); else gl.disable(gl.SCISSOR_TEST);
    gl.scissor(HEAP32[f + at.scissor], HEAP32[f + at.scissor + 1],
               HEAP32[f + at.scissor + 2], HEAP32[f + at.scissor + 3]);
    if (HEAP32[f + at.stencilTest]) gl.enable(gl.STENCIL_TEST); else gl.disable(gl.STENCIL_TEST);
    gl.stencilFunc(HEAP32[f + at.stencilFunc], HEAP32[f + at.stencilRef],
                   HEAPU32[f + at.stencilValueMask]);
    gl.stencilOp(HEAP32[f + at.stencilFail], HEAP32[f + at.stencilDepthFail],
                 HEAP32[f + at.stencilDepthPass]);
    gl.stencilMask(HEAPU32[f + at.stencilWriteMask]);
    // Filled polygons' depth offset, as OpenGL's.
    var factor = HEAPF32[f + at.polygonOffset], units = HEAPF32[f + at.polygonOffset + 1];
    VGL.polygonOffset = factor !== 0 || units !== 0;
    if (VGL.polygonOffset) {
      gl.enable(gl.POLYGON_OFFSET_FILL);
      gl.polygonOffset(factor, units);
    } else {
      gl.disable(gl.POLYGON_OFFSET_FILL);
    }
    // The faces culled, OpenGL's enumerants being WebGL's.
    VGL.cullFace = HEAP32[f + at.cullFace];
    if (VGL.cullFace) {
      gl.enable(gl.CULL_FACE);
      gl.cullFace(VGL.cullFace);
    } else {
      gl.disable(gl.CULL_FACE);
    }
  },

  vglDraw__deps: ['$VGL'],
  vglDraw: function(number, parameters) {
    var gl = VGL.gl, f = parameters >> 2, at = VGLLayout.draw, mesh = VGL.meshes[number];
    if (!mesh) return;
    var keyHigh = HEAPU32[f + at.programKey + 1], homogeneous = HEAP32[f + at.homogeneous] !== 0;
    VGL.use(VGL.key(HEAPU32[f + at.programKey], keyHigh, homogeneous));
    var u = VGL.u;
    var wideLines = (keyHigh & VGLLayout.key.wideLines) !== 0;
    if (!wideLines && VGL.boundVao !== mesh.vao) {
      gl.bindVertexArray(mesh.vao);
      VGL.boundVao = mesh.vao;
    }
    if (keyHigh & (VGLLayout.key.points | VGLLayout.key.wideLines)) {
      gl.uniform4fv(u.viewport, VGL.viewport);
    }
    var materialWords = 2 * VGLLayout.sizes.materialWords;
    gl.uniformMatrix4fv(u.modelview, false, HEAPF32.subarray(f + at.modelview, f + at.modelview + 16));
    gl.uniformMatrix3fv(u.normalMatrix, false,
                        HEAPF32.subarray(f + at.normalMatrix, f + at.normalMatrix + 9));
    gl.uniform4fv(u.currentMaterial, HEAPF32.subarray(f + at.material, f + at.material + materialWords));
    var texture = HEAP32[f + at.texture];
    var texturing = VGL.complete(texture);
    gl.uniform1i(u.texturing, texturing);
    if (texturing) gl.bindTexture(gl.TEXTURE_2D, VGL.textures[texture].texture);
    gl.depthMask(HEAP32[f + at.depthMask] !== 0);
    gl.frontFace(HEAP32[f + at.clockwise] ? gl.CW : gl.CCW);
    gl.uniform1i(u.flat, HEAP32[f + at.flat]);
    gl.uniform1i(u.textured, HEAP32[f + at.textured]);
    if (keyHigh & VGLLayout.key.textureFunction) gl.uniform1i(u.textureBase, HEAP32[f + at.textureBase]);
    if (keyHigh & VGLLayout.key.textureEdges) {
      gl.uniform4i(u.textureShape, HEAP32[f + at.textureSize], HEAP32[f + at.textureSize + 1],
                   HEAP32[f + at.textureBorder], HEAP32[f + at.textureLine]);
      gl.uniform4i(u.textureModes, HEAP32[f + at.textureWrap], HEAP32[f + at.textureWrap + 1],
                   HEAP32[f + at.textureFilter], HEAP32[f + at.textureFilter + 1]);
      gl.uniform4fv(u.textureBorderColor, HEAPF32.subarray(f + at.textureBorderColor, f + at.textureBorderColor + 4));
    }
    var count = HEAP32[f + at.indexCount], mode = HEAP32[f + at.mode];
    if (wideLines) {
      VGL.drawWideLines(mesh, HEAP32[f + at.firstVertex], count / 2,
                        (keyHigh & VGLLayout.key.lineStipple) !== 0, homogeneous);
    } else {
      // The mode is OpenGL's GL_POINTS, GL_LINES or GL_TRIANGLES, which WebGL's are.
      gl.drawElements(mode, count, gl.UNSIGNED_INT, HEAP32[f + at.firstIndex] * 4);
    }
    VGL.drawCalls++;
    if (mode === gl.TRIANGLES) VGL.triangles += count / 3;
  },

  vglLineStipple__deps: ['$VGL'],
  vglLineStipple: function(counts, vertexCount) {
    var gl = VGL.gl;
    gl.bindBuffer(gl.ARRAY_BUFFER, VGL.stippleCounts);
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(counts >> 2, (counts >> 2) + vertexCount), gl.STREAM_DRAW);
  },

  vglClear__deps: ['$VGL'],
  vglClear: function(mask, clearColor, clearDepth, clearStencil, depthMask) {
    var gl = VGL.gl, c = clearColor >> 2;
    gl.clearColor(HEAPF32[c], HEAPF32[c + 1], HEAPF32[c + 2], HEAPF32[c + 3]);
    gl.clearDepth(clearDepth);
    gl.clearStencil(clearStencil);
    // The depth buffer is cleared only where depth writes are on, as in OpenGL.
    gl.depthMask(depthMask !== 0);
    // glClear's bits are WebGL's.
    gl.clear(mask);
  },

  vglViewport__deps: ['$VGL'],
  vglViewport: function(x, y, width, height) {
    VGL.gl.viewport(x, y, width, height);
    VGL.viewport = [x, y, width, height];
  },

  vglTexImage__deps: ['$VGL'],
  vglTexImage: function(name, level, width, height, rgba) {
    var gl = VGL.gl, entry = VGL.texture(name);
    gl.bindTexture(gl.TEXTURE_2D, entry.texture);
    gl.texImage2D(gl.TEXTURE_2D, level, gl.RGBA8, width, height, 0, gl.RGBA, gl.UNSIGNED_BYTE,
                  HEAPU8.subarray(rgba, rgba + width * height * 4));
    entry.levels[level] = [width, height];
    entry.pixels[level] = HEAPU8.slice(rgba, rgba + width * height * 4);  // for a lost context
  },

  vglTexSubImage__deps: ['$VGL'],
  vglTexSubImage: function(name, level, x, y, width, height, rgba) {
    var gl = VGL.gl, entry = VGL.texture(name), bytes = width * height * 4;
    gl.bindTexture(gl.TEXTURE_2D, entry.texture);
    gl.texSubImage2D(gl.TEXTURE_2D, level, x, y, width, height, gl.RGBA, gl.UNSIGNED_BYTE,
                     HEAPU8.subarray(rgba, rgba + bytes));
    // The copy kept for a lost context takes the part too, row by row.
    var kept = entry.pixels[level], rowBytes = width * 4, stride = entry.levels[level][0] * 4;
    for (var row = 0; row < height; ++row) {
      kept.set(HEAPU8.subarray(rgba + row * rowBytes, rgba + (row + 1) * rowBytes),
               (y + row) * stride + x * 4);
    }
  },

  vglTexParameter__deps: ['$VGL'],
  vglTexParameter: function(name, pname, value) {
    var gl = VGL.gl, entry = VGL.texture(name);
    // OpenGL 1.1's GL_CLAMP, which WebGL does not have: clamped to the edge.
    if (value === VGLLayout.gl.CLAMP) value = gl.CLAMP_TO_EDGE;
    gl.bindTexture(gl.TEXTURE_2D, entry.texture);
    gl.texParameteri(gl.TEXTURE_2D, pname, value);
    if (pname === VGLLayout.gl.TEXTURE_MIN_FILTER) entry.minFilter = value;
    entry.parameters[pname] = value;
  },

  vglDeleteTexture__deps: ['$VGL'],
  vglDeleteTexture: function(name) {
    var entry = VGL.textures[name];
    if (entry) {
      VGL.gl.deleteTexture(entry.texture);
      delete VGL.textures[name];
    }
  },

  vglReadPixels__deps: ['$VGL'],
  vglReadPixels: function(x, y, width, height, rgba) {
    var gl = VGL.gl;
    gl.readPixels(x, y, width, height, gl.RGBA, gl.UNSIGNED_BYTE,
                  HEAPU8.subarray(rgba, rgba + width * height * 4));
  },
};

mergeInto(LibraryManager.library, LibraryVellmoorRenderer);
