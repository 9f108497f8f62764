#include "models/lamps.h"

#include <GL/glu.h>
#include <GL/glut.h>

// A black can of radius 0.35 along +z from 0 to 1, closed at the back, with
// its lens 0.1 inside the open end; two rods rise from the can's axis at
// z = 0.4 up to y = 2. Drawn every frame, so the lens shows its record's
// current contents.
void drawSpotLamp(const Material& lensMaterial) {
    GLUquadric* quadric = gluNewQuadric();

    glPushMatrix();
    setMaterial(&blackGlossMaterial);
    gluCylinder(quadric, 0.35, 0.35, 1.0, 20, 3);
    gluDisk(quadric, 0.0, 0.35, 20, 3);
    glTranslatef(0.0f, 0.0f, 0.9f);
    setMaterial(&lensMaterial);
    gluDisk(quadric, 0.0, 0.35, 20, 3);
    glPopMatrix();

    glPushMatrix();
    setMaterial(&blackGlossMaterial);
    glTranslatef(0.0f, 0.0f, 0.4f);
    // Cylinders run along local z; turn it to point up.
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(-0.15f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.05, 0.05, 2.0, 6, 3);
    glTranslatef(0.3f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.05, 0.05, 2.0, 6, 3);
    glPopMatrix();

    gluDeleteQuadric(quadric);
}

// An open cone, radius 0.25 at the origin widening to 1.5 one unit below.
void drawShade(const Material& shadeMaterial) {
    GLUquadric* quadric = gluNewQuadric();
    setMaterial(&shadeMaterial);

    glPushMatrix();
    // Point the cylinder's axis down.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.25, 1.5, 1.0, 20, 3);
    glPopMatrix();

    gluDeleteQuadric(quadric);
}

// A glowing ball of radius 0.2 whose top touches the origin, on a black cord
// that runs from 1.8 above the origin down to the ball's centre.
void drawBulb() {
    GLUquadric* quadric = gluNewQuadric();

    glPushMatrix();
    // Local z now points down.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    setMaterial(&glowMaterial);
    glutSolidSphere(0.2, 10, 5);
    glTranslatef(0.0f, 0.0f, -2.0f);
    setMaterial(&blackGlossMaterial);
    gluCylinder(quadric, 0.05, 0.05, 2.0, 6, 3);
    glPopMatrix();

    gluDeleteQuadric(quadric);
}
