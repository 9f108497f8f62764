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
    // Byte and bit order: 0 or 1, kept for glGet; bytes have no order.
    GLint swapBytes = 0;
    GLint lsbFirst = 0;
};

// Bytes per pixel of a format with unsigned byte components; 0 for formats
// the layer does not read.
int bytesPerPixel(GLenum format);

// What a texture of an internal format keeps of an image: OpenGL's base format.
enum class BaseFormat { None, Alpha, Luminance, LuminanceAlpha, Rgb, Rgba };
// None for a value OpenGL 1.1 takes as no internal format.
BaseFormat baseFormat(GLint internalFormat);

// Unpacks a width x height image in `format` from client memory laid out as
// `store` says into tightly packed RGBA bytes, rows in the same order, as a
// texture of base format `base` keeps it: luminance is red, and what the
// base lacks is 0 for colour and 255 for alpha.
std::vector<std::uint8_t> unpackRgba(const void* pixels, int width, int height, GLenum format,
                                     const PixelStore& store, BaseFormat base);

// Copies a width x height image in `format` from client memory laid out as
// `store` says into tightly packed rows, read back with kTightlyPacked.
std::vector<std::uint8_t> copyImage(const void* pixels, int width, int height, GLenum format,
                                    const PixelStore& store);
constexpr PixelStore kTightlyPacked{1, 0, 0, 0, 0, 0};

// Packs tightly packed RGBA bytes into client memory as GL_RGB or GL_RGBA
// laid out as `store` says.
void packRgba(const std::vector<std::uint8_t>& rgba, int width, int height, GLenum format,
              const PixelStore& store, void* pixels);

}  // namespace vgl
