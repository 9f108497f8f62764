// Texture images and the pixels they are read from: glTexImage2D,
// glTexSubImage2D and their levels' queries, the pixel store and transfer,
// and glReadPixels.
#include <cstdint>
#include <memory>
#include <vector>

#include "context.h"
#include "context_helpers.h"
#include "texels.h"

namespace vgl {

namespace {

bool powerOfTwo(GLsizei size) {
    return (size & (size - 1)) == 0;
}

// A format and type glTexImage and glTexSubImage take, colour indices among them.
bool validPixels(GLenum format, GLenum type) {
    return (componentsPerPixel(format) != 0 || format == GL_COLOR_INDEX) &&
           bytesPerComponent(type) != 0;
}

// glGetTexLevelParameter's bits per component of a format.
GLint componentBits(const TextureFormat& format, GLenum pname) {
    switch (pname) {
        case GL_TEXTURE_RED_SIZE:
        case GL_TEXTURE_GREEN_SIZE:
        case GL_TEXTURE_BLUE_SIZE:
        case GL_TEXTURE_ALPHA_SIZE:
            return format.bits[pname - GL_TEXTURE_RED_SIZE];
        case GL_TEXTURE_LUMINANCE_SIZE:
            return format.bits[4];
        default:  // GL_TEXTURE_INTENSITY_SIZE
            return format.bits[5];
    }
}

// A list keeps an image as it reads it where it is compiled.
std::shared_ptr<const std::vector<std::uint8_t>> keptImage(const GLvoid* pixels, int width,
                                                           int height, GLenum format, GLenum type,
                                                           const PixelStore& unpack) {
    return std::make_shared<const std::vector<std::uint8_t>>(
        pixels != nullptr ? copyImage(pixels, width, height, format, type, unpack)
                          : std::vector<std::uint8_t>());
}

}  // namespace

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    texImage(target, level, internalFormat, width, height, border, format, type, pixels,
             textures_.unpack());
}

void Context::texImage(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                       GLsizei height, GLint border, GLenum format, GLenum type,
                       const GLvoid* pixels, const PixelStore& unpack) {
    // A one-dimensional image is one row, with no border above or below.
    const bool line = target == GL_TEXTURE_1D || target == GL_PROXY_TEXTURE_1D;
    const bool proxy = target == GL_PROXY_TEXTURE_2D || target == GL_PROXY_TEXTURE_1D;
    // A proxy is asked at once, not compiled into a list.
    if (proxy ? refusedInBeginNow() : refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D && !proxy) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const auto fail = [&](GLenum error) { proxy ? setErrorNow(error) : setError(error); };
    const TextureFormat* internal = keptFormat(internalFormat, format, type);
    if (!imageValid(level, internalFormat, width, line ? 1 + 2 * border : height, border)) {
        fail(GL_INVALID_VALUE);
        return;
    }
    if (!validPixels(format, type)) {
        fail(GL_INVALID_ENUM);
        return;
    }
    if (border != 0 && level > 0) {
        refuse(Refused::TextureBorders);
        return;
    }
    if (format == GL_COLOR_INDEX) {
        refuse(Refused::ColourIndexImages);
        return;
    }
    const int levelSize = textures_.maxSize >> level;
    // The border lies outside the sides the limit is for; a one-dimensional
    // image has none above or below.
    const bool fits =
        width - 2 * border <= levelSize && height - (line ? 0 : 2 * border) <= levelSize;
    // An image of no size has the internal format of none.
    const bool sized = width > 0 || height > 0;
    TextureLevel image{
        width, height, border, sized ? internalFormat : 1, sized ? internal : nullptr, {}};
    if (proxy) {
        // A proxy only answers whether the image would fit.
        (line ? textures_.lineProxy : textures_.proxy)
            .setLevel(level, fits ? image : TextureLevel{});
        return;
    }
    if (!fits) {
        setError(GL_INVALID_VALUE);
        return;
    }
    // A list keeps the image as it reads it now, for the texture bound
    // where it is called.
    if (compiling_) {
        auto copy = keptImage(pixels, width, height, format, type, unpack);
        keep([=](Context& c) {
            c.texImage(target, level, internalFormat, width, height, border, format, type,
                       pixels != nullptr ? copy->data() : nullptr, kTightlyPacked);
        });
        return;
    }
    const GLuint name = boundTexture(line ? GL_TEXTURE_1D : GL_TEXTURE_2D);
    flush();
    // The renderer keeps the border with the image, around it.
    const std::vector<float> colours =
        pixels != nullptr
            ? unpackColours(pixels, width, height, format, type, unpack, state_.pixelMode)
            : std::vector<float>(static_cast<std::size_t>(width) * height * 4, 0.0f);
    image.texels = keptTexels(colours, *internal);
    textures_.object(name).setLevel(level, image);
    vglTexImage(name, level, width, height, keptBytes(colours, *internal).data());
}

void Context::texSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    texSubImage(target, level, x, y, width, height, format, type, pixels, textures_.unpack());
}

