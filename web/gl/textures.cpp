// Texture objects with their levels and parameters, and the pixel-store settings.
#include "textures.h"

#include <algorithm>

namespace vgl {

namespace {
bool isUnpackName(GLenum pname) {
    return pname >= GL_UNPACK_SWAP_BYTES && pname <= GL_UNPACK_ALIGNMENT;
}

bool isPackName(GLenum pname) {
    return pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT;
}

// glPixelStorei's names for 3D images, which GLU sets and byte images ignore.
bool isImageName(GLenum pname) {
    return pname == GL_UNPACK_SKIP_IMAGES || pname == GL_UNPACK_IMAGE_HEIGHT ||
           pname == GL_PACK_SKIP_IMAGES || pname == GL_PACK_IMAGE_HEIGHT;
}

bool isPixelStoreName(GLenum pname) {
    return isUnpackName(pname) || isPackName(pname) || isImageName(pname);
}

// The setting of `unpack` or `pack` that pname names; null for 3D images.
template <typename Store>
auto settingOf(Store& unpack, Store& pack, GLenum pname) -> decltype(&unpack.alignment) {
    const bool isUnpack = isUnpackName(pname);
    if (!isUnpack && !isPackName(pname)) {
        return nullptr;
    }
    Store& store = isUnpack ? unpack : pack;
    // The pack names lie as far above GL_PACK_SWAP_BYTES as the unpack names above theirs.
    switch (isUnpack ? pname : pname - GL_PACK_SWAP_BYTES + GL_UNPACK_SWAP_BYTES) {
        case GL_UNPACK_ALIGNMENT:
            return &store.alignment;
        case GL_UNPACK_ROW_LENGTH:
            return &store.rowLength;
        case GL_UNPACK_SKIP_ROWS:
            return &store.skipRows;
        case GL_UNPACK_SKIP_PIXELS:
            return &store.skipPixels;
        case GL_UNPACK_SWAP_BYTES:
            return &store.swapBytes;
        default:
            return &store.lsbFirst;
    }
}
}  // namespace

const TextureLevel& Texture::level(int index) const {
    static const TextureLevel kNone;
    return index >= 0 && index < static_cast<int>(levels.size()) ? levels[index] : kNone;
}

const TextureFormat* Texture::format() const {
    return level(0).kept;
}

void Texture::setLevel(int index, const TextureLevel& image) {
    if (index >= static_cast<int>(levels.size())) {
        levels.resize(static_cast<std::size_t>(index) + 1);
    }
    levels[index] = image;
}

GLint* Texture::parameter(GLenum pname) {
    switch (pname) {
        case GL_TEXTURE_MIN_FILTER:
            return &parameters.minFilter;
        case GL_TEXTURE_MAG_FILTER:
            return &parameters.magFilter;
        case GL_TEXTURE_WRAP_S:
            return &parameters.wrapS;
        case GL_TEXTURE_WRAP_T:
            return &parameters.wrapT;
        default:
            return nullptr;
    }
}

void TextureObjects::generate(GLsizei n, GLuint* names) {
    for (GLsizei i = 0; i < n; ++i) {
        names[i] = ++highest_;
    }
}

Texture& TextureObjects::object(GLuint name) {
    if (name != kLineDefault) {
        highest_ = std::max(highest_, name);
    }
    return textures_[name];
}

const Texture* TextureObjects::find(GLuint name) const {
    const auto found = textures_.find(name);
    return found != textures_.end() ? &found->second : nullptr;
}

bool TextureObjects::remove(GLuint name) {
    return name != 0 && name != kLineDefault && textures_.erase(name) != 0;
}

int TextureObjects::lastLevel() const {
    int level = 0;
    while ((maxSize >> (level + 1)) > 0) {
        ++level;
    }
    return level;
}

GLenum TextureObjects::storePixels(GLenum pname, GLint param) {
    if (!isPixelStoreName(pname)) {
        return GL_INVALID_ENUM;
    }
    GLint* value = settingOf(unpack_, pack_, pname);
    if (value == nullptr) {
        return GL_NO_ERROR;  // 3D images: byte images have none
    }
    const bool alignment = value == &unpack_.alignment || value == &pack_.alignment;
    const bool flag = value == &unpack_.swapBytes || value == &pack_.swapBytes ||
                      value == &unpack_.lsbFirst || value == &pack_.lsbFirst;
    if (alignment ? (param != 1 && param != 2 && param != 4 && param != 8) : (!flag && param < 0)) {
        return GL_INVALID_VALUE;
    }
    *value = flag ? static_cast<GLint>(param != 0) : param;
    return GL_NO_ERROR;
}

bool TextureObjects::pixelStoreValue(GLenum pname, GLint& value) const {
    if (!isPixelStoreName(pname)) {
        return false;
    }
    const GLint* found = settingOf(unpack_, pack_, pname);
    value = found != nullptr ? *found : 0;
    return true;
}

}  // namespace vgl
