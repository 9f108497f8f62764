#include "models/counter.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "light/material.h"
#include "scene/tiles.h"

namespace {
const float kHeight = 4.0f;
const float kTile = 1.0f;
const float kRailRadius = 0.2f;
const float kRailDrop = 0.1f;  // rail axis below the top surface
const float kMainLength = 16.0f;
const float kReturnLength = 8.0f;
const float kStripDepth = 0.2f;

// A strip hanging below an inner edge of the top, as one polygon.
void drawEdgeStrip(float nx, float nz, const GLfloat (&corners)[4][3]) {
    glBegin(GL_POLYGON);
    glNormal3f(nx, 0.0f, nz);
    for (const auto& c : corners) {
        glVertex3f(c[0], c[1], c[2]);
    }
    glEnd();
}
}  // namespace

void drawCounter() {
    GLUquadric* quadric = gluNewQuadric();

    // Everything below is placed relative to the top surface.
    glPushMatrix();
    glTranslatef(0.0f, kHeight, 0.0f);

    // Top, facing up: local +y runs toward -z. The main run x 0..16, z 0..-2,
    // then the return x 14..16, z -2..-8 beyond it.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    setMaterial(&blackGlossMaterial);
    tileRect(16.0f, 2.0f, kTile);
    glTranslatef(14.0f, 2.0f, 0.0f);
    tileRect(2.0f, 6.0f, kTile);
    glPopMatrix();

    // Rail along the two outer edges, its axis 0.1 below the top: first along
    // +x on z = 0, then from the corner at x = 16 along -z, with the sphere
    // capping the corner where the two tubes meet.
    glPushMatrix();
    glTranslatef(0.0f, -kRailDrop, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    setMaterial(&woodMaterial);
    gluCylinder(quadric, kRailRadius, kRailRadius, kMainLength, 10, 16);
    glTranslatef(0.0f, 0.0f, kMainLength);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    gluCylinder(quadric, kRailRadius, kRailRadius, kReturnLength, 10, 6);
    glutSolidSphere(kRailRadius, 10, 5);
    glPopMatrix();

    // Front panels, still wood, standing on the floor 1 back from the outer
    // edges: the main run in z = -1 facing +z, the return in x = 15 facing +x.
    glPushMatrix();
    glTranslatef(0.0f, -kHeight, -1.0f);
    tileRect(15.0f, 4.0f, kTile);
    glTranslatef(15.0f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    tileRect(7.0f, 4.0f, kTile);
    glPopMatrix();

    // Black strips hanging under the inner edges of the top, facing the bar side.
    glPushMatrix();
    setMaterial(&blackGlossMaterial);
    drawEdgeStrip(0.0f, -1.0f,
                  {{0.0f, -kStripDepth, -2.0f},
                   {0.0f, 0.0f, -2.0f},
                   {14.0f, 0.0f, -2.0f},
                   {14.0f, -kStripDepth, -2.0f}});
    drawEdgeStrip(-1.0f, 0.0f,
                  {{14.0f, -kStripDepth, -2.0f},
                   {14.0f, 0.0f, -2.0f},
                   {14.0f, 0.0f, -8.0f},
                   {14.0f, -kStripDepth, -8.0f}});
    glPopMatrix();

    glPopMatrix();

    gluDeleteQuadric(quadric);
}
