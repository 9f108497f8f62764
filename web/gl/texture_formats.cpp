// Every internal format of OpenGL 1.1, in one table.
#include "texture_formats.h"

#include <iterator>

namespace vgl {

namespace {

using B = BaseFormat;

// The bits are Mesa's answers: the bits of the format it keeps each in.
constexpr TextureFormat kFormats[] = {
    // internal format          base               R   G   B   A   L   I
    {1, B::Luminance, {0, 0, 0, 0, 8, 0}},
    {2, B::LuminanceAlpha, {0, 0, 0, 8, 8, 0}},
    {3, B::Rgb, {8, 8, 8, 0, 0, 0}},
    {4, B::Rgba, {8, 8, 8, 8, 0, 0}},
    {GL_ALPHA, B::Alpha, {0, 0, 0, 8, 0, 0}},
    {GL_ALPHA4, B::Alpha, {0, 0, 0, 8, 0, 0}},
    {GL_ALPHA8, B::Alpha, {0, 0, 0, 8, 0, 0}},
    {GL_ALPHA12, B::Alpha, {0, 0, 0, 16, 0, 0}},
    {GL_ALPHA16, B::Alpha, {0, 0, 0, 16, 0, 0}},
    {GL_LUMINANCE, B::Luminance, {0, 0, 0, 0, 8, 0}},
    {GL_LUMINANCE4, B::Luminance, {0, 0, 0, 0, 8, 0}},
    {GL_LUMINANCE8, B::Luminance, {0, 0, 0, 0, 8, 0}},
    {GL_LUMINANCE12, B::Luminance, {0, 0, 0, 0, 16, 0}},
    {GL_LUMINANCE16, B::Luminance, {0, 0, 0, 0, 16, 0}},
    {GL_LUMINANCE_ALPHA, B::LuminanceAlpha, {0, 0, 0, 8, 8, 0}},
    {GL_LUMINANCE4_ALPHA4, B::LuminanceAlpha, {0, 0, 0, 4, 4, 0}},
    {GL_LUMINANCE6_ALPHA2, B::LuminanceAlpha, {0, 0, 0, 8, 8, 0}},
    {GL_LUMINANCE8_ALPHA8, B::LuminanceAlpha, {0, 0, 0, 8, 8, 0}},
    {GL_LUMINANCE12_ALPHA4, B::LuminanceAlpha, {0, 0, 0, 16, 16, 0}},
    {GL_LUMINANCE12_ALPHA12, B::LuminanceAlpha, {0, 0, 0, 16, 16, 0}},
    {GL_LUMINANCE16_ALPHA16, B::LuminanceAlpha, {0, 0, 0, 16, 16, 0}},
    {GL_INTENSITY, B::Intensity, {0, 0, 0, 0, 0, 8}},
    {GL_INTENSITY4, B::Intensity, {0, 0, 0, 0, 0, 8}},
    {GL_INTENSITY8, B::Intensity, {0, 0, 0, 0, 0, 8}},
    {GL_INTENSITY12, B::Intensity, {0, 0, 0, 0, 0, 16}},
    {GL_INTENSITY16, B::Intensity, {0, 0, 0, 0, 0, 16}},
    {GL_RGB, B::Rgb, {8, 8, 8, 0, 0, 0}},
    {GL_R3_G3_B2, B::Rgb, {3, 3, 2, 0, 0, 0}},
    {GL_RGB4, B::Rgb, {4, 4, 4, 0, 0, 0}},
    {GL_RGB5, B::Rgb, {5, 5, 5, 0, 0, 0}},
    {GL_RGB8, B::Rgb, {8, 8, 8, 0, 0, 0}},
    {GL_RGB10, B::Rgb, {10, 10, 10, 0, 0, 0}},
    {GL_RGB12, B::Rgb, {16, 16, 16, 0, 0, 0}},
    {GL_RGB16, B::Rgb, {16, 16, 16, 0, 0, 0}},
    {GL_RGBA, B::Rgba, {8, 8, 8, 8, 0, 0}},
    {GL_RGBA2, B::Rgba, {4, 4, 4, 4, 0, 0}},
    {GL_RGBA4, B::Rgba, {4, 4, 4, 4, 0, 0}},
    {GL_RGB5_A1, B::Rgba, {5, 5, 5, 1, 0, 0}},
    {GL_RGBA8, B::Rgba, {8, 8, 8, 8, 0, 0}},
    {GL_RGB10_A2, B::Rgba, {10, 10, 10, 2, 0, 0}},
    {GL_RGBA12, B::Rgba, {16, 16, 16, 16, 0, 0}},
    {GL_RGBA16, B::Rgba, {16, 16, 16, 16, 0, 0}},
};

}  // namespace

const TextureFormat* textureFormat(GLint internalFormat) {
    for (const TextureFormat& format : kFormats) {
        if (format.internalFormat == internalFormat) {
            return &format;
        }
    }
    return nullptr;
}

const TextureFormat* keptFormat(GLint internalFormat, GLenum format, GLenum type) {
    constexpr GLint kWide[][2] = {{GL_ALPHA, GL_ALPHA16},
                                  {GL_LUMINANCE, GL_LUMINANCE16},
                                  {GL_LUMINANCE_ALPHA, GL_LUMINANCE16_ALPHA16},
                                  {GL_RGBA, GL_RGBA16}};
    for (const auto& wide : kWide) {
        if (wide[0] == internalFormat && static_cast<GLenum>(internalFormat) == format &&
            type == GL_UNSIGNED_SHORT) {
            return textureFormat(wide[1]);
        }
    }
    return textureFormat(internalFormat);
}

GLenum baseEnumerant(BaseFormat base) {
    constexpr GLenum kEnumerants[] = {
        0, GL_ALPHA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_INTENSITY, GL_RGB, GL_RGBA};
    return kEnumerants[static_cast<int>(base)];
}

}  // namespace vgl
