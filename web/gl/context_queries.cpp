// What glGet and glIsEnabled read back.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"
#include "raster_size.h"

namespace vgl {

namespace {

template <typename T, std::size_t N>
int copied(double (&values)[16], const T (&from)[N]) {
    std::copy_n(from, N, values);
    return static_cast<int>(N);
}

int one(double (&values)[16], double value) {
    values[0] = value;
    return 1;
}

}  // namespace

GLenum Context::takeError() {
    // Between glBegin and glEnd the flag is not read, and 0 is the answer.
    if (refusedInBeginNow()) {
        return GL_NO_ERROR;
    }
    const GLenum error = error_;
    error_ = GL_NO_ERROR;
    return error;
}

int Context::readState(GLenum pname, double (&values)[16], bool& mapped) {
    mapped = false;
    GLint stored = 0;
    if (textures_.pixelStoreValue(pname, stored)) {
        return one(values, stored);
    }
    if (state_.pixelMode.get(pname, values[0])) {
        return 1;
    }
    if (pname == GL_TEXTURE_2D || enableFlag(state_, pname) != nullptr ||
        evaluatorCapability(pname) || arrays_.flag(pname) != nullptr) {
        return one(values, isEnabled(pname) ? 1 : 0);
    }
    const Surface& current = state_.surface;
    switch (pname) {
        // The window's context's, as the browser made it.
        case GL_RED_BITS:
        case GL_GREEN_BITS:
        case GL_BLUE_BITS:
        case GL_ALPHA_BITS:
            return one(values, limits_.colorBits[pname - GL_RED_BITS]);
        case GL_DEPTH_BITS:
            return one(values, limits_.depthBits);
        case GL_STENCIL_BITS:
            return one(values, limits_.stencilBits);
        case GL_SUBPIXEL_BITS:
            return one(values, limits_.subpixelBits);
        case GL_MAX_VIEWPORT_DIMS:
            return copied(values, limits_.maxViewport);
        case GL_MAX_TEXTURE_SIZE:
            return one(values, textures_.maxSize);
        case GL_MAX_LIGHTS:
            return one(values, kMaxLights);
        case GL_MAX_CLIP_PLANES:
            return one(values, kMaxClipPlanes);
        case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH:
            return one(values, kMaxClientAttributeDepth);
        case GL_CLIENT_ATTRIB_STACK_DEPTH:
            return one(values, static_cast<double>(clientAttributes_.size()));
        case GL_EDGE_FLAG_ARRAY_STRIDE:
            return one(values, arrays_.edgeFlag.stride);
        case GL_EDGE_FLAG:
            return one(values, current.edgeFlag ? 1 : 0);
        case GL_MAX_MODELVIEW_STACK_DEPTH:
            return one(values, static_cast<double>(modelview_.maxDepth()));
        case GL_MAX_PROJECTION_STACK_DEPTH:
            return one(values, static_cast<double>(projection_.maxDepth()));
        case GL_MAX_TEXTURE_STACK_DEPTH:
            return one(values, static_cast<double>(texture_.maxDepth()));
        case GL_MAX_ATTRIB_STACK_DEPTH:
            return one(values, kMaxAttributeDepth);
        case GL_MAX_LIST_NESTING:
            return one(values, kMaxListNesting);
        case GL_MATRIX_MODE:
            return one(values, state_.transform.matrixMode);
        case GL_MODELVIEW_STACK_DEPTH:
            return one(values, static_cast<double>(modelview_.depth()));
        case GL_PROJECTION_STACK_DEPTH:
            return one(values, static_cast<double>(projection_.depth()));
        case GL_TEXTURE_STACK_DEPTH:
            return one(values, static_cast<double>(texture_.depth()));
        case GL_ATTRIB_STACK_DEPTH:
            return one(values, static_cast<double>(attributes_.size()));
        case GL_MODELVIEW_MATRIX:
            std::copy(modelview_.top().m.begin(), modelview_.top().m.end(), values);
            return 16;
        case GL_PROJECTION_MATRIX:
            std::copy(projection_.top().m.begin(), projection_.top().m.end(), values);
            return 16;
        case GL_TEXTURE_MATRIX:
            std::copy(texture_.top().m.begin(), texture_.top().m.end(), values);
            return 16;
        case GL_VIEWPORT:
            return copied(values, state_.viewport.rect);
        case GL_LIST_INDEX:
            return one(values, compiling_ ? compilation_.name : 0);
        case GL_LIST_MODE:
            if (!compiling_) {
                return one(values, 0);
            }
            return one(values, compilation_.execute ? GL_COMPILE_AND_EXECUTE : GL_COMPILE);
        case GL_SHADE_MODEL:
            return one(values, current.flat.value ? GL_FLAT : GL_SMOOTH);
        case GL_POINT_SIZE:
            return one(values, state_.point.size);
        case GL_LINE_WIDTH:
            return one(values, state_.line.width);
        case GL_POINT_SIZE_RANGE:
        case GL_LINE_WIDTH_RANGE:
            return copied(values, kRasterSizeRange);
        case GL_POINT_SIZE_GRANULARITY:
        case GL_LINE_WIDTH_GRANULARITY:
            return one(values, kRasterSizeGranularity);
        case GL_LINE_STIPPLE_PATTERN:
            return one(values, state_.line.pattern);
        case GL_LINE_STIPPLE_REPEAT:
            return one(values, state_.line.repeat);
        case GL_CULL_FACE_MODE:
            return one(values, state_.polygon.cullFace);
        case GL_POLYGON_MODE:
            return copied(values, state_.polygon.mode);
        case GL_POLYGON_OFFSET_FACTOR:
            return one(values, state_.polygon.offsetFactor);
        case GL_POLYGON_OFFSET_UNITS:
            return one(values, state_.polygon.offsetUnits);
        case GL_FRONT_FACE:
            return one(values, current.clockwise.value ? GL_CW : GL_CCW);
        case GL_DEPTH_WRITEMASK:
            return one(values, current.depthMask.value ? 1 : 0);
        case GL_TEXTURE_BINDING_2D:
            return one(values, current.texture.value);
        case GL_TEXTURE_BINDING_1D:
            return one(values, state_.texture.lineTexture);
        case GL_BLEND_SRC:
            return one(values, state_.colorBuffer.blendSource);
        case GL_BLEND_DST:
            return one(values, state_.colorBuffer.blendDestination);
        case GL_DEPTH_FUNC:
            return one(values, state_.depth.func);
        case GL_COLOR_WRITEMASK:
            return copied(values, state_.colorBuffer.writeMask);
        case GL_SCISSOR_BOX:
            return copied(values, state_.scissor.box);
        case GL_STENCIL_FUNC:
            return one(values, state_.stencil.func);
        case GL_STENCIL_REF:
            return one(values, state_.stencil.ref);
        case GL_STENCIL_VALUE_MASK:
            return one(values, state_.stencil.valueMask);
        case GL_STENCIL_FAIL:
            return one(values, state_.stencil.fail);
        case GL_STENCIL_PASS_DEPTH_FAIL:
            return one(values, state_.stencil.depthFail);
        case GL_STENCIL_PASS_DEPTH_PASS:
            return one(values, state_.stencil.depthPass);
        case GL_STENCIL_WRITEMASK:
            return one(values, state_.stencil.writeMask);
        case GL_STENCIL_CLEAR_VALUE:
            return one(values, state_.stencil.clear);
        case GL_LIGHT_MODEL_TWO_SIDE:
            return one(values, state_.lighting.twoSide ? 1 : 0);
        case GL_LIGHT_MODEL_LOCAL_VIEWER:
            return one(values, state_.lighting.localViewer ? 1 : 0);
        case GL_VERTEX_ARRAY_SIZE:
            return one(values, arrays_.vertex.size);
        case GL_VERTEX_ARRAY_TYPE:
            return one(values, arrays_.vertex.type);
        case GL_VERTEX_ARRAY_STRIDE:
            return one(values, arrays_.vertex.stride);
        case GL_NORMAL_ARRAY_TYPE:
            return one(values, arrays_.normal.type);
        case GL_NORMAL_ARRAY_STRIDE:
            return one(values, arrays_.normal.stride);
        case GL_COLOR_ARRAY_SIZE:
            return one(values, arrays_.color.size);
        case GL_COLOR_ARRAY_TYPE:
            return one(values, arrays_.color.type);
        case GL_COLOR_ARRAY_STRIDE:
            return one(values, arrays_.color.stride);
        case GL_TEXTURE_COORD_ARRAY_SIZE:
            return one(values, arrays_.texCoord.size);
        case GL_TEXTURE_COORD_ARRAY_TYPE:
            return one(values, arrays_.texCoord.type);
        case GL_TEXTURE_COORD_ARRAY_STRIDE:
            return one(values, arrays_.texCoord.stride);
        case GL_COLOR_MATERIAL_FACE:
            return one(values, state_.lighting.colorMaterialFace);
        case GL_COLOR_MATERIAL_PARAMETER:
            return one(values, state_.lighting.colorMaterialParameter);
        case GL_ALPHA_TEST_FUNC:
            return one(values, state_.colorBuffer.alphaFunc);
        case GL_ALPHA_TEST_REF:
            mapped = true;
            return one(values, state_.colorBuffer.alphaRef);
        case GL_FOG_MODE:
            return one(values, state_.fog.mode);
        case GL_FOG_DENSITY:
            return one(values, state_.fog.density);
        case GL_FOG_START:
            return one(values, state_.fog.start);
        case GL_FOG_END:
            return one(values, state_.fog.end);
        case GL_FOG_INDEX:
            return one(values, state_.fog.index);
        case GL_FOG_COLOR:
            mapped = true;
            return copied(values, state_.fog.color);
        case GL_PERSPECTIVE_CORRECTION_HINT:
            return one(values, state_.hints.perspectiveCorrection);
        case GL_POINT_SMOOTH_HINT:
            return one(values, state_.hints.pointSmooth);
        case GL_LINE_SMOOTH_HINT:
            return one(values, state_.hints.lineSmooth);
        case GL_POLYGON_SMOOTH_HINT:
            return one(values, state_.hints.polygonSmooth);
        case GL_FOG_HINT:
            return one(values, state_.hints.fog);
        case GL_LIST_BASE:
            return one(values, state_.list.base);
        case GL_LOGIC_OP_MODE:
            return one(values, state_.colorBuffer.logicOp);
        case GL_INDEX_WRITEMASK:
            // Its bits as a signed integer: all of them set are -1.
            return one(values, static_cast<GLint>(state_.colorBuffer.indexMask));
        case GL_INDEX_CLEAR_VALUE:
            return one(values, state_.colorBuffer.clearIndex);
        case GL_CURRENT_INDEX:
            return one(values, state_.current.index);
        case GL_DRAW_BUFFER:
            return one(values, state_.colorBuffer.drawBuffer);
        case GL_READ_BUFFER:
            return one(values, state_.readBuffer.buffer);
        case GL_INDEX_ARRAY_TYPE:
            return one(values, arrays_.index.type);
        case GL_INDEX_ARRAY_STRIDE:
            return one(values, arrays_.index.stride);
        // An RGBA window, double-buffered, without stereo, auxiliary buffers,
        // colour indices or an accumulation buffer, always rendering.
        case GL_RGBA_MODE:
        case GL_DOUBLEBUFFER:
            return one(values, 1);
        case GL_INDEX_MODE:
        case GL_STEREO:
        case GL_AUX_BUFFERS:
        case GL_INDEX_BITS:
        case GL_ACCUM_RED_BITS:
        case GL_ACCUM_GREEN_BITS:
        case GL_ACCUM_BLUE_BITS:
        case GL_ACCUM_ALPHA_BITS:
        case GL_NAME_STACK_DEPTH:
            return one(values, 0);
        case GL_RENDER_MODE:
            return one(values, GL_RENDER);
        case GL_MAX_NAME_STACK_DEPTH:
            return one(values, kMaxNameStackDepth);
        case GL_CURRENT_TEXTURE_COORDS:
            std::copy_n(current.texCoord, 4, values);
            return 4;
        default:
            break;
    }
    mapped = true;
    switch (pname) {
        case GL_CURRENT_COLOR:
            return copied(values, current.color);
        case GL_CURRENT_NORMAL:
            return copied(values, current.normal);
        case GL_COLOR_CLEAR_VALUE:
            return copied(values, state_.colorBuffer.clearColor);
        case GL_LIGHT_MODEL_AMBIENT:
            return copied(values, state_.lighting.sceneAmbient);
        case GL_DEPTH_RANGE:
            return copied(values, state_.viewport.depthRange);
        case GL_DEPTH_CLEAR_VALUE:
            return one(values, state_.depth.clear);
        default:
            return 0;
    }
}

int Context::getState(GLenum pname, double (&values)[16], bool& mapped) {
    if (refusedInBeginNow()) {
        return 0;
    }
    const int count = readState(pname, values, mapped);
    if (count == 0) {
        setErrorNow(GL_INVALID_ENUM);
    }
    return count;
}

void Context::getIntegers(GLenum pname, GLint* params) {
    double values[16];
    bool mapped = false;
    const int count = getState(pname, values, mapped);
    for (int i = 0; i < count; ++i) {
        params[i] = mapped ? mappedInteger(values[i]) : roundedInteger(values[i]);
    }
}

void Context::getBooleans(GLenum pname, GLboolean* params) {
    double values[16];
    bool mapped = false;
    const int count = getState(pname, values, mapped);
    std::transform(values, values + count, params,
                   [](double value) -> GLboolean { return value != 0.0 ? GL_TRUE : GL_FALSE; });
}

void Context::getDoubles(GLenum pname, GLdouble* params) {
    double values[16];
    bool mapped = false;
    const int count = getState(pname, values, mapped);
    std::copy_n(values, count, params);
}

bool Context::isTexture(GLuint name) {
    if (refusedInBeginNow()) {
        return false;
    }
    // A name is a texture from its first binding on.
    const Texture* found = textures_.find(name);
    return name != 0 && found != nullptr && found->target != 0;
}

void Context::getFloats(GLenum pname, GLfloat* params) {
    double values[16];
    bool mapped = false;
    const int count = getState(pname, values, mapped);
    std::transform(values, values + count, params,
                   [](double value) { return static_cast<GLfloat>(value); });
}

const GLubyte* Context::getString(GLenum name) {
    if (refusedInBeginNow()) {
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
            setErrorNow(GL_INVALID_ENUM);
            return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

bool Context::getLight(GLenum light, GLenum pname, GLfloat* params) {
    if (refusedInBeginNow()) {
        return false;
    }
    if (!isLight(light)) {
        setErrorNow(GL_INVALID_ENUM);
        return false;
    }
    const Light& found = state_.lighting.lights[light - GL_LIGHT0];
    switch (pname) {
        case GL_AMBIENT:
            copy4(params, found.ambient);
            return true;
        case GL_DIFFUSE:
            copy4(params, found.diffuse);
            return true;
        case GL_SPECULAR:
            copy4(params, found.specular);
            return true;
        case GL_POSITION:
            copy4(params, found.position);
            return true;
        case GL_SPOT_DIRECTION:
            std::copy_n(found.spotDirection, 3, params);
            return true;
        case GL_SPOT_EXPONENT:
            params[0] = found.spotExponent;
            return true;
        case GL_SPOT_CUTOFF:
            params[0] = found.spotCutoff;
            return true;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            params[0] = found.attenuation[pname - GL_CONSTANT_ATTENUATION];
            return true;
        default:
            setErrorNow(GL_INVALID_ENUM);
            return false;
    }
}

bool Context::getMaterial(GLenum face, GLenum pname, GLfloat* params) {
    if (refusedInBeginNow()) {
        return false;
    }
    if (face != GL_FRONT && face != GL_BACK) {
        setErrorNow(GL_INVALID_ENUM);
        return false;
    }
    trackColor();
    if (!getMaterialPart(state_.surface.material[face == GL_FRONT ? 0 : 1], pname, params)) {
        setErrorNow(GL_INVALID_ENUM);
        return false;
    }
    return true;
}

}  // namespace vgl
