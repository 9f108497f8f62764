// Texture and pixel calls: validated here, kept by the texture objects, drawn by the renderer.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

void Context::genTextures(GLsizei n, GLuint* textures) {
    if (refusedInBegin()) {
        return;
    }
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    textures_.generate(n, textures);
}

void Context::deleteTextures(GLsizei n, const GLuint* textures) {
    if (refusedInBegin()) {
        return;
    }
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    flush();
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] != 0 && textures_.remove(textures[i])) {
            vglDeleteTexture(textures[i]);
            // Deleting the bound texture binds the default one.
            if (state_.surface.texture.value == textures[i]) {
                state_.surface.texture.set(0);
            }
        }
    }
}

void Context::bindTexture(GLenum target, GLuint texture) {
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    textures_.make(texture);
    surface().texture.set(texture);
}

void Context::texParameter(GLenum target, GLenum pname, GLint param) {
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (refusedInList("glTexParameter")) {
        return;
    }
    switch (pname) {
        case GL_TEXTURE_MIN_FILTER:
        case GL_TEXTURE_MAG_FILTER:
        case GL_TEXTURE_WRAP_S:
        case GL_TEXTURE_WRAP_T:
            flush();
            vglTexParameter(state_.surface.texture.value, pname, param);
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::texEnv(GLenum target, GLenum pname, GLint param) {
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (param != GL_MODULATE && param != GL_REPLACE) {
        unsupported("a texture environment other than GL_MODULATE and GL_REPLACE");
        return;
    }
    if (refusedInList("glTexEnv")) {
        return;
    }
    renderStateChanging();
    state_.texture.envMode = static_cast<GLenum>(param);
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D && target != GL_PROXY_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (type != GL_UNSIGNED_BYTE || bytesPerPixel(format) == 0 ||
        !knownInternalFormat(internalFormat)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const int levelSize = textures_.maxSize >> std::max(level, 0);
    const bool fits = level >= 0 && width >= 0 && height >= 0 && width <= levelSize &&
                      height <= levelSize && border == 0;
    if (target == GL_PROXY_TEXTURE_2D) {
        // A proxy only answers whether the image would fit.
        textures_.proxy = fits ? TextureSize{width, height} : TextureSize{};
        return;
    }
    if (!fits) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (refusedInList("glTexImage2D")) {
        return;
    }
    flush();
    const GLuint name = state_.surface.texture.value;
    if (level == 0) {
        textures_.setSize(name, TextureSize{width, height});
    }
    std::vector<std::uint8_t> rgba;
    if (pixels != nullptr) {
        rgba = unpackRgba(pixels, width, height, format, textures_.unpack(),
                          keepsAlpha(internalFormat));
    } else {
        rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    }
    vglTexImage(name, level, width, height, rgba.data());
}

void Context::texLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params) {
    if (refusedInBegin()) {
        return;
    }
    const bool proxy = target == GL_PROXY_TEXTURE_2D;
    const bool bound = target == GL_TEXTURE_2D && level == 0;
    if ((!proxy && !bound) || (pname != GL_TEXTURE_WIDTH && pname != GL_TEXTURE_HEIGHT)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const TextureSize size = proxy ? textures_.proxy : textures_.size(state_.surface.texture.value);
    params[0] = pname == GL_TEXTURE_WIDTH ? size.width : size.height;
}

void Context::pixelStore(GLenum pname, GLint param) {
    if (refusedInBegin()) {
        return;
    }
    const GLenum error = textures_.storePixels(pname, param);
    if (error != GL_NO_ERROR) {
        setError(error);
    }
}

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, GLvoid* pixels) {
    if (refusedInBegin()) {
        return;
    }
    if (width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    flush();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    vglReadPixels(x, y, width, height, rgba.data());
    packRgba(rgba, width, height, format, textures_.pack(), pixels);
}

}  // namespace vgl
