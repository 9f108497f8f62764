#include "models/door_and_dartboard.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "light/material.h"
#include "scene/tiles.h"
#include "texture/textures.h"

void drawDoor() {
    GLUquadric* quadric = gluNewQuadric();
    glPushMatrix();

    // The frame lies just behind the panel as the door is seen (from -z), so
    // only a 0.05 border of it shows around the panel. Black has no shade to
    // take from a normal.
    setMaterial(&blackMaterial);
    glBegin(GL_POLYGON);
    glVertex3f(-0.05f, -0.05f, 0.0005f);
    glVertex3f(4.05f, -0.05f, 0.0005f);
    glVertex3f(4.05f, 8.05f, 0.0005f);
    glVertex3f(-0.05f, 8.05f, 0.0005f);
    glEnd();

    setMaterial(&greyMaterial);
    tileRect(4.0f, 8.0f, 1.0f);

    // Move down a 45-degree line 0.45 out from the panel at (0.25, 3.5): the
    // push bar's left end. Local +z then points back up the line to the panel.
    setMaterial(&chromeMaterial);
    glTranslatef(0.25f, 3.5f, 0.0f);
    glRotatef(-45.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -0.45f);

    // The bar runs 3.5 along +x.
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    gluCylinder(quadric, 0.05, 0.05, 3.5, 10, 4);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);

    // Each end: a ball, and a square bracket (a four-sided cylinder turned
    // onto its edge) back to the panel.
    glutSolidSphere(0.05, 10, 5);
    glPushMatrix();
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    gluCylinder(quadric, 0.075, 0.075, 0.45, 4, 3);
    glPopMatrix();

    glTranslatef(3.5f, 0.0f, 0.0f);
    glutSolidSphere(0.05, 10, 5);
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    gluCylinder(quadric, 0.075, 0.075, 0.45, 4, 3);

    glPopMatrix();
    gluDeleteQuadric(quadric);
}

void drawDartboard(float sx, float sy, float sz) {
    GLUquadric* faceAndBack = gluNewQuadric();
    gluQuadricDrawStyle(faceAndBack, GLU_FILL);
    GLUquadric* rim = gluNewQuadric();
    gluQuadricDrawStyle(rim, GLU_FILL);

    // The quarter turn lays the image's horizontal along the caller's +y and
    // its vertical along -x; the face sits 0.2 out, the front of the board.
    glPushMatrix();
    glScalef(sx, sy, sz);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);

    // Textured face: the image is modulated by the lit white.
    setMaterial(&whiteMaterial);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, textures[3]);
    glEnable(GL_TEXTURE_2D);
    gluQuadricTexture(faceAndBack, GL_TRUE);
    gluDisk(faceAndBack, 0.0, 1.0, 20, 20);
    glDisable(GL_TEXTURE_2D);
    setMaterial(&woodMaterial);

    // Wooden rim from the wall (z = 0) to the face, and the back on the wall.
    glTranslatef(0.0f, 0.0f, -0.2f);
    gluCylinder(rim, 1.0, 1.0, 0.2, 20, 2);
    gluDisk(faceAndBack, 0.0, 1.0, 20, 20);

    glPopMatrix();
    gluDeleteQuadric(rim);
    gluDeleteQuadric(faceAndBack);
}
