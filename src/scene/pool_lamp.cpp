#include <GL/glut.h>

#include "light/material.h"
#include "models/lamps.h"
#include "scene/scene_pieces.h"

// The pool lamp hangs from its suspension point: a glowing sphere just below
// it, flanked by two bulbs 0.8 to either side along the table's long axis.
void drawPoolLamp() {
    glPushMatrix();
    // The glowing sphere is centred 0.25 below the suspension point.
    glTranslatef(0.0f, -0.25f, 0.0f);
    setMaterial(&glowMaterial);
    glutSolidSphere(0.2, 10, 10);
    // The bulbs hang from (-0.8, -0.05, 0) and (0.8, -0.05, 0).
    glTranslatef(-0.8f, 0.2f, 0.0f);
    drawBulb();
    glTranslatef(1.6f, 0.0f, 0.0f);
    drawBulb();
    glPopMatrix();
}

// One bulb 8 above each round table, at (7, 8, -7) and (15, 8, -15).
void drawTableBulbs() {
    glPushMatrix();
    glTranslatef(7.0f, 8.0f, -7.0f);
    drawBulb();
    glTranslatef(8.0f, 0.0f, -8.0f);
    drawBulb();
    glPopMatrix();
}
