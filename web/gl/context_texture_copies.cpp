// Texture images to and from the layer's keeping: glCopyTexImage1D and 2D
// and glCopyTexSubImage1D and 2D from the window, and glGetTexImage.
#include <cstdint>
#include <vector>

#include "context.h"
#include "context_helpers.h"
#include "texels.h"

namespace vgl {

void Context::copyTexImage1D(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                             GLsizei width, GLint border) {
    // Its target is checked as it runs, with the copy's other errors.
    copyTexImage(target == GL_TEXTURE_1D ? target : 0, level, internalFormat, x, y, width, 1,
                 border);
}

void Context::copyTexImage2D(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                             GLsizei width, GLsizei height, GLint border) {
    copyTexImage(target == GL_TEXTURE_2D ? target : 0, level, internalFormat, x, y, width, height,
                 border);
}

void Context::copyTexImage(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                           GLsizei width, GLsizei height, GLint border) {
    if (refusedInBegin()) {
        return;
    }
    // A copy names its internal format: 1 to 4 are none.
    const bool named = internalFormat < 1 || internalFormat > 4;
    const bool line = target == GL_TEXTURE_1D;
    // Refused where it is compiled as well as where it runs.
    if (target != 0 && named && border != 0 && level > 0 &&
        imageValid(level, internalFormat, width, line ? 1 + 2 * border : height, border)) {
        refuse(Refused::TextureBorders);
        return;
    }
    if (kept([=](Context& c) {
            c.copyTexImage(target, level, internalFormat, x, y, width, height, border);
        })) {
        return;
    }
    if (target == 0 || !named) {
        setError(target == 0 ? GL_INVALID_ENUM : GL_INVALID_VALUE);
        return;
    }
    // The window's pixels become the image as client pixels would.
    const std::vector<std::uint8_t> rgba = windowPixels(x, y, width, height);
    texImage(target, level, internalFormat, width, height, border, GL_RGBA, GL_UNSIGNED_BYTE,
             rgba.empty() ? nullptr : rgba.data(), kTightlyPacked);
}

void Context::copyTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLint x, GLint y,
                                GLsizei width) {
    copyTexSubImage(target == GL_TEXTURE_1D ? target : 0, level, xoffset, 0, x, y, width, 1);
}

void Context::copyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                                GLint y, GLsizei width, GLsizei height) {
    copyTexSubImage(target == GL_TEXTURE_2D ? target : 0, level, xoffset, yoffset, x, y, width,
                    height);
}

void Context::copyTexSubImage(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                              GLint y, GLsizei width, GLsizei height) {
    if (refusedInBegin() || kept([=](Context& c) {
            c.copyTexSubImage(target, level, xoffset, yoffset, x, y, width, height);
        })) {
        return;
    }
    if (target == 0) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // With no image to replace a part of, the copy is an invalid operation
    // whatever its size.
    if (level >= 0 && level <= textures_.lastLevel() &&
        textures_.object(boundTexture(target)).level(level).kept == nullptr) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    const std::vector<std::uint8_t> rgba = windowPixels(x, y, width, height);
    texSubImage(target, level, xoffset, yoffset, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                rgba.empty() ? nullptr : rgba.data(), kTightlyPacked);
}

std::vector<std::uint8_t> Context::windowPixels(GLint x, GLint y, GLsizei width, GLsizei height) {
    // None for a size no image can have, border and all: the image's own
    // checks refuse it.
    const int most = textures_.maxSize + 2;
    if (width <= 0 || height <= 0 || width > most || height > most) {
        return {};
    }
    flush();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    vglReadPixels(x, y, width, height, rgba.data());
    return rgba;
}

void Context::getTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
    if (refusedInBeginNow()) {
        return;
    }
    if ((target != GL_TEXTURE_1D && target != GL_TEXTURE_2D) || componentsPerPixel(format) == 0 ||
        bytesPerComponent(type) == 0) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    if (level < 0 || level > textures_.lastLevel()) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    // Read from the texels the layer keeps of every level: WebGL 2 reads a
    // texture back only through a framebuffer and in bytes, where a format
    // may keep 16 bits a component, and not without the renderer's round trip.
    const TextureLevel& image = textures_.object(boundTexture(target)).level(level);
    if (image.kept == nullptr || pixels == nullptr) {
        return;  // no image: nothing is written
    }
    packTexels(image.texels, *image.kept, image.width, image.height, format, type, textures_.pack(),
               pixels);
}

}  // namespace vgl
