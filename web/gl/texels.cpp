// Texels kept for reading back, and their packing into client memory in
// every format and type.
#include "texels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vgl {

namespace {

constexpr int kOne = -1;   // a component the base format lacks that reads as 1
constexpr int kZero = -2;  // one that reads as 0

// Where each of red, green, blue and alpha comes from: an index into a
// colour (red ... alpha), or kOne or kZero; and the format's bits for it (an
// index into TextureFormat::bits).
struct Source {
    int colour;
    int bits;
};
struct BaseLayout {
    BaseFormat base;
    Source rgba[4];
};
constexpr BaseLayout kLayouts[] = {
    {BaseFormat::Alpha, {{kZero, 0}, {kZero, 0}, {kZero, 0}, {3, 3}}},
    {BaseFormat::Luminance, {{0, 4}, {kZero, 0}, {kZero, 0}, {kOne, 0}}},
    {BaseFormat::LuminanceAlpha, {{0, 4}, {kZero, 0}, {kZero, 0}, {3, 3}}},
    {BaseFormat::Intensity, {{0, 5}, {kZero, 0}, {kZero, 0}, {kOne, 0}}},
    {BaseFormat::Rgb, {{0, 0}, {1, 1}, {2, 2}, {kOne, 0}}},
    {BaseFormat::Rgba, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
};

const BaseLayout& layoutOf(BaseFormat base) {
    for (const BaseLayout& layout : kLayouts) {
        if (layout.base == base) {
            return layout;
        }
    }
    return kLayouts[5];
}

std::uint64_t most(int bits) {
    return (std::uint64_t{1} << bits) - 1;
}

// A normalised integer of `from` bits as one of `to` bits, as Mesa converts
// them: widened by repeating its bits, narrowed with rounding.
std::uint64_t widened(std::uint64_t x, int from, int to) {
    if (from == to) {
        return x;
    }
    if (from > to) {
        return (x * most(to) + most(from - 1)) / most(from);
    }
    const std::uint64_t times = most(to) / most(from);
    return x * times + (to % from != 0 ? x >> (from - to % from) : 0);
}

// The components of each pixel format, by their indices into red ... alpha.
// Luminance is read from red alone.
int componentIndices(GLenum format, int* indices) {
    static const struct {
        GLenum format;
        int count;
        int indices[4];
    } kOrders[] = {
        {GL_RED, 1, {0}},           {GL_GREEN, 1, {1}},     {GL_BLUE, 1, {2}},
        {GL_ALPHA, 1, {3}},         {GL_LUMINANCE, 1, {0}}, {GL_LUMINANCE_ALPHA, 2, {0, 3}},
        {GL_RGB, 3, {0, 1, 2}},     {GL_BGR, 3, {2, 1, 0}}, {GL_RGBA, 4, {0, 1, 2, 3}},
        {GL_BGRA, 4, {2, 1, 0, 3}},
    };
    for (const auto& order : kOrders) {
        if (order.format == format) {
            std::memcpy(indices, order.indices, sizeof order.indices);
            return order.count;
        }
    }
    return 0;
}

bool unsignedType(GLenum type) {
    return type == GL_UNSIGNED_BYTE || type == GL_UNSIGNED_SHORT || type == GL_UNSIGNED_INT;
}

// A component as a float, as Mesa makes one: in single precision.
float asFloat(std::uint64_t x, int bits) {
    return static_cast<float>(x) * (1.0f / static_cast<float>(most(bits)));
}

// A float in [0, 1] as an unsigned integer of `bits`, in single precision
// and rounded to even, as Mesa converts it; 1 is the largest integer, which
// Mesa's float overflows for 32 bits.
std::uint64_t fromFloat(float value, int bits) {
    const auto rounded =
        static_cast<std::uint64_t>(std::nearbyint(value * static_cast<float>(most(bits))));
    return std::min(rounded, most(bits));
}

// A component's bytes, `size` of them, put at `out` in the machine's order
// or swapped.
void placeBytes(const std::uint8_t* bytes, int size, bool swap, std::uint8_t* out) {
    for (int i = 0; i < size; ++i) {
        out[i] = bytes[swap ? size - 1 - i : i];
    }
}

// One component written as `type` at `out`, its bytes swapped if asked:
// integer(b, isSigned) gives it as an integer of b bits (a signed one's
// sign included), real() as a float.
template <typename Integer, typename Real>
void writeAs(GLenum type, bool swap, std::uint8_t* out, Integer integer, Real real) {
    std::uint8_t bytes[4] = {};
    const auto put = [&](auto value) { std::memcpy(bytes, &value, sizeof value); };
    switch (type) {
        case GL_BYTE:
            put(static_cast<std::int8_t>(integer(8, true)));
            break;
        case GL_UNSIGNED_SHORT:
            put(static_cast<std::uint16_t>(integer(16, false)));
            break;
        case GL_SHORT:
            put(static_cast<std::int16_t>(integer(16, true)));
            break;
        case GL_UNSIGNED_INT:
            put(static_cast<std::uint32_t>(integer(32, false)));
            break;
        case GL_INT:
            put(static_cast<std::int32_t>(integer(32, true)));
            break;
        case GL_FLOAT:
            put(real());
            break;
        default:
            put(static_cast<std::uint8_t>(integer(8, false)));
            break;
    }
    placeBytes(bytes, bytesPerComponent(type), swap, out);
}

// One component of `bits` bits written as `type` at `out`, its bytes
// swapped if asked. `throughFloat`: converted by way of a float, as Mesa
// does where it clamps luminance read as unsigned integers.
void write(std::uint64_t x, int bits, GLenum type, bool swap, bool throughFloat,
           std::uint8_t* out) {
    if (throughFloat) {
        const int to = type == GL_UNSIGNED_BYTE ? 8 : type == GL_UNSIGNED_SHORT ? 16 : 32;
        x = fromFloat(asFloat(x, bits), to);
        bits = to;
    }
    writeAs(
        type, swap, out,
        [&](int to, bool isSigned) { return widened(x, bits, isSigned ? to - 1 : to); },
        [&] { return asFloat(x, bits); });
}

// A colour component in [0, 1] written as `type` at `out`, its bytes
// swapped if asked, converted as OpenGL 1.1 converts one: to (2^b - 1)c
// unsigned, ((2^b - 1)c - 1) / 2 signed, rounded.
void writeColour(double c, GLenum type, bool swap, std::uint8_t* out) {
    writeAs(
        type, swap, out,
        [&](int to, bool isSigned) {
            const double top = static_cast<double>(most(to));
            const double converted = isSigned ? (top * c - 1.0) / 2.0 : top * c;
            return static_cast<std::uint64_t>(std::max(0.0, std::floor(converted + 0.5)));
        },
        [&] { return static_cast<float>(c); });
}

// Calls put(pixel, i, c, at) for component i of each of width x height
// groups of `format` in `type`, laid out in client memory as `store` says:
// `pixel` counts the groups row by row, c is the component's index into red
// ... alpha, and `at` where it is written.
template <typename Put>
void packGroups(int width, int height, GLenum format, GLenum type, const PixelStore& store,
                void* pixels, Put put) {
    int indices[4];
    const int count = componentIndices(format, indices);
    const int size = bytesPerComponent(type);
    const std::size_t groupBytes = static_cast<std::size_t>(count) * size;
    const std::size_t stride = rowStride(width, groupBytes, store);
    auto* start = static_cast<std::uint8_t*>(pixels) +
                  static_cast<std::size_t>(store.skipRows) * stride +
                  static_cast<std::size_t>(store.skipPixels) * groupBytes;
    std::size_t pixel = 0;
    for (int row = 0; row < height; ++row) {
        std::uint8_t* out = start + row * stride;
        for (int column = 0; column < width; ++column, ++pixel, out += groupBytes) {
            for (int i = 0; i < count; ++i) {
                put(pixel, i, indices[i], out + static_cast<std::ptrdiff_t>(i) * size);
            }
        }
    }
}

}  // namespace

int texelBits(const TextureFormat& internal, int c) {
    const Source& source = layoutOf(internal.base).rgba[c];
    return source.colour >= 0 ? internal.bits[source.bits] : 8;
}

std::vector<std::uint16_t> keptTexels(const std::vector<float>& colours,
                                      const TextureFormat& internal) {
    const BaseLayout& layout = layoutOf(internal.base);
    std::vector<std::uint16_t> texels(colours.size());
    for (std::size_t i = 0; i < colours.size(); i += 4) {
        for (int c = 0; c < 4; ++c) {
            const Source& source = layout.rgba[c];
            const double top = static_cast<double>(most(texelBits(internal, c)));
            const double value = source.colour >= 0      ? colours[i + source.colour]
                                 : source.colour == kOne ? 1.0
                                                         : 0.0;
            texels[i + c] = static_cast<std::uint16_t>(std::floor(value * top + 0.5));
        }
    }
    return texels;
}

void placeTexels(std::vector<std::uint16_t>& texels, int imageWidth, int x, int y, int width,
                 int height, const std::vector<std::uint16_t>& part) {
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int line = 0; line < height; ++line) {
        std::copy_n(part.begin() + static_cast<std::ptrdiff_t>(line * row), row,
                    texels.begin() + (static_cast<std::ptrdiff_t>(y + line) * imageWidth + x) * 4);
    }
}

