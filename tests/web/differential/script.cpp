// The table of entry points and the values of their arguments: the valid
// ones OpenGL 1.1 takes and the edges where it gives an error or meets a limit.
#include "script.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace differential {

namespace {

#define N(name)                          \
    Named {                              \
        static_cast<double>(name), #name \
    }

// Stand-ins for the context's own limits, resolved when a call is issued.
const double kMax = 1e15;          // GL_MAX_TEXTURE_SIZE
const double kTwiceMax = 2e15;     // twice it
const double kMaxLevel = 3e15;     // the last level: log2 of GL_MAX_TEXTURE_SIZE
const double kBeyondLevel = 4e15;  // the level after it
int maxTextureSize = 64;

int levels(int size) {
    int level = 0;
    while ((size >> (level + 1)) > 0) {
        ++level;
    }
    return level;
}

GLint integer(double value) {
    if (value == kMax) {
        return maxTextureSize;
    }
    if (value == kTwiceMax) {
        return 2 * maxTextureSize;
    }
    if (value == kMaxLevel) {
        return levels(maxTextureSize);
    }
    if (value == kBeyondLevel) {
        return levels(maxTextureSize) + 1;
    }
    return static_cast<GLint>(value);
}

GLenum enumerant(double value) {
    return static_cast<GLenum>(static_cast<long long>(value));
}

GLfloat real(double value) {
    return static_cast<GLfloat>(value);
}

std::vector<Named> numbers(std::initializer_list<double> values) {
    std::vector<Named> named;
    for (const double value : values) {
        named.push_back({value, nullptr});
    }
    return named;
}

// --- Argument domains --------------------------------------------------------------

const Domain kModes{
    {N(GL_POINTS), N(GL_LINES), N(GL_LINE_LOOP), N(GL_LINE_STRIP), N(GL_TRIANGLES),
     N(GL_TRIANGLE_STRIP), N(GL_TRIANGLE_FAN), N(GL_QUADS), N(GL_QUAD_STRIP), N(GL_POLYGON)},
    {{10, "GL_POLYGON+1"}, {0x1234, "0x1234"}}};
const Domain kCoordinate{numbers({0, 0.25, -0.5, 0.5}), {}};
const Domain kNormalPart{numbers({0, 1, -1, 0.5, 2}), {}};
const Domain kTexturePart{numbers({0, 0.5, 1, -1, 2}), {}};
const Domain kColour{numbers({0, 0.25, 0.5, 1}), numbers({-0.5, 1.5})};

const Domain kMatrixModes{{N(GL_MODELVIEW), N(GL_PROJECTION), N(GL_TEXTURE)},
                          {{0x1703, "0x1703"}, {0, "0"}}};
const Domain kMatrix{{},
                     {},
                     16,
                     {
                         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
                         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.25, -0.5, 0, 1},
                         {2, 0, 0, 0, 0, 0.5, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1},
                         {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
                         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.5, -1, 0, 0, -2.5, 0},
                         {0.5, 0.25, 0, 0, -0.25, 0.5, 0, 0, 0, 0, 0.5, 0, 0.125, 0, 0.25, 1},
                     }};
const Domain kOffset{numbers({0, 0.25, -0.5, 1}), {}};
const Domain kAngle{numbers({0, 30, 90, -45, 180}), {}};
const Domain kAxis{numbers({0, 1, -1, 0.5}), {}};
const Domain kScale{numbers({1, 2, 0.5, -1}), numbers({0})};
const Domain kPlane{numbers({-2, -1, 1, 2}), {}};
// glFrustum's near and far: positive, and the edges where it refuses them.
const Domain kDepthPlane{numbers({0.5, 1, 3}), numbers({0, -1})};
const Domain kPlace{numbers({0, 4}), numbers({-4})};
const Domain kExtent{numbers({16, 64, 0}), numbers({-1})};

const Domain kListName{numbers({1, 2, 3, 4, 5}), numbers({0})};
const Domain kListMode{{N(GL_COMPILE), N(GL_COMPILE_AND_EXECUTE)}, {{0x1302, "0x1302"}, {0, "0"}}};
const Domain kRange{numbers({1, 2, 3}), numbers({0, -1})};

const Domain kLight{{N(GL_LIGHT0), N(GL_LIGHT1), N(GL_LIGHT2), N(GL_LIGHT3), N(GL_LIGHT4),
                     N(GL_LIGHT5), N(GL_LIGHT6), N(GL_LIGHT7)},
                    {{0x4008, "GL_LIGHT0+8"}, N(GL_LIGHTING)}};
const Domain kLightName{
    {N(GL_AMBIENT), N(GL_DIFFUSE), N(GL_SPECULAR), N(GL_POSITION), N(GL_SPOT_DIRECTION),
     N(GL_SPOT_EXPONENT), N(GL_SPOT_CUTOFF), N(GL_CONSTANT_ATTENUATION), N(GL_LINEAR_ATTENUATION),
     N(GL_QUADRATIC_ATTENUATION)},
    {N(GL_SHININESS), {0, "0"}}};
const Domain kLightScalarName{{N(GL_SPOT_EXPONENT), N(GL_SPOT_CUTOFF), N(GL_CONSTANT_ATTENUATION),
                               N(GL_LINEAR_ATTENUATION), N(GL_QUADRATIC_ATTENUATION)},
                              {N(GL_POSITION), N(GL_AMBIENT)}};
const Domain kLightScalar{numbers({2, 0, 1, 15, 90}), numbers({-1, 90.5, 128, 128.5, 180, 200})};
const Domain kClientMask{
    {N(GL_CLIENT_VERTEX_ARRAY_BIT),
     N(GL_CLIENT_PIXEL_STORE_BIT),
     {static_cast<double>(GL_CLIENT_ALL_ATTRIB_BITS), "GL_CLIENT_ALL_ATTRIB_BITS"}},
    {{0, "0"}}};
const Domain kClipPlane{{N(GL_CLIP_PLANE0), N(GL_CLIP_PLANE1), N(GL_CLIP_PLANE2), N(GL_CLIP_PLANE3),
                         N(GL_CLIP_PLANE4), N(GL_CLIP_PLANE5)},
                        {{0x3008, "GL_CLIP_PLANE0+8"}, N(GL_LIGHT0)}};
const Domain kPlaneEquation{numbers({0, 1, -1, 0.5, -0.25}), numbers({4, -3}), 4};
const Domain kTexCoordName{{N(GL_S), N(GL_T), N(GL_R), N(GL_Q)}, {N(GL_TEXTURE_GEN_S), {0, "0"}}};
const Domain kTexGenModeName{{N(GL_TEXTURE_GEN_MODE)}, {N(GL_EYE_PLANE)}};
const Domain kTexGenMode{{N(GL_OBJECT_LINEAR), N(GL_EYE_LINEAR), N(GL_SPHERE_MAP)},
                         {N(GL_TEXTURE_GEN_MODE), {0, "0"}}};
const Domain kTexGenPlaneName{{N(GL_OBJECT_PLANE), N(GL_EYE_PLANE)}, {N(GL_TEXTURE_GEN_MODE)}};
const Domain kTexGenName{{N(GL_TEXTURE_GEN_MODE), N(GL_OBJECT_PLANE), N(GL_EYE_PLANE)}, {{0, "0"}}};
const Domain kLightVector{numbers({0, 0.5, 1, -1, 2}), numbers({90.5, 180, -0.5}), 4};
const Domain kModelName{
    {N(GL_LIGHT_MODEL_TWO_SIDE), N(GL_LIGHT_MODEL_LOCAL_VIEWER), N(GL_LIGHT_MODEL_AMBIENT)},
    {N(GL_SHADE_MODEL), {0, "0"}}};
const Domain kModelScalar{numbers({1, 0}), numbers({2, -1})};
const Domain kModelVector{numbers({0, 0.2, 1}), numbers({-1, 2}), 4};
const Domain kFace{{N(GL_FRONT_AND_BACK), N(GL_FRONT), N(GL_BACK)},
                   {{0x0406, "GL_LEFT"}, {0, "0"}}};
const Domain kMaterialName{{N(GL_DIFFUSE), N(GL_AMBIENT), N(GL_SPECULAR), N(GL_EMISSION),
                            N(GL_SHININESS), N(GL_AMBIENT_AND_DIFFUSE)},
                           {N(GL_POSITION), {0, "0"}}};
const Domain kMaterialVector{numbers({0.8, 0, 0.25, 1}), numbers({-1, 2, 128.5}), 4};
const Domain kMaterialScalarName{{N(GL_SHININESS)}, {N(GL_DIFFUSE), N(GL_EMISSION)}};
const Domain kShininess{numbers({10, 0, 128}), numbers({-1, 128.5})};
const Domain kReadFace{{N(GL_FRONT), N(GL_BACK)}, {N(GL_FRONT_AND_BACK)}};
const Domain kReadMaterialName{
    {N(GL_AMBIENT), N(GL_DIFFUSE), N(GL_SPECULAR), N(GL_EMISSION), N(GL_SHININESS)},
    {N(GL_AMBIENT_AND_DIFFUSE), N(GL_POSITION)}};
const Domain kShading{{N(GL_FLAT), N(GL_SMOOTH)}, {{0x1D02, "0x1D02"}, {0, "0"}}};

const Domain kCapability{{N(GL_LIGHTING),
                          N(GL_LIGHT0),
                          N(GL_LIGHT1),
                          N(GL_LIGHT2),
                          N(GL_LIGHT3),
                          N(GL_LIGHT4),
                          N(GL_LIGHT5),
                          N(GL_LIGHT6),
                          N(GL_LIGHT7),
                          N(GL_NORMALIZE),
                          N(GL_DEPTH_TEST),
                          N(GL_BLEND),
                          N(GL_CULL_FACE),
                          N(GL_TEXTURE_2D),
                          N(GL_TEXTURE_1D),
                          N(GL_DITHER),
                          N(GL_STENCIL_TEST),
                          N(GL_SCISSOR_TEST),
                          N(GL_POINT_SMOOTH),
                          N(GL_LINE_SMOOTH),
                          N(GL_LINE_STIPPLE),
                          N(GL_ALPHA_TEST),
                          N(GL_FOG),
                          N(GL_COLOR_MATERIAL),
                          N(GL_CLIP_PLANE0),
                          N(GL_CLIP_PLANE3),
                          N(GL_CLIP_PLANE5),
                          N(GL_POLYGON_OFFSET_FILL),
                          N(GL_POLYGON_OFFSET_LINE),
                          N(GL_POLYGON_OFFSET_POINT),
                          N(GL_POLYGON_STIPPLE),
                          N(GL_POLYGON_SMOOTH),
                          N(GL_TEXTURE_GEN_S),
                          N(GL_TEXTURE_GEN_T),
                          N(GL_TEXTURE_GEN_R),
                          N(GL_TEXTURE_GEN_Q),
                          N(GL_TEXTURE_GEN_S),
                          N(GL_TEXTURE_GEN_T),
                          N(GL_TEXTURE_GEN_R),
                          N(GL_TEXTURE_GEN_Q),
                          N(GL_COLOR_LOGIC_OP),
                          N(GL_INDEX_LOGIC_OP),
                          N(GL_AUTO_NORMAL),
                          N(GL_MAP1_VERTEX_3)},
                         {{0x4008, "GL_LIGHT0+8"}, N(GL_TRIANGLES), N(GL_SHADE_MODEL)}};
