#include "scene/room.h"

#include "light/material.h"
#include "scene/tiles.h"

GLuint listRoom = 0;

namespace {
const float kWallBand = 4.0f;   // height of the wooden lower band
const float kUpperBand = 6.0f;  // white band up to the ceiling at 10
const float kWallTile = 2.0f;
// The room is 41 wide, but walls along x are tiled to 42 so that tiles of 2
// reach the far corner; the extra unit lies behind the right wall.
const float kTiledWidth = 42.0f;
const float kDepth = 56.0f;

// A wall in its local z = 0 plane: wood up to 4, white from 4 to 10.
void drawWall(float length) {
    setMaterial(&woodMaterial);
    tileRect(length, kWallBand, kWallTile);
    glTranslatef(0.0f, kWallBand, 0.0f);
    setMaterial(&whiteMaterial);
    tileRect(length, kUpperBand, kWallTile);
}
}  // namespace

void drawRoom() {
    setMaterial(&woodMaterial);

    // Floor: local +y runs toward world -z and local +z is world up.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    tileRect(25.0f, kDepth, 1.0f);
    // The chequered square in the front right corner, white tile at (25, 0, 0).
    glTranslatef(25.0f, 0.0f, 0.0f);
    checkerRect(16.0f, 16.0f, 1.0f, blackGlossMaterial, whiteGlossMaterial);
    // Behind the square the floor is wood again: checkerRect restored the material.
    glTranslatef(0.0f, 16.0f, 0.0f);
    tileRect(16.0f, 40.0f, 1.0f);
    glPopMatrix();

    setMaterial(&woodMaterial);

    // Ceiling at y = 10, facing up and away from the room.
    glPushMatrix();
    glTranslatef(0.0f, 10.0f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    tileRect(41.0f, kDepth, 1.0f);
    glPopMatrix();

    // Front wall in z = 0, facing away from the room.
    glPushMatrix();
    drawWall(kTiledWidth);
    glPopMatrix();

    // Left wall in x = 0: local +x runs toward world -z, facing +x into the room.
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    drawWall(kDepth);
    glPopMatrix();

    // Back wall in z = -56, facing into the room.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -kDepth);
    drawWall(kTiledWidth);
    glPopMatrix();

    // Right wall in x = 41: local +x runs toward world +z, facing -x into the room.
    glPushMatrix();
    glTranslatef(41.0f, 0.0f, -kDepth);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    drawWall(kDepth);
    glPopMatrix();
}

void compileRoomList() {
    listRoom = glGenLists(1);
    glNewList(listRoom, GL_COMPILE);
    drawRoom();
    glEndList();
}
