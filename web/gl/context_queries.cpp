// What glGet and glIsEnabled read back.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

GLenum Context::takeError() {
    // Between glBegin and glEnd the flag is not read, and 0 is the answer.
    if (refusedInBegin()) {
        return GL_NO_ERROR;
    }
    const GLenum error = error_;
    error_ = GL_NO_ERROR;
    return error;
}

void Context::getIntegers(GLenum pname, GLint* params) {
    if (refusedInBegin() || textures_.pixelStoreValue(pname, params[0])) {
        return;
    }
    switch (pname) {
        case GL_MAX_TEXTURE_SIZE:
            params[0] = textures_.maxSize;
            return;
        case GL_MAX_LIGHTS:
            params[0] = kMaxLights;
            return;
        case GL_MATRIX_MODE:
            params[0] = static_cast<GLint>(state_.transform.matrixMode);
            return;
        case GL_MODELVIEW_STACK_DEPTH:
            params[0] = static_cast<GLint>(modelview_.depth());
            return;
        case GL_PROJECTION_STACK_DEPTH:
            params[0] = static_cast<GLint>(projection_.depth());
            return;
        case GL_ATTRIB_STACK_DEPTH:
            params[0] = static_cast<GLint>(attributes_.size());
            return;
        case GL_VIEWPORT:
            std::copy_n(viewport_, 4, params);
            return;
        case GL_SHADE_MODEL:
            params[0] = state_.surface.flat.value ? GL_FLAT : GL_SMOOTH;
            return;
        case GL_FRONT_FACE:
            params[0] = state_.surface.clockwise.value ? GL_CW : GL_CCW;
            return;
        case GL_DEPTH_WRITEMASK:
            params[0] = word(state_.surface.depthMask.value);
            return;
        case GL_TEXTURE_BINDING_2D:
            params[0] = static_cast<GLint>(state_.surface.texture.value);
            return;
        case GL_LIST_INDEX:
            params[0] = compiling_ ? static_cast<GLint>(compilation_.name) : 0;
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::getFloats(GLenum pname, GLfloat* params) {
    if (refusedInBegin()) {
        return;
    }
    switch (pname) {
        case GL_MODELVIEW_MATRIX:
            std::copy(modelview_.top().m.begin(), modelview_.top().m.end(), params);
            return;
        case GL_PROJECTION_MATRIX:
            std::copy(projection_.top().m.begin(), projection_.top().m.end(), params);
            return;
        case GL_CURRENT_COLOR:
            copy4(params, state_.surface.color);
            return;
        case GL_CURRENT_NORMAL:
            std::copy_n(state_.surface.normal, 3, params);
            return;
        case GL_COLOR_CLEAR_VALUE:
            copy4(params, state_.colorBuffer.clearColor);
            return;
        case GL_LIGHT_MODEL_AMBIENT:
            copy4(params, state_.lighting.sceneAmbient);
            return;
        default: {
            GLint integers[4] = {0, 0, 0, 0};
            getIntegers(pname, integers);
            const int count = pname == GL_VIEWPORT ? 4 : 1;
            for (int i = 0; i < count; ++i) {
                params[i] = static_cast<GLfloat>(integers[i]);
            }
            return;
        }
    }
}

const GLubyte* Context::getString(GLenum name) {
    if (refusedInBegin()) {
        return nullptr;
    }
    const char* text = nullptr;
    switch (name) {
        case GL_VENDOR:
            text = "Vellmoor";
            break;
        case GL_RENDERER:
            text = "Vellmoor OpenGL 1.1 on WebGL 2";
            break;
        case GL_VERSION:
            text = "1.1 Vellmoor";
            break;
        case GL_EXTENSIONS:
            text = "GL_EXT_bgra";
            break;
        default:
            setError(GL_INVALID_ENUM);
            return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

void Context::getLight(GLenum light, GLenum pname, GLfloat* params) {
    if (refusedInBegin()) {
        return;
    }
    const Light* found = lightFor(light);
    if (found == nullptr) {
        return;
    }
    switch (pname) {
        case GL_AMBIENT:
            copy4(params, found->ambient);
            return;
        case GL_DIFFUSE:
            copy4(params, found->diffuse);
            return;
        case GL_SPECULAR:
            copy4(params, found->specular);
            return;
        case GL_POSITION:
            copy4(params, found->position);
            return;
        case GL_SPOT_DIRECTION:
            std::copy_n(found->spotDirection, 3, params);
            return;
        case GL_SPOT_EXPONENT:
            params[0] = found->spotExponent;
            return;
        case GL_SPOT_CUTOFF:
            params[0] = found->spotCutoff;
            return;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            params[0] = found->attenuation[pname - GL_CONSTANT_ATTENUATION];
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::getMaterial(GLenum face, GLenum pname, GLfloat* params) {
    if (refusedInBegin()) {
        return;
    }
    if (face != GL_FRONT && face != GL_BACK) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (!getMaterialPart(state_.surface.material[face == GL_FRONT ? 0 : 1], pname, params)) {
        setError(GL_INVALID_ENUM);
    }
}

}  // namespace vgl