const Domain kPolygonMode{{N(GL_FILL), N(GL_LINE), N(GL_POINT)}, {N(GL_POLYGON), {0, "0"}}};
const Domain kDepthOffset{numbers({0, 1, -1, 2.5, 40}), {}};
// Where in the image bytes a stipple pattern starts.
const Domain kStippleStart{numbers({0, 1, 37}), {}};
const Domain kWinding{{N(GL_CW), N(GL_CCW)}, {N(GL_FRONT), {0, "0"}}};
const Domain kBoolean{{N(GL_FALSE), N(GL_TRUE)}, numbers({2})};
const Domain kFactor{
    {N(GL_SRC_ALPHA), N(GL_ONE_MINUS_SRC_ALPHA), N(GL_ZERO), N(GL_ONE), N(GL_SRC_COLOR),
     N(GL_ONE_MINUS_SRC_COLOR), N(GL_DST_ALPHA), N(GL_ONE_MINUS_DST_ALPHA), N(GL_DST_COLOR),
     N(GL_ONE_MINUS_DST_COLOR), N(GL_SRC_ALPHA_SATURATE)},
    {{0x0309, "0x0309"}, N(GL_BLEND)}};
const Domain kClearMask{
    {N(GL_COLOR_BUFFER_BIT),
     N(GL_DEPTH_BUFFER_BIT),
     {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, "GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT"},
     N(GL_STENCIL_BUFFER_BIT),
     {0, "0"}},
    {N(GL_CURRENT_BIT), {0xFFFFFFFF, "0xFFFFFFFF"}}};
const Domain kAttributeMask{{N(GL_ALL_ATTRIB_BITS),
                             N(GL_CURRENT_BIT),
                             N(GL_LIGHTING_BIT),
                             N(GL_DEPTH_BUFFER_BIT),
                             N(GL_POLYGON_BIT),
                             N(GL_ENABLE_BIT),
                             N(GL_COLOR_BUFFER_BIT),
                             N(GL_TEXTURE_BIT),
                             N(GL_TRANSFORM_BIT),
                             N(GL_VIEWPORT_BIT),
                             N(GL_STENCIL_BUFFER_BIT),
                             N(GL_SCISSOR_BIT),
                             N(GL_POINT_BIT),
                             N(GL_LINE_BIT),
                             N(GL_FOG_BIT),
                             N(GL_POLYGON_STIPPLE_BIT),
                             N(GL_PIXEL_MODE_BIT),
                             {GL_LIGHTING_BIT | GL_ENABLE_BIT, "GL_LIGHTING_BIT|GL_ENABLE_BIT"}},
                            {{0, "0"}}};

// Every name glGet answers in the layer's subset.
const Domain kGetName{{N(GL_MATRIX_MODE),
                       N(GL_MODELVIEW_MATRIX),
                       N(GL_PROJECTION_MATRIX),
                       N(GL_MODELVIEW_STACK_DEPTH),
                       N(GL_PROJECTION_STACK_DEPTH),
                       N(GL_MAX_MODELVIEW_STACK_DEPTH),
                       N(GL_MAX_PROJECTION_STACK_DEPTH),
                       N(GL_TEXTURE_MATRIX),
                       N(GL_TEXTURE_STACK_DEPTH),
                       N(GL_MAX_TEXTURE_STACK_DEPTH),
                       N(GL_MAX_CLIP_PLANES),
                       N(GL_EDGE_FLAG),
                       N(GL_CLIENT_ATTRIB_STACK_DEPTH),
                       N(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH),
                       N(GL_VIEWPORT),
                       N(GL_ATTRIB_STACK_DEPTH),
                       N(GL_MAX_ATTRIB_STACK_DEPTH),
                       N(GL_LIST_INDEX),
                       N(GL_LIST_MODE),
                       N(GL_MAX_LIST_NESTING),
                       N(GL_SHADE_MODEL),
                       N(GL_FRONT_FACE),
                       N(GL_DEPTH_WRITEMASK),
                       N(GL_COLOR_CLEAR_VALUE),
                       N(GL_CURRENT_COLOR),
                       N(GL_CURRENT_NORMAL),
                       N(GL_CURRENT_TEXTURE_COORDS),
                       N(GL_TEXTURE_BINDING_2D),
                       N(GL_TEXTURE_BINDING_1D),
                       N(GL_MAX_TEXTURE_SIZE),
                       N(GL_MAX_LIGHTS),
                       N(GL_BLEND_SRC),
                       N(GL_BLEND_DST),
                       N(GL_LIGHT_MODEL_TWO_SIDE),
                       N(GL_LIGHT_MODEL_LOCAL_VIEWER),
                       N(GL_LIGHT_MODEL_AMBIENT),
                       N(GL_LIGHTING),
                       N(GL_LIGHT0),
                       N(GL_LIGHT7),
                       N(GL_NORMALIZE),
                       N(GL_DEPTH_TEST),
                       N(GL_BLEND),
                       N(GL_CULL_FACE),
                       N(GL_TEXTURE_2D),
                       N(GL_TEXTURE_1D),
                       N(GL_UNPACK_SWAP_BYTES),
                       N(GL_UNPACK_LSB_FIRST),
                       N(GL_UNPACK_ROW_LENGTH),
                       N(GL_UNPACK_SKIP_ROWS),
                       N(GL_UNPACK_SKIP_PIXELS),
                       N(GL_UNPACK_ALIGNMENT),
                       N(GL_PACK_SWAP_BYTES),
                       N(GL_PACK_LSB_FIRST),
                       N(GL_PACK_ROW_LENGTH),
                       N(GL_PACK_SKIP_ROWS),
                       N(GL_PACK_SKIP_PIXELS),
                       N(GL_PACK_ALIGNMENT),
                       N(GL_DEPTH_FUNC),
                       N(GL_DEPTH_RANGE),
                       N(GL_DEPTH_CLEAR_VALUE),
                       N(GL_COLOR_WRITEMASK),
                       N(GL_DITHER),
                       N(GL_SCISSOR_TEST),
                       N(GL_SCISSOR_BOX),
                       N(GL_STENCIL_TEST),
                       N(GL_STENCIL_BITS),
                       N(GL_STENCIL_FUNC),
                       N(GL_STENCIL_REF),
                       N(GL_STENCIL_VALUE_MASK),
                       N(GL_STENCIL_FAIL),
                       N(GL_STENCIL_PASS_DEPTH_FAIL),
                       N(GL_STENCIL_PASS_DEPTH_PASS),
                       N(GL_STENCIL_WRITEMASK),
                       N(GL_STENCIL_CLEAR_VALUE),
                       N(GL_POINT_SIZE),
                       N(GL_POINT_SMOOTH),
                       N(GL_POINT_SIZE_RANGE),
                       N(GL_POINT_SIZE_GRANULARITY),
                       N(GL_LINE_WIDTH),
                       N(GL_LINE_SMOOTH),
                       N(GL_LINE_WIDTH_RANGE),
                       N(GL_LINE_WIDTH_GRANULARITY),
                       N(GL_LINE_STIPPLE),
                       N(GL_LINE_STIPPLE_PATTERN),
                       N(GL_LINE_STIPPLE_REPEAT),
                       N(GL_CULL_FACE_MODE),
                       N(GL_POLYGON_MODE),
                       N(GL_POLYGON_OFFSET_FACTOR),
                       N(GL_POLYGON_OFFSET_UNITS),
                       N(GL_POLYGON_OFFSET_FILL),
                       N(GL_POLYGON_OFFSET_LINE),
                       N(GL_POLYGON_OFFSET_POINT),
                       N(GL_POLYGON_STIPPLE),
                       N(GL_POLYGON_SMOOTH),
                       N(GL_ALPHA_TEST),
                       N(GL_ALPHA_TEST_FUNC),
                       N(GL_ALPHA_TEST_REF),
                       N(GL_FOG),
                       N(GL_FOG_MODE),
                       N(GL_FOG_DENSITY),
                       N(GL_FOG_START),
                       N(GL_FOG_END),
                       N(GL_FOG_INDEX),
                       N(GL_FOG_COLOR),
                       N(GL_COLOR_MATERIAL),
                       N(GL_COLOR_MATERIAL_FACE),
                       N(GL_COLOR_MATERIAL_PARAMETER),
                       N(GL_VERTEX_ARRAY),
                       N(GL_NORMAL_ARRAY),
                       N(GL_COLOR_ARRAY),
                       N(GL_TEXTURE_COORD_ARRAY),
                       N(GL_INDEX_ARRAY),
                       N(GL_EDGE_FLAG_ARRAY),
                       N(GL_VERTEX_ARRAY_SIZE),
                       N(GL_VERTEX_ARRAY_TYPE),
                       N(GL_VERTEX_ARRAY_STRIDE),
                       N(GL_NORMAL_ARRAY_TYPE),
                       N(GL_NORMAL_ARRAY_STRIDE),
                       N(GL_COLOR_ARRAY_SIZE),
                       N(GL_COLOR_ARRAY_TYPE),
                       N(GL_COLOR_ARRAY_STRIDE),
                       N(GL_TEXTURE_COORD_ARRAY_SIZE),
                       N(GL_TEXTURE_COORD_ARRAY_TYPE),
                       N(GL_TEXTURE_COORD_ARRAY_STRIDE),
                       N(GL_RED_SCALE),
                       N(GL_GREEN_SCALE),
                       N(GL_BLUE_SCALE),
                       N(GL_ALPHA_SCALE),
                       N(GL_RED_BIAS),
                       N(GL_GREEN_BIAS),
                       N(GL_BLUE_BIAS),
                       N(GL_ALPHA_BIAS),
                       N(GL_MAP_COLOR),
                       N(GL_MAP_STENCIL),
                       N(GL_INDEX_SHIFT),
                       N(GL_INDEX_OFFSET),
                       N(GL_DEPTH_SCALE),
                       N(GL_DEPTH_BIAS),
                       N(GL_PERSPECTIVE_CORRECTION_HINT),
                       N(GL_POINT_SMOOTH_HINT),
                       N(GL_LINE_SMOOTH_HINT),
                       N(GL_POLYGON_SMOOTH_HINT),
                       N(GL_FOG_HINT),
                       N(GL_LIST_BASE),
                       N(GL_LOGIC_OP_MODE),
                       N(GL_COLOR_LOGIC_OP),
                       N(GL_INDEX_LOGIC_OP),
                       N(GL_INDEX_WRITEMASK),
                       N(GL_INDEX_CLEAR_VALUE),
                       N(GL_CURRENT_INDEX),
                       N(GL_DRAW_BUFFER),
                       N(GL_READ_BUFFER),
                       N(GL_INDEX_ARRAY_TYPE),
                       N(GL_INDEX_ARRAY_STRIDE),
                       N(GL_RGBA_MODE),
                       N(GL_INDEX_MODE),
                       N(GL_DOUBLEBUFFER),
                       N(GL_STEREO),
                       N(GL_AUX_BUFFERS),
                       N(GL_INDEX_BITS),
                       N(GL_NAME_STACK_DEPTH),
                       N(GL_MAX_NAME_STACK_DEPTH),
                       N(GL_AUTO_NORMAL),
                       N(GL_MAP1_VERTEX_3),
                       N(GL_MAP2_TEXTURE_COORD_2)},
                      {{0, "0"}, {0xFFFF, "0xFFFF"}}};
