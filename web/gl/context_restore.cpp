// A new context after a lost one: what the layer has given the renderer,
// given again from what it keeps.
#include "context.h"
#include "window.h"

namespace vgl {

void Context::rendererRestored() {
    lists_.uploadAgain();
    sentMaterials_ = ~materials_.version();  // differs from the version until sent
    renderStateDirty_ = true;
    vglViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
}

}  // namespace vgl

extern "C" void vglRestore(void) {
    vgl::context().rendererRestored();
}
