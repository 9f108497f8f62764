#include <GL/glut.h>

#include "light/material.h"
#include "scene/scene_pieces.h"

// The faceted mirror ball, centred at the origin. Flat shading gives each facet
// one colour; all attributes are saved around it, so the shading model and the
// material afterwards are those in effect before.
void drawMirrorBall() {
    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glShadeModel(GL_FLAT);
    setMaterial(&mirrorMaterial);
    // Stand the sphere's polar axis upright, so its slices run round the
    // vertical axis the frame spins the ball about.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glutSolidSphere(1.0, 40, 20);
    glPopAttrib();
    glPopMatrix();
}
