#pragma once

#include <GL/gl.h>

// Display list of the room shell: floor with its chequered square, ceiling and
// four two-tone walls, in world coordinates. 0 until compiled.
extern GLuint listRoom;

// Records the room shell into the room's display list.
void drawRoom();

// Generates listRoom and compiles drawRoom into it.
void compileRoomList();
