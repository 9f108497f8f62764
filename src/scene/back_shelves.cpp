#include <GL/gl.h>

#include "light/material.h"
#include "scene/scene_pieces.h"
#include "scene/tiles.h"

namespace {
const float kPlankLength = 10.0f;
const float kPlankDepth = 1.0f;
const float kPlankThickness = 0.1f;
const float kShelfSpacing = 1.5f;

// The front edge and the far end of one plank, whose top is at y = 0; the back
// edge and the near end lie against the walls and stay open.
void drawPlankEdges() {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, -kPlankThickness, 0.0f);
    glVertex3f(kPlankLength, -kPlankThickness, 0.0f);
    glVertex3f(kPlankLength, 0.0f, 0.0f);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glVertex3f(kPlankLength, 0.0f, 0.0f);
    glVertex3f(kPlankLength, -kPlankThickness, 0.0f);
    glVertex3f(kPlankLength, -kPlankThickness, -kPlankDepth);
    glVertex3f(kPlankLength, 0.0f, -kPlankDepth);
    glEnd();
}
}  // namespace

// Three planks 10 long, 1 deep and 0.1 thick, running along x from 0 to 10
// and back from z = 0 to z = -1, with their tops at y = 0, 1.5 and 3.
void drawBackShelves() {
    setMaterial(&woodMaterial);

    // Tops: tilted so that the tile plane faces up and its y runs toward -z.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glTranslatef(0.0f, 0.0f, kShelfSpacing);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glTranslatef(0.0f, 0.0f, kShelfSpacing);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glPopMatrix();

    // Undersides, 0.1 below each top and facing down; local -z is world up here.
    glPushMatrix();
    glTranslatef(0.0f, -kPlankThickness, -kPlankDepth);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glTranslatef(0.0f, 0.0f, -kShelfSpacing);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glTranslatef(0.0f, 0.0f, -kShelfSpacing);
    tileRect(kPlankLength, kPlankDepth, 1.0f);
    glPopMatrix();

    // Edges of the three planks, one shelf spacing apart.
    glPushMatrix();
    drawPlankEdges();
    glTranslatef(0.0f, kShelfSpacing, 0.0f);
    drawPlankEdges();
    glTranslatef(0.0f, kShelfSpacing, 0.0f);
    drawPlankEdges();
    glPopMatrix();
}
