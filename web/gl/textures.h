#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>
#include <vector>

#include "pixels.h"

namespace vgl {

// One level of a texture as glGetTexLevelParameter reads it back: its
// sides count its border, as OpenGL's do.
struct TextureLevel {
    int width = 0;
    int height = 0;
    int border = 0;
    GLint internalFormat = 1;  // OpenGL's for a level with no image
    // What its image is kept in (keptFormat); null for no image.
    const TextureFormat* kept = nullptr;
    // Its texels as the format keeps them (keptComponents), border and all,
    // for glGetTexImage: WebGL cannot read a texture back.
    std::vector<std::uint16_t> texels;
};

// What glTexParameter sets.
struct TextureParameters {
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLint magFilter = GL_LINEAR;
    GLint wrapS = GL_REPEAT;
    GLint wrapT = GL_REPEAT;
    // What GL_CLAMP blends with at the edge of an image without a border.
    float borderColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // In [0, 1]: every texture is resident here, whatever its priority.
    float priority = 1.0f;
};

// The name under which the default one-dimensional texture is kept, here
// and by the renderer, apart from the default two-dimensional one (name 0).
constexpr GLuint kLineDefault = 0xFFFFFFFFu;

// A texture object: its levels and parameters.
struct Texture {
    // GL_TEXTURE_1D or GL_TEXTURE_2D from its first binding on; a
    // one-dimensional texture is kept as one row.
    GLenum target = 0;
    std::vector<TextureLevel> levels;
    TextureParameters parameters;

    const TextureLevel& level(int index) const;
    // The format of its first level's image; null while it has none.
    const TextureFormat* format() const;
    void setLevel(int index, const TextureLevel& image);
    // The parameter pname names; null for one glTexParameter does not take.
    GLint* parameter(GLenum pname);
};

// The texture objects by name, the proxy, and the pixel-store settings
// their images are read with.
class TextureObjects {
   public:
    // Names n textures into names, after every name used so far. A name
    // becomes a texture where it is first bound.
    void generate(GLsizei n, GLuint* names);
    // The texture `name`, made where there is none (binding a name does);
    // name 0 is the default texture, which always exists.
    Texture& object(GLuint name);
    // The texture `name`; null for a name that is no texture yet.
    const Texture* find(GLuint name) const;
    // Forgets the texture `name`; false when there was none.
    bool remove(GLuint name);

    // What GL_PROXY_TEXTURE_2D and GL_PROXY_TEXTURE_1D answer: the levels
    // last asked about that fit.
    Texture proxy;
    Texture lineProxy;
    // The largest side of a texture the renderer takes.
    int maxSize = 2048;
    // Levels 0 to this one may hold images: their sides halve down to 1.
    int lastLevel() const;

    // glPixelStorei: GL_NO_ERROR, or the error it gives.
    GLenum storePixels(GLenum pname, GLint param);
    // A pixel-store setting as glGetIntegerv reads it; false for another name.
    bool pixelStoreValue(GLenum pname, GLint& value) const;
    void restoreStores(const PixelStore& pack, const PixelStore& unpack) {
        pack_ = pack;
        unpack_ = unpack;
    }
    const PixelStore& unpack() const {
        return unpack_;
    }
    const PixelStore& pack() const {
        return pack_;
    }

   private:
    std::map<GLuint, Texture> textures_;
    GLuint highest_ = 0;  // the largest name used, deleted or not
    PixelStore unpack_;
    PixelStore pack_;
};

}  // namespace vgl
