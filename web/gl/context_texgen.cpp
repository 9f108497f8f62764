// Texture coordinate generation: each of s, t, r and q from the vertex's
// object or eye coordinates, or from a sphere map, with its planes; eye
// planes are kept in eye space, given under the modelview then.
#include <algorithm>
#include <array>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {

TexGenCoordinate* coordinateFor(TexGenGroup& group, GLenum coord) {
    return coord >= GL_S && coord <= GL_Q ? &group.coordinates[coord - GL_S] : nullptr;
}

}  // namespace

void Context::texGen(GLenum coord, GLenum pname, const GLdouble* params, int count) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        std::array<double, 4> values{};
        std::copy_n(params, pname == GL_TEXTURE_GEN_MODE ? 1 : count, values.begin());
        keep([=](Context& c) { c.texGen(coord, pname, values.data(), count); });
        return;
    }
    TexGenCoordinate* generated = coordinateFor(state_.texGen, coord);
    const bool plane = pname == GL_OBJECT_PLANE || pname == GL_EYE_PLANE;
    if (generated == nullptr || (pname != GL_TEXTURE_GEN_MODE && !plane) || (plane && count == 1)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (pname == GL_TEXTURE_GEN_MODE) {
        const auto mode = static_cast<GLenum>(params[0]);
        // A sphere map makes s and t alone.
        const bool valid = mode == GL_OBJECT_LINEAR || mode == GL_EYE_LINEAR ||
                           (mode == GL_SPHERE_MAP && coord <= GL_T);
        if (!valid) {
            setError(GL_INVALID_ENUM);
            return;
        }
        renderStateChanging();
        generated->mode = mode;
        return;
    }
    renderStateChanging();
    if (pname == GL_OBJECT_PLANE) {
        std::copy_n(params, 4, generated->objectPlane);
        return;
    }
    const std::array<double, 4> eye = planeInEye(modelview_.top(), params);
    std::copy(eye.begin(), eye.end(), generated->eyePlane);
}

bool Context::getTexGen(GLenum coord, GLenum pname, GLdouble* params) {
    if (refusedInBeginNow()) {
        return false;
    }
    TexGenCoordinate* generated = coordinateFor(state_.texGen, coord);
    if (generated == nullptr) {
        setErrorNow(GL_INVALID_ENUM);
        return false;
    }
    switch (pname) {
        case GL_TEXTURE_GEN_MODE:
            params[0] = generated->mode;
            return true;
        case GL_OBJECT_PLANE:
            std::copy_n(generated->objectPlane, 4, params);
            return true;
        case GL_EYE_PLANE:
            std::copy_n(generated->eyePlane, 4, params);
            return true;
        default:
            setErrorNow(GL_INVALID_ENUM);
            return false;
    }
}

}  // namespace vgl