void packTexels(const std::vector<std::uint16_t>& texels, const TextureFormat& internal, int width,
                int height, GLenum format, GLenum type, const PixelStore& store, void* pixels) {
    const bool throughFloat =
        (format == GL_LUMINANCE || format == GL_LUMINANCE_ALPHA) && unsignedType(type);
    packGroups(width, height, format, type, store, pixels,
               [&](std::size_t pixel, int, int c, std::uint8_t* at) {
                   write(texels[pixel * 4 + c], texelBits(internal, c), type, store.swapBytes != 0,
                         throughFloat, at);
               });
}

void packColours(const std::vector<double>& colours, int width, int height, GLenum format,
                 GLenum type, const PixelStore& store, void* pixels) {
    const bool luminance = format == GL_LUMINANCE || format == GL_LUMINANCE_ALPHA;
    packGroups(width, height, format, type, store, pixels,
               [&](std::size_t pixel, int i, int c, std::uint8_t* at) {
                   const double* rgba = &colours[pixel * 4];
                   // Luminance is the sum of the colours, as far as 1.
                   const double value =
                       luminance && i == 0 ? std::min(rgba[0] + rgba[1] + rgba[2], 1.0) : rgba[c];
                   writeColour(value, type, store.swapBytes != 0, at);
               });
}

}  // namespace vgl
