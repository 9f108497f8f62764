// Texture objects, their images and the pixel-store settings.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

void Context::genTextures(GLsizei n, GLuint* textures) {
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < n; ++i) {
        while (textures_.count(nextTexture_) != 0) {
            ++nextTexture_;
        }
        textures[i] = nextTexture_;
        textures_[nextTexture_++];
    }
}

void Context::deleteTextures(GLsizei n, const GLuint* textures) {
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    flush();
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] != 0 && textures_.erase(textures[i]) != 0) {
            vglDeleteTexture(textures[i]);
            // Deleting the bound texture binds the default one.
            if (state_.surface.texture.value == textures[i]) {
                state_.surface.texture.set(0);
            }
        }
    }
}

void Context::bindTexture(GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    textures_[texture];
    surface().texture.set(texture);
}

void Context::texParameter(GLenum target, GLenum pname, GLint param) {
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
    state_.textureEnvMode = static_cast<GLenum>(param);
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    if (target != GL_TEXTURE_2D && target != GL_PROXY_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (type != GL_UNSIGNED_BYTE || bytesPerPixel(format) == 0 ||
        !knownInternalFormat(internalFormat)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const int levelSize = maxTextureSize_ >> std::max(level, 0);
    const bool fits = level >= 0 && width >= 0 && height >= 0 && width <= levelSize &&
                      height <= levelSize && border == 0;
    if (target == GL_PROXY_TEXTURE_2D) {
        // A proxy only answers whether the image would fit.
        proxy_ = fits ? Texture{width, height} : Texture{};
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
        textures_[name] = Texture{width, height};
    }
    std::vector<std::uint8_t> rgba;
    if (pixels != nullptr) {
        rgba = unpackRgba(pixels, width, height, format, unpack_, keepsAlpha(internalFormat));
    } else {
        rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    }
    vglTexImage(name, level, width, height, rgba.data());
}

void Context::texLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params) {
    const Texture* texture = nullptr;
    if (target == GL_PROXY_TEXTURE_2D) {
        texture = &proxy_;
    } else if (target == GL_TEXTURE_2D && level == 0) {
        texture = &textures_[state_.surface.texture.value];
    }
    if (texture == nullptr || (pname != GL_TEXTURE_WIDTH && pname != GL_TEXTURE_HEIGHT)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    params[0] = pname == GL_TEXTURE_WIDTH ? texture->width : texture->height;
}

bool Context::isPixelStoreName(GLenum pname) {
    return (pname >= GL_UNPACK_SWAP_BYTES && pname <= GL_UNPACK_ALIGNMENT) ||
           (pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT) ||
           pname == GL_UNPACK_SKIP_IMAGES || pname == GL_UNPACK_IMAGE_HEIGHT ||
           pname == GL_PACK_SKIP_IMAGES || pname == GL_PACK_IMAGE_HEIGHT;
}

GLint* Context::pixelStoreSetting(GLenum pname) {
    const bool unpack = pname >= GL_UNPACK_SWAP_BYTES && pname <= GL_UNPACK_ALIGNMENT;
    const bool pack = pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT;
    if (!unpack && !pack) {
        return nullptr;
    }
    PixelStore& store = unpack ? unpack_ : pack_;
    // The pack names lie as far above GL_PACK_SWAP_BYTES as the unpack names above theirs.
    switch (unpack ? pname : pname - GL_PACK_SWAP_BYTES + GL_UNPACK_SWAP_BYTES) {
        case GL_UNPACK_ALIGNMENT:
            return &store.alignment;
        case GL_UNPACK_ROW_LENGTH:
            return &store.rowLength;
        case GL_UNPACK_SKIP_ROWS:
            return &store.skipRows;
        case GL_UNPACK_SKIP_PIXELS:
            return &store.skipPixels;
        default:
            return nullptr;
    }
}

void Context::pixelStore(GLenum pname, GLint param) {
    if (!isPixelStoreName(pname)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    GLint* setting = pixelStoreSetting(pname);
    if (setting == nullptr) {
        return;  // byte order, bit order and 3D images do not apply to byte images
    }
    const bool alignment = setting == &unpack_.alignment || setting == &pack_.alignment;
    if (alignment && param != 1 && param != 2 && param != 4 && param != 8) {
        setError(GL_INVALID_VALUE);
        return;
    }
    *setting = alignment ? param : std::max(param, 0);
}

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, GLvoid* pixels) {
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
    packRgba(rgba, width, height, format, pack_, pixels);
}

}  // namespace vgl
