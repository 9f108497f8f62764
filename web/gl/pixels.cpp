#include "pixels.h"

#include <algorithm>
#include <cstddef>

namespace vgl {

namespace {

// The bytes from one row's start to the next's, as OpenGL lays rows out.
std::size_t rowStride(int width, int bytes, const PixelStore& store) {
    const std::size_t pixelsPerRow = store.rowLength > 0 ? store.rowLength : width;
    const std::size_t raw = pixelsPerRow * static_cast<std::size_t>(bytes);
    const std::size_t alignment = store.alignment > 0 ? store.alignment : 1;
    return (raw + alignment - 1) / alignment * alignment;
}

}  // namespace

int bytesPerPixel(GLenum format) {
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

BaseFormat baseFormat(GLint internalFormat) {
    switch (internalFormat) {
        case GL_ALPHA:
            return BaseFormat::Alpha;
        case 1:
        case GL_LUMINANCE:
            return BaseFormat::Luminance;
        case 2:
        case GL_LUMINANCE_ALPHA:
            return BaseFormat::LuminanceAlpha;
        case 3:
        case GL_RGB:
        case GL_RGB8:
            return BaseFormat::Rgb;
        case 4:
        case GL_RGBA:
        case GL_RGBA8:
            return BaseFormat::Rgba;
        default:
            return BaseFormat::None;
    }
}

std::vector<std::uint8_t> copyImage(const void* pixels, int width, int height, GLenum format,
                                    const PixelStore& store) {
    const int bytes = bytesPerPixel(format);
    const std::size_t stride = rowStride(width, bytes, store);
    const auto* start = static_cast<const std::uint8_t*>(pixels) +
                        static_cast<std::size_t>(store.skipRows) * stride +
                        static_cast<std::size_t>(store.skipPixels) * bytes;
    const std::size_t row = static_cast<std::size_t>(width) * bytes;
    std::vector<std::uint8_t> image(row * height);
    for (int y = 0; y < height; ++y) {
        std::copy_n(start + y * stride, row, image.data() + y * row);
    }
    return image;
}

std::vector<std::uint8_t> unpackRgba(const void* pixels, int width, int height, GLenum format,
                                     const PixelStore& store, BaseFormat base) {
    const int bytes = bytesPerPixel(format);
    const std::size_t stride = rowStride(width, bytes, store);
    const auto* start = static_cast<const std::uint8_t*>(pixels) +
                        static_cast<std::size_t>(store.skipRows) * stride +
                        static_cast<std::size_t>(store.skipPixels) * bytes;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    std::uint8_t* out = rgba.data();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* in = start + row * stride;
        for (int column = 0; column < width; ++column, in += bytes, out += 4) {
            out[0] = out[1] = out[2] = 0;
            out[3] = 255;
            switch (format) {
                case GL_LUMINANCE:
                case GL_LUMINANCE_ALPHA:
                    out[0] = out[1] = out[2] = in[0];
                    out[3] = format == GL_LUMINANCE_ALPHA ? in[1] : 255;
                    break;
                case GL_RED:
                    out[0] = in[0];
                    break;
                case GL_GREEN:
                    out[1] = in[0];
                    break;
                case GL_BLUE:
                    out[2] = in[0];
                    break;
                case GL_ALPHA:
                    out[3] = in[0];
                    break;
                case GL_BGR:
                case GL_BGRA:
                    out[0] = in[2];
                    out[1] = in[1];
                    out[2] = in[0];
                    out[3] = format == GL_BGRA ? in[3] : 255;
                    break;
                default:
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                    out[3] = format == GL_RGBA ? in[3] : 255;
                    break;
            }
            if (base == BaseFormat::Luminance || base == BaseFormat::LuminanceAlpha) {
                out[1] = out[2] = out[0];
            }
            if (base == BaseFormat::Rgb || base == BaseFormat::Luminance) {
                out[3] = 255;
            }
        }
    }
    return rgba;
}

void packRgba(const std::vector<std::uint8_t>& rgba, int width, int height, GLenum format,
              const PixelStore& store, void* pixels) {
    const int bytes = format == GL_RGB ? 3 : 4;
    const std::size_t stride = rowStride(width, bytes, store);
    auto* start = static_cast<std::uint8_t*>(pixels) +
                  static_cast<std::size_t>(store.skipRows) * stride +
                  static_cast<std::size_t>(store.skipPixels) * bytes;
    const std::uint8_t* in = rgba.data();
    for (int row = 0; row < height; ++row) {
        std::uint8_t* out = start + row * stride;
        for (int column = 0; column < width; ++column, in += 4, out += bytes) {
            for (int channel = 0; channel < bytes; ++channel) {
                out[channel] = in[channel];
            }
        }
    }
}

}  // namespace vgl
