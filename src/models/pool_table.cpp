#include "models/pool_table.h"

#include <GL/gl.h>

#include <cstddef>

#include "light/material.h"

namespace {

struct Point {
    GLfloat x;
    GLfloat y;
    GLfloat z;
};

// One primitive whose normal is issued once, before its first vertex.
template <std::size_t N>
void drawBlock(GLenum mode, const Point& normal, const Point (&vertices)[N]) {
    glBegin(mode);
    glNormal3f(normal.x, normal.y, normal.z);
    for (const Point& v : vertices) {
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

// One primitive that keeps whatever normal is current.
template <std::size_t N>
void drawBareBlock(GLenum mode, const Point (&vertices)[N]) {
    glBegin(mode);
    for (const Point& v : vertices) {
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

void applyParts(const Material& m) {
    setMaterialParts(GL_FRONT_AND_BACK, m.ambient, m.diffuse, m.specular, m.emission, &m.shininess);
}

// Skirts: from the rail's outer edge at 2.6 they slope 0.27 inward down to 1.6.
const Point kEndSkirt[] = {
    {4.83f, 1.6f, 0.0f}, {5.1f, 2.6f, 0.0f}, {4.83f, 1.6f, 2.5f}, {5.1f, 2.6f, 2.77f}};
const Point kSideSkirt[] = {
    {4.83f, 1.6f, 2.5f}, {5.1f, 2.6f, 2.77f}, {0.0f, 1.6f, 2.5f}, {0.0f, 2.6f, 2.77f}};

// Rail top at 2.6, alternating outer and inner edge along the end rail, round
// the corner pocket and along the side rail. The repeated (4.95, 2.62) turns
// the strip round the corner.
const float kRailHeight = 2.6f;
const Point kRailTop[] = {
    {5.1f, kRailHeight, 0.0f},   {4.67f, kRailHeight, 0.0f},  {5.1f, kRailHeight, 2.04f},
    {4.67f, kRailHeight, 2.04f}, {5.1f, kRailHeight, 2.38f},  {4.95f, kRailHeight, 2.38f},
    {5.1f, kRailHeight, 2.5f},   {5.0f, kRailHeight, 2.5f},   {5.1f, kRailHeight, 2.62f},
    {4.95f, kRailHeight, 2.62f}, {5.1f, kRailHeight, 2.77f},  {4.95f, kRailHeight, 2.62f},
    {4.95f, kRailHeight, 2.77f}, {4.83f, kRailHeight, 2.67f}, {4.83f, kRailHeight, 2.77f},
    {4.64f, kRailHeight, 2.62f}, {4.64f, kRailHeight, 2.77f}, {4.37f, kRailHeight, 2.33f},
    {4.37f, kRailHeight, 2.77f}, {0.23f, kRailHeight, 2.33f}, {0.23f, kRailHeight, 2.77f},
    {0.12f, kRailHeight, 2.62f}, {0.12f, kRailHeight, 2.77f}, {0.0f, kRailHeight, 2.67f},
    {0.0f, kRailHeight, 2.77f}};

// Felt: the playing surface at 2.5 and the two cushion steps up to the rail.
const Point kPlayingSurface[] = {
    {4.67f, 2.5f, 2.33f}, {4.67f, 2.5f, 0.0f}, {0.0f, 2.5f, 2.33f}, {0.0f, 2.5f, 0.0f}};
const Point kEndCushion[] = {
    {4.67f, 2.5f, 2.04f}, {4.67f, 2.6f, 2.04f}, {4.67f, 2.5f, 0.0f}, {4.67f, 2.6f, 0.0f}};
const Point kSideCushion[] = {
    {0.23f, 2.5f, 2.33f}, {0.23f, 2.6f, 2.33f}, {4.37f, 2.5f, 2.33f}, {4.37f, 2.6f, 2.33f}};

// Leg: a square column x 3.33..4.33, z 1..2 from the floor up to 2, no caps.
const Point kLegInner[] = {
    {4.33f, 2.0f, 1.0f}, {4.33f, 0.0f, 1.0f}, {3.33f, 2.0f, 1.0f}, {3.33f, 0.0f, 1.0f}};
const Point kLegCentre[] = {
    {3.33f, 2.0f, 1.0f}, {3.33f, 0.0f, 1.0f}, {3.33f, 2.0f, 2.0f}, {3.33f, 0.0f, 2.0f}};
const Point kLegOuter[] = {
    {3.33f, 2.0f, 2.0f}, {3.33f, 0.0f, 2.0f}, {4.33f, 2.0f, 2.0f}, {4.33f, 0.0f, 2.0f}};
const Point kLegEnd[] = {
    {4.33f, 2.0f, 2.0f}, {4.33f, 0.0f, 2.0f}, {4.33f, 2.0f, 1.0f}, {4.33f, 0.0f, 1.0f}};

// Pockets: walls from the felt up to the rail along the rims of the rail top.
const Point kCornerPocketWall[] = {{4.67f, 2.6f, 2.04f}, {4.67f, 2.5f, 2.04f}, {4.95f, 2.6f, 2.38f},
                                   {4.95f, 2.5f, 2.38f}, {5.0f, 2.6f, 2.5f},   {5.0f, 2.5f, 2.5f},
                                   {4.95f, 2.6f, 2.62f}, {4.95f, 2.5f, 2.62f}, {4.83f, 2.6f, 2.67f},
                                   {4.83f, 2.5f, 2.67f}, {4.64f, 2.6f, 2.62f}, {4.64f, 2.5f, 2.62f},
                                   {4.37f, 2.6f, 2.33f}, {4.37f, 2.5f, 2.33f}};
// Lifted 0.001 above the felt, whose corner it overlaps, so that it wins the depth test there.
const Point kCornerPocketBottom[] = {{4.67f, 2.501f, 2.04f},
                                     {5.0f, 2.501f, 2.04f},
                                     {5.0f, 2.501f, 2.7f},
                                     {4.37f, 2.501f, 2.7f},
                                     {4.37f, 2.501f, 2.33f}};
// Half of a middle pocket; the neighbouring quarter's mirror image completes it.
const Point kMiddlePocketWall[] = {{0.23f, 2.6f, 2.33f}, {0.23f, 2.5f, 2.33f}, {0.12f, 2.6f, 2.62f},
                                   {0.12f, 2.5f, 2.62f}, {0.0f, 2.6f, 2.67f},  {0.0f, 2.5f, 2.67f}};
// Touches the felt only along z = 2.33, so it can lie at the felt's own height.
const Point kMiddlePocketBottom[] = {
    {0.23f, 2.5f, 2.33f}, {0.23f, 2.5f, 2.67f}, {0.0f, 2.5f, 2.67f}, {0.0f, 2.5f, 2.33f}};

const Point kUp = {0.0f, 1.0f, 0.0f};
const Point kPlusX = {1.0f, 0.0f, 0.0f};
const Point kMinusX = {-1.0f, 0.0f, 0.0f};
const Point kPlusZ = {0.0f, 0.0f, 1.0f};
const Point kMinusZ = {0.0f, 0.0f, -1.0f};

}  // namespace

void drawPoolTable() {
    applyParts(woodMaterial);

    drawPoolTableQuarter();

    // Mirrored in x: the quarter x <= 0, z >= 0. A single mirror reverses the
    // winding, so clockwise faces are the front ones while it is drawn.
    glPushMatrix();
    glScalef(-1.0f, 1.0f, 1.0f);
    glFrontFace(GL_CW);
    drawPoolTableQuarter();
    glFrontFace(GL_CCW);
    glPopMatrix();

    // Mirrored in z: the quarter x >= 0, z <= 0; then mirrored in x as well,
    // a half-turn about y that keeps the counter-clockwise winding.
    glPushMatrix();
    glFrontFace(GL_CW);
    glScalef(1.0f, 1.0f, -1.0f);
    drawPoolTableQuarter();
    glFrontFace(GL_CCW);
    glScalef(-1.0f, 1.0f, 1.0f);
    drawPoolTableQuarter();
    glPopMatrix();
}

void drawPoolTableQuarter() {
    // The wooden parts use the wood material the caller made current.
    drawBlock(GL_TRIANGLE_STRIP, kPlusX, kEndSkirt);
    drawBlock(GL_TRIANGLE_STRIP, kPlusZ, kSideSkirt);
    drawBlock(GL_TRIANGLE_STRIP, kUp, kRailTop);

    // The felt; restoring the lighting group brings the wood back.
    glPushAttrib(GL_LIGHTING_BIT);
    applyParts(feltMaterial);
    drawBlock(GL_TRIANGLE_STRIP, kUp, kPlayingSurface);
    drawBlock(GL_TRIANGLE_STRIP, kMinusX, kEndCushion);
    drawBlock(GL_TRIANGLE_STRIP, kMinusZ, kSideCushion);
    glPopAttrib();

    drawBlock(GL_TRIANGLE_STRIP, kMinusZ, kLegInner);
    drawBlock(GL_TRIANGLE_STRIP, kMinusX, kLegCentre);
    drawBlock(GL_TRIANGLE_STRIP, kPlusZ, kLegOuter);
    drawBlock(GL_TRIANGLE_STRIP, kPlusX, kLegEnd);

    // The pockets reflect nothing, so they keep the leg's last normal.
    glPushAttrib(GL_LIGHTING_BIT);
    applyParts(blackMaterial);
    drawBareBlock(GL_TRIANGLE_STRIP, kCornerPocketWall);
    drawBareBlock(GL_POLYGON, kCornerPocketBottom);
    drawBareBlock(GL_TRIANGLE_STRIP, kMiddlePocketWall);
    drawBareBlock(GL_POLYGON, kMiddlePocketBottom);
    glPopAttrib();
}
