#include <GL/glut.h>

#include "light/material.h"
#include "scene/scene_pieces.h"

namespace {
// Moves on by one step from the previous ball and draws the next one.
// Centres are 2.66 up, so a ball of radius 0.16 rests on the felt at 2.5.
void drawBallAfter(GLfloat dx, GLfloat dy, GLfloat dz, const Material& material) {
    glTranslatef(dx, dy, dz);
    setMaterial(&material);
    glutSolidSphere(0.16, 10, 10);
}
}  // namespace

// Four balls on the felt, in the pool table's frame: centres (1, 2.66, 1),
// (1, 2.66, 2), (-1, 2.66, -1) and (-2, 2.66, -1).
void drawPoolBalls() {
    glPushMatrix();
    drawBallAfter(1.0f, 2.66f, 1.0f, redBallMaterial);
    drawBallAfter(0.0f, 0.0f, 1.0f, blackGlossMaterial);
    drawBallAfter(-2.0f, 0.0f, -3.0f, yellowBallMaterial);
    drawBallAfter(-1.0f, 0.0f, 0.0f, orangeBallMaterial);
    glPopMatrix();
}
