#include "models/table_and_stool.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "light/material.h"
#include "texture/textures.h"

// Both pieces are built in a working frame whose origin is the centre of the
// upper face of the top (or seat) and whose +z axis points straight down, so
// every part is stacked downward from the face along +z. The lift to that face
// is multiplied by sy and applied before the scale, which keeps the lowest
// parts on the floor whatever the scale.

namespace {

// The three quadric objects a routine draws with. They carry the same settings,
// so the split into wooden parts, cylinders and disks is only for reading.
struct Quadrics {
    GLUquadric* wood;
    GLUquadric* tube;
    GLUquadric* disk;
};

GLUquadric* newFilledQuadric() {
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    return quadric;
}

Quadrics newQuadrics() {
    Quadrics q;
    q.wood = newFilledQuadric();
    q.tube = newFilledQuadric();
    q.disk = newFilledQuadric();
    return q;
}

void deleteQuadrics(const Quadrics& q) {
    gluDeleteQuadric(q.wood);
    gluDeleteQuadric(q.tube);
    gluDeleteQuadric(q.disk);
}

// Lit wood under the given texture; from here on all three quadrics generate
// texture coordinates (the chrome parts drawn later keep generating them).
void beginWood(GLuint texture, const Quadrics& q) {
    setMaterial(&woodMaterial);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    gluQuadricTexture(q.wood, GL_TRUE);
    gluQuadricTexture(q.tube, GL_TRUE);
    gluQuadricTexture(q.disk, GL_TRUE);
}

// One table foot from the current origin on the column: the 80 degree tilt
// turns the rod from straight down to 10 degrees below the horizontal, and a
// ball closes its far end.
void drawTableFoot(GLUquadric* tube) {
    glRotatef(80.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(tube, 0.1, 0.1, 2.0, 10, 30);
    glTranslatef(0.0f, 0.0f, 2.0f);
    glutSolidSphere(0.1, 10, 5);
}

struct Offset {
    float x;
    float y;
};

// Upper vertical leg pieces of the stool, under the seat.
const Offset kUpperLegs[] = {{0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, {-0.5f, 0.5f}};

// Splayed leg pieces: each axis is horizontal and perpendicular to the piece's
// diagonal, so the 25 degree turn leans the lower end outward along it.
struct SplayedLeg {
    float axisX;
    float axisY;
    Offset offset;
};
const SplayedLeg kSplayedLegs[] = {{-1.0f, 1.0f, {0.5f, 0.5f}},
                                   {1.0f, -1.0f, {-0.5f, -0.5f}},
                                   {-1.0f, -1.0f, {-0.5f, 0.5f}},
                                   {1.0f, 1.0f, {0.5f, -0.5f}}};

// Lower vertical leg pieces, standing on the floor further out.
const Offset kLowerLegs[] = {{0.77f, 0.77f}, {-0.77f, -0.77f}, {-0.77f, 0.77f}, {0.77f, -0.77f}};

}  // namespace

void drawRoundTable(float sx, float sy, float sz) {
    const Quadrics q = newQuadrics();

    glPushMatrix();
    glTranslatef(0.0f, 2.1f * sy, 0.0f);
    glScalef(sx, sy, sz);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);

    // Wooden top, radius 2 and 0.2 thick, with its upper face at the origin.
    beginWood(textures[2], q);
    gluCylinder(q.wood, 2.0, 2.0, 0.2, 30, 3);
    gluDisk(q.wood, 0.0, 2.0, 30, 10);
    glTranslatef(0.0f, 0.0f, 0.2f);
    gluDisk(q.wood, 0.0, 2.0, 30, 10);
    glDisable(GL_TEXTURE_2D);

    // Chrome column from the underside down to 0.3 above the floor (at scale 1).
    setMaterial(&chromeMaterial);
    gluCylinder(q.tube, 0.2, 0.2, 1.6, 10, 10);
    // The feet leave the column 0.1 above its lower end; a disk closes it there.
    glTranslatef(0.0f, 0.0f, 1.5f);
    gluDisk(q.disk, 0.0, 0.2, 15, 10);

    // Three feet 120 degrees apart, the first toward -z of the caller.
    glPushMatrix();
    drawTableFoot(q.tube);
    glPopMatrix();

    glPushMatrix();
    glRotatef(120.0f, 0.0f, 0.0f, 1.0f);
    drawTableFoot(q.tube);
    glPopMatrix();

    glPushMatrix();
    glRotatef(-120.0f, 0.0f, 0.0f, 1.0f);
    drawTableFoot(q.tube);
    glPopMatrix();

    glPopMatrix();

    deleteQuadrics(q);
}

void drawStool(float sx, float sy, float sz) {
    const Quadrics q = newQuadrics();

    glPushMatrix();
    glTranslatef(0.0f, 4.04f * sy, 0.0f);
    glScalef(sx, sy, sz);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);

    // Wooden seat, radius 1 and 0.4 thick, with its upper face at the origin.
    beginWood(textures[1], q);
    gluDisk(q.wood, 0.0, 1.0, 30, 5);
    gluCylinder(q.wood, 1.0, 1.0, 0.4, 30, 2);
    glTranslatef(0.0f, 0.0f, 0.4f);
    gluDisk(q.wood, 0.0, 1.0, 30, 5);
    glDisable(GL_TEXTURE_2D);

    // Chrome frame, hanging from the seat's underside.
    setMaterial(&chromeMaterial);

    for (const Offset& leg : kUpperLegs) {
        glPushMatrix();
        glTranslatef(leg.x, leg.y, 0.0f);
        gluCylinder(q.tube, 0.15, 0.15, 1.5, 10, 5);
        glPopMatrix();
    }

    // Foot ring lying flat 1.8 below the seat top, its tube through the upper pieces.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 1.4f);
    glutSolidTorus(0.18, 0.7, 20, 20);
    glPopMatrix();

    // The splayed pieces start 2 below the seat top, bridging the upper and lower pieces.
    glTranslatef(0.0f, 0.0f, 1.6f);
    for (const SplayedLeg& leg : kSplayedLegs) {
        glPushMatrix();
        glRotatef(25.0f, leg.axisX, leg.axisY, 0.0f);
        glTranslatef(leg.offset.x, leg.offset.y, 0.0f);
        gluCylinder(q.tube, 0.15, 0.15, 1.0, 10, 5);
        glPopMatrix();
    }

    // The lower pieces run the last 1.5 down to the floor, each closed by a cap there.
    glTranslatef(0.0f, 0.0f, 0.54f);
    for (const Offset& leg : kLowerLegs) {
        glPushMatrix();
        glTranslatef(leg.x, leg.y, 0.0f);
        gluCylinder(q.tube, 0.15, 0.15, 1.5, 10, 5);
        glTranslatef(0.0f, 0.0f, 1.5f);
        gluDisk(q.disk, 0.0, 0.15, 30, 5);
        glPopMatrix();
    }

    glPopMatrix();

    deleteQuadrics(q);
}