// glGetBooleanv's names: all but the matrices, whose elements' rounding
// decides which are zero.
Domain withoutMatrices(const Domain& names) {
    Domain kept = names;
    kept.valid.clear();
    for (const Named& name : names.valid) {
        const auto value = static_cast<GLenum>(name.value);
        if (value != GL_MODELVIEW_MATRIX && value != GL_PROJECTION_MATRIX &&
            value != GL_TEXTURE_MATRIX) {
            kept.valid.push_back(name);
        }
    }
    return kept;
}
const Domain kBooleanName = withoutMatrices(kGetName);
// Rasterisation: sizes in pixels; the stipple's repeat is clamped to [1, 256].
const Domain kSize{numbers({1, 2.5, 4}), numbers({0, -1})};
const Domain kStippleFactor{numbers({1, 3, 256}), numbers({0, -2, 300})};
const Domain kStipplePattern{numbers({65535, 3855, 0}), {}};
// Fog: a mode is a value like the others, and the colour takes four.
const Domain kFogName{{N(GL_FOG_MODE), N(GL_FOG_DENSITY), N(GL_FOG_START), N(GL_FOG_END),
                       N(GL_FOG_INDEX), N(GL_FOG_COLOR)},
                      {N(GL_FOG), {0, "0"}}};
const Domain kFogValue{{N(GL_LINEAR), N(GL_EXP), N(GL_EXP2), {0.35, "0.35"}, {4, "4"}},
                       numbers({-1, 0})};
const Domain kFogVector{numbers({2049, 0.25, 1, 3}), numbers({-1, 2}), 4};
// The arrays glEnableClientState names.
const Domain kClientArray{{N(GL_VERTEX_ARRAY), N(GL_NORMAL_ARRAY), N(GL_COLOR_ARRAY),
                           N(GL_TEXTURE_COORD_ARRAY), N(GL_INDEX_ARRAY), N(GL_EDGE_FLAG_ARRAY)},
                          {N(GL_LIGHTING), {0, "0"}}};
const Domain kAlphaReference{numbers({0, 0.5, 1}), numbers({-0.5, 1.5})};
// Per-fragment operations.
const Domain kComparison{{N(GL_NEVER), N(GL_LESS), N(GL_EQUAL), N(GL_LEQUAL), N(GL_GREATER),
                          N(GL_NOTEQUAL), N(GL_GEQUAL), N(GL_ALWAYS)},
                         {{0x0208, "GL_ALWAYS+1"}, N(GL_KEEP)}};
const Domain kStencilAction{
    {N(GL_KEEP), N(GL_ZERO), N(GL_REPLACE), N(GL_INCR), N(GL_DECR), N(GL_INVERT)},
    {N(GL_NEVER), {0x1E04, "0x1E04"}}};
// Depths are clamped to [0, 1], never refused.
const Domain kDepthValue{numbers({0, 0.25, 1}), numbers({-0.5, 1.5})};
const Domain kStencilValue{numbers({0, 1, 255}), numbers({-1, 256})};
const Domain kStencilMask{numbers({0, 1, 255, 4294967295.0}), {}};

const Domain kStringName{{N(GL_VENDOR), N(GL_RENDERER), N(GL_VERSION), N(GL_EXTENSIONS)},
                         {{0x1F04, "0x1F04"}, {0, "0"}}};

const Domain kCount{numbers({1, 2}), numbers({0, -1})};
const Domain kTextureName{numbers({1, 2, 3, 0}), {}};
const Domain kBindTarget{{N(GL_TEXTURE_2D), N(GL_TEXTURE_1D)}, {N(GL_PROXY_TEXTURE_2D), {0, "0"}}};
const Domain kParameterName{{N(GL_TEXTURE_MIN_FILTER), N(GL_TEXTURE_MAG_FILTER),
                             N(GL_TEXTURE_WRAP_S), N(GL_TEXTURE_WRAP_T)},
                            {N(GL_TEXTURE_WIDTH), {0, "0"}}};
// Priorities are clamped to [0, 1]; residency is only read.
const Domain kPriorityName{{N(GL_TEXTURE_PRIORITY)}, {N(GL_TEXTURE_RESIDENT)}};
const Domain kPriority{numbers({0, 0.5, 1}), numbers({-1, 2})};
const Domain kReadParameterName{
    {N(GL_TEXTURE_MIN_FILTER), N(GL_TEXTURE_MAG_FILTER), N(GL_TEXTURE_WRAP_S), N(GL_TEXTURE_WRAP_T),
     N(GL_TEXTURE_PRIORITY), N(GL_TEXTURE_RESIDENT), N(GL_TEXTURE_BORDER_COLOR)},
    {N(GL_TEXTURE_WIDTH), {0, "0"}}};
const Domain kBorderColorName{{N(GL_TEXTURE_BORDER_COLOR)}, {N(GL_TEXTURE_WRAP_S), {0, "0"}}};
// glGetTexImage reads the formats and types glTexImage takes, into client memory.
const Domain kImageReadFormat{
    {N(GL_RGBA), N(GL_RGB), N(GL_BGRA), N(GL_BGR), N(GL_LUMINANCE), N(GL_LUMINANCE_ALPHA),
     N(GL_ALPHA), N(GL_RED), N(GL_GREEN), N(GL_BLUE)},
    {N(GL_COLOR_INDEX), N(GL_DEPTH_COMPONENT), {0x1234, "0x1234"}}};
const Domain kParameterValue{
    {N(GL_LINEAR), N(GL_NEAREST), N(GL_NEAREST_MIPMAP_NEAREST), N(GL_LINEAR_MIPMAP_NEAREST),
     N(GL_NEAREST_MIPMAP_LINEAR), N(GL_LINEAR_MIPMAP_LINEAR), N(GL_REPEAT), N(GL_CLAMP)},
    {{0, "0"}, N(GL_TEXTURE_2D)}};
const Domain kEnvironmentTarget{{N(GL_TEXTURE_ENV)}, {N(GL_TEXTURE_2D)}};
const Domain kEnvironmentName{{N(GL_TEXTURE_ENV_MODE)}, {N(GL_TEXTURE_ENV_COLOR), {0, "0"}}};
const Domain kReadEnvironmentName{{N(GL_TEXTURE_ENV_MODE), N(GL_TEXTURE_ENV_COLOR)}, {{0, "0"}}};
const Domain kEnvironmentColorName{{N(GL_TEXTURE_ENV_COLOR)}, {N(GL_TEXTURE_ENV_MODE)}};
const Domain kEnvironmentColor{numbers({0, 0.25, 1}), numbers({-0.5, 1.5}), 4};
const Domain kEnvironmentIntegers{numbers({-2147483648.0, 0, 1073741823, 2147483647.0}), {}, 4};
const Domain kEnvironmentMode{{N(GL_MODULATE), N(GL_REPLACE), N(GL_DECAL), N(GL_BLEND)},
                              {{0x0104, "GL_ADD"}, {0, "0"}}};
const Domain kImageTarget{{N(GL_TEXTURE_2D), N(GL_PROXY_TEXTURE_2D)}, {N(GL_TEXTURE_1D), {0, "0"}}};
const Domain kLineTarget{{N(GL_TEXTURE_1D), N(GL_PROXY_TEXTURE_1D)}, {N(GL_TEXTURE_2D)}};
const Domain kLevel{numbers({0, 1, 2, 3}),
                    {{-1, nullptr}, {kMaxLevel, "maxlevel"}, {kBeyondLevel, "maxlevel+1"}}};
// clang-format off
const Domain kInternalFormat{
    {N(GL_RGB), N(GL_RGBA), N(GL_RGB8), N(GL_RGBA8), {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"},
     N(GL_LUMINANCE), N(GL_LUMINANCE_ALPHA), N(GL_ALPHA), N(GL_INTENSITY),
     N(GL_ALPHA4), N(GL_ALPHA8), N(GL_ALPHA12), N(GL_ALPHA16),
     N(GL_LUMINANCE4), N(GL_LUMINANCE8), N(GL_LUMINANCE12), N(GL_LUMINANCE16),
     N(GL_LUMINANCE4_ALPHA4), N(GL_LUMINANCE6_ALPHA2), N(GL_LUMINANCE8_ALPHA8),
     N(GL_LUMINANCE12_ALPHA4), N(GL_LUMINANCE12_ALPHA12), N(GL_LUMINANCE16_ALPHA16),
     N(GL_INTENSITY4), N(GL_INTENSITY8), N(GL_INTENSITY12), N(GL_INTENSITY16),
     N(GL_R3_G3_B2), N(GL_RGB4), N(GL_RGB5), N(GL_RGB10), N(GL_RGB12), N(GL_RGB16),
     N(GL_RGBA2), N(GL_RGBA4), N(GL_RGB5_A1), N(GL_RGB10_A2), N(GL_RGBA12), N(GL_RGBA16)},
    {{0, "0"}, {5, "5"}, N(GL_BGR)}};
// clang-format on
const Domain kWidth{
    numbers({4, 1, 2, 8}),
    {{0, nullptr}, {3, nullptr}, {-1, nullptr}, {kMax, "max"}, {kTwiceMax, "2max"}}};
const Domain kHeight{numbers({4, 1, 2, 8}), numbers({0, 3, -1})};
const Domain kBorder{numbers({0}), numbers({1, 2, -1})};
const Domain kFormat{{N(GL_RGB), N(GL_RGBA), N(GL_BGR), N(GL_BGRA), N(GL_LUMINANCE),
                      N(GL_LUMINANCE_ALPHA), N(GL_ALPHA), N(GL_RED), N(GL_GREEN), N(GL_BLUE)},
                     {N(GL_COLOR_INDEX), N(GL_DEPTH_COMPONENT), {0x1234, "0x1234"}}};
const Domain kType{{N(GL_UNSIGNED_BYTE), N(GL_BYTE), N(GL_UNSIGNED_SHORT), N(GL_SHORT),
                    N(GL_UNSIGNED_INT), N(GL_INT), N(GL_FLOAT)},
                   {N(GL_UNSIGNED_SHORT_5_6_5), {0x1234, "0x1234"}}};
const Domain kSubImageTarget{{N(GL_TEXTURE_2D)}, {N(GL_PROXY_TEXTURE_2D), N(GL_TEXTURE_1D)}};
const Domain kLineSubImageTarget{{N(GL_TEXTURE_1D)}, {N(GL_PROXY_TEXTURE_1D), N(GL_TEXTURE_2D)}};
const Domain kOffsetInImage{numbers({0, 1, 2}), numbers({-1, 8})};
const Domain kSubImageSide{numbers({1, 2, 4}), numbers({0, -1, 8})};
const Domain kPixels{{{1, "data"}}, {{0, "null"}}};
const Domain kLevelTarget{
    {N(GL_TEXTURE_2D), N(GL_PROXY_TEXTURE_2D), N(GL_TEXTURE_1D), N(GL_PROXY_TEXTURE_1D)},
    {N(GL_TEXTURE_ENV), {0, "0"}}};
const Domain kLevelName{
    {N(GL_TEXTURE_WIDTH), N(GL_TEXTURE_HEIGHT), N(GL_TEXTURE_INTERNAL_FORMAT), N(GL_TEXTURE_BORDER),
     N(GL_TEXTURE_RED_SIZE), N(GL_TEXTURE_GREEN_SIZE), N(GL_TEXTURE_BLUE_SIZE),
     N(GL_TEXTURE_ALPHA_SIZE), N(GL_TEXTURE_LUMINANCE_SIZE), N(GL_TEXTURE_INTENSITY_SIZE)},
    {N(GL_TEXTURE_MIN_FILTER), {0, "0"}}};
const Domain kStoreName{{N(GL_UNPACK_ALIGNMENT), N(GL_UNPACK_ROW_LENGTH), N(GL_UNPACK_SKIP_ROWS),
                         N(GL_UNPACK_SKIP_PIXELS), N(GL_UNPACK_SWAP_BYTES), N(GL_UNPACK_LSB_FIRST),
                         N(GL_PACK_ALIGNMENT), N(GL_PACK_ROW_LENGTH), N(GL_PACK_SKIP_ROWS),
                         N(GL_PACK_SKIP_PIXELS), N(GL_PACK_SWAP_BYTES), N(GL_PACK_LSB_FIRST)},
                        {{0, "0"}, N(GL_TEXTURE_2D)}};
const Domain kStoreValue{numbers({1, 0, 2, 4, 8}), numbers({-1, 3, 16})};
const Domain kReadFormat{{N(GL_RGBA), N(GL_RGB), N(GL_BGRA), N(GL_ALPHA), N(GL_LUMINANCE),
                          N(GL_LUMINANCE_ALPHA), N(GL_GREEN)},
                         {N(GL_COLOR_INDEX), N(GL_DEPTH_COMPONENT), N(GL_STENCIL_INDEX), {0, "0"}}};
const Domain kReadSize{numbers({1, 2}), numbers({0, -1})};
const Domain kTransferName{
    {N(GL_RED_SCALE), N(GL_GREEN_SCALE), N(GL_BLUE_SCALE), N(GL_ALPHA_SCALE), N(GL_RED_BIAS),
     N(GL_GREEN_BIAS), N(GL_BLUE_BIAS), N(GL_ALPHA_BIAS), N(GL_MAP_COLOR), N(GL_MAP_STENCIL),
     N(GL_INDEX_SHIFT), N(GL_INDEX_OFFSET), N(GL_DEPTH_SCALE), N(GL_DEPTH_BIAS)},
    {{0x0D16, "GL_ZOOM_X"}, {0, "0"}}};
const Domain kTransferValue{numbers({1, 0, 0.5, 2, -1.5}), {}};

// --- Client memory ------------------------------------------------------------------

// Images are read from this, large enough for the widest image the table
// names with the largest pixel-store offsets it sets.
const unsigned char* imageBytes() {
    static const std::vector<unsigned char> bytes = [] {
        std::vector<unsigned char> pattern(std::size_t{1} << 24);
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            pattern[i] = static_cast<unsigned char>(i * 7 + 3);
        }
        return pattern;
    }();
    return bytes.data();
}

