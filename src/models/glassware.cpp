#include "models/glassware.h"

#include <GL/glu.h>

#include "light/material.h"
#include "models/exponential_run.h"
#include "texture/textures.h"

namespace {

const GLint kSlices = 30;

// The quadrics of a two-skinned vessel, each drawing its own kind of piece.
struct VesselQuadrics {
    GLUquadric* walls;     // bevel, body and inner-wall cylinders
    GLUquadric* bottoms;   // outer and inner bottom disks
    GLUquadric* rings;     // lip ring and liquid surface
    GLUquadric* segments;  // every exponential segment
};

GLUquadric* newFilledQuadric() {
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    return quadric;
}

VesselQuadrics newVesselQuadrics() {
    VesselQuadrics q{};
    q.walls = newFilledQuadric();
    q.bottoms = newFilledQuadric();
    q.rings = newFilledQuadric();
    q.segments = newFilledQuadric();
    return q;
}

void deleteVesselQuadrics(const VesselQuadrics& q) {
    gluDeleteQuadric(q.walls);
    gluDeleteQuadric(q.bottoms);
    gluDeleteQuadric(q.rings);
    gluDeleteQuadric(q.segments);
}

// Stacks the run's segments upward from the current origin, leaving the origin
// at the run's top; returns the radius the run ends with.
float drawExponentialRun(GLUquadric* quadric, const ExponentialRun& run, float startRadius) {
    const ConeStack cones = exponentialCones(run, startRadius);
    for (const ConeSegment& cone : cones.segments) {
        gluCylinder(quadric, cone.base, cone.top, run.height, kSlices, run.stacks);
        glTranslatef(0.0f, 0.0f, static_cast<float>(run.height));
    }
    return cones.endRadius;
}

// The outer bottom at height 0 and the bevel that joins it to the inner bottom
// 0.2 higher; rings counts both the disk's loops and the bevel's stacks.
void drawOuterBottom(const VesselQuadrics& q, GLint rings) {
    gluDisk(q.bottoms, 0.0, 1.0, kSlices, rings);
    gluCylinder(q.walls, 1.0, 0.85, 0.2, kSlices, rings);
}

void drawGreenGlassBody(const VesselQuadrics& q) {
    gluCylinder(q.walls, 1.0, 1.0, 3.0, kSlices, 30);
}

// The body wall as an opaque printed label. It writes depth, so the
// translucent glass drawn after it does not show through it; the wall
// quadric keeps its texture coordinates for the inner wall drawn later.
void drawLabelBody(const VesselQuadrics& q) {
    setMaterial(&chromeMaterial);
    glDepthMask(GL_TRUE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glEnable(GL_TEXTURE_2D);
    gluQuadricTexture(q.walls, GL_TRUE);
    gluCylinder(q.walls, 1.0, 1.0, 3.0, kSlices, 30);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    setMaterial(&greenGlassMaterial);
}

// A green bottle with two skins: the outer body wall is drawn by drawBody.
void drawTwoSkinBottle(float sx, float sz, float sy, void (*drawBody)(const VesselQuadrics&)) {
    const VesselQuadrics q = newVesselQuadrics();
    glPushMatrix();
    glScalef(sx, sy, sz);

    // Outer skin, built upward from the bottom plane (working +z is up).
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    setMaterial(&greenGlassMaterial);
    drawOuterBottom(q, 5);
    drawBody(q);
    glTranslatef(0.0f, 0.0f, 3.0f);
    const float outerMouth = drawExponentialRun(q.segments, outerShoulderRun, 1.0f);
    glPopMatrix();

    // Inner skin, 0.15 inside the wall, from the inner bottom at 0.2 up to the mouth at 4.8.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    setMaterial(&greenGlassMaterial);
    gluDisk(q.bottoms, 0.0, 0.85, kSlices, 5);
    gluCylinder(q.walls, 0.85, 0.85, 2.8, kSlices, 5);
    glTranslatef(0.0f, 0.0f, 2.8f);
    const float innerMouth = drawExponentialRun(q.segments, innerShoulderRun, 0.85f);
    // The lip closes the gap between the two skins at the mouth.
    gluDisk(q.rings, innerMouth, outerMouth, kSlices, 5);
    glPopMatrix();

    glPopMatrix();
    deleteVesselQuadrics(q);
}

}  // namespace

void drawBottle(float sx, float sz, float sy) {
    drawTwoSkinBottle(sx, sz, sy, drawGreenGlassBody);
}

void drawLabelBottle(float sx, float sz, float sy) {
    drawTwoSkinBottle(sx, sz, sy, drawLabelBody);
}

void drawDecanter(float sx, float sz, float sy) {
    const VesselQuadrics q = newVesselQuadrics();
    glPushMatrix();
    glScalef(sx, sy, sz);

    // Outer skin: waisted to 0.7 at height 1, straight from 2 to 2.5, then the neck.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    setMaterial(&smokedGlassMaterial);
    drawOuterBottom(q, 10);
    gluCylinder(q.walls, 1.0, 0.7, 1.0, kSlices, 30);
    glTranslatef(0.0f, 0.0f, 1.0f);
    gluCylinder(q.walls, 0.7, 1.0, 1.0, kSlices, 30);
    glTranslatef(0.0f, 0.0f, 1.0f);
    gluCylinder(q.walls, 1.0, 1.0, 0.5, kSlices, 30);
    glTranslatef(0.0f, 0.0f, 0.5f);
    const float outerMouth = drawExponentialRun(q.segments, outerNeckRun, 1.0f);
    glPopMatrix();

    // Inner skin: the same waist at 0.85 of the outer radii. Up to height 2 the
    // wall is the blue liquid, topped by its surface disk.
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    setMaterial(&smokedGlassMaterial);
    gluDisk(q.bottoms, 0.0, 0.85, kSlices, 5);
    setMaterial(&blueGlassMaterial);
    gluCylinder(q.walls, 0.85, 0.595, 0.8, kSlices, 10);
    glTranslatef(0.0f, 0.0f, 0.8f);
    gluCylinder(q.walls, 0.595, 0.85, 1.0, kSlices, 10);
    glTranslatef(0.0f, 0.0f, 1.0f);
    gluDisk(q.rings, 0.0, 0.85, 20, 20);
    setMaterial(&smokedGlassMaterial);
    gluCylinder(q.walls, 0.85, 0.85, 0.5, kSlices, 10);
    glTranslatef(0.0f, 0.0f, 0.5f);
    const float innerMouth = drawExponentialRun(q.segments, innerNeckRun, 0.85f);
    gluDisk(q.rings, innerMouth, outerMouth, kSlices, 10);
    glPopMatrix();

    glPopMatrix();
    deleteVesselQuadrics(q);
}

void drawGlass(float sx, float sz, float sy) {
    GLUquadric* foot = newFilledQuadric();
    GLUquadric* segments = newFilledQuadric();
    glPushMatrix();
    glScalef(sx, sy, sz);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    setMaterial(&clearGlassMaterial);
    gluDisk(foot, 0.0, 1.5, kSlices, 5);
    // The stem's first segment rises from the foot's edge; the bowl's first
    // segment, widening from the stem's tip, is the bowl's floor.
    const float stemTip = drawExponentialRun(segments, stemRun, 1.5f);
    drawExponentialRun(segments, bowlRun, stemTip);
    glPopMatrix();
    gluDeleteQuadric(foot);
    gluDeleteQuadric(segments);
}
