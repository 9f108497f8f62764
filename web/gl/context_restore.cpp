// A new context after a lost one: what the layer has given the renderer,
// given again from what it keeps.
#include "context.h"
#include "window.h"

namespace vgl {

void Context::rendererRestored() {
    lists_.uploadAgain();
    sentMaterials_ = ~materials_.version();  // differs from the version until sent
    renderStateDirty_ = true;
    const GLint* viewport = state_.viewport.rect;
    vglViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

}  // namespace vgl

extern "C" void vglRestore(void) {
    vgl::context().rendererRestored();
}