unsigned char* pixelsRead() {
    static std::vector<unsigned char> bytes(std::size_t{1} << 16);
    return bytes.data();
}

// What glGetTexImage writes: the bytes up to the last it changed in memory
// filled with one value, as numbers.
template <typename Read>
void writtenBytes(Values& values, Read read) {
    constexpr unsigned char kFill = 0xA5;
    static std::vector<unsigned char> bytes(std::size_t{1} << 20);
    std::fill(bytes.begin(), bytes.end(), kFill);
    read(bytes.data());
    const auto last =
        std::find_if(bytes.rbegin(), bytes.rend(), [](unsigned char b) { return b != kFill; });
    values.assign(bytes.begin(), last.base());
}

const double kUnwritten = -7777;

// How many values glGet writes for a name; one for names it does not know.
}  // namespace

int countOf(GLenum pname) {
    switch (pname) {
        case GL_MODELVIEW_MATRIX:
        case GL_PROJECTION_MATRIX:
        case GL_TEXTURE_MATRIX:
            return 16;
        case GL_VIEWPORT:
        case GL_SCISSOR_BOX:
        case GL_COLOR_WRITEMASK:
        case GL_COLOR_CLEAR_VALUE:
        case GL_CURRENT_COLOR:
        case GL_CURRENT_TEXTURE_COORDS:
        case GL_LIGHT_MODEL_AMBIENT:
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_POSITION:
        case GL_EMISSION:
        case GL_AMBIENT_AND_DIFFUSE:
        case GL_TEXTURE_ENV_COLOR:
        case GL_TEXTURE_BORDER_COLOR:
        case GL_OBJECT_PLANE:
        case GL_EYE_PLANE:
            return 4;
        case GL_CURRENT_NORMAL:
        case GL_SPOT_DIRECTION:
            return 3;
        case GL_DEPTH_RANGE:
        case GL_POLYGON_MODE:
        case GL_POINT_SIZE_RANGE:
        case GL_LINE_WIDTH_RANGE:
            return 2;
        default:
            return 1;
    }
}

namespace {

template <typename T, typename Get>
void answer(GLenum pname, Values& values, Get get) {
    T buffer[16];
    // Through an integer, so that a boolean's stand-in is its low byte.
    std::fill_n(buffer, 16, static_cast<T>(static_cast<GLint>(kUnwritten)));
    get(buffer);
    values.assign(buffer, buffer + countOf(pname));
}

void floats(const double* a, GLfloat* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = real(a[i]);
    }
}

// --- The entry points -----------------------------------------------------------------

