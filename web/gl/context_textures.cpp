// Texture and pixel calls: validated here, kept by the texture objects, drawn by the renderer.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {

bool validParameter(GLenum pname, GLint value) {
    switch (value) {
        case GL_NEAREST:
        case GL_LINEAR:
            return pname == GL_TEXTURE_MIN_FILTER || pname == GL_TEXTURE_MAG_FILTER;
        case GL_NEAREST_MIPMAP_NEAREST:
        case GL_LINEAR_MIPMAP_NEAREST:
        case GL_NEAREST_MIPMAP_LINEAR:
        case GL_LINEAR_MIPMAP_LINEAR:
            return pname == GL_TEXTURE_MIN_FILTER;
        case GL_REPEAT:
        case GL_CLAMP:
        case GL_CLAMP_TO_EDGE:
            return pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T;
        default:
            return false;
    }
}

bool powerOfTwo(GLsizei size) {
    return (size & (size - 1)) == 0;
}

// The pixel types OpenGL 1.1 reads images in; the layer reads unsigned bytes.
bool pixelType(GLenum type) {
    switch (type) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
        case GL_UNSIGNED_SHORT:
        case GL_SHORT:
        case GL_UNSIGNED_INT:
        case GL_INT:
        case GL_FLOAT:
            return true;
        default:
            return false;
    }
}

// glGetTexLevelParameter's bits per component of a level's base format.
GLint componentBits(BaseFormat base, GLenum pname) {
    const bool colour = base == BaseFormat::Rgb || base == BaseFormat::Rgba;
    const bool luminance = base == BaseFormat::Luminance || base == BaseFormat::LuminanceAlpha;
    const bool alpha = base == BaseFormat::Rgba || base == BaseFormat::LuminanceAlpha;
    switch (pname) {
        case GL_TEXTURE_RED_SIZE:
        case GL_TEXTURE_GREEN_SIZE:
        case GL_TEXTURE_BLUE_SIZE:
            return colour ? 8 : 0;
        case GL_TEXTURE_ALPHA_SIZE:
            return alpha ? 8 : 0;
        case GL_TEXTURE_LUMINANCE_SIZE:
            return luminance ? 8 : 0;
        default:  // GL_TEXTURE_INTENSITY_SIZE
            return 0;
    }
}

}  // namespace

