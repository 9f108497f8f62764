// Fog: how far a fragment lies from the eye fades it into the fog colour.
// State every draw shares, kept in display lists as the per-fragment
// operations are.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
const Vector kFogVectors[] = {{GL_FOG_COLOR, 4}};
}  // namespace

void Context::fog(GLenum pname, const GLfloat* params, int count) {
    if (refusedInBegin() ||
        (compiling_ && kept([=, values = copied(params, count, pname, kFogVectors)](Context& c) {
             c.fog(pname, values.data(), count);
         }))) {
        return;
    }
    FogGroup& fog = state_.fog;
    switch (pname) {
        case GL_FOG_MODE: {
            const auto mode = static_cast<GLenum>(params[0]);
            if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) {
                setError(GL_INVALID_ENUM);
                return;
            }
            renderStateChanging();
            fog.mode = mode;
            return;
        }
        case GL_FOG_DENSITY:
            if (params[0] < 0.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            renderStateChanging();
            fog.density = params[0];
            return;
        case GL_FOG_START:
            renderStateChanging();
            fog.start = params[0];
            return;
        case GL_FOG_END:
            renderStateChanging();
            fog.end = params[0];
            return;
        case GL_FOG_INDEX:
            fog.index = params[0];  // for colour-index windows, which there are none of
            return;
        case GL_FOG_COLOR:
            // The colour has four values: glFogf and glFogi cannot give it.
            if (count != 4) {
                setError(GL_INVALID_ENUM);
                return;
            }
            renderStateChanging();
            for (int i = 0; i < 4; ++i) {
                fog.color[i] = std::min(1.0f, std::max(0.0f, params[i]));
            }
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

}  // namespace vgl
