#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "pixels.h"

namespace vgl {

// A texture's texels as its format keeps them: per texel red, green, blue
// and alpha as unsigned integers of the bits texelBits gives, with what the
// base format lacks filled as glGetTexImage reads it back (luminance and
// intensity in red, the other colours 0, alpha 1 where there is none).
std::vector<std::uint16_t> keptTexels(const std::vector<float>& colours,
                                      const TextureFormat& internal);
// Puts a width x height part of kept texels at (x, y) in an image
// `imageWidth` texels wide.
void placeTexels(std::vector<std::uint16_t>& texels, int imageWidth, int x, int y, int width,
                 int height, const std::vector<std::uint16_t>& part);
// The bits of component c (red, green, blue, alpha) of those texels.
int texelBits(const TextureFormat& internal, int c);

// Writes width x height texels kept in `internal` format into client memory
// as glGetTexImage does: in `format` and `type`, laid out as `store` says,
// with no pixel transfer.
void packTexels(const std::vector<std::uint16_t>& texels, const TextureFormat& internal, int width,
                int height, GLenum format, GLenum type, const PixelStore& store, void* pixels);

// Writes width x height colours, RGBA floats in [0, 1] as the window holds
// them after the pixel transfer, into client memory as glReadPixels does:
// in `format` and `type` (luminance the sum of red, green and blue), laid
// out as `store` says.
void packColours(const std::vector<double>& colours, int width, int height, GLenum format,
                 GLenum type, const PixelStore& store, void* pixels);

}  // namespace vgl
