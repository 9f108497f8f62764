#pragma once

#include <GL/gl.h>

namespace vgl {

// What a texture of an internal format keeps of an image: OpenGL's base format.
enum class BaseFormat { None, Alpha, Luminance, LuminanceAlpha, Intensity, Rgb, Rgba };

// An internal format glTexImage takes: its base format and the bits each
// component is kept in, as glGetTexLevelParameter reports them. OpenGL lets
// an implementation choose the bits of a sized format; these are Mesa's, and
// an image is rounded to them as it is read, so it samples as Mesa's does.
struct TextureFormat {
    GLint internalFormat;
    BaseFormat base;
    // Red, green, blue, alpha, luminance, intensity.
    unsigned char bits[6];
};

// The format glTexImage names with internalFormat; null for a value OpenGL
// 1.1 takes as no internal format.
const TextureFormat* textureFormat(GLint internalFormat);
// The format an image given in pixel `format` and `type` is kept in for
// internalFormat: the one it names, but where an unsized alpha, luminance,
// luminance-alpha or RGBA image is given in the same format as unsigned
// shorts, Mesa keeps it in 16 bits a component as the pixels are.
const TextureFormat* keptFormat(GLint internalFormat, GLenum format, GLenum type);

// The base format's own enumerant (GL_ALPHA ... GL_RGBA), as the shaders name it.
GLenum baseEnumerant(BaseFormat base);

}  // namespace vgl
