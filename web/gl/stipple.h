#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>

#include "pixels.h"

namespace vgl {

// The polygon stipple as glPolygonStipple takes it: 32 rows from the bottom,
// bit j of a row its column j.
using StipplePattern = std::array<std::uint32_t, 32>;

// Reads a 32 x 32 bitmap from client memory laid out as `store` says: rows
// of whole bytes padded to the alignment, from the first bit of a byte (its
// most significant unless lsbFirst) after skipPixels bits.
StipplePattern unpackStipple(const GLubyte* mask, const PixelStore& store);

// Writes the pattern to client memory laid out as `store` says, row by row,
// in whole bytes: the bits of a row's bytes outside it are written 0.
void packStipple(const StipplePattern& pattern, const PixelStore& store, GLubyte* mask);

}  // namespace vgl
