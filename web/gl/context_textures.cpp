// Texture objects, their parameters and priorities, and the texture
// environment: validated here, kept by the texture objects, drawn by the renderer.
#include <algorithm>
#include <cmath>
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

bool validEnvMode(GLenum mode) {
    return mode == GL_MODULATE || mode == GL_REPLACE || mode == GL_DECAL || mode == GL_BLEND;
}

const Vector kEnvVectors[] = {{GL_TEXTURE_ENV_COLOR, 4}};
const Vector kParameterVectors[] = {{GL_TEXTURE_BORDER_COLOR, 4}};

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
            // Deleting a bound texture binds the default one.
            if (state_.surface.texture.value == textures[i]) {
                state_.surface.texture.set(0);
            }
            if (state_.texture.lineTexture == textures[i]) {
                renderStateChanging();
                state_.texture.lineTexture = 0;
            }
        }
    }
}

GLuint Context::boundTexture(GLenum target) const {
    if (target != GL_TEXTURE_1D) {
        return state_.surface.texture.value;
    }
    return state_.texture.lineTexture != 0 ? state_.texture.lineTexture : kLineDefault;
}

void Context::bindTexture(GLenum target, GLuint texture) {
    if (refusedInBegin()) {
        return;
    }
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // The one-dimensional binding is drawn with as it is where drawn: a list
    // binds it where it is called.
    if (target == GL_TEXTURE_1D && kept([=](Context& c) { c.bindTexture(target, texture); })) {
        return;
    }
    // Binding a name makes its texture, of the target's dimensions for good;
    // a list does so where it is called.
    if (!compiling_) {
        Texture& object =
            textures_.object(target == GL_TEXTURE_1D && texture == 0 ? kLineDefault : texture);
        if (object.target != 0 && object.target != target && texture != 0) {
            setError(GL_INVALID_OPERATION);
            return;
        }
        object.target = target;
    }
    if (target == GL_TEXTURE_1D) {
        renderStateChanging();
        state_.texture.lineTexture = texture;
        return;
    }
    surface().texture.set(texture);
}

void Context::texParameter(GLenum target, GLenum pname, const GLfloat* params, int count) {
    if (refusedInBegin() ||
        (compiling_ &&
         kept([=, values = copied(params, count, pname, kParameterVectors)](Context& c) {
             c.texParameter(target, pname, values.data(), count);
         }))) {
        return;
    }
    const bool named = target == GL_TEXTURE_2D || target == GL_TEXTURE_1D;
    const GLuint name = boundTexture(target);
    Texture& texture = textures_.object(name);
    const GLfloat param = params[0];
    if (named && pname == GL_TEXTURE_PRIORITY) {
        texture.parameters.priority = std::clamp(param, 0.0f, 1.0f);
        return;
    }
    // The colour has four values: glTexParameterf and glTexParameteri cannot give it.
    if (named && pname == GL_TEXTURE_BORDER_COLOR && count == 4) {
        flush();
        for (int i = 0; i < 4; ++i) {
            texture.parameters.borderColor[i] = std::clamp(params[i], 0.0f, 1.0f);
        }
        return;
    }
    GLint* parameter = texture.parameter(pname);
    const auto value = static_cast<GLint>(enumerantOf(param));
    if (!named || parameter == nullptr || !validParameter(pname, value)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    flush();
    *parameter = value;
    vglTexParameter(name, pname, value);
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
    std::copy_n(parameters.borderColor, 4, current.borderColor);
    current.priority = parameters.priority;
}

void Context::getTexParameter(GLenum target, GLenum pname, GLfloat* floats, GLint* integers) {
    if (refusedInBeginNow()) {
        return;
    }
    Texture& texture = textures_.object(boundTexture(target));
    const GLint* parameter = texture.parameter(pname);
    double values[4] = {};
    int count = 1;
    if (pname == GL_TEXTURE_PRIORITY) {
        values[0] = texture.parameters.priority;
    } else if (pname == GL_TEXTURE_RESIDENT) {
        values[0] = GL_TRUE;
    } else if (pname == GL_TEXTURE_BORDER_COLOR) {
        std::copy_n(texture.parameters.borderColor, 4, values);
        count = 4;
    } else if (parameter != nullptr) {
        values[0] = *parameter;
    } else {
        target = 0;
    }
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    // The border colour's integers are mapped, as colours' are.
    answer(values, count, pname == GL_TEXTURE_BORDER_COLOR, floats, integers);
}

void Context::prioritizeTextures(GLsizei n, const GLuint* textures, const GLclampf* priorities) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
        keep([n, names = std::vector<GLuint>(textures, textures + count),
              values = std::vector<GLclampf>(priorities, priorities + count)](Context& c) {
            c.prioritizeTextures(n, names.data(), values.data());
        });
        return;
    }
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    // Names that are no texture, the default one among them, are passed over.
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] != 0 && textures_.find(textures[i]) != nullptr) {
            textures_.object(textures[i]).parameters.priority =
                std::clamp(priorities[i], 0.0f, 1.0f);
        }
    }
}

GLboolean Context::areTexturesResident(GLsizei n, const GLuint* textures, GLboolean*) {
    if (refusedInBeginNow()) {
        return GL_FALSE;
    }
    const bool named = n >= 0 && std::all_of(textures, textures + std::max(n, 0), [&](GLuint name) {
                           return name != 0 && textures_.find(name) != nullptr;
                       });
    if (!named) {
        setErrorNow(GL_INVALID_VALUE);
        return GL_FALSE;
    }
    // All are: the residences are left as they are.
    return GL_TRUE;
}

void Context::texEnv(GLenum target, GLenum pname, const GLfloat* params, int count) {
    if (refusedInBegin() ||
        (compiling_ && kept([=, values = copied(params, count, pname, kEnvVectors)](Context& c) {
             c.texEnv(target, pname, values.data(), count);
         }))) {
        return;
    }
    TextureGroup& texture = state_.texture;
    // The colour has four values: glTexEnvf and glTexEnvi cannot give it.
    const bool named = target == GL_TEXTURE_ENV && (pname == GL_TEXTURE_ENV_MODE ||
                                                    (pname == GL_TEXTURE_ENV_COLOR && count == 4));
    if (!named || (pname == GL_TEXTURE_ENV_MODE && !validEnvMode(enumerantOf(params[0])))) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    if (pname == GL_TEXTURE_ENV_MODE) {
        texture.envMode = enumerantOf(params[0]);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        texture.envColor[i] = std::clamp(params[i], 0.0f, 1.0f);
    }
}

void Context::getTexEnv(GLenum target, GLenum pname, GLfloat* floats, GLint* integers) {
    if (refusedInBeginNow()) {
        return;
    }
    if (target != GL_TEXTURE_ENV ||
        (pname != GL_TEXTURE_ENV_MODE && pname != GL_TEXTURE_ENV_COLOR)) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    const TextureGroup& texture = state_.texture;
    if (pname == GL_TEXTURE_ENV_MODE) {
        const double mode = texture.envMode;
        answer(&mode, 1, false, floats, integers);
        return;
    }
    const double color[4] = {texture.envColor[0], texture.envColor[1], texture.envColor[2],
                             texture.envColor[3]};
    answer(color, 4, true, floats, integers);
}

}  // namespace vgl
