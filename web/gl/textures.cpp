// Texture object names and sizes, and the pixel-store settings.
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

// glPixelStorei's names that do not apply to byte images: 3D images.
bool isImageName(GLenum pname) {
    return pname == GL_UNPACK_SKIP_IMAGES || pname == GL_UNPACK_IMAGE_HEIGHT ||
           pname == GL_PACK_SKIP_IMAGES || pname == GL_PACK_IMAGE_HEIGHT;
}

bool isPixelStoreName(GLenum pname) {
    return isUnpackName(pname) || isPackName(pname) || isImageName(pname);
}

// The setting of `unpack` or `pack` that pname names; null for those that do
// not apply to byte images.
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
        default:
            return nullptr;  // byte order and bit order
    }
}
}  // namespace

void TextureObjects::generate(GLsizei n, GLuint* names) {
    for (GLsizei i = 0; i < n; ++i) {
        while (textures_.count(next_) != 0) {
            ++next_;
        }
        names[i] = next_;
        textures_[next_++];
    }
}

void TextureObjects::make(GLuint name) {
    textures_[name];
}

bool TextureObjects::remove(GLuint name) {
    return textures_.erase(name) != 0;
}

void TextureObjects::setSize(GLuint name, TextureSize size) {
    textures_[name] = size;
}

TextureSize TextureObjects::size(GLuint name) const {
    const auto found = textures_.find(name);
    return found != textures_.end() ? found->second : TextureSize{};
}

GLenum TextureObjects::storePixels(GLenum pname, GLint param) {
    if (!isPixelStoreName(pname)) {
        return GL_INVALID_ENUM;
    }
    GLint* value = settingOf(unpack_, pack_, pname);
    if (value == nullptr) {
        return GL_NO_ERROR;  // byte order, bit order and 3D images do not apply to byte images
    }
    const bool alignment = value == &unpack_.alignment || value == &pack_.alignment;
    if (alignment && param != 1 && param != 2 && param != 4 && param != 8) {
        return GL_INVALID_VALUE;
    }
    *value = alignment ? param : std::max(param, 0);
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
