#include "app/display.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "light/lamp_animation.h"
#include "light/lights.h"
#include "models/lamps.h"
#include "scene/display_lists.h"
#include "view/camera.h"

namespace {
// Sets the modelview matrix to the camera's view.
void lookFromCamera() {
    const LookAt view = lookAtFrom(camera);
    gluLookAt(view.eye[0], view.eye[1], view.eye[2], view.centre[0], view.centre[1], view.centre[2],
              0.0, 1.0, 0.0);
}

// A coloured spot lamp hanging at (x, 9.5, z), turned about y toward the
// chequered square and tilted down 40 degrees.
void drawWallSpotLamp(float x, float z, float turn, const Material& lens) {
    glPushMatrix();
    glTranslatef(x, 9.5f, z);
    glRotatef(turn, 0.0f, 1.0f, 0.0f);
    glRotatef(40.0f, 1.0f, 0.0f, 0.0f);
    drawSpotLamp(lens);
    glPopMatrix();
}

// A dartboard at the current position on the right wall, its face turned to the room.
void drawDartboardOnWall() {
    glPushMatrix();
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
    glCallList(listDartboard);
    glPopMatrix();
}

void drawOpaquePass() {
    glPushMatrix();
    glCallList(listRoom);
    glPopMatrix();

    // Balls on the first table only; the second table 15 further back.
    glPushMatrix();
    glTranslatef(12.5f, 0.0f, -31.0f);
    glCallList(listPoolBalls);
    glCallList(listPoolTable);
    glTranslatef(0.0f, 0.0f, -15.0f);
    glCallList(listPoolTable);
    glPopMatrix();

    // The pool lamps hang 8 above the tables.
    glPushMatrix();
    glTranslatef(12.5f, 8.0f, -31.0f);
    glCallList(listPoolLamp);
    glTranslatef(0.0f, 0.0f, -15.0f);
    glCallList(listPoolLamp);
    glPopMatrix();

    glCallList(listTableBulbs);

    // Round tables at (7, 0, -7) and (15, 0, -15).
    glPushMatrix();
    glTranslatef(7.0f, 0.0f, -7.0f);
    glCallList(listRoundTable);
    glTranslatef(8.0f, 0.0f, -8.0f);
    glCallList(listRoundTable);
    glPopMatrix();

    // Chairs at (5, 0, -7.5) and, turned, at (7.5, 0, -10).
    glPushMatrix();
    glTranslatef(5.0f, 0.0f, -7.5f);
    glCallList(listChair);
    glTranslatef(2.5f, 0.0f, -2.5f);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    glCallList(listChair);
    glPopMatrix();

    // Chair facing the first table from the other side.
    glPushMatrix();
    glTranslatef(10.0f, 0.0f, -7.5f);
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glCallList(listChair);
    glPopMatrix();

    // Chairs either side of the second table.
    glPushMatrix();
    glTranslatef(12.5f, 0.0f, -15.0f);
    glCallList(listChair);
    glTranslatef(5.0f, 0.0f, 0.0f);
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glCallList(listChair);
    glPopMatrix();

    // Stools along the counter: (32, -41), (31, -44), (30.5, -49), (31, -53).
    glPushMatrix();
    glTranslatef(32.0f, 0.0f, -41.0f);
    glCallList(listStool);
    glTranslatef(-1.0f, 0.0f, -3.0f);
    glCallList(listStool);
    glTranslatef(-0.5f, 0.0f, -5.0f);
    glCallList(listStool);
    glTranslatef(0.5f, 0.0f, -4.0f);
    glCallList(listStool);
    glPopMatrix();

    // The mirror ball over the chequered square, spinning about the vertical.
    glPushMatrix();
    glTranslatef(33.0f, 9.0f, -8.0f);
    glRotatef(mirrorBallAngle, 0.0f, 1.0f, 0.0f);
    glCallList(listMirrorBall);
    glPopMatrix();

    // Counter in the back right corner; the shelving, in the counter's turned
    // frame, stands at (40, 4, -56) along the right wall.
    glPushMatrix();
    glTranslatef(33.0f, 0.0f, -56.0f);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    glCallList(listCounter);
    glTranslatef(0.0f, 4.0f, -7.0f);
    glCallList(listBackShelves);
    glPopMatrix();

    // The door just in front of the front wall, so it does not fight the wall for depth.
    glPushMatrix();
    glTranslatef(4.0f, 0.0f, -0.001f);
    glCallList(listDoor);
    glPopMatrix();

    // Spot lamps where the coloured lights are, drawn directly: their lenses change.
    drawWallSpotLamp(40.0f, -1.0f, -135.0f, blueLensMaterial);
    drawWallSpotLamp(40.0f, -15.0f, -45.0f, redLensMaterial);
    drawWallSpotLamp(26.0f, -1.0f, 135.0f, greenLensMaterial);

    // Three dartboards on the right wall, 5 apart.
    glPushMatrix();
    glTranslatef(41.0f, 6.0f, -22.0f);
    drawDartboardOnWall();
    glTranslatef(0.0f, 0.0f, -5.0f);
    drawDartboardOnWall();
    glTranslatef(0.0f, 0.0f, -5.0f);
    drawDartboardOnWall();
    glPopMatrix();
}

// Translucent objects, unsorted; depth writes off so they do not hide one another.
void drawTranslucentPass() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);

    glPushMatrix();
    glTranslatef(12.5f, 8.0f, -31.0f);
    glCallList(listPoolShade);
    glTranslatef(0.0f, 0.0f, -15.0f);
    glCallList(listPoolShade);
    glPopMatrix();

    glPushMatrix();
    glCallList(listTableShades);
    glPopMatrix();

    glCallList(listBottleGroups);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
}  // namespace

void drawFrame() {
    glLoadIdentity();
    lookFromCamera();
    // After the view alone, so the lights are placed in world coordinates.
    placeLights();
    drawOpaquePass();
    drawTranslucentPass();
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFrame();
    glutSwapBuffers();
}
