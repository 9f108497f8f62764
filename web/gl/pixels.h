#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "texture_formats.h"

namespace vgl {

// The glPixelStorei settings for reading (unpack) or writing (pack) client memory.
struct PixelStore {
    GLint alignment = 4;
    GLint rowLength = 0;
    GLint skipRows = 0;
    GLint skipPixels = 0;
    // Byte and bit order: 0 or 1. Components of more than one byte are
    // read with their bytes swapped; there are no bitmaps to read bits of.
    GLint swapBytes = 0;
    GLint lsbFirst = 0;
};

// glPixelTransfer's settings (GL_PIXEL_MODE_BIT), by name from one table
// that gives each its kind and initial value.
class PixelTransfer {
   public:
    PixelTransfer();
    // Sets pname to param as glPixelTransferf does; false for a name it does not take.
    bool set(GLenum pname, GLfloat param);
    // The setting as glGet reads it; false for another name.
    bool get(GLenum pname, double& value) const;
    // Colour component c (red, green, blue, alpha) as it passes: scaled,
    // biased, and looked up in its colour map where GL_MAP_COLOR is on.
    float transfer(int c, float value) const;
    // Whether transfer changes any colour.
    bool changesColours() const;

   private:
    static constexpr int kNames = 14;
    float values_[kNames];
};

// Components per group of a pixel format the layer reads (GL_RED ... GL_BGRA);
// 0 for other formats.
int componentsPerPixel(GLenum format);
// Bytes per component of a pixel type OpenGL 1.1 reads (GL_UNSIGNED_BYTE ...
// GL_FLOAT); 0 for other types.
int bytesPerComponent(GLenum type);

// The bytes from one row's start to the next's, as OpenGL lays rows out:
// whole multiples of the alignment.
std::size_t rowStride(int width, std::size_t groupBytes, const PixelStore& store);

// Reads a width x height image of `format` and `type` from client memory
// laid out as `store` says into RGBA floats in [0, 1], rows in the same
// order, each component through `transfer`.
std::vector<float> unpackColours(const void* pixels, int width, int height, GLenum format,
                                 GLenum type, const PixelStore& store,
                                 const PixelTransfer& transfer);
// The RGBA bytes the renderer is given for those colours in a texture of
// `internal` format, as unpackRgba says.
std::vector<std::uint8_t> keptBytes(const std::vector<float>& colours,
                                    const TextureFormat& internal);

// Unpacks a width x height image of `format` and `type` from client memory
// laid out as `store` says into tightly packed RGBA bytes, rows in the same
// order, as a texture of `internal` format keeps them: each component through
// `transfer`, rounded to the bits the format keeps it in. What the base
// format lacks is stored so that the renderer's modulation leaves the
// fragment's own: colour 1 for GL_ALPHA, alpha 1 for GL_LUMINANCE and
// GL_RGB. Luminance and intensity are kept in red, green and blue, intensity
// in alpha as well.
std::vector<std::uint8_t> unpackRgba(const void* pixels, int width, int height, GLenum format,
                                     GLenum type, const PixelStore& store,
                                     const PixelTransfer& transfer, const TextureFormat& internal);

// Copies a width x height image of `format` and `type` from client memory
// laid out as `store` says into tightly packed rows with their bytes in
// order, read back with kTightlyPacked.
std::vector<std::uint8_t> copyImage(const void* pixels, int width, int height, GLenum format,
                                    GLenum type, const PixelStore& store);
constexpr PixelStore kTightlyPacked{1, 0, 0, 0, 0, 0};

// The window's RGBA bytes as colours in [0, 1], each component through
// `transfer` (in double precision, so that a byte read as a 32-bit integer
// or a float is exact where nothing changes it).
std::vector<double> transferredColours(const std::vector<std::uint8_t>& rgba,
                                       const PixelTransfer& transfer);

}  // namespace vgl