std::vector<Op> makeOps() {
    using G = Group;
    return {
        {"glBegin",
         G::Primitives,
         {&kModes},
         [](const double* a, Values&) { glBegin(enumerant(a[0])); },
         1},
        {"glEnd", G::Primitives, {}, [](const double*, Values&) { glEnd(); }, 1},
        {"glMatrixMode",
         G::Matrices,
         {&kMatrixModes},
         [](const double* a, Values&) { glMatrixMode(enumerant(a[0])); },
         4},
        {"glLoadIdentity", G::Matrices, {}, [](const double*, Values&) { glLoadIdentity(); }, 2},
        {"glLoadMatrixf",
         G::Matrices,
         {&kMatrix},
         [](const double* a, Values&) {
             GLfloat m[16];
             floats(a, m, 16);
             glLoadMatrixf(m);
         },
         1},
        {"glLoadMatrixd",
         G::Matrices,
         {&kMatrix},
         [](const double* a, Values&) { glLoadMatrixd(a); },
         1},
        {"glMultMatrixf",
         G::Matrices,
         {&kMatrix},
         [](const double* a, Values&) {
             GLfloat m[16];
             floats(a, m, 16);
             glMultMatrixf(m);
         },
         2},
        {"glMultMatrixd",
         G::Matrices,
         {&kMatrix},
         [](const double* a, Values&) { glMultMatrixd(a); },
         1},
        {"glPushMatrix", G::Matrices, {}, [](const double*, Values&) { glPushMatrix(); }, 3},
        {"glPopMatrix", G::Matrices, {}, [](const double*, Values&) { glPopMatrix(); }, 3},
        {"glTranslatef",
         G::Matrices,
         {&kOffset, &kOffset, &kOffset},
         [](const double* a, Values&) { glTranslatef(real(a[0]), real(a[1]), real(a[2])); },
         2},
        {"glTranslated",
         G::Matrices,
         {&kOffset, &kOffset, &kOffset},
         [](const double* a, Values&) { glTranslated(a[0], a[1], a[2]); },
         1},
        {"glRotatef",
         G::Matrices,
         {&kAngle, &kAxis, &kAxis, &kAxis},
         [](const double* a, Values&) {
             glRotatef(real(a[0]), real(a[1]), real(a[2]), real(a[3]));
         },
         2},
        {"glRotated",
         G::Matrices,
         {&kAngle, &kAxis, &kAxis, &kAxis},
         [](const double* a, Values&) { glRotated(a[0], a[1], a[2], a[3]); },
         1},
        {"glScaled",
         G::Matrices,
         {&kScale, &kScale, &kScale},
         [](const double* a, Values&) { glScaled(a[0], a[1], a[2]); },
         1},
        {"glScalef",
         G::Matrices,
         {&kScale, &kScale, &kScale},
         [](const double* a, Values&) { glScalef(real(a[0]), real(a[1]), real(a[2])); },
         2},
        {"glOrtho",
         G::Matrices,
         {&kPlane, &kPlane, &kPlane, &kPlane, &kPlane, &kPlane},
         [](const double* a, Values&) { glOrtho(a[0], a[1], a[2], a[3], a[4], a[5]); },
         2},
        {"glFrustum",
         G::Matrices,
         {&kPlane, &kPlane, &kPlane, &kPlane, &kDepthPlane, &kDepthPlane},
         [](const double* a, Values&) { glFrustum(a[0], a[1], a[2], a[3], a[4], a[5]); },
         2},
        {"glViewport",
         G::Matrices,
         {&kPlace, &kPlace, &kExtent, &kExtent},
         [](const double* a, Values&) {
             glViewport(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]));
         },
         1},

        {"glClipPlane",
         G::Matrices,
         {&kClipPlane, &kPlaneEquation},
         [](const double* a, Values&) { glClipPlane(enumerant(a[0]), a + 1); },
         2},

        {"glGenLists",
         G::Lists,
         {&kRange},
         [](const double* a, Values& v) { v.push_back(glGenLists(integer(a[0]))); },
         1},
        {"glNewList",
         G::Lists,
         {&kListName, &kListMode},
         [](const double* a, Values&) { glNewList(static_cast<GLuint>(a[0]), enumerant(a[1])); },
         1},
        {"glEndList", G::Lists, {}, [](const double*, Values&) { glEndList(); }, 1},
        {"glCallList",
         G::Lists,
         {&kListName},
         [](const double* a, Values&) { glCallList(static_cast<GLuint>(a[0])); },
         3},
        {"glIsList",
         G::Lists,
         {&kListName},
         [](const double* a, Values& v) { v.push_back(glIsList(static_cast<GLuint>(a[0]))); },
         1,
         true},
        {"glDeleteLists",
         G::Lists,
         {&kListName, &kRange},
         [](const double* a, Values&) { glDeleteLists(static_cast<GLuint>(a[0]), integer(a[1])); },
         1},

        {"glLightf",
         G::Lighting,
         {&kLight, &kLightScalarName, &kLightScalar},
         [](const double* a, Values&) { glLightf(enumerant(a[0]), enumerant(a[1]), real(a[2])); },
         3},
        {"glLightfv",
         G::Lighting,
         {&kLight, &kLightName, &kLightVector},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 2, v, 4);
             glLightfv(enumerant(a[0]), enumerant(a[1]), v);
         },
         3},
        {"glLightModeli",
         G::Lighting,
         {&kModelName, &kModelScalar},
         [](const double* a, Values&) { glLightModeli(enumerant(a[0]), integer(a[1])); },
         1},
        {"glLightModelfv",
         G::Lighting,
         {&kModelName, &kModelVector},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 1, v, 4);
             glLightModelfv(enumerant(a[0]), v);
         },
         1},
        {"glMaterialf",
         G::Lighting,
         {&kFace, &kMaterialScalarName, &kShininess},
         [](const double* a, Values&) {
             glMaterialf(enumerant(a[0]), enumerant(a[1]), real(a[2]));
         },
         2},
        {"glMaterialfv",
         G::Lighting,
         {&kFace, &kMaterialName, &kMaterialVector},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 2, v, 4);
             glMaterialfv(enumerant(a[0]), enumerant(a[1]), v);
         },
         3},
        {"glShadeModel",
         G::Lighting,
         {&kShading},
         [](const double* a, Values&) { glShadeModel(enumerant(a[0])); },
         1},

        {"glEnable",
         G::State,
         {&kCapability},
         [](const double* a, Values&) { glEnable(enumerant(a[0])); },
         4},
        {"glDisable",
         G::State,
         {&kCapability},
         [](const double* a, Values&) { glDisable(enumerant(a[0])); },
         3},
        {"glIsEnabled",
         G::State,
         {&kCapability},
         [](const double* a, Values& v) { v.push_back(glIsEnabled(enumerant(a[0]))); },
         1,
         true},
        {"glFrontFace",
         G::State,
         {&kWinding},
         [](const double* a, Values&) { glFrontFace(enumerant(a[0])); },
         1},
        {"glEnableClientState",
         G::State,
         {&kClientArray},
         [](const double* a, Values&) { glEnableClientState(enumerant(a[0])); },
         1},
        {"glDisableClientState",
         G::State,
         {&kClientArray},
         [](const double* a, Values&) { glDisableClientState(enumerant(a[0])); },
         1},
        {"glColorMaterial",
         G::Lighting,
         {&kFace, &kMaterialName},
         [](const double* a, Values&) { glColorMaterial(enumerant(a[0]), enumerant(a[1])); },
         1},
        {"glAlphaFunc",
         G::State,
         {&kComparison, &kAlphaReference},
         [](const double* a, Values&) {
             glAlphaFunc(enumerant(a[0]), static_cast<GLclampf>(a[1]));
         },
         1},
        {"glFogf",
         G::State,
         {&kFogName, &kFogValue},
         [](const double* a, Values&) { glFogf(enumerant(a[0]), static_cast<GLfloat>(a[1])); },
         1},
        {"glFogi",
         G::State,
         {&kFogName, &kFogValue},
         [](const double* a, Values&) { glFogi(enumerant(a[0]), integer(a[1])); },
         1},
        {"glFogfv",
         G::State,
         {&kFogName, &kFogVector},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 1, v, 4);
             glFogfv(enumerant(a[0]), v);
         },
         1},
        {"glFogiv",
         G::State,
         {&kFogName, &kFogVector},
         [](const double* a, Values&) {
             const GLint v[4] = {integer(a[1]), integer(a[2]), integer(a[3]), integer(a[4])};
             glFogiv(enumerant(a[0]), v);
         },
         1},
        {"glCullFace",
         G::State,
         {&kFace},
         [](const double* a, Values&) { glCullFace(enumerant(a[0])); },
         1},
        {"glTexGeni",
         G::Textures,
         {&kTexCoordName, &kTexGenModeName, &kTexGenMode},
         [](const double* a, Values&) {
             glTexGeni(enumerant(a[0]), enumerant(a[1]), integer(a[2]));
         },
         2},
        {"glTexGenf",
         G::Textures,
         {&kTexCoordName, &kTexGenModeName, &kTexGenMode},
         [](const double* a, Values&) {
             glTexGenf(enumerant(a[0]), enumerant(a[1]), static_cast<GLfloat>(a[2]));
         },
         1},
        {"glTexGend",
         G::Textures,
         {&kTexCoordName, &kTexGenModeName, &kTexGenMode},
         [](const double* a, Values&) { glTexGend(enumerant(a[0]), enumerant(a[1]), a[2]); },
         1},
        {"glTexGenfv",
         G::Textures,
         {&kTexCoordName, &kTexGenPlaneName, &kPlaneEquation},
         [](const double* a, Values&) {
             const GLfloat v[4] = {static_cast<GLfloat>(a[2]), static_cast<GLfloat>(a[3]),
                                   static_cast<GLfloat>(a[4]), static_cast<GLfloat>(a[5])};
             glTexGenfv(enumerant(a[0]), enumerant(a[1]), v);
         },
         2},
        {"glTexGeniv",
         G::Textures,
         {&kTexCoordName, &kTexGenPlaneName, &kPlaneEquation},
         [](const double* a, Values&) {
             const GLint v[4] = {integer(a[2]), integer(a[3]), integer(a[4]), integer(a[5])};
             glTexGeniv(enumerant(a[0]), enumerant(a[1]), v);
         },
         1},
        {"glTexGendv",
         G::Textures,
         {&kTexCoordName, &kTexGenPlaneName, &kPlaneEquation},
         [](const double* a, Values&) { glTexGendv(enumerant(a[0]), enumerant(a[1]), a + 2); },
         1},
        {"glPolygonMode",
         G::State,
         {&kFace, &kPolygonMode},
         [](const double* a, Values&) { glPolygonMode(enumerant(a[0]), enumerant(a[1])); },
         2},
        {"glPolygonOffset",
         G::State,
         {&kDepthOffset, &kDepthOffset},
         [](const double* a, Values&) {
             glPolygonOffset(static_cast<GLfloat>(a[0]), static_cast<GLfloat>(a[1]));
         },
         1},
        {"glPolygonStipple",
         G::State,
         {&kStippleStart},
         [](const double* a, Values&) { glPolygonStipple(imageBytes() + integer(a[0])); },
         1},
        {"glPointSize",
         G::State,
         {&kSize},
         [](const double* a, Values&) { glPointSize(static_cast<GLfloat>(a[0])); },
         1},
        {"glLineWidth",
         G::State,
         {&kSize},
         [](const double* a, Values&) { glLineWidth(static_cast<GLfloat>(a[0])); },
         1},
        {"glLineStipple",
         G::State,
         {&kStippleFactor, &kStipplePattern},
         [](const double* a, Values&) {
             glLineStipple(integer(a[0]), static_cast<GLushort>(a[1]));
         },
         1},
        {"glDepthMask",
         G::State,
         {&kBoolean},
         [](const double* a, Values&) { glDepthMask(static_cast<GLboolean>(a[0])); },
         1},
        {"glDepthFunc",
         G::State,
         {&kComparison},
         [](const double* a, Values&) { glDepthFunc(enumerant(a[0])); },
         1},
        {"glDepthRange",
         G::State,
         {&kDepthValue, &kDepthValue},
         [](const double* a, Values&) { glDepthRange(a[0], a[1]); },
         1},
        {"glClearDepth",
         G::State,
         {&kDepthValue},
         [](const double* a, Values&) { glClearDepth(a[0]); },
         1},
        {"glColorMask",
         G::State,
         {&kBoolean, &kBoolean, &kBoolean, &kBoolean},
         [](const double* a, Values&) {
             glColorMask(static_cast<GLboolean>(a[0]), static_cast<GLboolean>(a[1]),
                         static_cast<GLboolean>(a[2]), static_cast<GLboolean>(a[3]));
         },
         1},
        {"glScissor",
         G::State,
         {&kPlace, &kPlace, &kExtent, &kExtent},
         [](const double* a, Values&) {
             glScissor(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]));
         },
         1},
        {"glStencilFunc",
         G::State,
         {&kComparison, &kStencilValue, &kStencilMask},
         [](const double* a, Values&) {
             glStencilFunc(enumerant(a[0]), integer(a[1]), static_cast<GLuint>(a[2]));
         },
         1},
        {"glStencilOp",
         G::State,
         {&kStencilAction, &kStencilAction, &kStencilAction},
         [](const double* a, Values&) {
             glStencilOp(enumerant(a[0]), enumerant(a[1]), enumerant(a[2]));
         },
         1},
        {"glStencilMask",
         G::State,
         {&kStencilMask},
         [](const double* a, Values&) { glStencilMask(static_cast<GLuint>(a[0])); },
         1},
        {"glClearStencil",
         G::State,
         {&kStencilValue},
         [](const double* a, Values&) { glClearStencil(integer(a[0])); },
         1},
        {"glBlendFunc",
         G::State,
         {&kFactor, &kFactor},
         [](const double* a, Values&) { glBlendFunc(enumerant(a[0]), enumerant(a[1])); },
         1},
        {"glClearColor",
         G::State,
         {&kColour, &kColour, &kColour, &kColour},
         [](const double* a, Values&) {
             glClearColor(real(a[0]), real(a[1]), real(a[2]), real(a[3]));
         },
         1},
        {"glClear",
         G::State,
         {&kClearMask},
         [](const double* a, Values&) { glClear(enumerant(a[0])); },
         1},
        {"glPushAttrib",
         G::State,
         {&kAttributeMask},
         [](const double* a, Values&) { glPushAttrib(enumerant(a[0])); },
         2},
        {"glPopAttrib", G::State, {}, [](const double*, Values&) { glPopAttrib(); }, 2},
        {"glPushClientAttrib",
         G::State,
         {&kClientMask},
         [](const double* a, Values&) { glPushClientAttrib(static_cast<GLbitfield>(a[0])); },
         1},
        {"glPopClientAttrib", G::State, {}, [](const double*, Values&) { glPopClientAttrib(); }, 1},
        {"glEdgeFlag",
         G::Primitives,
         {&kBoolean},
         [](const double* a, Values&) { glEdgeFlag(static_cast<GLboolean>(a[0])); },
         1},
        {"glEdgeFlagv",
         G::Primitives,
         {&kBoolean},
         [](const double* a, Values&) {
             const auto flag = static_cast<GLboolean>(a[0]);
             glEdgeFlagv(&flag);
         },
         1},
        {"glFlush", G::State, {}, [](const double*, Values&) { glFlush(); }, 1},
        {"glFinish", G::State, {}, [](const double*, Values&) { glFinish(); }, 1},

        {"glGetError",
         G::Queries,
         {},
         [](const double*, Values& v) { v.push_back(glGetError()); },
         1},
        {"glGetIntegerv",
         G::Queries,
         {&kGetName},
         [](const double* a, Values& v) {
             answer<GLint>(enumerant(a[0]), v,
                           [&](GLint* out) { glGetIntegerv(enumerant(a[0]), out); });
         },
         2,
         true},
        {"glGetFloatv",
         G::Queries,
         {&kGetName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[0]), v,
                             [&](GLfloat* out) { glGetFloatv(enumerant(a[0]), out); });
         },
         2,
         true},
        {"glGetString",
         G::Queries,
         {&kStringName},
         [](const double* a, Values& v) { v.push_back(glGetString(enumerant(a[0])) != nullptr); },
         1},
        {"glGetPolygonStipple",
         G::Queries,
         {},
         [](const double*, Values& v) {
             // What it writes, where the pack settings place it, and what it leaves.
             unsigned char* bytes = pixelsRead();
             std::fill_n(bytes, 512, 0xA5);
             glGetPolygonStipple(bytes);
             v.assign(bytes, bytes + 512);
         },
         1,
         true},
        {"glGetTexGenfv",
         G::Queries,
         {&kTexCoordName, &kTexGenName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[1]), v, [&](GLfloat* out) {
                 glGetTexGenfv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glGetTexGeniv",
         G::Queries,
         {&kTexCoordName, &kTexGenName},
         [](const double* a, Values& v) {
             answer<GLint>(enumerant(a[1]), v, [&](GLint* out) {
                 glGetTexGeniv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1},
        {"glGetTexGendv",
         G::Queries,
         {&kTexCoordName, &kTexGenName},
         [](const double* a, Values& v) {
             answer<GLdouble>(enumerant(a[1]), v, [&](GLdouble* out) {
                 glGetTexGendv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1},
        {"glGetClipPlane",
         G::Queries,
         {&kClipPlane},
         [](const double* a, Values& v) {
             GLdouble plane[4];
             std::fill_n(plane, 4, kUnwritten);
             glGetClipPlane(enumerant(a[0]), plane);
             v.assign(plane, plane + 4);
         },
         1,
         true},
        {"glGetLightfv",
         G::Queries,
         {&kLight, &kLightName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[1]), v, [&](GLfloat* out) {
                 glGetLightfv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glGetMaterialfv",
         G::Queries,
         {&kReadFace, &kReadMaterialName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[1]), v, [&](GLfloat* out) {
                 glGetMaterialfv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},

        {"glGenTextures",
         G::Textures,
         {&kCount},
         [](const double* a, Values& v) {
             GLuint names[2] = {7777, 7777};
             glGenTextures(integer(a[0]), names);
             v.assign(names, names + 2);
         },
         1},
        {"glDeleteTextures",
         G::Textures,
         {&kCount, &kTextureName, &kTextureName},
         [](const double* a, Values&) {
             const GLuint names[2] = {static_cast<GLuint>(a[1]), static_cast<GLuint>(a[2])};
             glDeleteTextures(integer(a[0]), names);
         },
         1},
        {"glBindTexture",
         G::Textures,
         {&kBindTarget, &kTextureName},
         [](const double* a, Values&) {
             glBindTexture(enumerant(a[0]), static_cast<GLuint>(a[1]));
         },
         3},
        {"glTexParameteri",
         G::Textures,
         {&kBindTarget, &kParameterName, &kParameterValue},
         [](const double* a, Values&) {
             glTexParameteri(enumerant(a[0]), enumerant(a[1]), integer(a[2]));
         },
         2},
        {"glTexParameterf",
         G::Textures,
         {&kBindTarget, &kPriorityName, &kPriority},
         [](const double* a, Values&) {
             glTexParameterf(enumerant(a[0]), enumerant(a[1]), real(a[2]));
         },
         1},
        {"glPrioritizeTextures",
         G::Textures,
         {&kCount, &kTextureName, &kTextureName, &kPriority, &kPriority},
         [](const double* a, Values&) {
             const GLuint names[2] = {static_cast<GLuint>(a[1]), static_cast<GLuint>(a[2])};
             const GLclampf priorities[2] = {real(a[3]), real(a[4])};
             glPrioritizeTextures(integer(a[0]), names, priorities);
         },
         1},
        {"glAreTexturesResident",
         G::Textures,
         {&kCount, &kTextureName, &kTextureName},
         [](const double* a, Values& v) {
             const GLuint names[2] = {static_cast<GLuint>(a[1]), static_cast<GLuint>(a[2])};
             GLboolean residences[2] = {7, 7};
             v.push_back(glAreTexturesResident(integer(a[0]), names, residences));
             v.insert(v.end(), residences, residences + 2);
         },
         1},
        {"glTexEnvf",
         G::Textures,
         {&kEnvironmentTarget, &kEnvironmentName, &kEnvironmentMode},
         [](const double* a, Values&) { glTexEnvf(enumerant(a[0]), enumerant(a[1]), real(a[2])); },
         1},
        {"glTexEnvfv",
         G::Textures,
         {&kEnvironmentTarget, &kEnvironmentColorName, &kEnvironmentColor},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 2, v, 4);
             glTexEnvfv(enumerant(a[0]), enumerant(a[1]), v);
         },
         1},
        {"glTexEnviv",
         G::Textures,
         {&kEnvironmentTarget, &kEnvironmentColorName, &kEnvironmentIntegers},
         [](const double* a, Values&) {
             const GLint v[4] = {integer(a[2]), integer(a[3]), integer(a[4]), integer(a[5])};
             glTexEnviv(enumerant(a[0]), enumerant(a[1]), v);
         },
         1},
        {"glGetTexEnvfv",
         G::Textures,
         {&kEnvironmentTarget, &kReadEnvironmentName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[1]), v, [&](GLfloat* out) {
                 glGetTexEnvfv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glGetTexEnviv",
         G::Textures,
         {&kEnvironmentTarget, &kReadEnvironmentName},
         [](const double* a, Values& v) {
             answer<GLint>(enumerant(a[1]), v, [&](GLint* out) {
                 glGetTexEnviv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glTexEnvi",
         G::Textures,
         {&kEnvironmentTarget, &kEnvironmentName, &kEnvironmentMode},
         [](const double* a, Values&) {
             glTexEnvi(enumerant(a[0]), enumerant(a[1]), integer(a[2]));
         },
         1},
        {"glTexImage1D",
         G::Textures,
         {&kLineTarget, &kLevel, &kInternalFormat, &kWidth, &kBorder, &kFormat, &kType, &kPixels},
         [](const double* a, Values&) {
             glTexImage1D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                          integer(a[4]), enumerant(a[5]), enumerant(a[6]),
                          a[7] != 0 ? imageBytes() : nullptr);
         },
         1},
        {"glTexImage2D",
         G::Textures,
         {&kImageTarget, &kLevel, &kInternalFormat, &kWidth, &kHeight, &kBorder, &kFormat, &kType,
          &kPixels},
         [](const double* a, Values&) {
             glTexImage2D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                          integer(a[4]), integer(a[5]), enumerant(a[6]), enumerant(a[7]),
                          a[8] != 0 ? imageBytes() : nullptr);
         },
         4},
        {"glTexSubImage2D",
         G::Textures,
         {&kSubImageTarget, &kLevel, &kOffsetInImage, &kOffsetInImage, &kSubImageSide,
          &kSubImageSide, &kFormat, &kType, &kPixels},
         [](const double* a, Values&) {
             glTexSubImage2D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                             integer(a[4]), integer(a[5]), enumerant(a[6]), enumerant(a[7]),
                             a[8] != 0 ? imageBytes() : nullptr);
         },
         2},
        {"glCopyTexImage2D",
         G::Textures,
         {&kSubImageTarget, &kLevel, &kInternalFormat, &kPlace, &kPlace, &kWidth, &kHeight,
          &kBorder},
         [](const double* a, Values&) {
             glCopyTexImage2D(enumerant(a[0]), integer(a[1]), enumerant(a[2]), integer(a[3]),
                              integer(a[4]), integer(a[5]), integer(a[6]), integer(a[7]));
         },
         1},
        {"glCopyTexSubImage2D",
         G::Textures,
         {&kSubImageTarget, &kLevel, &kOffsetInImage, &kOffsetInImage, &kPlace, &kPlace,
          &kSubImageSide, &kSubImageSide},
         [](const double* a, Values&) {
             glCopyTexSubImage2D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                                 integer(a[4]), integer(a[5]), integer(a[6]), integer(a[7]));
         },
         1},
        {"glTexSubImage1D",
         G::Textures,
         {&kLineSubImageTarget, &kLevel, &kOffsetInImage, &kSubImageSide, &kFormat, &kType,
          &kPixels},
         [](const double* a, Values&) {
             glTexSubImage1D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                             enumerant(a[4]), enumerant(a[5]), a[6] != 0 ? imageBytes() : nullptr);
         },
         1},
        {"glTexParameterfv",
         G::Textures,
         {&kBindTarget, &kBorderColorName, &kEnvironmentColor},
         [](const double* a, Values&) {
             GLfloat v[4];
             floats(a + 2, v, 4);
             glTexParameterfv(enumerant(a[0]), enumerant(a[1]), v);
         },
         1},
        {"glTexParameteriv",
         G::Textures,
         {&kBindTarget, &kBorderColorName, &kEnvironmentIntegers},
         [](const double* a, Values&) {
             const GLint v[4] = {integer(a[2]), integer(a[3]), integer(a[4]), integer(a[5])};
             glTexParameteriv(enumerant(a[0]), enumerant(a[1]), v);
         },
         1},
        {"glCopyTexImage1D",
         G::Textures,
         {&kLineSubImageTarget, &kLevel, &kInternalFormat, &kPlace, &kPlace, &kWidth, &kBorder},
         [](const double* a, Values&) {
             glCopyTexImage1D(enumerant(a[0]), integer(a[1]), enumerant(a[2]), integer(a[3]),
                              integer(a[4]), integer(a[5]), integer(a[6]));
         },
         1},
        {"glCopyTexSubImage1D",
         G::Textures,
         {&kLineSubImageTarget, &kLevel, &kOffsetInImage, &kPlace, &kPlace, &kSubImageSide},
         [](const double* a, Values&) {
             glCopyTexSubImage1D(enumerant(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                                 integer(a[4]), integer(a[5]));
         },
         1},
        {"glGetTexImage",
         G::Textures,
         {&kBindTarget, &kLevel, &kImageReadFormat, &kType},
         [](const double* a, Values& v) {
             writtenBytes(v, [&](unsigned char* out) {
                 glGetTexImage(enumerant(a[0]), integer(a[1]), enumerant(a[2]), enumerant(a[3]),
                               out);
             });
         },
         2},
        {"glPixelTransferf",
         G::Textures,
         {&kTransferName, &kTransferValue},
         [](const double* a, Values&) { glPixelTransferf(enumerant(a[0]), real(a[1])); },
         1},
        {"glPixelTransferi",
         G::Textures,
         {&kTransferName, &kTransferValue},
         [](const double* a, Values&) { glPixelTransferi(enumerant(a[0]), integer(a[1])); },
         1},
        {"glGetTexLevelParameteriv",
         G::Textures,
         {&kLevelTarget, &kLevel, &kLevelName},
         [](const double* a, Values& v) {
             GLint value = static_cast<GLint>(kUnwritten);
             glGetTexLevelParameteriv(enumerant(a[0]), integer(a[1]), enumerant(a[2]), &value);
             v.push_back(value);
         },
         2,
         true},
        {"glGetTexParameteriv",
         G::Textures,
         {&kBindTarget, &kReadParameterName},
         [](const double* a, Values& v) {
             answer<GLint>(enumerant(a[1]), v, [&](GLint* out) {
                 glGetTexParameteriv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glGetTexParameterfv",
         G::Textures,
         {&kBindTarget, &kReadParameterName},
         [](const double* a, Values& v) {
             answer<GLfloat>(enumerant(a[1]), v, [&](GLfloat* out) {
                 glGetTexParameterfv(enumerant(a[0]), enumerant(a[1]), out);
             });
         },
         1,
         true},
        {"glPixelStorei",
         G::Textures,
         {&kStoreName, &kStoreValue},
         [](const double* a, Values&) { glPixelStorei(enumerant(a[0]), integer(a[1])); },
         2},
        {"glReadPixels",
         G::Textures,
         {&kPlace, &kPlace, &kReadSize, &kReadSize, &kReadFormat, &kType},
         [](const double* a, Values&) {
             glReadPixels(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                          enumerant(a[4]), enumerant(a[5]), pixelsRead());
         },
         1},
    };
}

// --- Text ---------------------------------------------------------------------------

// As short as reads back the same: a float's nine digits, more for the
// doubles and 32-bit integers that need them.
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    if (std::strtod(text, nullptr) != value) {
        std::snprintf(text, sizeof text, "%.17g", value);
    }
    return text;
}

std::string nameOf(const Domain& domain, double value) {
    for (const auto* list : {&domain.valid, &domain.edges}) {
        for (const Named& named : *list) {
            if (named.value == value && named.name != nullptr) {
                return named.name;
            }
        }
    }
    return number(value);
}

double valueOf(const Domain& domain, const std::string& token) {
    for (const auto* list : {&domain.valid, &domain.edges}) {
        for (const Named& named : *list) {
            if (named.name != nullptr && token == named.name) {
                return named.value;
            }
        }
    }
    std::size_t used = 0;
    const double value = std::stod(token, &used);
    if (used != token.size()) {
        throw std::invalid_argument(token);
    }
    return value;
}

// --- Vertices and their attributes: every type and form ------------------------------------

// Colour and normal components in each integer type: the ends of its range,
// where OpenGL's conversion to [-1, 1] or [0, 1] is easiest to get wrong.
const Domain kByteParts{numbers({-128, -1, 0, 1, 127}), {}};
const Domain kUbyteParts{numbers({0, 1, 128, 255}), {}};
const Domain kShortParts{numbers({-32768, -1, 0, 32767}), {}};
const Domain kUshortParts{numbers({0, 1, 32768, 65535}), {}};
const Domain kIntParts{numbers({-2147483648.0, -1, 0, 2147483647.0}), {}};
const Domain kUintParts{numbers({0, 1, 2147483648.0, 4294967295.0}), {}};
// Coordinates given as integers are taken as numbers.
const Domain kWhole{numbers({0, 1, -1, 2}), {}};
// A vertex's w and texture coordinates' q, at the edges negative and 0.
const Domain kW{numbers({1, 2, 0.5}), numbers({-1, 0})};
const Domain kIndexValue{numbers({0, 1, 2.5, 255}), {}};
const Domain kWholeIndex{numbers({0, 1, 255}), {}};
const Domain kIndexMask{numbers({0, 1, 255, 4294967295.0}), {}};
const Domain kHintTarget{{N(GL_PERSPECTIVE_CORRECTION_HINT), N(GL_POINT_SMOOTH_HINT),
                          N(GL_LINE_SMOOTH_HINT), N(GL_POLYGON_SMOOTH_HINT), N(GL_FOG_HINT)},
                         {N(GL_FOG), {0, "0"}}};
const Domain kHintMode{{N(GL_FASTEST), N(GL_NICEST), N(GL_DONT_CARE)}, {N(GL_FOG), {0, "0"}}};
// GL_COPY alone is drawn; GL_XOR is refused, and 0x1510 is no operation.
const Domain kLogicOp{{N(GL_COPY)}, {N(GL_XOR), {0x1510, "0x1510"}}};
// The back buffer alone is drawn to; the front is refused; a double-buffered
// window has no right or auxiliary buffers.
const Domain kBuffer{{N(GL_BACK), N(GL_BACK_LEFT)},
                     {N(GL_FRONT), N(GL_FRONT_RIGHT), N(GL_AUX0), {0x1234, "0x1234"}}};
const Domain kListBase{numbers({0, 1, 2}), {}};
const Domain kNameType{
    {N(GL_BYTE), N(GL_UNSIGNED_BYTE), N(GL_SHORT), N(GL_UNSIGNED_SHORT), N(GL_INT),
     N(GL_UNSIGNED_INT), N(GL_FLOAT), N(GL_2_BYTES), N(GL_3_BYTES), N(GL_4_BYTES)},
    {N(GL_DOUBLE), {0, "0"}}};
const Domain kAccumOp{{N(GL_ACCUM), N(GL_LOAD), N(GL_RETURN), N(GL_MULT), N(GL_ADD)}, {}};
const Domain kIndexType{{N(GL_UNSIGNED_BYTE), N(GL_SHORT), N(GL_INT), N(GL_FLOAT), N(GL_DOUBLE)},
                        {N(GL_BYTE), {0, "0"}}};
const Domain kIndexStride{numbers({0, 8}), numbers({-1})};
// Integer colours map onto [-1, 1]; other integers are numbers.
const Domain kIntVector{numbers({0, 1, 2147483647.0, 1073741824.0, -2147483647.0}), {}, 4};

template <typename T, auto F, std::size_t... I>
void spreadOver(const double* a, std::index_sequence<I...>) {
    F(static_cast<T>(a[I])...);
}
// The arguments one by one, each converted to the command's type.
template <typename T, std::size_t N, auto F>
void spread(const double* a, Values&) {
    spreadOver<T, F>(a, std::make_index_sequence<N>{});
}
// The arguments in one array (the v form).
template <typename T, std::size_t N, auto F>
void fromArray(const double* a, Values&) {
    T v[N];
    for (std::size_t i = 0; i < N; ++i) {
        v[i] = static_cast<T>(a[i]);
    }
    F(v);
}
// glRect's v form: the two corners in two arrays.
template <typename T, auto F>
void fromCorners(const double* a, Values&) {
    const T first[2] = {static_cast<T>(a[0]), static_cast<T>(a[1])};
    const T second[2] = {static_cast<T>(a[2]), static_cast<T>(a[3])};
    F(first, second);
}

std::vector<const Domain*> times(const Domain& domain, std::size_t n) {
    return std::vector<const Domain*>(n, &domain);
}

// Both forms of a command F of N components of type T; generated sequences
// name the first `weight` times as often as a weight of one, the v form half
// as often.
#define VGL_BOTH(F, T, N, domain, weight)                                                \
    table.push_back({#F, Group::Primitives, times(domain, N), spread<T, N, F>, weight}); \
    table.push_back(                                                                     \
        {#F "v", Group::Primitives, times(domain, N), fromArray<T, N, F##v>, (weight) / 2})

// Every type and form of glVertex, glNormal, glColor, glTexCoord and glRect.
// Outside glBegin/glEnd a vertex has no meaning, so vertices are only issued
// within the primitives the generator makes; it also takes the attributes
// of other types from here (vertexAttributes).
void addVertexCommands(std::vector<Op>& table) {
#define VGL_VERTEX(t, T, domain)             \
    VGL_BOTH(glVertex2##t, T, 2, domain, 0); \
    VGL_BOTH(glVertex3##t, T, 3, domain, 0)
    VGL_VERTEX(s, GLshort, kWhole);
    VGL_VERTEX(i, GLint, kWhole);
    VGL_VERTEX(f, GLfloat, kCoordinate);
    VGL_VERTEX(d, GLdouble, kCoordinate);
#undef VGL_VERTEX

    VGL_BOTH(glNormal3b, GLbyte, 3, kByteParts, 0);
    VGL_BOTH(glNormal3s, GLshort, 3, kShortParts, 0);
    VGL_BOTH(glNormal3i, GLint, 3, kIntParts, 0);
    VGL_BOTH(glNormal3f, GLfloat, 3, kNormalPart, 2);
    VGL_BOTH(glNormal3d, GLdouble, 3, kNormalPart, 0);

#define VGL_COLOR(t, T, domain, weight)          \
    VGL_BOTH(glColor3##t, T, 3, domain, weight); \
    VGL_BOTH(glColor4##t, T, 4, domain, weight)
    VGL_COLOR(b, GLbyte, kByteParts, 0);
    VGL_COLOR(s, GLshort, kShortParts, 0);
    VGL_COLOR(i, GLint, kIntParts, 0);
    VGL_COLOR(f, GLfloat, kColour, 2);
    VGL_COLOR(d, GLdouble, kColour, 0);
    VGL_COLOR(ub, GLubyte, kUbyteParts, 0);
    VGL_COLOR(us, GLushort, kUshortParts, 0);
    VGL_COLOR(ui, GLuint, kUintParts, 0);
#undef VGL_COLOR

#define VGL_TEX_COORD(t, T, domain, weight)         \
    VGL_BOTH(glTexCoord1##t, T, 1, domain, weight); \
    VGL_BOTH(glTexCoord2##t, T, 2, domain, weight)
    VGL_TEX_COORD(s, GLshort, kWhole, 0);
    VGL_TEX_COORD(i, GLint, kWhole, 0);
    VGL_TEX_COORD(f, GLfloat, kTexturePart, 1);
    VGL_TEX_COORD(d, GLdouble, kTexturePart, 0);
#undef VGL_TEX_COORD

#define VGL_RECT(t, T, domain, weight)                                                        \
    table.push_back(                                                                          \
        {"glRect" #t, Group::Primitives, times(domain, 4), spread<T, 4, glRect##t>, weight}); \
    table.push_back({"glRect" #t "v", Group::Primitives, times(domain, 4),                    \
                     fromCorners<T, glRect##t##v>, (weight) / 2})
    VGL_RECT(s, GLshort, kWhole, 0);
    VGL_RECT(i, GLint, kWhole, 0);
    VGL_RECT(f, GLfloat, kCoordinate, 2);
    VGL_RECT(d, GLdouble, kCoordinate, 1);
#undef VGL_RECT

    // Four components, and texture coordinates' three.
    const std::vector<const Domain*> homogeneous{&kCoordinate, &kCoordinate, &kCoordinate, &kW};
    table.push_back(
        {"glVertex4f", Group::Primitives, homogeneous, spread<GLfloat, 4, glVertex4f>, 0});
    table.push_back(
        {"glVertex4dv", Group::Primitives, homogeneous, fromArray<GLdouble, 4, glVertex4dv>, 0});
    table.push_back({"glTexCoord3f", Group::Primitives, times(kTexturePart, 3),
                     spread<GLfloat, 3, glTexCoord3f>, 1});
    table.push_back({"glTexCoord4iv",
                     Group::Primitives,
                     {&kWhole, &kWhole, &kWhole, &kW},
                     fromArray<GLint, 4, glTexCoord4iv>,
                     0});
    table.push_back({"glTexCoord4d",
                     Group::Primitives,
                     {&kTexturePart, &kTexturePart, &kTexturePart, &kW},
                     spread<GLdouble, 4, glTexCoord4d>,
                     1});
    VGL_BOTH(glIndexf, GLfloat, 1, kIndexValue, 1);
    VGL_BOTH(glIndexub, GLubyte, 1, kIndexValue, 0);
}
#undef VGL_BOTH

void integers(const double* a, GLint* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<GLint>(a[i]);
    }
}

// The state of hints, logic operations, buffers, colour indices and list
// bases, and the name stack outside selection (the render mode and
// glPassThrough are left to the Mesa side, which reads what is drawn in
// feedback mode); the integer forms of lighting's commands; and what the
// layer refuses to draw, each refused without touching the state.
void addModeCommands(std::vector<Op>& table) {
    using G = Group;
    table.push_back({"glHint",
                     G::State,
                     {&kHintTarget, &kHintMode},
                     [](const double* a, Values&) { glHint(enumerant(a[0]), enumerant(a[1])); },
                     1});
    table.push_back({"glLogicOp",
                     G::State,
                     {&kLogicOp},
                     [](const double* a, Values&) { glLogicOp(enumerant(a[0])); },
                     1});
    table.push_back({"glIndexMask",
                     G::State,
                     {&kIndexMask},
                     [](const double* a, Values&) { glIndexMask(static_cast<GLuint>(a[0])); },
                     1});
    table.push_back({"glClearIndex",
                     G::State,
                     {&kWholeIndex},
                     [](const double* a, Values&) { glClearIndex(real(a[0])); },
                     1});
    table.push_back({"glDrawBuffer",
                     G::State,
                     {&kBuffer},
                     [](const double* a, Values&) { glDrawBuffer(enumerant(a[0])); },
                     1});
    table.push_back({"glReadBuffer",
                     G::State,
                     {&kBuffer},
                     [](const double* a, Values&) { glReadBuffer(enumerant(a[0])); },
                     1});
    table.push_back({"glListBase",
                     G::Lists,
                     {&kListBase},
                     [](const double* a, Values&) { glListBase(static_cast<GLuint>(a[0])); },
                     1});
    table.push_back({"glCallLists",
                     G::Lists,
                     {&kCount, &kNameType},
                     [](const double* a, Values&) {
                         // Names 1 and 2 in each type, two-byte and longer
                         // names most significant byte first.
                         const GLenum type = enumerant(a[1]);
                         const GLubyte bytes[] = {0, 0, 0, 1, 0, 0, 0, 2};
                         const GLbyte signedBytes[] = {1, 2};
                         const GLshort shorts[] = {1, 2};
                         const GLint ints[] = {1, 2};
                         const GLfloat floats[] = {1.0f, 2.0f};
                         const GLsizei n = integer(a[0]);
                         switch (type) {
                             case GL_2_BYTES: {
                                 const GLubyte pairs[] = {0, 1, 0, 2};
                                 glCallLists(n, type, pairs);
                                 return;
                             }
                             case GL_3_BYTES: {
                                 const GLubyte triples[] = {0, 0, 1, 0, 0, 2};
                                 glCallLists(n, type, triples);
                                 return;
                             }
                             case GL_4_BYTES:
                                 glCallLists(n, type, bytes);
                                 return;
                             case GL_BYTE:
                             case GL_UNSIGNED_BYTE:
                                 glCallLists(n, type, signedBytes);
                                 return;
                             case GL_SHORT:
                             case GL_UNSIGNED_SHORT:
                                 glCallLists(n, type, shorts);
                                 return;
                             case GL_FLOAT:
                                 glCallLists(n, type, floats);
                                 return;
                             default:
                                 glCallLists(n, type, ints);
                                 return;
                         }
                     },
                     2});
    table.push_back(
        {"glInitNames", G::State, {}, [](const double*, Values&) { glInitNames(); }, 1});
    table.push_back({"glPushName",
                     G::State,
                     {&kListBase},
                     [](const double* a, Values&) { glPushName(static_cast<GLuint>(a[0])); },
                     1});
    table.push_back({"glLoadName",
                     G::State,
                     {&kListBase},
                     [](const double* a, Values&) { glLoadName(static_cast<GLuint>(a[0])); },
                     1});
    table.push_back({"glPopName", G::State, {}, [](const double*, Values&) { glPopName(); }, 1});
    table.push_back({"glRasterPos2f",
                     G::State,
                     {&kCoordinate, &kCoordinate},
                     [](const double* a, Values&) { glRasterPos2f(real(a[0]), real(a[1])); },
                     1});
    table.push_back({"glAccum",
                     G::State,
                     {&kAccumOp, &kIndexValue},
                     [](const double* a, Values&) { glAccum(enumerant(a[0]), real(a[1])); },
                     1});
    table.push_back({"glIndexPointer",
                     G::State,
                     {&kIndexType, &kIndexStride},
                     [](const double* a, Values&) {
                         static const GLdouble indices[8] = {};
                         glIndexPointer(enumerant(a[0]), integer(a[1]), indices);
                     },
                     1});
    table.push_back({"glPixelStoref",
                     G::Textures,
                     {&kStoreName, &kStoreValue},
                     [](const double* a, Values&) { glPixelStoref(enumerant(a[0]), real(a[1])); },
                     1});
    table.push_back({"glLighti",
                     G::Lighting,
                     {&kLight, &kLightScalarName, &kLightScalar},
                     [](const double* a, Values&) {
                         glLighti(enumerant(a[0]), enumerant(a[1]), static_cast<GLint>(a[2]));
                     },
                     1});
    table.push_back({"glLightiv",
                     G::Lighting,
                     {&kLight, &kLightName, &kIntVector},
                     [](const double* a, Values&) {
                         GLint v[4];
                         integers(a + 2, v, 4);
                         glLightiv(enumerant(a[0]), enumerant(a[1]), v);
                     },
                     1});
    table.push_back({"glLightModelf",
                     G::Lighting,
                     {&kModelName, &kModelScalar},
                     [](const double* a, Values&) { glLightModelf(enumerant(a[0]), real(a[1])); },
                     1});
    table.push_back({"glLightModeliv",
                     G::Lighting,
                     {&kModelName, &kIntVector},
                     [](const double* a, Values&) {
                         GLint v[4];
                         integers(a + 1, v, 4);
                         glLightModeliv(enumerant(a[0]), v);
                     },
                     1});
    table.push_back({"glMateriali",
                     G::Lighting,
                     {&kFace, &kMaterialScalarName, &kShininess},
                     [](const double* a, Values&) {
                         glMateriali(enumerant(a[0]), enumerant(a[1]), static_cast<GLint>(a[2]));
                     },
                     1});
    table.push_back({"glMaterialiv",
                     G::Lighting,
                     {&kFace, &kMaterialName, &kIntVector},
                     [](const double* a, Values&) {
                         GLint v[4];
                         integers(a + 2, v, 4);
                         glMaterialiv(enumerant(a[0]), enumerant(a[1]), v);
                     },
                     1});
    table.push_back({"glGetLightiv",
                     G::Queries,
                     {&kLight, &kLightName},
                     [](const double* a, Values& v) {
                         answer<GLint>(enumerant(a[1]), v, [&](GLint* out) {
                             glGetLightiv(enumerant(a[0]), enumerant(a[1]), out);
                         });
                     },
                     1,
                     true});
    table.push_back({"glGetMaterialiv",
                     G::Queries,
                     {&kReadFace, &kReadMaterialName},
                     [](const double* a, Values& v) {
                         answer<GLint>(enumerant(a[1]), v, [&](GLint* out) {
                             glGetMaterialiv(enumerant(a[0]), enumerant(a[1]), out);
                         });
                     },
                     1,
                     true});
    // The probe reads every state through glGetIntegerv and glGetFloatv;
    // generated sequences read it as booleans and doubles too.
    table.push_back({"glGetBooleanv",
                     G::Queries,
                     {&kBooleanName},
                     [](const double* a, Values& v) {
                         answer<GLboolean>(enumerant(a[0]), v, [&](GLboolean* out) {
                             glGetBooleanv(enumerant(a[0]), out);
                         });
                     },
                     1});
    table.push_back({"glGetDoublev",
                     G::Queries,
                     {&kGetName},
                     [](const double* a, Values& v) {
                         answer<GLdouble>(enumerant(a[0]), v, [&](GLdouble* out) {
                             glGetDoublev(enumerant(a[0]), out);
                         });
                     },
                     1});
    table.push_back(
        {"glIsTexture",
         G::Queries,
         {&kTextureName},
         [](const double* a, Values& v) { v.push_back(glIsTexture(static_cast<GLuint>(a[0]))); },
         1,
         true});
}

}  // namespace

const char* groupName(Group group) {
    static const char* const kNames[] = {"primitives", "matrices", "display lists", "lighting",
                                         "state",      "queries",  "textures"};
    return kNames[static_cast<int>(group)];
}

const std::vector<Op>& ops() {
    static const std::vector<Op> table = [] {
        std::vector<Op> made = makeOps();
        addVertexCommands(made);
        addModeCommands(made);
        return made;
    }();
    return table;
}

const Op& op(const std::string& name) {
    for (const Op& candidate : ops()) {
        if (name == candidate.name) {
            return candidate;
        }
    }
    throw std::runtime_error("no entry point " + name + " in the table");
}

std::string format(const Call& call) {
    std::string text = call.op->name;
    std::size_t next = 0;
    for (const Domain* domain : call.op->args) {
        for (int i = 0; i < domain->count; ++i) {
            text += ' ' + nameOf(*domain, call.args[next++]);
        }
    }
    return text;
}

std::string format(const Sequence& sequence) {
    std::string text;
    for (const Call& call : sequence) {
        text += format(call) + '\n';
    }
    return text;
}

Sequence parse(const std::string& text) {
    Sequence sequence;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream tokens(line);
        std::string name;
        if (!(tokens >> name)) {
            continue;
        }
        try {
            Call call{&op(name), {}};
            for (const Domain* domain : call.op->args) {
                for (int i = 0; i < domain->count; ++i) {
                    std::string token;
                    if (!(tokens >> token)) {
                        throw std::invalid_argument("too few arguments");
                    }
                    call.args.push_back(valueOf(*domain, token));
                }
            }
            // "* N" after the arguments: the call N times.
            std::string extra;
            int times = 1;
            if (tokens >> extra && (extra != "*" || !(tokens >> times) || tokens >> extra)) {
                throw std::invalid_argument("too many arguments");
            }
            sequence.insert(sequence.end(), static_cast<std::size_t>(times), call);
        } catch (const std::exception& error) {
            throw std::runtime_error("line " + std::to_string(number) + " (" + line +
                                     "): " + error.what());
        }
    }
    return sequence;
}

GLint integerArgument(double value) {
    return integer(value);
}

bool validArgument(const Call& call, std::size_t index) {
    std::size_t first = 0;
    for (std::size_t i = 0; i < index; ++i) {
        first += static_cast<std::size_t>(call.op->args[i]->count);
    }
    const Domain& domain = *call.op->args[index];
    if (!domain.wholes.empty()) {
        return true;
    }
    for (int i = 0; i < domain.count; ++i) {
        const double value = call.args[first + static_cast<std::size_t>(i)];
        if (std::none_of(domain.valid.begin(), domain.valid.end(),
                         [&](const Named& named) { return named.value == value; })) {
            return false;
        }
    }
    return true;
}

const Sequence& stateProbe() {
    static const Sequence probe = [] {
        Sequence calls;
        for (const Op& query : ops()) {
            if (!query.probes) {
                continue;
            }
            // Every combination of the arguments' valid values.
            std::vector<Values> combinations{{}};
            for (const Domain* domain : query.args) {
                std::vector<Values> longer;
                for (const Values& start : combinations) {
                    for (const Named& named : domain->valid) {
                        Values next = start;
                        next.push_back(named.value);
                        longer.push_back(next);
                    }
                }
                combinations = longer;
            }
            for (const Values& args : combinations) {
                calls.push_back({&query, args});
            }
        }
        // What waits to be drawn is drawn.
        calls.push_back({&op("glFinish"), {}});
        return calls;
    }();
    return probe;
}

void setMaxTextureSize(int size) {
    maxTextureSize = size;
}

bool opensPrimitive(const Call& call) {
    return std::string(call.op->name) == "glBegin";
}

bool closesPrimitive(const Call& call) {
    return std::string(call.op->name) == "glEnd";
}

}  // namespace differential
