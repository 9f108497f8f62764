#pragma once

#include <GL/gl.h>

#include <map>

#include "pixels.h"

namespace vgl {

struct TextureSize {
    int width = 0;
    int height = 0;
};

// The texture objects by name, with the sizes of their first levels, and the
// pixel-store settings their images are read with.
class TextureObjects {
   public:
    // Names n unused textures into names.
    void generate(GLsizei n, GLuint* names);
    // Makes the texture `name` where there is none (binding a name does).
    void make(GLuint name);
    // Forgets the texture `name`; false when there was none.
    bool remove(GLuint name);
    void setSize(GLuint name, TextureSize size);
    // The size of the texture's first level; none for an unknown name.
    TextureSize size(GLuint name) const;

    // What GL_PROXY_TEXTURE_2D answers: the size of the last image asked
    // about, or none when it would not fit.
    TextureSize proxy;
    // The largest side of a texture the renderer takes.
    int maxSize = 2048;

    // glPixelStorei: GL_NO_ERROR, or the error it gives.
    GLenum storePixels(GLenum pname, GLint param);
    // A pixel-store setting as glGetIntegerv reads it; false for another name.
    bool pixelStoreValue(GLenum pname, GLint& value) const;
    const PixelStore& unpack() const {
        return unpack_;
    }
    const PixelStore& pack() const {
        return pack_;
    }

   private:
    std::map<GLuint, TextureSize> textures_;
    GLuint next_ = 1;
    PixelStore unpack_;
    PixelStore pack_;
};

}  // namespace vgl
