#include "emptied_lists.h"

#include "scene/display_lists.h"
#include "scene/room.h"

namespace {
// The room and the nineteen scene lists.
GLuint* const handles[] = {
    &listRoom,  &listPoolTable, &listPoolLamp,   &listTableBulbs,  &listRoundTable,
    &listStool, &listPoolBalls, &listMirrorBall, &listCounter,     &listBackShelves,
    &listDoor,  &listDartboard, &listChair,      &listBottle,      &listLabelBottle,
    &listGlass, &listDecanter,  &listPoolShade,  &listTableShades, &listBottleGroups,
};
}  // namespace

EmptiedLists::EmptiedLists() : emptyList_(glGenLists(1)), saved_() {
    static_assert(sizeof handles / sizeof handles[0] == kHandles, "one slot per handle");
    glNewList(emptyList_, GL_COMPILE);
    glEndList();
    for (int i = 0; i < kHandles; ++i) {
        saved_[i] = *handles[i];
        *handles[i] = emptyList_;
    }
}

EmptiedLists::~EmptiedLists() {
    for (int i = 0; i < kHandles; ++i) {
        *handles[i] = saved_[i];
    }
    glDeleteLists(emptyList_, 1);
}
