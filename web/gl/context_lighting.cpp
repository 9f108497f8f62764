// Lights, the light model and materials.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
const Vector kLightVectors[] = {
    {GL_AMBIENT, 4}, {GL_DIFFUSE, 4}, {GL_SPECULAR, 4}, {GL_POSITION, 4}, {GL_SPOT_DIRECTION, 3}};
const Vector kModelVectors[] = {{GL_LIGHT_MODEL_AMBIENT, 4}};
}  // namespace

Light* Context::lightFor(GLenum light) {
    if (!isLight(light)) {
        setError(GL_INVALID_ENUM);
        return nullptr;
    }
    return &state_.lighting.lights[light - GL_LIGHT0];
}

void Context::light(GLenum which, GLenum pname, const GLfloat* params, int count) {
    if (refusedInBegin() ||
        (compiling_ && kept([=, values = copied(params, count, pname, kLightVectors)](Context& c) {
             c.light(which, pname, values.data(), count);
         }))) {
        return;
    }
    Light* light = lightFor(which);
    if (light == nullptr) {
        return;
    }
    const bool vector = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR ||
                        pname == GL_POSITION || pname == GL_SPOT_DIRECTION;
    if (vector && count == 1) {
        setError(GL_INVALID_ENUM);  // glLightf takes only the single-valued parameters
        return;
    }
    renderStateChanging();
    const Matrix& modelview = modelview_.top();
    switch (pname) {
        case GL_AMBIENT:
            copy4(light->ambient, params);
            break;
        case GL_DIFFUSE:
            copy4(light->diffuse, params);
            break;
        case GL_SPECULAR:
            copy4(light->specular, params);
            break;
        case GL_POSITION: {
            // Kept where the modelview matrix puts it now, as OpenGL does.
            const auto eye = transformVector4(modelview, params);
            std::copy(eye.begin(), eye.end(), light->position);
            break;
        }
        case GL_SPOT_DIRECTION: {
            const float direction[4] = {params[0], params[1], params[2], 0.0f};
            const auto eye = transformVector4(modelview, direction);
            std::copy_n(eye.begin(), 3, light->spotDirection);
            break;
        }
        case GL_SPOT_EXPONENT:
            if (params[0] < 0.0f || params[0] > 128.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->spotExponent = params[0];
            break;
        case GL_SPOT_CUTOFF:
            if ((params[0] < 0.0f || params[0] > 90.0f) && params[0] != 180.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->spotCutoff = params[0];
            break;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            if (params[0] < 0.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->attenuation[pname - GL_CONSTANT_ATTENUATION] = params[0];
            break;
        default:
            setError(GL_INVALID_ENUM);
            break;
    }
}

void Context::lightModel(GLenum pname, const GLfloat* params, int count) {
    if (refusedInBegin() ||
        (compiling_ && kept([=, values = copied(params, count, pname, kModelVectors)](Context& c) {
             c.lightModel(pname, values.data(), count);
         }))) {
        return;
    }
    if (pname == GL_LIGHT_MODEL_AMBIENT && count == 1) {
        setError(GL_INVALID_ENUM);  // glLightModeli takes only the single-valued parameters
        return;
    }
    switch (pname) {
        case GL_LIGHT_MODEL_TWO_SIDE:
            renderStateChanging();
            state_.lighting.twoSide = params[0] != 0.0f;
            break;
        case GL_LIGHT_MODEL_AMBIENT:
            renderStateChanging();
            copy4(state_.lighting.sceneAmbient, params);
            break;
        case GL_LIGHT_MODEL_LOCAL_VIEWER:
            renderStateChanging();
            state_.lighting.localViewer = params[0] != 0.0f;
            break;
        default:
            setError(GL_INVALID_ENUM);
            break;
    }
}

void Context::material(GLenum face, GLenum pname, const GLfloat* params, int count) {
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // glMaterialf takes the shininess only.
    const bool known = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR ||
                       pname == GL_EMISSION || pname == GL_AMBIENT_AND_DIFFUSE;
    if (pname != GL_SHININESS && (!known || count == 1)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (pname == GL_SHININESS && (params[0] < 0.0f || params[0] > 128.0f)) {
        setError(GL_INVALID_VALUE);
        return;
    }
    // Between a primitive's vertices, those before keep the material they
    // were given.
    const bool between = primitiveOpen() && !building().vertices.empty();
    if (between && building().materials.empty()) {
        noteMaterials(0);
    }
    Surface& current = surface();
    for (int side = 0; side < 2; ++side) {
        const GLenum sideFace = side == 0 ? GL_FRONT : GL_BACK;
        if (face != GL_FRONT_AND_BACK && face != sideFace) {
            continue;
        }
        // What the current colour stands for is the current colour's.
        if (!compiling_ && tracksColor(side, pname)) {
            continue;
        }
        setMaterialPart(current.material[side], current.materialParts[side], pname, params);
    }
    if (between) {
        noteMaterials(building().vertices.size());
    }
}

void Context::colorMaterial(GLenum face, GLenum mode) {
    if (refusedInBegin() || kept([=](Context& c) { c.colorMaterial(face, mode); })) {
        return;
    }
    const bool known = mode == GL_AMBIENT || mode == GL_DIFFUSE || mode == GL_SPECULAR ||
                       mode == GL_EMISSION || mode == GL_AMBIENT_AND_DIFFUSE;
    if ((face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) || !known) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    trackColor();
    state_.lighting.colorMaterialFace = face;
    state_.lighting.colorMaterialParameter = mode;
    trackColor();
}

bool Context::tracksColor(int face, GLenum pname) const {
    const LightingGroup& lighting = state_.lighting;
    const GLenum tracked = lighting.colorMaterialParameter;
    const bool onFace = lighting.colorMaterialFace == GL_FRONT_AND_BACK ||
                        lighting.colorMaterialFace == (face == 0 ? GL_FRONT : GL_BACK);
    const bool parameter = pname == tracked || (tracked == GL_AMBIENT_AND_DIFFUSE &&
                                                (pname == GL_AMBIENT || pname == GL_DIFFUSE));
    return lighting.colorMaterial && onFace && parameter;
}

void Context::trackColor() {
    const LightingGroup& lighting = state_.lighting;
    if (!lighting.colorMaterial) {
        return;
    }
    Surface& current = state_.surface;
    for (int side = 0; side < 2; ++side) {
        if (tracksColor(side, lighting.colorMaterialParameter)) {
            setMaterialPart(current.material[side], current.materialParts[side],
                            lighting.colorMaterialParameter, current.color);
        }
    }
}

void Context::shadeModel(GLenum mode) {
    if (refusedInBegin()) {
        return;
    }
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        setError(GL_INVALID_ENUM);
        return;
    }
    surface().flat.set(mode == GL_FLAT);
}

}  // namespace vgl
