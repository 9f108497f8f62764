// The shaders of Vellmoor's OpenGL layer: OpenGL 1.1's fixed-function
// lighting per vertex, with the infinite viewer, two-sided lighting, flat
// and smooth shading and modulated textures. As a driver does, the vertex
// shader is written for the lights a draw needs (which lights light it,
// which are spot lights or fade with distance: the program key), so no
// vertex pays for a light that is off or cannot reach it; the programs are
// kept for when that key comes back.

var LibraryVellmoorShaders = {
  $VGLShaders__deps: ['$VGLLayout'],
  $VGLShaders: {
    // A light's field in the uLights array, from its word offset: the
    // four-word group and the components it takes there.
    lightField: function(name, size) {
      var word = VGLLayout.light[name], groups = VGLLayout.sizes.lightWords / 4;
      return 'uLights[i * ' + groups + ' + ' + (word >> 2) + '].' + 'xyzw'.substr(word & 3, size);
    },

    // The programs' uniforms by the renderer's names for them (the shader
    // text calls `name` uName): the shader in which each is declared, its
    // type and, for an array, its length. The declarations are written from
    // here, and the renderer looks up every one of them.
    uniforms: function() {
      var L = VGLLayout;
      return [
        ['vertex', 'mat4', 'modelview'],
        ['vertex', 'mat4', 'projection'],
        ['vertex', 'mat3', 'normalMatrix'],
        // Per light: ambient, diffuse, specular, position, spot direction and
        // exponent, cosine of the cutoff and the three attenuation factors.
        ['vertex', 'vec4', 'lights', L.sizes.lights * L.sizes.lightWords / 4],
        // 1 for a light that is on: a program may light with a spot light
        // that is off where it could reach, scaled by 0.
        ['vertex', 'float', 'lightOn', L.sizes.lights],
        ['vertex', 'vec4', 'sceneAmbient'],
        ['vertex', 'bool', 'normalize'],
        ['vertex', 'bool', 'flat'],
        ['vertex', 'bool', 'textured'],
        ['vertex', 'vec4', 'currentMaterial', L.sizes.materialWords / 2],
        ['vertex', 'highp sampler2D', 'materials'],
        // Points' size and lines' width in whole pixels, and the viewport
        // (x, y, width, height) that places them in the window.
        ['vertex', 'float', 'pointSize'],
        ['vertex', 'float', 'lineWidth'],
        ['vertex', 'vec4', 'viewport'],
        ['vertex', 'mat4', 'textureMatrix'],
        // The planes s, t and q are generated from, as the key says.
        ['vertex', 'vec4', 'texGenPlanes', 3],
        // The user clip planes in eye space.
        ['vertex', 'vec4', 'clipPlanes', L.sizes.clipPlanes],
        ['fragment', 'sampler2D', 'texture'],
        ['fragment', 'bool', 'texturing'],
        ['fragment', 'bool', 'textureReplace'],
        // The texture function's mode, the texture's base format (OpenGL's
        // enumerants) and the environment's colour, for GL_BLEND.
        ['fragment', 'highp int', 'textureEnvMode'],
        ['fragment', 'highp int', 'textureBase'],
        ['fragment', 'vec4', 'textureEnvColor'],
        // A texture sampled texel by texel: level 0's width and height
        // without the border, the border (0 or 1) and 1 for one dimension;
        // the wraps of s and t and the minification and magnification
        // filters (OpenGL's enumerants); and the border colour.
        ['fragment', 'ivec4', 'textureShape'],
        ['fragment', 'ivec4', 'textureModes'],
        ['fragment', 'vec4', 'textureBorderColor'],
        // The alpha test's comparison (OpenGL's GL_NEVER ... GL_ALWAYS) and
        // reference, and fog's colour and its density, start and end.
        ['fragment', 'int', 'alphaFunc'],
        ['fragment', 'float', 'alphaRef'],
        ['fragment', 'vec4', 'fogColor'],
        ['fragment', 'vec3', 'fogParameters'],
        // The polygon stipple: 32 rows from the bottom, bit i of a row its column i.
        ['fragment', 'uint', 'polygonStipple', 32],
        // The line stipple's pattern and repeat factor.
        ['fragment', 'ivec2', 'lineStipple'],
      ];
    },

    glslName: function(name) {
      return 'u' + name.charAt(0).toUpperCase() + name.slice(1);
    },

    declarations: function(shader) {
      return VGLShaders.uniforms().filter(function(uniform) {
        return uniform[0] === shader;
      }).map(function(uniform) {
        return 'uniform ' + uniform[1] + ' ' + VGLShaders.glslName(uniform[2]) +
               (uniform[3] ? '[' + uniform[3] + ']' : '') + ';';
      });
    },

    // A vertex's attributes in the order of their locations (the renderer's
    // too: VGL.pointAttributes), and last, for homogeneous vertices, their
    // w, r and q (VGL.pointParts).
    attributes: function(homogeneous) {
      return [['Position', 'vec3'], ['Normal', 'vec3'], ['TexCoord', 'vec2'], ['Color', 'vec4'],
              ['Material', 'uvec2'], ['Flags', 'uint']].concat(homogeneous ? [['Homogeneous', 'vec3']] : []);
    },

    // The attribute `position` (aPosition, aPositionA, aPositionB) as x, y, z
    // and w.
    place: function(key, position) {
      return 'vec4(' + position + ', ' + (key.homogeneous ? position.replace('Position', 'Homogeneous') + '.x' : '1.0') + ')';
    },

    // The direction from the eye toward the vertex, which is the eye's
    // position divided by its w, or with w 0 a direction already.
    fromEye: function(key) {
      return key.homogeneous ? '(eye.w != 0.0 ? eye.xyz / eye.w : eye.xyz)' : 'eye.xyz';
    },

    // The vertex's inputs. A wide line's corner has both ends of its segment,
    // A at the first locations and B after them, and takes the attributes of
    // the end it lies at (selectEnd).
    inputs: function(key) {
      var attributes = VGLShaders.attributes(key.homogeneous), count = attributes.length;
      if (!key.wideLines) {
        return attributes.map(function(a, i) {
          return 'layout(location = ' + i + ') in ' + a[1] + ' a' + a[0] + ';';
        });
      }
      return [].concat(attributes.map(function(a, i) {
        return 'layout(location = ' + i + ') in ' + a[1] + ' a' + a[0] + 'A;';
      }), attributes.map(function(a, i) {
        return 'layout(location = ' + (count + i) + ') in ' + a[1] + ' a' + a[0] + 'B;';
      }), attributes.map(function(a) {
        return a[1] + ' a' + a[0] + ';';
      }));
    },

    // OpenGL cuts a line at the near plane before it widens it: an end
    // beyond the plane lies where the segment crosses it, its attributes
    // taken that far from the other end's (0 is end A, 1 end B). The other
    // end, cut too, gives the line's direction (otherPosition).
    selectEnd: function(key) {
      var placeA = VGLShaders.place(key, 'aPositionA'), placeB = VGLShaders.place(key, 'aPositionB');
      return [
      '  bool endB = gl_VertexID >= 2;',
      '  vec4 clipA = uProjection * (uModelview * ' + placeA + ');',
      '  vec4 clipB = uProjection * (uModelview * ' + placeB + ');',
      '  float nearA = clipA.z + clipA.w;',
      '  float nearB = clipB.z + clipB.w;',
      '  float crossing = (nearA < 0.0) != (nearB < 0.0) ? nearA / (nearA - nearB) : 0.0;',
      '  float fromA = nearA < 0.0 ? crossing : 0.0;',
      '  float fromB = nearB < 0.0 ? crossing : 1.0;',
      '  float at = endB ? fromB : fromA;',
      key.homogeneous ? '  vec4 otherPosition = mix(' + placeA + ', ' + placeB + ', endB ? fromA : fromB);'
                      : '  vec3 otherPosition = mix(aPositionA, aPositionB, endB ? fromA : fromB);',
      ].concat(VGLShaders.attributes(key.homogeneous).map(function(a) {
        return a[1].charAt(0) === 'u'
            ? '  a' + a[0] + ' = endB ? a' + a[0] + 'B : a' + a[0] + 'A;'
            : '  a' + a[0] + ' = mix(a' + a[0] + 'A, a' + a[0] + 'B, at);';
      }));
    },

    // The shader text that follows from the layout; the rest is fixed.
    header: function(key) {
      var L = VGLLayout, field = VGLShaders.lightField;
      return [].concat([
      '#version 300 es',
      'precision highp float;',
      'precision highp int;',
      ], VGLShaders.inputs(key),
      key.lineStipple ? ['layout(location = ' + 2 * VGLShaders.attributes(key.homogeneous).length + ') in float aStippleCount;',
                         'flat out int vStippleStart;'].concat(key.smooth ? [] : ['out vec2 vStipple;']) : [],
      VGLShaders.declarations('vertex'), [
      'out vec4 vFrontSmooth;',
      'out vec4 vBackSmooth;',
      'flat out vec4 vFrontFlat;',
      'flat out vec4 vBackFlat;',
      'out vec2 vTexCoord;',
      'flat out uint vFlags;',
      ], key.fog ? ['out float vFogDistance;'] : [],
      key.texQ ? ['out float vTexQ;'] : [], VGLShaders.clipVaryings(key, 'out'),
      VGLShaders.smoothVaryings(key, 'out'), [
      '',
      'struct Material { vec4 ambient; vec4 diffuse; vec4 specular; vec4 emission; float shininess; };',
      '',
      // One material number stands for the one current where drawn; the
      // others are rows of the material table.
      'Material material(uint number, int face) {',
      '  Material m;',
      '  if (number == ' + L.sizes.currentMaterial + 'u) {',
      '    int b = face * ' + L.sizes.materialWords / 4 + ';',
      '    m.ambient = uCurrentMaterial[b];',
      '    m.diffuse = uCurrentMaterial[b + 1];',
      '    m.specular = uCurrentMaterial[b + 2];',
      '    m.emission = uCurrentMaterial[b + 3];',
      '    m.shininess = uCurrentMaterial[b + 4].x;',
      '  } else {',
      '    int row = int(number);',
      '    m.ambient = texelFetch(uMaterials, ivec2(0, row), 0);',
      '    m.diffuse = texelFetch(uMaterials, ivec2(1, row), 0);',
      '    m.specular = texelFetch(uMaterials, ivec2(2, row), 0);',
      '    m.emission = texelFetch(uMaterials, ivec2(3, row), 0);',
      '    m.shininess = texelFetch(uMaterials, ivec2(4, row), 0).x;',
      '  }',
      '  return m;',
      '}',
      '',
      // One light's share for both faces: ambient, diffuse and specular
      // (the viewer toward toEye), scaled by attenuation and the spot factor. The
      // back face is lit with its own material and the reversed normal.
      'void light(int i, bool positional, bool spot, bool fades, bool twoSide, ' + (key.homogeneous ? 'vec4' : 'vec3') + ' position, vec3 normal,',
      '           vec3 toEye, Material front, Material back, inout vec3 frontColor, inout vec3 backColor) {',
      '  vec4 place = ' + field('position', 4) + ';',
      '  vec3 toLight;',
      '  float factor = uLightOn[i];',
      '  if (positional) {',
      // A vertex with w 0 lies infinitely far: the light is the other way.
      key.homogeneous ? '    vec3 d = position.w != 0.0 ? place.xyz / place.w - position.xyz / position.w : -normalize(position.xyz);'
                      : '    vec3 d = place.xyz / place.w - position;',
      '    float distance = length(d);',
      '    toLight = d / distance;',
      '    if (fades) {',
      '      vec3 reach = ' + field('attenuation', 3) + ';',
      '      factor /= reach.x + reach.y * distance + reach.z * distance * distance;',
      '    }',
      '  } else {',
      key.homogeneous ? '    toLight = normalize(position.w != 0.0 ? place.xyz : place.xyz - position.xyz);'
                      : '    toLight = normalize(place.xyz);',
      '  }',
      '  if (spot) {',
      '    vec3 direction = ' + field('spotDirection', 3) + ';',
      '    float exponent = ' + field('spotExponent', 1) + ';',
      '    float s = dot(-toLight, normalize(direction));',
      '    factor *= s < ' + field('spotCosCutoff', 1) + ' ? 0.0 : (exponent == 0.0 ? 1.0 : pow(max(s, 0.0), exponent));',
      '  }',
      '  vec3 ambient = ' + field('ambient', 3) + ';',
      '  vec3 diffuse = ' + field('diffuse', 3) + ';',
      '  vec3 specular = ' + field('specular', 3) + ';',
      '  float nDotL = dot(normal, toLight);',
      '  float nDotH = dot(normal, normalize(toLight + toEye));',
      '  vec3 term = ambient * front.ambient.rgb;',
      '  if (nDotL > 0.0) {',
      '    float highlight = front.shininess == 0.0 ? 1.0 : pow(max(nDotH, 0.0), front.shininess);',
      '    term += nDotL * diffuse * front.diffuse.rgb + highlight * specular * front.specular.rgb;',
      '  }',
      '  frontColor += factor * term;',
      '  if (twoSide) {',
      '    term = ambient * back.ambient.rgb;',
      '    if (nDotL < 0.0) {',
      '      float highlight = back.shininess == 0.0 ? 1.0 : pow(max(-nDotH, 0.0), back.shininess);',
      '      term += -nDotL * diffuse * back.diffuse.rgb + highlight * specular * back.specular.rgb;',
      '    }',
      '    backColor += factor * term;',
      '  }',
      '}',
      ]);
    },

    // What a program key (web/gl/light_selection.h) asks for: lighting,
    // two-sided lighting, and the lights that are on with how each is lit.
    decode: function(key) {
      var bits = VGLLayout.key, words = typeof key === 'string' ? key.split(':').map(Number)
                                                             : [Math.floor(key / 4294967296), key % 4294967296];
      var high = words[0], low = words[1];
      var decoded = {lighting: (high & bits.lighting) !== 0, twoSide: (high & bits.twoSide) !== 0,
                     points: (high & bits.points) !== 0, wideLines: (high & bits.wideLines) !== 0,
                     localViewer: (high & bits.localViewer) !== 0,
                     alphaTest: (high & bits.alphaTest) !== 0,
                     textureMatrix: (high & bits.textureMatrix) !== 0,
                     homogeneous: typeof key === 'string' && key.split(':')[2] === 'h',
                     depthOffset: (high & bits.depthOffset) !== 0,
                     polygonStipple: (high & bits.polygonStipple) !== 0,
                     lineStipple: (high & bits.lineStipple) !== 0,
                     texGen: [0, 1, 2].map(function(i) { return (high >>> (bits.texGenShift + 2 * i)) & 3; }),
                     textureFunction: (high & bits.textureFunction) !== 0,
                     smooth: (high & bits.smooth) !== 0,
                     textureEdges: (high & bits.textureEdges) !== 0,
                     clipPlanes: [],
                     fog: (high >>> bits.fogShift) & 3,
                     colorMaterial: (high >>> bits.colorMaterialShift) & 7,
                     colorMaterialFaces: (high >>> (bits.colorMaterialShift + 3)) & 3, lights: []};
      // Texture coordinates carried by a texture matrix, or with their own
      // q, are divided by q where looked up.
      decoded.texQ = decoded.textureMatrix || decoded.homogeneous;
      for (var p = 0; p < VGLLayout.sizes.clipPlanes; ++p) {
        if ((high >>> (bits.clipShift + p)) & 1) decoded.clipPlanes.push(p);
      }
      for (var i = 0; i < VGLLayout.sizes.lights; ++i) {
        var light = (low >>> (i * bits.bitsPerLight)) & ((1 << bits.bitsPerLight) - 1);
        if (!(light & bits.on)) continue;
        decoded.lights.push({index: i, positional: (light & bits.positional) !== 0,
                             spot: (light & bits.spot) !== 0,
                             fades: (light & bits.attenuated) !== 0});
      }
      return decoded;
    },

    vertexSource: function(programKey) {
      var key = VGLShaders.decode(programKey), f = VGLLayout.flags;
      var lines = VGLShaders.header(key);
      lines.push('void main() {');
      if (key.wideLines) lines.push.apply(lines, VGLShaders.selectEnd(key));
      lines.push('  vec4 eye = uModelview * ' + VGLShaders.place(key, 'aPosition') + ';',
                 '  gl_Position = uProjection * eye;');
      // The corners and edges of a polygon drawn as points or lines carry the
      // polygon's depth offset in their flags' upper bits, as a float.
      if (key.depthOffset) lines.push('  gl_Position.z += uintBitsToFloat(aFlags & ~' + VGLLayout.flags.mask + 'u) * gl_Position.w;');
      lines.push.apply(lines, VGLShaders.clipDistances(key));
      lines.push(
                 '  vec3 normal = uNormalMatrix * aNormal;',
                 '  if (uNormalize && dot(normal, normal) > 0.0) normal = normalize(normal);',
                 '  bool flatShaded = (aFlags & ' + f.shadeFromState + 'u) != 0u ? uFlat : (aFlags & ' +
                     f.flat + 'u) != 0u;',
                 '  bool textured = (aFlags & ' + f.textureFromState + 'u) != 0u ? uTextured : (aFlags & ' +
                     f.textured + 'u) != 0u;',
                 '  vec4 front = aColor;',
                 '  vec4 back = aColor;');
      if (key.lighting) {
        lines.push('  Material frontMaterial = material(aMaterial.x, 0);',
                   '  Material backMaterial = frontMaterial;',
                   '  if (aMaterial.y != aMaterial.x) backMaterial = material(aMaterial.y, 1);');
        lines.push.apply(lines, VGLShaders.colorMaterial(key));
        lines.push('  vec3 frontColor = frontMaterial.emission.rgb + uSceneAmbient.rgb * frontMaterial.ambient.rgb;',
                   '  vec3 backColor = backMaterial.emission.rgb + uSceneAmbient.rgb * backMaterial.ambient.rgb;',
                   // The viewer at the eye, or infinitely far up the z axis.
                   key.localViewer ? '  vec3 toEye = -normalize(' + VGLShaders.fromEye(key) + ');' : '  vec3 toEye = vec3(0.0, 0.0, 1.0);');
        key.lights.forEach(function(l) {
          lines.push('  light(' + [l.index, l.positional, l.spot, l.fades, key.twoSide].join(', ') +
                     ', ' + (key.homogeneous ? 'eye' : 'eye.xyz') + ', normal, toEye, frontMaterial, backMaterial, frontColor, backColor);');
        });
        lines.push('  front = vec4(clamp(frontColor, 0.0, 1.0), clamp(frontMaterial.diffuse.a, 0.0, 1.0));');
        lines.push(key.twoSide
            ? '  back = vec4(clamp(backColor, 0.0, 1.0), clamp(backMaterial.diffuse.a, 0.0, 1.0));'
            : '  back = front;');
      }
      lines.push('  vFrontSmooth = front;',
                 '  vFrontFlat = front;',
                 '  vBackSmooth = back;',
                 '  vBackFlat = back;',
                 '  vFlags = (flatShaded ? 1u : 0u) | (textured ? 2u : 0u);');
      // The texture matrix may be projective: q is interpolated with s and
      // t, and divides them where the texture is looked up.
      lines.push('  vec4 coordinates = vec4(aTexCoord, ' + (key.homogeneous ? 'aHomogeneous.yz' : '0.0, 1.0') + ');');
      lines.push.apply(lines, VGLShaders.texGen(key));
      lines.push.apply(lines, key.textureMatrix
          ? ['  vec4 carried = uTextureMatrix * coordinates;',
             '  vTexCoord = carried.xy;',
             '  vTexQ = carried.w;']
          : ['  vTexCoord = coordinates.xy;'].concat(key.texQ ? ['  vTexQ = coordinates.w;'] : []));
      // Fog fades by the eye's distance, as Mesa takes it: along z; of a
      // vertex with w, as OpenGL takes it, from the point it stands for
      // (Mesa's takes z alone), endless for w 0.
      if (key.fog) {
        lines.push(key.homogeneous ? '  vFogDistance = eye.w != 0.0 ? abs(eye.z / eye.w) : 3.4e38;'
                                   : '  vFogDistance = abs(eye.z);');
      }
      if (key.points) lines.push.apply(lines, key.smooth ? VGLShaders.smoothPoint() : VGLShaders.pointPlacement());
      if (key.wideLines) lines.push.apply(lines, key.smooth ? VGLShaders.smoothLineCorner(key) : VGLShaders.lineCorner(key));
      lines.push('}');
      return lines.join('\n');
    },

    // Texture coordinates s, t and q generated as the key says: from the
    // object or eye coordinates by a plane, or s and t from a sphere map, by
    // the eye's direction reflected in the normal.
    texGen: function(key) {
      var modes = VGLLayout.key, lines = [];
      if (key.texGen.indexOf(modes.texGenSphere) >= 0) {
        lines.push('  vec3 reflected = reflect(normalize(' + VGLShaders.fromEye(key) + '), normal);',
                   '  vec2 sphere = reflected.xy / (2.0 * length(reflected + vec3(0.0, 0.0, 1.0))) + 0.5;');
      }
      ['s', 't', 'q'].forEach(function(name, i) {
        var made = {};
        made[modes.texGenObject] = 'dot(uTexGenPlanes[' + i + '], ' + VGLShaders.place(key, 'aPosition') + ')';
        made[modes.texGenEye] = 'dot(uTexGenPlanes[' + i + '], eye)';
        made[modes.texGenSphere] = 'sphere.' + 'xy'.charAt(i);
        if (key.texGen[i]) lines.push('  coordinates.' + name + ' = ' + made[key.texGen[i]] + ';');
      });
      return lines;
    },

    // The material parameters the vertex colour stands for under
    // GL_COLOR_MATERIAL, on the faces it stands for them.
    colorMaterial: function(key) {
      var fields = [[], ['ambient'], ['diffuse'], ['specular'], ['emission'], ['ambient', 'diffuse']];
      var lines = [];
      ['frontMaterial', 'backMaterial'].forEach(function(face, i) {
        if (!(key.colorMaterialFaces & (1 << i))) return;
        fields[key.colorMaterial].forEach(function(field) {
          lines.push('  ' + face + '.' + field + ' = aColor;');
        });
      });
      return lines;
    },

    // An aliased point as OpenGL 1.1 draws it: a square of whole pixels,
    // centred on a pixel's centre for an odd size and on a pixel's corner for
    // an even one.
    pointPlacement: function() {
      return [
      '  vec2 halfViewport = uViewport.zw * 0.5;',
      '  vec2 window = (gl_Position.xy / gl_Position.w + 1.0) * halfViewport + uViewport.xy;',
      '  vec2 centre = mod(uPointSize, 2.0) == 1.0 ? floor(window) + 0.5 : floor(window + 0.5);',
      '  gl_Position.xy = ((centre - uViewport.xy) / halfViewport - 1.0) * gl_Position.w;',
      '  gl_PointSize = uPointSize;',
      ];
    },

    // A smooth point as Mesa's llvmpipe draws it (its draw module's aapoint
    // stage): a square twice the radius across, the pixels whose centres lie
    // within the radius drawn, with the point's centre in the window and its
    // radius for their coverage. No pixel of the disc lies outside the sprite
    // a pixel wider.
    smoothPoint: function() {
      return [
      '  vec2 halfViewport = uViewport.zw * 0.5;',
      '  vSmoothPoint = vec3((gl_Position.xy / gl_Position.w + 1.0) * halfViewport + uViewport.xy, 0.5 * uPointSize);',
      '  gl_PointSize = uPointSize + 1.0;',
      ];
    },

    // A corner of a smooth line's segment as Mesa's llvmpipe makes it (its
    // draw module's aaline stage): each end moved half a pixel on along the
    // line, and half the width and half a pixel more either way across it,
    // with the corner's place across and along the line in pixels from end A.
    // Those are interpolated in perspective over the strip's two triangles,
    // which meet on the diagonal Mesa's do, from corner 1 to corner 2. A
    // stippled line's dashes are lines of their own to Mesa, cut from it in
    // the window, so there they are interpolated evenly across the window
    // (divided by w where drawn).
    smoothLineCorner: function(key) {
      return [
      '  vec4 other = uProjection * (uModelview * ' + (key.homogeneous ? 'otherPosition' : 'vec4(otherPosition, 1.0)') + ');',
      '  vec2 halfViewport = uViewport.zw * 0.5;',
      '  vec2 toB = (other.xy / other.w - gl_Position.xy / gl_Position.w) * halfViewport * (endB ? -1.0 : 1.0);',
      '  float len = length(toB);',
      '  vec2 along = len > 0.0 ? toB / len : vec2(1.0, 0.0);',
      '  float halfWidth = 0.5 * uLineWidth + 0.5;',
      '  float across = (gl_VertexID % 2 == 0 ? -1.0 : 1.0) * halfWidth;',
      '  vec2 offset = (endB ? 0.5 : -0.5) * along + across * vec2(-along.y, along.x);',
      '  gl_Position.xy += offset / halfViewport * gl_Position.w;',
      '  vSmoothLine = vec2(across, endB ? len + 0.5 : -0.5);',
      '  vLineSpan = vec2(halfWidth, len);',
      ].concat(key.lineStipple ? ['  vStippleStart = int(aStippleCount);',
                                  '  vDash = vec3(vSmoothLine, 1.0) * gl_Position.w;'] : [], [
      '  vBackSmooth = vFrontSmooth;',
      '  vBackFlat = vFrontFlat;',
      ]);
    },

    // A smooth point's centre in the window and radius; a smooth line's
    // fragment across and along it, and its half width and length; and,
    // stippled, across and along it evenly in the window, times w, and w.
    smoothVaryings: function(key, direction) {
      if (!key.smooth) return [];
      return key.points ? ['flat ' + direction + ' vec3 vSmoothPoint;']
                        : [direction + ' vec2 vSmoothLine;', 'flat ' + direction + ' vec2 vLineSpan;'].concat(
                            key.lineStipple ? [direction + ' vec3 vDash;'] : []);
    },

    // How much of a fragment a smooth point or line covers, multiplied into
    // its alpha. A point's d is the squared distance from its centre over the
    // squared radius; beyond 1 the fragment is dropped, and its coverage
    // ramps from 1 at k, the radius less a pixel, to 0 at the edge, as
    // Mesa's llvmpipe means it to (it selects the ramp the other way round,
    // scaling up the alpha within k and leaving the edge hard). A line's coverage fades over a pixel across its
    // edges, and over a pixel about each end (about each dash's, stippled),
    // and is no more than the length of a dash shorter than a pixel.
    smoothCoverage: function(key) {
      if (key.points) {
        return [
        '  float radius = vSmoothPoint.z;',
        '  vec2 fromCentre = gl_FragCoord.xy - vSmoothPoint.xy;',
        '  float d = dot(fromCentre, fromCentre) / (radius * radius);',
        '  if (d > 1.0) discard;',
        '  float k = (1.0 - 1.0 / radius) * (1.0 - 1.0 / radius);',
        '  color.a *= d > k ? (1.0 - d) / (1.0 - k) : 1.0;',
        ];
      }
      var lines = ['  vec2 line = ' + (key.lineStipple ? 'vDash.xy / vDash.z;' : 'vSmoothLine;'),
                   '  float across = clamp(vLineSpan.x - abs(line.x), 0.0, 1.0);',
                   '  float s = line.y;',
                   '  float len = vLineSpan.y;'];
      if (!key.lineStipple) {
        return lines.concat(['  float along = min(clamp(min(s + 0.5, len + 0.5 - s), 0.0, 1.0), len);',
                             '  color.a *= across * along;']);
      }
      // Stippled, each dash of fragments that are on is a line of its own:
      // the fragment takes the dash of its own fragment or a neighbour's
      // that reaches it. A dash's end beyond a neighbour lies more than a
      // pixel away, where the coverage is whole.
      return lines.concat([
      '  int n = int(ceil(len));',
      '  int j = int(floor(s));',
      '  float along = 0.0;',
      '  for (int i = j - 1; i <= j + 1; ++i) {',
      '    if (!stippleOn(i, n)) continue;',
      '    float a = stippleOn(i - 1, n) ? float(i - 1) : float(i);',
      '    float b = i + 1 >= n ? len : stippleOn(i + 1, n) ? min(float(i + 2), len) : float(i + 1);',
      '    along = max(along, min(clamp(min(s - a + 0.5, b + 0.5 - s), 0.0, 1.0), b - a));',
      '  }',
      '  if (along <= 0.0) discard;',
      '  color.a *= across * along;',
      ]);
    },

    // Whether the line stipple lets fragment i of a segment n fragments long
    // be drawn: none beyond the segment is.
    stippleOn: function() {
      return [
      'bool stippleOn(int i, int n) {',
      '  if (i < 0 || i >= n) return false;',
      '  int count = vStippleStart + i;',
      '  return (uLineStipple.x >> (count / uLineStipple.y % 16) & 1) != 0;',
      '}',
      ];
    },

    // A corner of a wide line's segment, drawn as a strip of two triangles:
    // corners 0 and 1 at end A, 2 and 3 at end B, each end moved half the
    // width either way across the line's minor axis, as OpenGL 1.1 widens an
    // aliased line. A line has no back: it takes the front colour.
    lineCorner: function(key) {
      return [
      '  vec4 other = uProjection * (uModelview * ' + (key.homogeneous ? 'otherPosition' : 'vec4(otherPosition, 1.0)') + ');',
      '  vec2 halfViewport = uViewport.zw * 0.5;',
      '  vec2 along = abs(other.xy / other.w - gl_Position.xy / gl_Position.w) * halfViewport;',
      '  float across = (gl_VertexID % 2 == 0 ? -0.5 : 0.5) * uLineWidth;',
      '  vec2 offset = along.x >= along.y ? vec2(0.0, across) : vec2(across, 0.0);',
      '  gl_Position.xy += offset / halfViewport * gl_Position.w;',
      ].concat(key.lineStipple ? [
      // Fragments count along the major axis from end A, evenly across the
      // window: the count times w over w, each interpolated.
      '  vStippleStart = int(aStippleCount);',
      '  vStipple = vec2(endB ? max(along.x, along.y) * gl_Position.w : 0.0, gl_Position.w);',
      ] : [], [
      '  vBackSmooth = vFrontSmooth;',
      '  vBackFlat = vFrontFlat;',
      ]);
    },

    // One varying per user clip plane that is on: the vertex's signed
    // distance, kept where it is not below 0.
    clipVaryings: function(key, direction) {
      return key.clipPlanes.map(function(p) {
        return direction + ' float vClip' + p + ';';
      });
    },

    // A point is kept or clipped whole, by its vertex: one clipped is moved
    // beyond the far plane. Other primitives are cut where the distance,
    // interpolated, falls below 0.
    clipDistances: function(key) {
      var lines = key.clipPlanes.map(function(p) {
        return '  vClip' + p + ' = dot(uClipPlanes[' + p + '], eye);';
      });
      if (key.points && key.clipPlanes.length) {
        lines.push('  if (' + key.clipPlanes.map(function(p) {
          return 'vClip' + p + ' < 0.0';
        }).join(' || ') + ') gl_Position = vec4(0.0, 0.0, 2.0, 1.0);');
      }
      return lines;
    },

    fragmentSource: function(programKey) {
      var key = VGLShaders.decode(programKey), modes = VGLLayout.key;
      var lines = [].concat([
      '#version 300 es',
      'precision highp float;',
      'in vec4 vFrontSmooth;',
      'in vec4 vBackSmooth;',
      'flat in vec4 vFrontFlat;',
      'flat in vec4 vBackFlat;',
      'in vec2 vTexCoord;',
      'flat in uint vFlags;',
      ], key.fog ? ['in float vFogDistance;'] : [], key.texQ ? ['in float vTexQ;'] : [],
      VGLShaders.clipVaryings(key, 'in'), VGLShaders.smoothVaryings(key, 'in'),
      key.lineStipple ? ['flat in int vStippleStart;'].concat(key.smooth ? [] : ['in vec2 vStipple;']) : [],
      VGLShaders.declarations('fragment'), [
      'out vec4 fragColor;',
      'void main() {',
      ], key.clipPlanes.map(function(p) {
        return '  if (vClip' + p + ' < 0.0) discard;';
      }), key.lineStipple && !key.smooth ? [
      '  int stippleCount = vStippleStart + int(floor(vStipple.x / vStipple.y));',
      '  if ((uLineStipple.x >> (stippleCount / uLineStipple.y % 16) & 1) == 0) discard;',
      ] : [], key.polygonStipple ? [
      '  uvec2 cell = uvec2(gl_FragCoord.xy) & 31u;',
      '  if ((uPolygonStipple[cell.y] >> cell.x & 1u) == 0u) discard;',
      ] : [], [
      '  bool flatShaded = (vFlags & 1u) != 0u;',
      '  vec4 color = gl_FrontFacing ? (flatShaded ? vFrontFlat : vFrontSmooth)',
      '                              : (flatShaded ? vBackFlat : vBackSmooth);',
      '  vec2 st = vTexCoord' + (key.texQ ? ' / vTexQ' : '') + ';',
      // The level is chosen from how st changes across the pixel, taken
      // where every fragment of the quad takes it.
      ], key.textureEdges ? ['  vec2 stX = dFdx(st), stY = dFdy(st);'] : [], [
      '  if ((vFlags & 2u) != 0u && uTexturing) {',
      key.textureEdges ? '    vec4 texel = edgeTexture(st, stX, stY);'
                       : '    vec4 texel = texture(uTexture, st);',
      key.textureFunction ? '    color = textureFunction(color, texel);'
                          : '    color = uTextureReplace ? texel : color * texel;',
      '  }',
      ]);
      if (key.textureFunction) {
        lines.splice.apply(lines, [lines.indexOf('void main() {'), 0].concat(VGLShaders.textureFunction()));
      }
      if (key.smooth && key.lineStipple) {
        lines.splice.apply(lines, [lines.indexOf('void main() {'), 0].concat(VGLShaders.stippleOn()));
      }
      if (key.textureEdges) {
        lines.splice.apply(lines, [lines.indexOf('void main() {'), 0].concat(VGLShaders.edgeTexture()));
      }
      // Fog takes the colour toward its own by the fraction f left of it.
      if (key.fog) {
        var f = {};
        f[modes.fogLinear] = '(uFogParameters.z - vFogDistance) / (uFogParameters.z - uFogParameters.y)';
        f[modes.fogExp] = 'exp(-uFogParameters.x * vFogDistance)';
        f[modes.fogExp2] = 'exp(-pow(uFogParameters.x * vFogDistance, 2.0))';
        lines.push('  float f = clamp(' + f[key.fog] + ', 0.0, 1.0);',
                   '  color.rgb = mix(uFogColor.rgb, color.rgb, f);');
      }
      // Coverage, after fog and before the alpha test, which sees it.
      if (key.smooth) lines.push.apply(lines, VGLShaders.smoothCoverage(key));
      // The alpha test: GL_NEVER + n passes alpha below the reference when n
      // has bit 0, equal to it with bit 1 and above it with bit 2.
      if (key.alphaTest) {
        lines.push('  int test = uAlphaFunc - 0x0200;',
                   '  float a = clamp(color.a, 0.0, 1.0);',
                   '  bool passes = (a < uAlphaRef && (test & 1) != 0) || (a == uAlphaRef && (test & 2) != 0) ||',
                   '                (a > uAlphaRef && (test & 4) != 0);',
                   '  if (!passes) discard;');
      }
      lines.push('  fragColor = color;', '}');
      return lines.join('\n');
    },

    // OpenGL 1.1's sampling of a texture with a border, or clamped with
    // GL_CLAMP, which WebGL's sampler does not have: its level chosen and
    // filtered here, texel by texel. GL_CLAMP clamps s and t to [0, 1], so
    // that a linear filter at the edge takes the texels beyond it: the
    // border's, or without a border the border colour. GL_REPEAT wraps the
    // image inside the border, GL_CLAMP_TO_EDGE stays inside it, and a
    // nearest filter never reaches the border.
    edgeTexture: function() {
      var gl = VGLLayout.gl;
      return [
      '// Level `level`\'s texel (i, j), counted from the corner inside the border.',
      'vec4 edgeTexel(ivec2 ij, ivec2 size, int level) {',
      '  int border = uTextureShape.z;',
      '  if (border == 0 && (any(lessThan(ij, ivec2(0))) || any(greaterThanEqual(ij, size)))) {',
      '    return uTextureBorderColor;',
      '  }',
      '  return texelFetch(uTexture, ij + ivec2(border, uTextureShape.w != 0 ? 0 : border), level);',
      '}',
      // Sides are powers of two, so repeating is a mask.
      'int edgeWrap(int i, int n, int wrap, bool linear) {',
      '  if (wrap == ' + gl.REPEAT + ') return i & (n - 1);',
      '  if (wrap == ' + gl.CLAMP + ' && linear) return clamp(i, -1, n);',
      '  return clamp(i, 0, n - 1);',
      '}',
      'vec4 edgeLevel(vec2 st, int level, bool linear) {',
      '  bool line = uTextureShape.w != 0;',
      '  ivec2 size = max(uTextureShape.xy >> level, ivec2(1));',
      '  vec2 u = st * vec2(size);',
      '  if (uTextureModes.x == ' + gl.CLAMP + ') u.x = clamp(u.x, 0.0, float(size.x));',
      '  if (uTextureModes.y == ' + gl.CLAMP + ') u.y = clamp(u.y, 0.0, float(size.y));',
      '  if (!linear) {',
      '    ivec2 i = ivec2(floor(u));',
      '    i = ivec2(edgeWrap(i.x, size.x, uTextureModes.x, false),',
      '              line ? 0 : edgeWrap(i.y, size.y, uTextureModes.y, false));',
      '    return edgeTexel(i, size, level);',
      '  }',
      '  vec2 a = u - 0.5;',
      '  vec2 f = fract(a);',
      '  ivec2 i0 = ivec2(floor(a));',
      '  int x0 = edgeWrap(i0.x, size.x, uTextureModes.x, true);',
      '  int x1 = edgeWrap(i0.x + 1, size.x, uTextureModes.x, true);',
      '  int y0 = line ? 0 : edgeWrap(i0.y, size.y, uTextureModes.y, true);',
      '  int y1 = line ? 0 : edgeWrap(i0.y + 1, size.y, uTextureModes.y, true);',
      '  vec4 below = mix(edgeTexel(ivec2(x0, y0), size, level), edgeTexel(ivec2(x1, y0), size, level), f.x);',
      '  vec4 above = mix(edgeTexel(ivec2(x0, y1), size, level), edgeTexel(ivec2(x1, y1), size, level), f.x);',
      '  return mix(below, above, line ? 0.0 : f.y);',
      '}',
      // The level of detail as OpenGL 1.1 gives it, from the larger of
      // st's changes across and up the window, in texels of level 0.
      'vec4 edgeTexture(vec2 st, vec2 stX, vec2 stY) {',
      '  bool line = uTextureShape.w != 0;',
      '  vec2 texels = vec2(uTextureShape.x, line ? 0 : uTextureShape.y);',
      '  float lambda = log2(max(length(stX * texels), length(stY * texels)));',
      '  int minFilter = uTextureModes.z, magFilter = uTextureModes.w;',
      '  bool nearestLevel = minFilter == ' + gl.NEAREST_MIPMAP_NEAREST + ' || minFilter == ' +
          gl.LINEAR_MIPMAP_NEAREST + ';',
      '  float c = magFilter == ' + gl.LINEAR + ' && nearestLevel ? 0.5 : 0.0;',
      '  if (lambda <= c) return edgeLevel(st, 0, magFilter == ' + gl.LINEAR + ');',
      '  if (minFilter == ' + gl.NEAREST + ' || minFilter == ' + gl.LINEAR + ') {',
      '    return edgeLevel(st, 0, minFilter == ' + gl.LINEAR + ');',
      '  }',
      '  bool linear = minFilter == ' + gl.LINEAR_MIPMAP_NEAREST + ' || minFilter == ' +
          gl.LINEAR_MIPMAP_LINEAR + ';',
      '  int last = int(round(log2(float(max(uTextureShape.x, uTextureShape.y)))));',
      '  if (nearestLevel) {',
      '    int d = lambda <= 0.5 ? 0 : int(ceil(lambda + 0.5)) - 1;',
      '    return edgeLevel(st, min(d, last), linear);',
      '  }',
      '  if (lambda >= float(last)) return edgeLevel(st, last, linear);',
      '  int d = int(floor(lambda));',
      '  return mix(edgeLevel(st, d, linear), edgeLevel(st, d + 1, linear), fract(lambda));',
      '}',
      ];
    },

    // OpenGL 1.1's texture functions, for each mode and base format, of the
    // fragment's colour f and the texel t. Luminance and intensity are kept
    // in the texel's red, green and blue, intensity in its alpha too. Mesa
    // leaves the fragment as it is where OpenGL leaves GL_DECAL undefined
    // (textures without red, green and blue).
    textureFunction: function() {
      var gl = VGLLayout.gl;
      return [
      'vec4 textureFunction(vec4 f, vec4 t) {',
      '  highp int base = uTextureBase;',
      '  bool colour = base != ' + gl.ALPHA + ';',
      '  bool alpha = base == ' + gl.ALPHA + ' || base == ' + gl.LUMINANCE_ALPHA + ' || base == ' +
          gl.INTENSITY + ' || base == ' + gl.RGBA + ';',
      '  vec4 c = f;',
      '  if (uTextureEnvMode == ' + gl.MODULATE + ') {',
      '    if (colour) c.rgb *= t.rgb;',
      '    if (alpha) c.a *= t.a;',
      '  } else if (uTextureEnvMode == ' + gl.REPLACE + ') {',
      '    if (colour) c.rgb = t.rgb;',
      '    if (alpha) c.a = t.a;',
      '  } else if (uTextureEnvMode == ' + gl.DECAL + ') {',
      '    if (base == ' + gl.RGB + ') c.rgb = t.rgb;',
      '    if (base == ' + gl.RGBA + ') c.rgb = mix(f.rgb, t.rgb, t.a);',
      '  } else {',
      '    if (colour) c.rgb = mix(f.rgb, uTextureEnvColor.rgb, t.rgb);',
      '    if (base == ' + gl.INTENSITY + ') c.a = mix(f.a, uTextureEnvColor.a, t.a);',
      '    else if (alpha) c.a *= t.a;',
      '  }',
      '  return c;',
      '}',
      ];
    },

    compile: function(gl, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) {
        throw new Error('Vellmoor shader: ' + gl.getShaderInfoLog(shader));
      }
      return shader;
    },

    link: function(gl, key) {
      var program = gl.createProgram();
      gl.attachShader(program, VGLShaders.compile(gl, gl.VERTEX_SHADER, VGLShaders.vertexSource(key)));
      gl.attachShader(program, VGLShaders.compile(gl, gl.FRAGMENT_SHADER, VGLShaders.fragmentSource(key)));
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
        throw new Error('Vellmoor shaders: ' + gl.getProgramInfoLog(program));
      }
      return program;
    },
  },
};

mergeInto(LibraryManager.library, LibraryVellmoorShaders);
