#include <GL/gl.h>

#include "scene/display_lists.h"
#include "scene/scene_pieces.h"

namespace {
// Moves on from the previous object and places the next one there.
void placeAfter(GLfloat dx, GLfloat dy, GLfloat dz, GLuint list) {
    glTranslatef(dx, dy, dz);
    glCallList(list);
}
}  // namespace

// Every bottle and glass in the room, in world coordinates. Calls the
// glassware lists, which must be compiled first.
void drawBottleGroups() {
    // On the counter top at height 4, from z -45 back to z -54.
    glPushMatrix();
    placeAfter(34.0f, 4.0f, -45.0f, listLabelBottle);
    placeAfter(0.3f, 0.0f, -4.0f, listDecanter);
    placeAfter(-0.4f, 0.0f, -3.0f, listGlass);
    placeAfter(0.0f, 0.0f, -2.0f, listBottle);
    glPopMatrix();

    // On the shelves at heights 4, 5.5 and 7 along the right wall.
    glPushMatrix();
    placeAfter(40.5f, 4.0f, -47.0f, listLabelBottle);
    glTranslatef(0.0f, 0.0f, -1.0f);
    // The one bottle turned away, its label facing elsewhere.
    glPushMatrix();
    glRotatef(80.0f, 0.0f, 1.0f, 0.0f);
    glCallList(listLabelBottle);
    glPopMatrix();
    // A row of four glasses on the middle shelf, then a bottle on the top one.
    placeAfter(0.0f, 1.5f, 0.0f, listGlass);
    placeAfter(0.0f, 0.0f, -0.75f, listGlass);
    placeAfter(0.0f, 0.0f, -0.75f, listGlass);
    placeAfter(0.0f, 0.0f, -0.75f, listGlass);
    placeAfter(0.0f, 1.5f, -4.0f, listBottle);
    glPopMatrix();

    // On the round tables, standing on their upper faces at height 2.625.
    glPushMatrix();
    placeAfter(7.0f, 2.625f, -7.0f, listLabelBottle);
    placeAfter(0.9f, 0.0f, 0.0f, listDecanter);
    placeAfter(7.0f, 0.0f, -7.5f, listGlass);
    placeAfter(-1.0f, 0.0f, 0.0f, listBottle);
    glPopMatrix();
}
