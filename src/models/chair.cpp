#include "models/chair.h"

#include <GL/glut.h>

#include "light/material.h"
#include "texture/textures.h"

// The chair is built from unit cubes in a working frame with z up, its origin
// on the mid-plane of the seat, 1.8 above the floor; working -x is the back.

namespace {

// One splayed leg: the 10 degree turn about a horizontal axis across the leg's
// diagonal leans its lower end outward. The signs of the scale factors carry
// the leg to its corner; a single negative factor mirrors the cube and winds
// its faces the other way round.
struct ChairLeg {
    float axisX;
    float axisY;
    float scaleX;
    float scaleY;

    bool mirrored() const { return (scaleX < 0.0f) != (scaleY < 0.0f); }
};
const ChairLeg kLegs[] = {{1.0f, -1.0f, 0.25f, 0.25f},
                          {-1.0f, 1.0f, -0.25f, -0.25f},
                          {1.0f, 1.0f, -0.25f, 0.25f},
                          {-1.0f, -1.0f, 0.25f, -0.25f}};

}  // namespace

void drawChair(float sx, float sy, float sz) {
    glPushMatrix();
    glScalef(sx, sy, sz);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 1.8f);

    // Every cube is wood under the light wood texture. Cubes carry no texture
    // coordinates, so each shows the texel at whatever coordinate is current.
    setMaterial(&woodMaterial);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    glEnable(GL_TEXTURE_2D);

    // Seat: 1.8 square, 0.3 thick, centred on the origin.
    glPushMatrix();
    glScalef(1.8f, 1.8f, 0.3f);
    glutSolidCube(1.0);
    glPopMatrix();

    // Backrest at the back edge, leaning back 10 degrees toward -x. The
    // translations are in the scaled units of each piece.
    glPushMatrix();
    glRotatef(10.0f, 0.0f, -1.0f, 0.0f);

    // Two posts rising 1 from the seat's mid-plane near its back corners.
    glPushMatrix();
    glScalef(0.25f, 0.25f, 1.0f);
    glTranslatef(-2.5f, 2.5f, 0.5f);
    glutSolidCube(1.0);
    glPopMatrix();

    glPushMatrix();
    glScalef(0.25f, 0.25f, 1.0f);
    glTranslatef(-2.5f, -2.5f, 0.5f);
    glutSolidCube(1.0);
    glPopMatrix();

    // Panel from 0.9 to 2.7 above the mid-plane, overlapping the posts' tops.
    glScalef(0.3f, 1.5f, 1.8f);
    glTranslatef(-2.0f, 0.0f, 1.0f);
    glutSolidCube(1.0);
    glPopMatrix();

    // Legs 2 long, hanging from the mid-plane at (+-0.5, +-0.5).
    // A mirrored leg is drawn with clockwise front faces, so the sides that
    // face a light are lit as front faces, like those of the other legs.
    for (const ChairLeg& leg : kLegs) {
        glPushMatrix();
        glRotatef(10.0f, leg.axisX, leg.axisY, 0.0f);
        glScalef(leg.scaleX, leg.scaleY, 2.0f);
        glTranslatef(2.0f, 2.0f, -0.5f);
        if (leg.mirrored()) {
            glFrontFace(GL_CW);
            glutSolidCube(1.0);
            glFrontFace(GL_CCW);
        } else {
            glutSolidCube(1.0);
        }
        glPopMatrix();
    }

    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}
