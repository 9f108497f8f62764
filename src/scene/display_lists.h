#pragma once

#include <GL/gl.h>

#include "scene/room.h"

// Display lists of the scene, compiled once at start-up; 0 until compiled.
extern GLuint listPoolTable;
extern GLuint listPoolLamp;
extern GLuint listTableBulbs;
extern GLuint listRoundTable;
extern GLuint listStool;
extern GLuint listPoolBalls;
extern GLuint listMirrorBall;
extern GLuint listCounter;
extern GLuint listBackShelves;
extern GLuint listDoor;
extern GLuint listDartboard;
extern GLuint listChair;
// Translucent lists, drawn in the blend pass.
extern GLuint listBottle;
extern GLuint listLabelBottle;
extern GLuint listGlass;
extern GLuint listDecanter;
extern GLuint listPoolShade;
extern GLuint listTableShades;
extern GLuint listBottleGroups;

// Compiles every list after listRoom, in order. The translucent ones are
// compiled with blending on and depth writes off; on return blending is off,
// depth writes are on and the blend function is source alpha, one minus source alpha.
void compileSceneLists();
