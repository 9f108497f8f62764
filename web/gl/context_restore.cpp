// A new context after a lost one: what the layer has given the renderer,
// given again from what it keeps.
#include "context.h"
#include "restore.h"

namespace vgl {

void Context::rendererRestored() {
    for (auto& named : lists_) {
        DisplayList& list = named.second;
        if (list.mesh != 0) {
            const Recording& recording = list.recording;
            list.mesh = vglCreateMesh(recording.vertices.data(),
                                      static_cast<int>(recording.vertices.size()),
                                      recording.indices.data(),
                                      static_cast<int>(recording.indices.size()));
        }
    }
    sentMaterials_ = ~materials_.version();  // differs from any version until sent
    renderStateDirty_ = true;
    vglViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
}

}  // namespace vgl

extern "C" void vglRestore(void) {
    vgl::context().rendererRestored();
}