void Context::texSubImage(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                          GLsizei height, GLenum format, GLenum type, const GLvoid* pixels,
                          const PixelStore& unpack) {
    if (refusedInBegin()) {
        return;
    }
    // A list keeps the pixels as it reads them now; the image they replace
    // a part of is the one bound where it is called.
    if (compiling_) {
        const bool readable = validPixels(format, type) && format != GL_COLOR_INDEX && width > 0 &&
                              height > 0 && pixels != nullptr;
        auto copy = keptImage(readable ? pixels : nullptr, width, height, format, type, unpack);
        keep([=](Context& c) {
            c.texSubImage(target, level, x, y, width, height, format, type,
                          readable ? copy->data() : nullptr, kTightlyPacked);
        });
        return;
    }
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (level < 0 || level > textures_.lastLevel() || width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    const GLuint name = boundTexture(target);
    const TextureLevel& image = textures_.object(name).level(level);
    const TextureFormat* internal = image.kept;
    if (image.width == 0 || internal == nullptr) {
        setError(GL_INVALID_OPERATION);  // no image to replace a part of
        return;
    }
    if (!validPixels(format, type)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // Offsets count from the image's corner inside its border, which they may reach.
    const int borderX = image.border;
    const int borderY = target == GL_TEXTURE_1D ? 0 : image.border;
    if (x < -borderX || y < -borderY || x > image.width - borderX - width ||
        y > image.height - borderY - height) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (format == GL_COLOR_INDEX) {
        refuse(Refused::ColourIndexImages);
        return;
    }
    if (width == 0 || height == 0 || pixels == nullptr) {
        return;
    }
    flush();
    const std::vector<float> colours =
        unpackColours(pixels, width, height, format, type, unpack, state_.pixelMode);
    TextureLevel& stored = textures_.object(name).levels[level];
    placeTexels(stored.texels, stored.width, x + borderX, y + borderY, width, height,
                keptTexels(colours, *internal));
    vglTexSubImage(name, level, x + borderX, y + borderY, width, height,
                   keptBytes(colours, *internal).data());
}

bool Context::imageValid(GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                         GLint border) const {
    // OpenGL 1.1's sides are powers of two, with a border of 0 or 1 on each.
    const auto side = [&](GLsizei size) {
        return size == 0 || (size - 2 * border > 0 && powerOfTwo(size - 2 * border));
    };
    return level >= 0 && level <= textures_.lastLevel() && border >= 0 && border <= 1 &&
           width >= 0 && height >= 0 && textureFormat(internalFormat) != nullptr && side(width) &&
           side(height);
}

void Context::texLevelParameter(GLenum target, GLint level, GLenum pname, GLfloat* floats,
                                GLint* integers) {
    if (refusedInBeginNow()) {
        return;
    }
    const bool line = target == GL_TEXTURE_1D || target == GL_PROXY_TEXTURE_1D;
    if (target != GL_TEXTURE_2D && target != GL_PROXY_TEXTURE_2D && !line) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    if (level < 0 || level > textures_.lastLevel()) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    const bool proxy = target == GL_PROXY_TEXTURE_2D || target == GL_PROXY_TEXTURE_1D;
    const Texture& texture = proxy ? (line ? textures_.lineProxy : textures_.proxy)
                                   : textures_.object(boundTexture(target));
    const TextureLevel image = texture.level(level);
    const TextureFormat* format = image.kept;
    double value = 0.0;
    switch (pname) {
        case GL_TEXTURE_WIDTH:
            value = image.width;
            break;
        case GL_TEXTURE_HEIGHT:
            value = image.height;
            break;
        case GL_TEXTURE_INTERNAL_FORMAT:
            value = image.internalFormat;
            break;
        case GL_TEXTURE_BORDER:
            value = image.border;
            break;
        case GL_TEXTURE_RED_SIZE:
        case GL_TEXTURE_GREEN_SIZE:
        case GL_TEXTURE_BLUE_SIZE:
        case GL_TEXTURE_ALPHA_SIZE:
        case GL_TEXTURE_LUMINANCE_SIZE:
        case GL_TEXTURE_INTENSITY_SIZE:
            value = format != nullptr ? componentBits(*format, pname) : 0;
            break;
        default:
            setErrorNow(GL_INVALID_ENUM);
            return;
    }
    answer(&value, 1, false, floats, integers);
}

void Context::pixelStore(GLenum pname, GLint param) {
    if (refusedInBeginNow()) {
        return;
    }
    const GLenum error = textures_.storePixels(pname, param);
    if (error != GL_NO_ERROR) {
        setErrorNow(error);
    }
}

void Context::pixelTransfer(GLenum pname, GLfloat param) {
    if (refusedInBegin() || kept([=](Context& c) { c.pixelTransfer(pname, param); })) {
        return;
    }
    if (!state_.pixelMode.set(pname, param)) {
        setError(GL_INVALID_ENUM);
    }
}

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, GLvoid* pixels) {
    if (refusedInBeginNow()) {
        return;
    }
    if (width < 0 || height < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    if (bytesPerComponent(type) == 0 ||
        (componentsPerPixel(format) == 0 && format != GL_COLOR_INDEX &&
         format != GL_STENCIL_INDEX && format != GL_DEPTH_COMPONENT)) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    // An RGBA window has no colour indices; a stencil buffer is asked for.
    if (format == GL_COLOR_INDEX || (format == GL_STENCIL_INDEX && limits_.stencilBits == 0)) {
        setErrorNow(GL_INVALID_OPERATION);
        return;
    }
    if (format == GL_STENCIL_INDEX || format == GL_DEPTH_COMPONENT) {
        refuse(Refused::DepthAndStencilReads);
        return;
    }
    if (width == 0 || height == 0) {
        return;  // no pixels to read
    }
    flush();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    vglReadPixels(x, y, width, height, rgba.data());
    packColours(transferredColours(rgba, state_.pixelMode), width, height, format, type,
                textures_.pack(), pixels);
}

}  // namespace vgl
