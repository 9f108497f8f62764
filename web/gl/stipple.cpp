#include "stipple.h"

#include <algorithm>
#include <cstddef>

namespace vgl {

namespace {

constexpr int kSide = 32;

// Where bit (row, column) of the bitmap lies in client memory.
struct BitPlace {
    std::size_t byte;
    GLubyte mask;
};

BitPlace place(const PixelStore& store, int row, int column) {
    const std::size_t length = store.rowLength > 0 ? store.rowLength : kSide;
    const std::size_t alignment = store.alignment;
    const std::size_t rowBytes = alignment * ((length + 8 * alignment - 1) / (8 * alignment));
    const std::size_t bit = static_cast<std::size_t>(store.skipPixels) + column;
    const int shift =
        store.lsbFirst != 0 ? static_cast<int>(bit % 8) : 7 - static_cast<int>(bit % 8);
    return {(static_cast<std::size_t>(store.skipRows) + row) * rowBytes + bit / 8,
            static_cast<GLubyte>(1u << shift)};
}

}  // namespace

StipplePattern unpackStipple(const GLubyte* mask, const PixelStore& store) {
    StipplePattern pattern{};
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const BitPlace at = place(store, row, column);
            if ((mask[at.byte] & at.mask) != 0) {
                pattern[row] |= 1u << column;
            }
        }
    }
    return pattern;
}

void packStipple(const StipplePattern& pattern, const PixelStore& store, GLubyte* mask) {
    for (int row = 0; row < kSide; ++row) {
        // The row's bytes are written whole, bits beyond it 0, as Mesa does.
        const std::size_t first = place(store, row, 0).byte;
        const std::size_t last = place(store, row, kSide - 1).byte;
        std::fill(mask + first, mask + last + 1, GLubyte{0});
        for (int column = 0; column < kSide; ++column) {
            if ((pattern[row] >> column & 1u) != 0) {
                const BitPlace at = place(store, row, column);
                mask[at.byte] |= at.mask;
            }
        }
    }
}

}  // namespace vgl
