// Client pixels read into texture images and written from the window, with
// the pixel store's layout and the pixel transfer's scale, bias and maps.
#include "pixels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "components.h"

namespace vgl {

namespace {

enum class Kind { Flag, Integer, Real };

struct TransferName {
    GLenum pname;
    Kind kind;
    float initial;
};

// Every glPixelTransfer name; the colour scales and biases first, red to alpha.
constexpr TransferName kTransferNames[] = {
    {GL_RED_SCALE, Kind::Real, 1.0f},   {GL_GREEN_SCALE, Kind::Real, 1.0f},
    {GL_BLUE_SCALE, Kind::Real, 1.0f},  {GL_ALPHA_SCALE, Kind::Real, 1.0f},
    {GL_RED_BIAS, Kind::Real, 0.0f},    {GL_GREEN_BIAS, Kind::Real, 0.0f},
    {GL_BLUE_BIAS, Kind::Real, 0.0f},   {GL_ALPHA_BIAS, Kind::Real, 0.0f},
    {GL_MAP_COLOR, Kind::Flag, 0.0f},   {GL_MAP_STENCIL, Kind::Flag, 0.0f},
    {GL_INDEX_SHIFT, Kind::Integer, 0}, {GL_INDEX_OFFSET, Kind::Integer, 0},
    {GL_DEPTH_SCALE, Kind::Real, 1.0f}, {GL_DEPTH_BIAS, Kind::Real, 0.0f},
};
constexpr int kBiases = 4;
constexpr int kMapColor = 8;

int transferIndex(GLenum pname) {
    for (std::size_t i = 0; i < std::size(kTransferNames); ++i) {
        if (kTransferNames[i].pname == pname) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

std::size_t rowStride(int width, std::size_t groupBytes, const PixelStore& store) {
    const std::size_t pixelsPerRow = store.rowLength > 0 ? store.rowLength : width;
    const std::size_t raw = pixelsPerRow * groupBytes;
    const std::size_t alignment = store.alignment > 0 ? store.alignment : 1;
    return (raw + alignment - 1) / alignment * alignment;
}

namespace {

const std::uint8_t* firstGroup(const void* pixels, int width, std::size_t groupBytes,
                               const PixelStore& store) {
    return static_cast<const std::uint8_t*>(pixels) +
           static_cast<std::size_t>(store.skipRows) * rowStride(width, groupBytes, store) +
           static_cast<std::size_t>(store.skipPixels) * groupBytes;
}

// One component's bytes in the machine's order.
void ordered(const std::uint8_t* in, int size, bool swap, std::uint8_t* out) {
    std::copy_n(in, size, out);
    if (swap) {
        std::reverse(out, out + size);
    }
}

template <typename T>
float converted(const std::uint8_t* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return normalised(value);
}

// A component as OpenGL converts it to a float: unsigned integers onto
// [0, 1], signed ones onto [-1, 1], floats as they are.
float component(const std::uint8_t* in, GLenum type, bool swap) {
    std::uint8_t bytes[4];
    ordered(in, bytesPerComponent(type), swap, bytes);
    switch (type) {
        case GL_BYTE:
            return converted<std::int8_t>(bytes);
        case GL_UNSIGNED_SHORT:
            return converted<std::uint16_t>(bytes);
        case GL_SHORT:
            return converted<std::int16_t>(bytes);
        case GL_UNSIGNED_INT:
            return converted<std::uint32_t>(bytes);
        case GL_INT:
            return converted<std::int32_t>(bytes);
        case GL_FLOAT:
            return converted<float>(bytes);
        default:
            return converted<std::uint8_t>(bytes);
    }
}

// A group's components as red, green, blue and alpha: luminance in all
// three colours, what the format lacks 0 for colour and 1 for alpha.
void expand(const float* in, GLenum format, float* rgba) {
    rgba[0] = rgba[1] = rgba[2] = 0.0f;
    rgba[3] = 1.0f;
    switch (format) {
        case GL_RED:
        case GL_GREEN:
        case GL_BLUE:
        case GL_ALPHA:
            rgba[format - GL_RED] = in[0];
            return;
        case GL_LUMINANCE_ALPHA:
            rgba[3] = in[1];
            [[fallthrough]];
        case GL_LUMINANCE:
            rgba[0] = rgba[1] = rgba[2] = in[0];
            return;
        case GL_BGR:
        case GL_BGRA:
            rgba[0] = in[2];
            rgba[1] = in[1];
            rgba[2] = in[0];
            rgba[3] = format == GL_BGRA ? in[3] : 1.0f;
            return;
        default:
            std::copy_n(in, format == GL_RGBA ? 4 : 3, rgba);
            return;
    }
}

// A component in [0, 1] rounded to `bits`, as a byte.
std::uint8_t stored(float value, int bits) {
    double kept = value;
    if (bits < 8) {
        const double most = (1 << bits) - 1;
        kept = std::floor(value * most + 0.5) / most;
    }
    return static_cast<std::uint8_t>(std::floor(kept * 255.0 + 0.5));
}

// What a texture of `internal` format keeps of a colour, as unpackRgba says.
void keep(const float* c, const TextureFormat& internal, std::uint8_t* out) {
    const unsigned char* bits = internal.bits;  // R, G, B, A, L, I
    switch (internal.base) {
        case BaseFormat::Alpha:
            out[0] = out[1] = out[2] = 255;
            out[3] = stored(c[3], bits[3]);
            return;
        case BaseFormat::Luminance:
        case BaseFormat::LuminanceAlpha:
            out[0] = out[1] = out[2] = stored(c[0], bits[4]);
            out[3] = internal.base == BaseFormat::Luminance ? 255 : stored(c[3], bits[3]);
            return;
        case BaseFormat::Intensity:
            out[0] = out[1] = out[2] = out[3] = stored(c[0], bits[5]);
            return;
        default:
            for (int i = 0; i < 3; ++i) {
                out[i] = stored(c[i], bits[i]);
            }
            out[3] = internal.base == BaseFormat::Rgb ? 255 : stored(c[3], bits[3]);
            return;
    }
}

}  // namespace

static_assert(std::size(kTransferNames) == 14, "a value for every name");

PixelTransfer::PixelTransfer() {
    for (std::size_t i = 0; i < std::size(kTransferNames); ++i) {
        values_[i] = kTransferNames[i].initial;
    }
}

bool PixelTransfer::set(GLenum pname, GLfloat param) {
    const int i = transferIndex(pname);
    if (i < 0) {
        return false;
    }
    switch (kTransferNames[i].kind) {
        case Kind::Flag:
            values_[i] = param != 0.0f ? 1.0f : 0.0f;
            break;
        case Kind::Integer:
            values_[i] = std::trunc(param);  // as Mesa takes it
            break;
        case Kind::Real:
            values_[i] = param;
            break;
    }
    return true;
}

bool PixelTransfer::get(GLenum pname, double& value) const {
    const int i = transferIndex(pname);
    if (i >= 0) {
        value = values_[i];
    }
    return i >= 0;
}

bool PixelTransfer::changesColours() const {
    for (int c = 0; c < 4; ++c) {
        if (values_[c] != 1.0f || values_[kBiases + c] != 0.0f) {
            return true;
        }
    }
    return values_[kMapColor] != 0.0f;
}

float PixelTransfer::transfer(int c, float value) const {
    const float scaled = value * values_[c] + values_[kBiases + c];
    // The colour maps are as they start: one entry, 0. What is not a number is 0.
    return values_[kMapColor] != 0.0f || !(scaled > 0.0f) ? 0.0f : std::min(scaled, 1.0f);
}

int componentsPerPixel(GLenum format) {
    switch (format) {
        case GL_RED:
        case GL_GREEN:
        case GL_BLUE:
        case GL_ALPHA:
        case GL_LUMINANCE:
            return 1;
        case GL_LUMINANCE_ALPHA:
            return 2;
        case GL_RGB:
        case GL_BGR:
            return 3;
        case GL_RGBA:
        case GL_BGRA:
            return 4;
        default:
            return 0;
    }
}

int bytesPerComponent(GLenum type) {
    switch (type) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
            return 1;
        case GL_UNSIGNED_SHORT:
        case GL_SHORT:
            return 2;
        case GL_UNSIGNED_INT:
        case GL_INT:
        case GL_FLOAT:
            return 4;
        default:
            return 0;
    }
}

std::vector<std::uint8_t> copyImage(const void* pixels, int width, int height, GLenum format,
                                    GLenum type, const PixelStore& store) {
    const int size = bytesPerComponent(type);
    const std::size_t groupBytes = static_cast<std::size_t>(componentsPerPixel(format)) * size;
    const std::size_t stride = rowStride(width, groupBytes, store);
    const std::uint8_t* start = firstGroup(pixels, width, groupBytes, store);
    const std::size_t row = static_cast<std::size_t>(width) * groupBytes;
    std::vector<std::uint8_t> image(row * height);
    for (int y = 0; y < height; ++y) {
        for (std::size_t at = 0; at < row; at += size) {
            ordered(start + y * stride + at, size, store.swapBytes != 0, &image[y * row + at]);
        }
    }
    return image;
}

std::vector<float> unpackColours(const void* pixels, int width, int height, GLenum format,
                                 GLenum type, const PixelStore& store,
                                 const PixelTransfer& transfer) {
    const int size = bytesPerComponent(type);
    const int components = componentsPerPixel(format);
    const std::size_t groupBytes = static_cast<std::size_t>(components) * size;
    const std::size_t stride = rowStride(width, groupBytes, store);
    const std::uint8_t* start = firstGroup(pixels, width, groupBytes, store);
    std::vector<float> colours(static_cast<std::size_t>(width) * height * 4);
    float* out = colours.data();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* in = start + row * stride;
        for (int column = 0; column < width; ++column, in += groupBytes, out += 4) {
            float group[4];
            for (int i = 0; i < components; ++i) {
                group[i] = component(in + static_cast<std::ptrdiff_t>(i) * size, type,
                                     store.swapBytes != 0);
            }
            expand(group, format, out);
            for (int c = 0; c < 4; ++c) {
                out[c] = transfer.transfer(c, out[c]);
            }
        }
    }
    return colours;
}

std::vector<std::uint8_t> keptBytes(const std::vector<float>& colours,
                                    const TextureFormat& internal) {
    std::vector<std::uint8_t> rgba(colours.size());
    for (std::size_t i = 0; i < colours.size(); i += 4) {
        keep(&colours[i], internal, &rgba[i]);
    }
    return rgba;
}

std::vector<std::uint8_t> unpackRgba(const void* pixels, int width, int height, GLenum format,
                                     GLenum type, const PixelStore& store,
                                     const PixelTransfer& transfer, const TextureFormat& internal) {
    return keptBytes(unpackColours(pixels, width, height, format, type, store, transfer), internal);
}

std::vector<double> transferredColours(const std::vector<std::uint8_t>& rgba,
                                       const PixelTransfer& transfer) {
    std::vector<double> colours(rgba.size());
    const bool changes = transfer.changesColours();
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        const double value = rgba[i] / 255.0;
        colours[i] =
            changes ? transfer.transfer(static_cast<int>(i % 4), static_cast<float>(value)) : value;
    }
    return colours;
}

}  // namespace vgl
