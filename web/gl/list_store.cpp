// Display list names, and the lists' meshes freed with them.
#include "list_store.h"

#include <algorithm>

#include "backend.h"

namespace vgl {

int uploadMesh(const Recording& recording) {
    if (recording.empty()) {
        return 0;
    }
    return vglCreateMesh(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                         recording.indices.data(), static_cast<int>(recording.indices.size()));
}

GLuint ListStore::generate(GLsizei range) {
    const GLuint first = highest_ + 1;
    for (GLsizei i = 0; i < range; ++i) {
        at(first + i);
    }
    return first;
}

DisplayList& ListStore::at(GLuint name) {
    highest_ = std::max(highest_, name);
    return lists_[name];
}

const DisplayList* ListStore::find(GLuint name) const {
    const auto found = lists_.find(name);
    return found != lists_.end() ? &found->second : nullptr;
}

void ListStore::remove(GLuint first, GLsizei range) {
    for (GLsizei i = 0; i < range; ++i) {
        const auto found = lists_.find(first + i);
        if (found != lists_.end()) {
            found->second.forEachPart([](DisplayList& part) {
                if (part.mesh != 0) {
                    vglDeleteMesh(part.mesh);
                }
            });
            lists_.erase(found);
        }
    }
}

bool ListStore::called(GLuint first, GLsizei range) const {
    for (const auto& named : lists_) {
        const std::set<GLuint>& calls = named.second.calls;
        const auto found = calls.lower_bound(first);
        if (found != calls.end() && *found - first < static_cast<GLuint>(range)) {
            return true;
        }
    }
    return false;
}

void ListStore::uploadAgain() {
    for (auto& named : lists_) {
        named.second.forEachPart([](DisplayList& part) {
            if (part.mesh != 0) {
                part.mesh = uploadMesh(part.recording);
            }
        });
    }
}

}  // namespace vgl
