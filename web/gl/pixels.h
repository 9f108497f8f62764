#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace vgl {

// The glPixelStorei settings for reading (unpack) or writing (pack) client memory.
struct PixelStore {
    GLint alignment = 4;
    GLint rowLength = 0;
    GLint skipRows = 0;
    GLint skipPixels = 0;
};

// Bytes per pixel of a format with unsigned byte components; 0 for formats
// the layer does not read (GL_RGB, GL_BGR, GL_RGBA, GL_BGRA, GL_LUMINANCE and
// GL_LUMINANCE_ALPHA are read).
int bytesPerPixel(GLenum format);

// Whether a texture of this internal format keeps the image's alpha.
bool keepsAlpha(GLint internalFormat);
// Whether the internal format is one the layer stores.
bool knownInternalFormat(GLint internalFormat);

// Unpacks a width x height image in `format` from client memory laid out as
// `store` says into tightly packed RGBA bytes, rows in the same order. Alpha
// is 255 unless the format and the internal format both have it.
std::vector<std::uint8_t> unpackRgba(const void* pixels, int width, int height, GLenum format,
                                     const PixelStore& store, bool alpha);

// Packs tightly packed RGBA bytes into client memory as GL_RGB or GL_RGBA
// laid out as `store` says.
void packRgba(const std::vector<std::uint8_t>& rgba, int width, int height, GLenum format,
              const PixelStore& store, void* pixels);

}  // namespace vgl
