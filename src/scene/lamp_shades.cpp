#include <GL/gl.h>

#include "light/material.h"
#include "models/lamps.h"
#include "scene/scene_pieces.h"

namespace {
// One sloping side of the pool-lamp hood: a strip of upper-rim and lower-rim
// vertex pairs under a single (unnormalised) normal.
struct Vertex {
    GLfloat x, y, z;
};

template <int N>
void drawHoodSide(const GLfloat (&normal)[3], const Vertex (&vertices)[N]) {
    glBegin(GL_QUAD_STRIP);
    glNormal3fv(normal);
    for (const Vertex& v : vertices) {
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

// The hood's upper rim is x +-1.25, z +-0.25 at y 0; its lower rim is
// x +-1.75, z +-0.75 at y -0.87. The long sides are three slanted trapezoids.
const GLfloat kFrontNormal[3] = {0.0f, 2.0f, 1.0f};
const Vertex kFrontSide[8] = {
    {-1.25f, 0.0f, 0.25f}, {-1.75f, -0.87f, 0.75f}, {-0.75f, 0.0f, 0.25f}, {-0.25f, -0.87f, 0.75f},
    {0.75f, 0.0f, 0.25f},  {0.25f, -0.87f, 0.75f},  {1.25f, 0.0f, 0.25f},  {1.75f, -0.87f, 0.75f}};
const GLfloat kBackNormal[3] = {0.0f, 2.0f, -1.0f};
const Vertex kBackSide[8] = {{1.25f, 0.0f, -0.25f},  {1.75f, -0.87f, -0.75f},
                             {0.75f, 0.0f, -0.25f},  {0.25f, -0.87f, -0.75f},
                             {-0.75f, 0.0f, -0.25f}, {-0.25f, -0.87f, -0.75f},
                             {-1.25f, 0.0f, -0.25f}, {-1.75f, -0.87f, -0.75f}};
const GLfloat kLeftNormal[3] = {-1.0f, 2.0f, 0.0f};
const Vertex kLeftEnd[4] = {{-1.25f, 0.0f, -0.25f},
                            {-1.75f, -0.87f, -0.75f},
                            {-1.25f, 0.0f, 0.25f},
                            {-1.75f, -0.87f, 0.75f}};
const GLfloat kRightNormal[3] = {1.0f, 2.0f, 0.0f};
const Vertex kRightEnd[4] = {
    {1.25f, 0.0f, -0.25f}, {1.75f, -0.87f, -0.75f}, {1.25f, 0.0f, 0.25f}, {1.75f, -0.87f, 0.75f}};
}  // namespace

// The open rectangular hood over the pool lamp, in the lamp's frame. The shade
// material stays current afterwards.
void drawPoolShade() {
    setMaterialParts(GL_FRONT_AND_BACK, greenShadeMaterial.ambient, greenShadeMaterial.diffuse,
                     greenShadeMaterial.specular, greenShadeMaterial.emission,
                     &greenShadeMaterial.shininess);
    drawHoodSide(kFrontNormal, kFrontSide);
    drawHoodSide(kBackNormal, kBackSide);
    drawHoodSide(kLeftNormal, kLeftEnd);
    drawHoodSide(kRightNormal, kRightEnd);
}

// A shade over each round table, at the bulbs (7, 8, -7) and (15, 8, -15).
void drawTableShades() {
    glPushMatrix();
    glTranslatef(7.0f, 8.0f, -7.0f);
    drawShade(greenShadeMaterial);
    glTranslatef(8.0f, 0.0f, -8.0f);
    drawShade(greenShadeMaterial);
    glPopMatrix();
}