void Context::genTextures(GLsizei n, GLuint* textures) {
    if (refusedInBeginNow()) {
        return;
    }
    if (n < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    textures_.generate(n, textures);
}

void Context::deleteTextures(GLsizei n, const GLuint* textures) {
    if (refusedInBeginNow()) {
        return;
    }
    if (n < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    flush();
    for (GLsizei i = 0; i < n; ++i) {
        if (textures_.remove(textures[i])) {
            vglDeleteTexture(textures[i]);
            // Deleting the bound texture binds the default one.
            if (state_.surface.texture.value == textures[i]) {
                state_.surface.texture.set(0);
            }
        }
    }
}

void Context::bindTexture(GLenum target, GLuint texture) {
    if (target == GL_TEXTURE_1D) {
        unsupported(Refused::LineTextures, false);
        return;
    }
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // Binding a name makes its texture; a list does so where it is called.
    if (!compiling_) {
        textures_.object(texture);
    }
    surface().texture.set(texture);
}

void Context::texParameter(GLenum target, GLenum pname, GLint param) {
    if (refusedInBegin()) {
        return;
    }
    if (target == GL_TEXTURE_1D) {
        refuse(Refused::LineTextures);
        return;
    }
    if (kept([=](Context& c) { c.texParameter(target, pname, param); })) {
        return;
    }
    GLint* parameter = textures_.object(state_.surface.texture.value).parameter(pname);
    if (target != GL_TEXTURE_2D || parameter == nullptr || !validParameter(pname, param)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    flush();
    *parameter = param;
    vglTexParameter(state_.surface.texture.value, pname, param);
}

void Context::setParameters(GLuint texture, const TextureParameters& parameters) {
    TextureParameters& current = textures_.object(texture).parameters;
    const auto set = [&](GLint& value, GLint to, GLenum pname) {
        if (value != to) {
            value = to;
            vglTexParameter(texture, pname, to);
        }
    };
    set(current.minFilter, parameters.minFilter, GL_TEXTURE_MIN_FILTER);
    set(current.magFilter, parameters.magFilter, GL_TEXTURE_MAG_FILTER);
    set(current.wrapS, parameters.wrapS, GL_TEXTURE_WRAP_S);
    set(current.wrapT, parameters.wrapT, GL_TEXTURE_WRAP_T);
}

void Context::getTexParameter(GLenum target, GLenum pname, GLint* params) {
    if (refusedInBeginNow()) {
        return;
    }
    if (target == GL_TEXTURE_1D) {
        refuse(Refused::LineTextures);
        return;
    }
    const GLint* parameter = textures_.object(state_.surface.texture.value).parameter(pname);
    if (target != GL_TEXTURE_2D || parameter == nullptr) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    params[0] = *parameter;
}

void Context::texEnv(GLenum target, GLenum pname, GLint param) {
    if (refusedInBegin()) {
        return;
    }
    const bool validNames = target == GL_TEXTURE_ENV && pname == GL_TEXTURE_ENV_MODE;
    if (validNames && (param == GL_DECAL || param == GL_BLEND)) {
        refuse(Refused::TextureEnvironment);
        return;
    }
    if (kept([=](Context& c) { c.texEnv(target, pname, param); })) {
        return;
    }
    if (!validNames) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (param != GL_MODULATE && param != GL_REPLACE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.texture.envMode = static_cast<GLenum>(param);
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    texImage(target, level, internalFormat, width, height, border, format, type, pixels,
             textures_.unpack());
}

void Context::texImage(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                       GLsizei height, GLint border, GLenum format, GLenum type,
                       const GLvoid* pixels, const PixelStore& unpack) {
    const bool proxy = target == GL_PROXY_TEXTURE_2D;
    // A proxy is asked at once, not compiled into a list.
    if (proxy ? refusedInBeginNow() : refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D && !proxy) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const auto fail = [&](GLenum error) { proxy ? setErrorNow(error) : setError(error); };
    const BaseFormat base = baseFormat(internalFormat);
    // OpenGL 1.1's sides are powers of two, with a border of 0 or 1 on each.
    if (level < 0 || level > textures_.lastLevel() || border < 0 || border > 1 || width < 0 ||
        height < 0 || base == BaseFormat::None || (width > 0 && !powerOfTwo(width - 2 * border)) ||
        (height > 0 && !powerOfTwo(height - 2 * border))) {
        fail(GL_INVALID_VALUE);
        return;
    }
    if ((bytesPerPixel(format) == 0 && format != GL_COLOR_INDEX) || !pixelType(type)) {
        fail(GL_INVALID_ENUM);
        return;
    }
    if (border != 0) {
        refuse(Refused::TextureBorders);
        return;
    }
    if (base == BaseFormat::Alpha) {
        refuse(Refused::AlphaTextures);
        return;
    }
    if (format == GL_COLOR_INDEX) {
        refuse(Refused::ColourIndexImages);
        return;
    }
    if (type != GL_UNSIGNED_BYTE) {
        refuse(Refused::PixelTypes);
        return;
    }
    const int levelSize = textures_.maxSize >> level;
    const bool fits = width <= levelSize && height <= levelSize;
    // An image of no size has the internal format of none.
    const TextureLevel image{width, height, width > 0 || height > 0 ? internalFormat : 1};
    if (proxy) {
        // A proxy only answers whether the image would fit.
        textures_.proxy.setLevel(level, fits ? image : TextureLevel{});
        return;
    }
    if (!fits) {
        setError(GL_INVALID_VALUE);
        return;
    }
    // A list keeps the image as it reads it now, for the texture bound
    // where it is called.
    if (compiling_) {
        auto copy = std::make_shared<const std::vector<std::uint8_t>>(
            pixels != nullptr ? copyImage(pixels, width, height, format, unpack)
                              : std::vector<std::uint8_t>());
        keep([=](Context& c) {
            c.texImage(target, level, internalFormat, width, height, border, format, type,
                       pixels != nullptr ? copy->data() : nullptr, kTightlyPacked);
        });
        return;
    }
    const GLuint name = state_.surface.texture.value;
    flush();
    textures_.object(name).setLevel(level, image);
    std::vector<std::uint8_t> rgba;
    if (pixels != nullptr) {
        rgba = unpackRgba(pixels, width, height, format, unpack, base);
    } else {
        rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    }
    vglTexImage(name, level, width, height, rgba.data());
}

void Context::texLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params) {
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
    // One-dimensional textures never have an image here.
    const TextureLevel image =
        line ? TextureLevel{}
             : (target == GL_PROXY_TEXTURE_2D ? textures_.proxy
                                              : textures_.object(state_.surface.texture.value))
                   .level(level);
    switch (pname) {
        case GL_TEXTURE_WIDTH:
            params[0] = image.width;
            return;
        case GL_TEXTURE_HEIGHT:
            params[0] = line ? 0 : image.height;
            return;
        case GL_TEXTURE_INTERNAL_FORMAT:
            params[0] = image.internalFormat;
            return;
        case GL_TEXTURE_BORDER:
            params[0] = 0;
            return;
        case GL_TEXTURE_RED_SIZE:
        case GL_TEXTURE_GREEN_SIZE:
        case GL_TEXTURE_BLUE_SIZE:
        case GL_TEXTURE_ALPHA_SIZE:
        case GL_TEXTURE_LUMINANCE_SIZE:
        case GL_TEXTURE_INTENSITY_SIZE:
            params[0] = image.width > 0 || image.height > 0
                            ? componentBits(baseFormat(image.internalFormat), pname)
                            : 0;
            return;
        default:
            setErrorNow(GL_INVALID_ENUM);
            return;
    }
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

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, GLvoid* pixels) {
    if (refusedInBeginNow()) {
        return;
    }
    if (width < 0 || height < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    if (!pixelType(type) || (bytesPerPixel(format) == 0 && format != GL_COLOR_INDEX &&
                             format != GL_STENCIL_INDEX && format != GL_DEPTH_COMPONENT)) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    if (format != GL_RGB && format != GL_RGBA) {
        refuse(Refused::ReadFormats);
        return;
    }
    if (type != GL_UNSIGNED_BYTE) {
        refuse(Refused::PixelTypes);
        return;
    }
    if (width == 0 || height == 0) {
        return;  // no pixels to read
    }
    flush();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    vglReadPixels(x, y, width, height, rgba.data());
    packRgba(rgba, width, height, format, textures_.pack(), pixels);
}

}  // namespace vgl
