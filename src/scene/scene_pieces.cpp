#include "scene/scene_pieces.h"

void drawPoolLamp() {}
void drawTableBulbs() {}
void drawPoolBalls() {}
void drawMirrorBall() {}
void drawBackShelves() {}
void drawPoolShade() {}
void drawTableShades() {}
void drawBottleGroups() {}
