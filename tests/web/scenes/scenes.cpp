#include "scenes.h"

#include <GL/glut.h>

#include <cmath>
#include <vector>

namespace {

void set4(GLenum light, GLenum pname, float a, float b, float c, float d) {
    const float values[4] = {a, b, c, d};
    glLightfv(light, pname, values);
}

void material(GLenum face, GLenum pname, float a, float b, float c, float d = 1.0f) {
    const float values[4] = {a, b, c, d};
    glMaterialfv(face, pname, values);
}

// A white light shining from (x, y, z, w), with no ambient part.
void whiteLight(GLenum light, float x, float y, float z, float w) {
    glEnable(GL_LIGHTING);
    glEnable(light);
    set4(light, GL_POSITION, x, y, z, w);
    set4(light, GL_AMBIENT, 0, 0, 0, 1);
    set4(light, GL_DIFFUSE, 1, 1, 1, 1);
    set4(light, GL_SPECULAR, 1, 1, 1, 1);
}

void plainMaterial(float r, float g, float b, float shininess) {
    material(GL_FRONT_AND_BACK, GL_AMBIENT, 0.1f, 0.1f, 0.1f);
    material(GL_FRONT_AND_BACK, GL_DIFFUSE, r, g, b);
    material(GL_FRONT_AND_BACK, GL_SPECULAR, 0.6f, 0.6f, 0.6f);
    material(GL_FRONT_AND_BACK, GL_EMISSION, 0, 0, 0);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

// The square from (x0, y0) to (x1, y1) in the plane z, facing +z, cut into
// n x n quads so that lighting, which is worked out at vertices, follows.
void grid(float x0, float y0, float x1, float y1, float z, int n) {
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (int row = 0; row < n; ++row) {
        const float ya = y0 + (y1 - y0) * row / n;
        const float yb = y0 + (y1 - y0) * (row + 1) / n;
        glBegin(GL_QUAD_STRIP);
        for (int column = 0; column <= n; ++column) {
            const float x = x0 + (x1 - x0) * column / n;
            glTexCoord2f(static_cast<float>(column) / n, static_cast<float>(row) / n);
            glVertex3f(x, ya, z);
            glTexCoord2f(static_cast<float>(column) / n, static_cast<float>(row + 1) / n);
            glVertex3f(x, yb, z);
        }
        glEnd();
    }
}

// A quad with texture coordinates s0..s1 and t0..t1 over it.
void texturedQuad(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
}

// Texture `name`: n x n texels in two colours, in checks, drawn nearest.
void checkerTexture(GLuint name, int n, const unsigned char (&a)[3], const unsigned char (&b)[3]) {
    glBindTexture(GL_TEXTURE_2D, name);
    std::vector<unsigned char> texels;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const unsigned char* colour = (x + y) % 2 == 0 ? a : b;
            texels.insert(texels.end(), colour, colour + 3);
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, n, n, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

const unsigned char kRed[3] = {230, 40, 30};
const unsigned char kCream[3] = {240, 230, 190};
const unsigned char kBlue[3] = {30, 60, 200};

// --- The scenes ------------------------------------------------------------------

void directionalLight(bool) {
    glEnable(GL_DEPTH_TEST);
    whiteLight(GL_LIGHT0, 1.0f, 1.0f, 1.0f, 0.0f);
    plainMaterial(0.9f, 0.5f, 0.1f, 30.0f);
    glutSolidSphere(0.8, 32, 16);
}

void attenuatedPointLight(bool) {
    whiteLight(GL_LIGHT1, 0.2f, -0.1f, 0.6f, 1.0f);
    glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.5f);
    glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 1.0f);
    glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 2.0f);
    plainMaterial(0.2f, 0.8f, 0.4f, 10.0f);
    grid(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f, 24);
}

void spotLight(bool) {
    whiteLight(GL_LIGHT2, -0.1f, 0.1f, 1.0f, 1.0f);
    set4(GL_LIGHT2, GL_SPOT_DIRECTION, 0.2f, -0.1f, -1.0f, 0.0f);
    glLightf(GL_LIGHT2, GL_SPOT_CUTOFF, 35.0f);
    glLightf(GL_LIGHT2, GL_SPOT_EXPONENT, 6.0f);
    // A second, red spot with no fall-off inside its narrow cone.
    glEnable(GL_LIGHT3);
    set4(GL_LIGHT3, GL_POSITION, 0.6f, 0.6f, 0.8f, 1.0f);
    set4(GL_LIGHT3, GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    set4(GL_LIGHT3, GL_DIFFUSE, 1, 0, 0, 1);
    glLightf(GL_LIGHT3, GL_SPOT_CUTOFF, 20.0f);
    plainMaterial(0.8f, 0.8f, 0.8f, 20.0f);
    grid(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f, 32);
}

// The inside of a half cylinder open towards the viewer: its back faces,
// lit with the back material.
void twoSidedLighting(bool) {
    glEnable(GL_DEPTH_TEST);
    whiteLight(GL_LIGHT0, 0.3f, 0.5f, 1.0f, 0.0f);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    material(GL_FRONT, GL_DIFFUSE, 0.9f, 0.2f, 0.2f);
    material(GL_BACK, GL_DIFFUSE, 0.2f, 0.3f, 0.9f);
    material(GL_BACK, GL_SPECULAR, 0.0f, 0.0f, 0.0f);
    glRotatef(-30.0f, 0.0f, 1.0f, 0.0f);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 24; ++i) {
        const float angle = 3.14159265f * i / 24;
        glNormal3f(std::cos(angle), 0.0f, -std::sin(angle));
        glVertex3f(0.7f * std::cos(angle), 0.7f, -0.7f * std::sin(angle));
        glVertex3f(0.7f * std::cos(angle), -0.7f, -0.7f * std::sin(angle));
    }
    glEnd();
}

// Two spheres drawn a third of their size: normals rescaled on the left,
// left short (and dark) on the right.
void normalizeWithScaling(bool) {
    glEnable(GL_DEPTH_TEST);
    whiteLight(GL_LIGHT0, 0.0f, 0.5f, 1.0f, 0.0f);
    plainMaterial(0.3f, 0.6f, 0.9f, 40.0f);
    glPushMatrix();
    glTranslatef(-0.5f, 0.0f, 0.0f);
    glScalef(0.35f, 0.35f, 0.35f);
    glEnable(GL_NORMALIZE);
    glutSolidSphere(1.0, 24, 12);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.5f, 0.0f, 0.0f);
    glScalef(0.35f, 0.35f, 0.35f);
    glDisable(GL_NORMALIZE);
    glutSolidSphere(1.0, 24, 12);
    glPopMatrix();
}

// An 4 x 4 checker magnified, nearest on the left, linear on the right.
void magnificationFilters(bool) {
    checkerTexture(1, 4, kRed, kCream);
    glEnable(GL_TEXTURE_2D);
    texturedQuad(-0.95f, -0.5f, -0.05f, 0.5f, 0, 0, 1, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texturedQuad(0.05f, -0.5f, 0.95f, 0.5f, 0, 0, 1, 1);
}

// A 64 x 64 texture whose levels each have a colour of their own, drawn 16
// pixels across (level 2) with each minification filter; shifted half a
// texel of level 0, so that no pixel samples on a texel's edge.
void minificationFilters(bool) {
    const unsigned char colours[7][3] = {{255, 0, 0},    {0, 255, 0},   {0, 0, 255},
                                         {255, 255, 0},  {0, 255, 255}, {255, 0, 255},
                                         {255, 255, 255}};
    glBindTexture(GL_TEXTURE_2D, 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0, size = 64; size > 0; ++level, size /= 2) {
        std::vector<unsigned char> texels;
        for (int i = 0; i < size * size; ++i) {
            // Every texel of the level its colour, a dark one in each pair.
            const int shade = i % 2 == 0 ? 1 : 2;
            for (int c = 0; c < 3; ++c) {
                texels.push_back(static_cast<unsigned char>(colours[level][c] * shade / 2));
            }
        }
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     texels.data());
    }
    glEnable(GL_TEXTURE_2D);
    const GLint filters[6] = {GL_NEAREST,
                              GL_LINEAR,
                              GL_NEAREST_MIPMAP_NEAREST,
                              GL_LINEAR_MIPMAP_NEAREST,
                              GL_NEAREST_MIPMAP_LINEAR,
                              GL_LINEAR_MIPMAP_LINEAR};
    const float quad = 2.0f * 16 / kSceneSize;
    for (int i = 0; i < 6; ++i) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[i]);
        const float x = -1.0f + 2.0f * 8 / kSceneSize + (i % 3) * 2.0f * 32 / kSceneSize;
        const float y = (i < 3 ? 0.25f : -0.75f);
        const float shift = 1.0f / 128;
        texturedQuad(x, y, x + quad, y + quad, shift, shift, 1 + shift, 1 + shift);
    }
}

// Texture coordinates from -1 to 2, repeated on the left, clamped on the right.
void wrapModes(bool) {
    checkerTexture(3, 2, kBlue, kCream);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    texturedQuad(-0.95f, -0.6f, -0.05f, 0.6f, -1, -1, 2, 2);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    texturedQuad(0.05f, -0.6f, 0.95f, 0.6f, -1, -1, 2, 2);
}

// A lit, textured square: the texture modulating the light on the left,
// replacing it on the right.
void textureEnvironments(bool) {
    checkerTexture(4, 8, kRed, kCream);
    whiteLight(GL_LIGHT0, -1.0f, 1.0f, 1.0f, 0.0f);
    plainMaterial(0.8f, 0.8f, 0.8f, 20.0f);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(-0.5f, 0.0f, 0.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    grid(-0.4f, -0.6f, 0.4f, 0.6f, 0.0f, 8);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.5f, 0.0f, 0.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    grid(-0.4f, -0.6f, 0.4f, 0.6f, 0.0f, 8);
    glPopMatrix();
}

void colouredQuad(float x0, float y0, float x1, float y1, float r, float g, float b, float a) {
    glColor4f(r, g, b, a);
    glRectf(x0, y0, x1, y1);
}

// Translucent quads over a grey backdrop: by their alpha, added, and multiplied.
void blending(bool) {
    colouredQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    colouredQuad(-0.9f, 0.1f, 0.1f, 0.9f, 1.0f, 0.0f, 0.0f, 0.6f);
    colouredQuad(-0.5f, -0.3f, 0.5f, 0.5f, 0.0f, 0.0f, 1.0f, 0.3f);
    glBlendFunc(GL_ONE, GL_ONE);
    colouredQuad(0.2f, 0.2f, 0.9f, 0.9f, 0.0f, 0.4f, 0.0f, 1.0f);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    colouredQuad(-0.9f, -0.9f, 0.9f, -0.4f, 1.0f, 0.5f, 0.25f, 1.0f);
}

// A translucent quad that does not write depth: what is drawn behind it
// after it still shows, through it.
void depthMask(bool) {
    glEnable(GL_DEPTH_TEST);
    colouredQuad(-0.9f, -0.9f, 0.9f, 0.9f, 0.2f, 0.2f, 0.8f, 1.0f);  // at z = 0
    glTranslatef(0.0f, 0.0f, 0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    colouredQuad(-0.6f, -0.6f, 0.6f, 0.6f, 1.0f, 1.0f, 0.0f, 0.5f);
    glDepthMask(GL_TRUE);
    glTranslatef(0.0f, 0.0f, -0.25f);
    colouredQuad(-0.3f, -0.8f, 0.3f, 0.8f, 0.9f, 0.1f, 0.1f, 1.0f);
}

// Two quads wound opposite ways under two-sided lighting, front faces
// clockwise, lit from before and behind: the one wound clockwise shows its
// front material, the other its back material.
void winding(bool) {
    whiteLight(GL_LIGHT0, 0.0f, 0.3f, 1.0f, 0.0f);
    whiteLight(GL_LIGHT1, 0.0f, -0.3f, -1.0f, 0.0f);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    material(GL_FRONT, GL_DIFFUSE, 0.1f, 0.8f, 0.1f);
    material(GL_BACK, GL_DIFFUSE, 0.8f, 0.1f, 0.8f);
    glFrontFace(GL_CW);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(-0.9f, -0.5f);  // counter-clockwise: a back face
    glVertex2f(-0.1f, -0.5f);
    glVertex2f(-0.1f, 0.5f);
    glVertex2f(-0.9f, 0.5f);
    glVertex2f(0.1f, -0.5f);  // clockwise: a front face
    glVertex2f(0.1f, 0.5f);
    glVertex2f(0.9f, 0.5f);
    glVertex2f(0.9f, -0.5f);
    glEnd();
}

// Unlit triangles with a colour at each corner: smooth on the left, flat
// (the last vertex's colour) on the right.
void shading(bool) {
    for (int side = 0; side < 2; ++side) {
        glShadeModel(side == 0 ? GL_SMOOTH : GL_FLAT);
        const float x = side == 0 ? -0.95f : 0.05f;
        glBegin(GL_TRIANGLES);
        glColor3f(1.0f, 0.0f, 0.0f);
        glVertex2f(x, -0.8f);
        glColor3f(0.0f, 1.0f, 0.0f);
        glVertex2f(x + 0.9f, -0.8f);
        glColor3f(0.0f, 0.0f, 1.0f);
        glVertex2f(x + 0.45f, 0.8f);
        glEnd();
    }
}

// A material set between a primitive's vertices: OpenGL lights each vertex
// with the material current for it; the layer refuses it, says so, and
// keeps the material the primitive began with.
void materialBetweenVertices(bool refusedLeftOut) {
    whiteLight(GL_LIGHT0, 0.0f, 0.0f, 1.0f, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    material(GL_FRONT_AND_BACK, GL_DIFFUSE, 0.9f, 0.1f, 0.1f);
    glVertex2f(-0.8f, -0.8f);
    if (!refusedLeftOut) {
        material(GL_FRONT_AND_BACK, GL_DIFFUSE, 0.1f, 0.1f, 0.9f);
    }
    glVertex2f(0.8f, -0.8f);
    glVertex2f(0.0f, 0.8f);
    glEnd();
}

// Emission, the scene's ambient light and two coloured lights on a sphere.
void emissionAndAmbient(bool) {
    glEnable(GL_DEPTH_TEST);
    const float ambient[4] = {0.3f, 0.2f, 0.1f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT4);
    set4(GL_LIGHT4, GL_POSITION, -1, 0, 1, 0);
    set4(GL_LIGHT4, GL_DIFFUSE, 0.2f, 0.9f, 0.3f, 1);
    set4(GL_LIGHT4, GL_AMBIENT, 0.1f, 0.0f, 0.2f, 1);
    glEnable(GL_LIGHT5);
    set4(GL_LIGHT5, GL_POSITION, 1, 1, 1, 0);
    set4(GL_LIGHT5, GL_DIFFUSE, 0.8f, 0.3f, 0.9f, 1);
    set4(GL_LIGHT5, GL_SPECULAR, 1, 1, 1, 1);
    plainMaterial(0.7f, 0.7f, 0.7f, 60.0f);
    material(GL_FRONT_AND_BACK, GL_EMISSION, 0.1f, 0.0f, 0.15f);
    glutSolidSphere(0.8, 32, 16);
}

// A display list of a textured, flat-shaded piece with its own winding and
// material, called at two places under a perspective projection.
void displayListInPerspective(bool) {
    checkerTexture(5, 4, kBlue, kCream);
    glBindTexture(GL_TEXTURE_2D, 0);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushAttrib(GL_POLYGON_BIT | GL_LIGHTING_BIT);
    glShadeModel(GL_FLAT);
    plainMaterial(0.9f, 0.9f, 0.6f, 30.0f);
    glBindTexture(GL_TEXTURE_2D, 5);
    glEnable(GL_TEXTURE_2D);
    glRotatef(50.0f, 1.0f, 1.0f, 0.0f);
    glutSolidCube(0.6);
    glDisable(GL_TEXTURE_2D);
    glPopAttrib();
    glEndList();
    glEnable(GL_DEPTH_TEST);
    whiteLight(GL_LIGHT0, 1.0f, 1.0f, 1.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A frustum from 1 to 5 in front of the eye, 0.8 across at the near plane.
    const float frustum[16] = {2.5f, 0, 0, 0, 0, 2.5f, 0, 0, 0, 0, -1.5f, -1, 0, 0, -2.5f, 0};
    glMultMatrixf(frustum);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(-0.55f, 0.0f, -3.0f);
    glCallList(list);
    glTranslatef(1.1f, 0.2f, -1.0f);
    glCallList(list);
    glDeleteLists(list, 1);
}

// A disc written into the stencil buffer alone, then red where the stencil
// holds it and blue outside it within the scissor box of the left half; below,
// two bands against depths cleared to 0.5 with GL_GREATER, the far one
// drawn and the near one not; and a white square through a colour mask that
// lets only green through.
void fragmentTests(bool) {
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(0.0f, 0.1f);
    for (int i = 0; i <= 32; ++i) {
        const float angle = 2.0f * 3.14159265f * i / 32;
        glVertex2f(0.6f * std::cos(angle), 0.1f + 0.6f * std::sin(angle));
    }
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glColor3f(0.9f, 0.2f, 0.1f);
    glRectf(-1.0f, -0.5f, 1.0f, 1.0f);
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, kSceneSize / 2, kSceneSize);
    glColor3f(0.1f, 0.3f, 0.9f);
    glRectf(-1.0f, -0.5f, 1.0f, 1.0f);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    // Under the scenes' projection z = -1 lies at depth 0.75, z = 1 at 0.25.
    glClearDepth(0.5);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    glColor3f(0.6f, 0.6f, 0.6f);
    glRectf(-0.9f, -0.9f, 0.0f, -0.6f);
    glTranslatef(0.0f, 0.0f, -1.0f);
    glRectf(-0.9f, -0.9f, 0.0f, -0.6f);
    glTranslatef(0.0f, 0.0f, 2.0f);
    glColor3f(1.0f, 1.0f, 0.0f);
    glRectf(0.1f, -0.9f, 0.9f, -0.6f);
    glDisable(GL_DEPTH_TEST);
    glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(0.55f, 0.65f, 0.95f, 0.95f);
}

// Points 1 to 4 pixels across (odd sizes centred on a pixel, even ones on a
// pixel's corner) in rows at the top; below, lines 1 to 4 pixels wide, some
// running across the window and some up it, with a colour at each end; at
// the bottom left a flat-shaded strip, and a loop from a display list.
void pointsAndLines(bool) {
    for (int size = 1; size <= 4; ++size) {
        glPointSize(static_cast<float>(size));
        glColor3f(1.0f, 1.0f - 0.2f * size, 0.2f * size);
        glBegin(GL_POINTS);
        for (int i = 0; i < 5; ++i) {
            glVertex2f(-0.87f + 0.17f * i + 0.013f * size, 0.83f - 0.13f * size);
        }
        glEnd();
    }
    for (int width = 1; width <= 4; ++width) {
        const float w = static_cast<float>(width);
        glLineWidth(w);
        glBegin(GL_LINES);
        glColor3f(1.0f, 0.3f, 0.1f);
        glVertex2f(0.03f, 0.93f - 0.17f * w);
        glColor3f(0.2f, 0.9f, 1.0f);
        glVertex2f(0.91f, 0.71f - 0.13f * w);
        glColor3f(0.9f, 0.9f, 0.2f);
        glVertex2f(-0.93f + 0.21f * w, -0.07f);
        glColor3f(0.6f, 0.2f, 1.0f);
        glVertex2f(-0.81f + 0.27f * w, -0.43f);
        glEnd();
    }
    glLineWidth(2.0f);
    glShadeModel(GL_FLAT);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 6; ++i) {
        glColor3f(0.2f * i, 1.0f - 0.15f * i, 0.5f);
        glVertex2f(-0.91f + 0.17f * i, i % 2 == 0 ? -0.57f : -0.89f);
    }
    glEnd();
    glShadeModel(GL_SMOOTH);
    glLineWidth(1.0f);
    const GLuint loop = glGenLists(1);
    glNewList(loop, GL_COMPILE);
    glBegin(GL_LINE_LOOP);
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex2f(0.13f, -0.21f);
    glColor3f(0.1f, 0.8f, 0.3f);
    glVertex2f(0.87f, -0.33f);
    glColor3f(0.9f, 0.1f, 0.6f);
    glVertex2f(0.51f, -0.91f);
    glEnd();
    glEndList();
    glCallList(loop);
    glLineWidth(3.0f);
    glTranslatef(0.03f, 0.29f, 0.0f);
    glScalef(0.5f, 0.5f, 1.0f);
    glCallList(loop);
    glDeleteLists(loop, 1);
}

// A triangle wound counter-clockwise (red) and one wound clockwise (green).
void woundPair() {
    glBegin(GL_TRIANGLES);
    glColor3f(0.9f, 0.2f, 0.1f);
    glVertex2f(0.03f, 0.07f);
    glVertex2f(0.43f, 0.11f);
    glVertex2f(0.09f, 0.77f);
    glColor3f(0.2f, 0.9f, 0.2f);
    glVertex2f(0.47f, 0.09f);
    glVertex2f(0.13f, 0.83f);
    glVertex2f(0.45f, 0.87f);
    glEnd();
}

// A triangle wound each way (counter-clockwise red, clockwise green) in four
// columns: no face culled, the back, the front, and both. In the top row the
// front faces wind counter-clockwise; the bottom row draws them from a
// display list with front faces clockwise.
void culledFaces(bool) {
    const GLenum faces[] = {0, GL_BACK, GL_FRONT, GL_FRONT_AND_BACK};
    const GLuint pair = glGenLists(1);
    glNewList(pair, GL_COMPILE);
    woundPair();
    glEndList();
    for (int row = 0; row < 2; ++row) {
        glFrontFace(row == 0 ? GL_CCW : GL_CW);
        for (int column = 0; column < 4; ++column) {
            if (faces[column] == 0) {
                glDisable(GL_CULL_FACE);
            } else {
                glEnable(GL_CULL_FACE);
                glCullFace(faces[column]);
            }
            glPushMatrix();
            glTranslatef(-1.0f + 0.5f * column, row == 0 ? 0.0f : -1.0f, 0.0f);
            if (row == 0) {
                woundPair();
            } else {
                glCallList(pair);
            }
            glPopMatrix();
        }
    }
    glDeleteLists(pair, 1);
}

// Three bands, one per fog mode (linear, exponential, squared exponential
// from the top), each running from near the eye on the left to far on the
// right through a bluish fog, with a colour at each corner.
void fogModes(bool) {
    const GLfloat fogColor[4] = {0.3f, 0.4f, 0.7f, 1.0f};
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_START, 0.3f);
    glFogf(GL_FOG_END, 1.7f);
    glEnable(GL_FOG);
    const GLint modes[] = {GL_LINEAR, GL_EXP, GL_EXP2};
    const float densities[] = {1.0f, 1.3f, 1.1f};
    for (int band = 0; band < 3; ++band) {
        glFogi(GL_FOG_MODE, modes[band]);
        glFogf(GL_FOG_DENSITY, densities[band]);
        const float top = 0.93f - 0.63f * band;
        glBegin(GL_QUADS);
        glColor3f(1.0f, 0.9f, 0.3f);
        glVertex3f(-0.95f, top - 0.55f, -0.05f);
        glColor3f(0.9f, 0.2f, 0.2f);
        glVertex3f(0.95f, top - 0.55f, -1.95f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glVertex3f(0.95f, top, -1.95f);
        glColor3f(0.2f, 0.9f, 0.3f);
        glVertex3f(-0.95f, top, -0.05f);
        glEnd();
    }
}

// Above, two bands whose alpha runs from 0 on the left to 1 on the right,
// through the alpha test: the top one passes alpha above 0.3, the other alpha
// up to 0.7. Below, a shiny square lit from straight ahead and seen by a
// viewer at the eye: the highlight falls where the square faces the eye.
void alphaTestAndLocalViewer(bool) {
    glEnable(GL_ALPHA_TEST);
    const GLenum tests[] = {GL_GREATER, GL_LEQUAL};
    const float references[] = {0.3f, 0.7f};
    for (int band = 0; band < 2; ++band) {
        glAlphaFunc(tests[band], references[band]);
        const float top = 0.93f - 0.3f * band;
        glBegin(GL_QUADS);
        glColor4f(0.9f, 0.5f, 0.1f, 0.0f);
        glVertex2f(-0.95f, top - 0.25f);
        glColor4f(0.2f, 0.6f, 0.9f, 1.0f);
        glVertex2f(0.95f, top - 0.25f);
        glVertex2f(0.95f, top);
        glColor4f(0.9f, 0.5f, 0.1f, 0.0f);
        glVertex2f(-0.95f, top);
        glEnd();
    }
    glDisable(GL_ALPHA_TEST);
    whiteLight(GL_LIGHT0, 0.0f, 0.0f, 1.0f, 0.0f);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    plainMaterial(0.2f, 0.3f, 0.6f, 30.0f);
    grid(-0.9f, -0.95f, 0.9f, 0.3f, -0.6f, 16);
}

// Lit squares whose vertex colours stand for part of their material, with a
// colour at each corner: ambient and diffuse (the top one), the emission
// (bottom left) and the specular colour under a shiny highlight (bottom
// right), the rest of the material a dim grey.
void colourMaterial(bool) {
    whiteLight(GL_LIGHT0, 0.3f, 0.4f, 1.0f, 0.0f);
    plainMaterial(0.2f, 0.2f, 0.2f, 20.0f);
    glEnable(GL_COLOR_MATERIAL);
    const GLenum parameters[] = {GL_AMBIENT_AND_DIFFUSE, GL_EMISSION, GL_SPECULAR};
    const float places[][4] = {
        {-0.9f, 0.1f, 0.9f, 0.9f}, {-0.9f, -0.9f, -0.1f, -0.1f}, {0.1f, -0.9f, 0.9f, -0.1f}};
    for (int i = 0; i < 3; ++i) {
        glColorMaterial(GL_FRONT_AND_BACK, parameters[i]);
        const float* p = places[i];
        glNormal3f(0.0f, 0.0f, 1.0f);
        glBegin(GL_QUADS);
        glColor3f(0.9f, 0.2f, 0.1f);
        glVertex2f(p[0], p[1]);
        glColor3f(0.1f, 0.8f, 0.2f);
        glVertex2f(p[2], p[1]);
        glColor3f(0.2f, 0.3f, 0.9f);
        glVertex2f(p[2], p[3]);
        glColor3f(0.9f, 0.9f, 0.2f);
        glVertex2f(p[0], p[3]);
        glEnd();
    }
}

// Vertex arrays of each kind, read as they are when drawn: top left, a fan
// from float vertices and byte colours (glDrawArrays); top right, a lit
// square from short vertices, byte normals and float colours through byte
// indices (glDrawElements); below, a strip from glArrayElement between glBegin and
// glEnd, and a display list compiled from the arrays, called after they
// changed, which still draws what they held.
void vertexArrays(bool) {
    const GLfloat fan[] = {-0.55f, 0.55f, -0.95f, 0.2f, -0.2f, 0.15f, -0.1f, 0.9f, -0.85f, 0.95f};
    const GLubyte fanColors[] = {255, 255, 255, 255, 230, 40,  30,  255, 30, 200,
                                 60,  255, 40,  60,  230, 255, 230, 230, 40, 255};
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, fan);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, fanColors);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 5);

    // Vertices 8 bytes apart, with two bytes of something else after each.
    struct Lit {
        GLshort position[3];
        GLbyte other[2];
    };
    const Lit lit[] = {
        {{10, 10, 0}, {0, 0}}, {{90, 10, 0}, {0, 0}}, {{90, 90, 0}, {0, 0}}, {{10, 90, 0}, {0, 0}}};
    const GLbyte normalsWithZ[] = {-40, 0, 100, 40, 0, 100, 40, 40, 100, -40, 40, 100};
    const GLfloat litColors[] = {0.9f, 0.3f, 0.2f, 0.3f, 0.9f, 0.2f,
                                 0.2f, 0.3f, 0.9f, 0.9f, 0.9f, 0.9f};
    const GLubyte quad[] = {0, 1, 2, 3};
    whiteLight(GL_LIGHT0, 0.0f, 0.0f, 1.0f, 0.0f);
    glEnable(GL_COLOR_MATERIAL);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_SHORT, sizeof(Lit), lit[0].position);
    glNormalPointer(GL_BYTE, 3, normalsWithZ);
    glColorPointer(3, GL_FLOAT, 0, litColors);
    glPushMatrix();
    glTranslatef(0.05f, 0.05f, 0.0f);
    glScalef(0.009f, 0.009f, 1.0f);
    // A fan, not a quad: Mesa cuts quads drawn from arrays on the other
    // diagonal from those of glBegin.
    glDrawElements(GL_TRIANGLE_FAN, 4, GL_UNSIGNED_BYTE, quad);
    glPopMatrix();
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisableClientState(GL_NORMAL_ARRAY);

    GLfloat strip[] = {-0.9f, -0.9f, -0.9f, -0.3f, -0.5f, -0.8f, -0.4f, -0.2f, -0.1f, -0.9f};
    const GLfloat stripColors[] = {1.0f, 0.5f, 0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 1.0f,
                                   0.0f, 0.5f, 0.0f, 1.0f, 0.0f, 1.0f, 0.5f};
    glVertexPointer(2, GL_FLOAT, 0, strip);
    glColorPointer(3, GL_FLOAT, 0, stripColors);
    glBegin(GL_TRIANGLE_STRIP);
    for (GLint i = 0; i < 5; ++i) {
        glArrayElement(i);
    }
    glEnd();
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 5);
    glEndList();
    for (GLfloat& coordinate : strip) {
        coordinate = 0.0f;  // the list keeps what the arrays held when it was compiled
    }
    glTranslatef(1.0f, 0.0f, 0.0f);
    glCallList(list);
    glDeleteLists(list, 1);

    // Colours and vertices interleaved, drawn as a polygon's edges, one of
    // them hidden by the edge flag array.
    struct Interleaved {
        GLubyte color[4];
        GLfloat position[3];
    };
    const Interleaved outline[] = {{{255, 230, 40, 255}, {-1.9f, -0.15f, 0.0f}},
                                   {{255, 230, 40, 255}, {-1.1f, -0.15f, 0.0f}},
                                   {{40, 230, 255, 255}, {-1.1f, 0.1f, 0.0f}},
                                   {{40, 230, 255, 255}, {-1.9f, 0.1f, 0.0f}}};
    const GLboolean flags[] = {GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE};
    glInterleavedArrays(GL_C4UB_V3F, 0, outline);
    glEdgeFlagPointer(0, flags);
    glEnableClientState(GL_EDGE_FLAG_ARRAY);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDrawArrays(GL_POLYGON, 0, 4);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// Checks seen through the texture matrix: above left, turned a twelfth of a
// turn about the texture's centre and doubled; above right, shifted and
// sheared by a display list that moves the texture matrix itself; below, a
// projective matrix (q = 1 + 1.5 s) that crowds the checks to the right.
void textureMatrix(bool) {
    checkerTexture(8, 4, kBlue, kCream);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_TEXTURE);
    glTranslatef(0.5f, 0.5f, 0.0f);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    glScalef(2.0f, 2.0f, 1.0f);
    glTranslatef(-0.5f, -0.5f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    texturedQuad(-0.95f, 0.05f, -0.05f, 0.95f, 0, 0, 1, 1);

    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(0.25f, 0.0f, 0.0f);
    const GLfloat shear[16] = {1, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glMultMatrixf(shear);
    glMatrixMode(GL_MODELVIEW);
    texturedQuad(0.05f, 0.05f, 0.95f, 0.95f, 0, 0, 2, 2);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEndList();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glCallList(list);
    glDeleteLists(list, 1);

    glMatrixMode(GL_TEXTURE);
    const GLfloat projective[16] = {1, 0, 0, 1.5f, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glLoadMatrixf(projective);
    glMatrixMode(GL_MODELVIEW);
    texturedQuad(-0.95f, -0.95f, 0.95f, -0.05f, 0, 0, 4, 1);
    // The texture matrix is no attribute: the next scene starts without it.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

// A lit sphere cut by two clip planes, one level and one slanting, given
// under the transforms then in force (the slanting one by a display list);
// beside it wide lines and points, those beyond a third plane clipped, a
// point whole or not at all.
void clipPlanes(bool) {
    glEnable(GL_DEPTH_TEST);
    whiteLight(GL_LIGHT0, 0.5f, 1.0f, 1.0f, 0.0f);
    plainMaterial(0.3f, 0.7f, 0.9f, 40.0f);
    glPushMatrix();
    glTranslatef(-0.35f, 0.0f, 0.0f);
    const GLdouble level[4] = {0.0, 1.0, 0.0, 0.2};
    glClipPlane(GL_CLIP_PLANE0, level);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    const GLdouble slant[4] = {-1.0, 0.0, 0.0, 0.35};
    glClipPlane(GL_CLIP_PLANE3, slant);
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);
    glEnable(GL_CLIP_PLANE0);
    glEnable(GL_CLIP_PLANE3);
    glutSolidSphere(0.55, 32, 16);
    glDisable(GL_CLIP_PLANE3);
    glDisable(GL_CLIP_PLANE0);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    const GLdouble right[4] = {-1.0, 0.0, 0.0, 0.75};
    glClipPlane(GL_CLIP_PLANE1, right);
    glEnable(GL_CLIP_PLANE1);
    glLineWidth(3.0f);
    glColor3f(1.0f, 0.8f, 0.2f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 6; ++i) {
        glVertex2f(0.35f + 0.1f * i, i % 2 == 0 ? 0.5f : 0.8f);
    }
    glEnd();
    glPointSize(5.0f);
    glColor3f(0.9f, 0.3f, 0.8f);
    glBegin(GL_POINTS);
    for (int i = 0; i <= 6; ++i) {
        glVertex2f(0.32f + 0.1f * i, -0.6f);
    }
    glEnd();
    glDisable(GL_CLIP_PLANE1);
}

// A lit sphere drawn filled, pushed back by a polygon offset, with its edges
// drawn over it as lines; a polygon whose front shows its edges and whose
// back its corners, one edge hidden by its flag; and a stippled quad over a
// plain one.
void polygonModes(bool) {
    glEnable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(-0.45f, 0.35f, 0.0f);
    whiteLight(GL_LIGHT0, 0.5f, 1.0f, 1.0f, 0.0f);
    plainMaterial(0.8f, 0.5f, 0.2f, 20.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glutSolidSphere(0.45, 12, 8);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
    glColor3f(0.1f, 0.2f, 0.6f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glutSolidSphere(0.45, 12, 8);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);

    // The same pentagon seen from the front (edges) and, turned over, from
    // the back (corners).
    glPolygonMode(GL_FRONT, GL_LINE);
    glPolygonMode(GL_BACK, GL_POINT);
    glPointSize(3.0f);
    for (const float turned : {0.0f, 180.0f}) {
        glPushMatrix();
        glTranslatef(0.5f, turned == 0.0f ? 0.5f : 0.0f, 0.0f);
        glRotatef(turned, 0.0f, 1.0f, 0.0f);
        glBegin(GL_POLYGON);
        glColor3f(1.0f, 0.9f, 0.2f);
        glVertex2f(-0.3f, -0.15f);
        glEdgeFlag(GL_FALSE);
        glVertex2f(0.3f, -0.15f);
        glEdgeFlag(GL_TRUE);
        glColor3f(0.2f, 0.9f, 0.9f);
        glVertex2f(0.35f, 0.1f);
        glVertex2f(0.0f, 0.3f);
        glVertex2f(-0.35f, 0.1f);
        glEnd();
        glPopMatrix();
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    // Diagonal stripes four pixels wide.
    GLubyte stripes[128];
    for (int row = 0; row < 32; ++row) {
        for (int byte = 0; byte < 4; ++byte) {
            GLubyte bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int column = byte * 8 + bit;
                bits = static_cast<GLubyte>(bits | (((column + row) / 4 % 2) << (7 - bit)));
            }
            stripes[row * 4 + byte] = bits;
        }
    }
    glColor3f(0.3f, 0.3f, 0.3f);
    glRectf(-0.9f, -0.9f, 0.2f, -0.3f);
    glPolygonStipple(stripes);
    glEnable(GL_POLYGON_STIPPLE);
    glColor3f(0.9f, 0.3f, 0.5f);
    glRectf(-0.8f, -0.8f, 0.1f, -0.4f);
    glDisable(GL_POLYGON_STIPPLE);
}

// Smooth points and lines blended as programs blend them, over a band
// that shows their coverage: points 1 to 10 across (one half transparent),
// lines 1 to 4 wide at several slopes, one shorter than a pixel, and a
// stippled strip whose dashes each fade at their ends.
void smoothPointsAndLines(bool) {
    glColor3f(0.2f, 0.3f, 0.6f);
    glRectf(-1.0f, -0.15f, 1.0f, 0.15f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POINT_SMOOTH);
    const float sizes[] = {1.0f, 3.0f, 4.5f, 6.5f, 10.0f};
    for (int i = 0; i < 5; ++i) {
        glPointSize(sizes[i]);
        glColor4f(1.0f, 0.9f - 0.15f * i, 0.3f, i == 3 ? 0.6f : 1.0f);
        glBegin(GL_POINTS);
        glVertex2f(-0.86f + 0.21f * i + 0.013f * i, 0.8f - 0.011f * i);
        glVertex2f(-0.82f + 0.21f * i, 0.03f + 0.017f * i);
        glEnd();
    }
    glDisable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    const float widths[] = {1.0f, 1.5f, 2.5f, 4.0f};
    for (int i = 0; i < 4; ++i) {
        const float f = static_cast<float>(i);
        glLineWidth(widths[i]);
        glBegin(GL_LINES);
        glColor3f(0.3f, 1.0f, 0.4f);
        glVertex2f(-0.93f + 0.06f * f, 0.55f - 0.12f * f);
        glColor3f(1.0f, 0.5f, 0.9f);
        glVertex2f(0.95f, 0.62f - 0.21f * f);
        glColor3f(1.0f, 0.8f, 0.2f);
        glVertex2f(-0.9f + 0.2f * f, -0.95f);
        glVertex2f(-0.75f + 0.31f * f, -0.2f + 0.02f * f);
        glEnd();
    }
    glLineWidth(3.0f);
    glBegin(GL_LINES);
    glVertex2f(0.6f, 0.85f);
    glVertex2f(0.613f, 0.845f);
    glEnd();
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0x1C47);
    glColor3f(0.4f, 0.9f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 4; ++i) {
        glVertex2f(0.25f + 0.2f * static_cast<float>(i), i % 2 == 0 ? -0.92f : -0.3f);
    }
    glEnd();
}

// Smooth lines and points in perspective, within the view (Mesa cuts a line
// that leaves it before widening it): lines 1.7 to 3.8 wide running away from
// the eye, whose coverage is interpolated in perspective across each quad as
// Mesa's is, a stippled strip, and two points.
void smoothInPerspective(bool) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.1, 0.1, -0.1, 0.1, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, 0.0f, -1.2f);
    glRotatef(70.0f, 1.0f, 0.0f, 0.0f);
    for (int i = 1; i < 5; ++i) {
        const float f = static_cast<float>(i);
        glLineWidth(1.0f + 0.7f * f);
        glBegin(GL_LINES);
        glColor3f(1.0f, 0.2f * f, 0.3f);
        glVertex3f(-0.9f + 0.3f * f, -1.0f, 0.0f);
        glColor3f(0.2f, 1.0f, 0.25f * f);
        glVertex3f(-0.8f + 0.32f * f, 0.5f, 0.0f);
        glEnd();
    }
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0x1C47);
    glLineWidth(2.0f);
    glColor3f(0.4f, 0.9f, 1.0f);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-0.7f, -0.5f, 0.1f);
    glVertex3f(0.2f, 0.9f, 0.1f);
    glVertex3f(0.7f, -0.8f, 0.1f);
    glEnd();
    glPointSize(7.0f);
    glBegin(GL_POINTS);
    glVertex3f(-0.5f, 0.5f, 0.3f);
    glVertex3f(0.5f, -0.6f, 0.3f);
    glEnd();
}

// Wide lines from behind the eye to far in front of it, as a floor's lines
// run round a viewer: aliased ones along the view and one across it, one
// shaded from end to end, and a smooth strip. OpenGL cuts each at the near
// plane before it widens it.
void linesThroughTheNearPlane(bool) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.1, 0.1, -0.1, 0.1, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLineWidth(3.0f);
    glBegin(GL_LINES);
    for (int i = 0; i < 4; ++i) {
        const float x = -0.9f + 0.6f * static_cast<float>(i);
        glColor3f(1.0f, 0.8f - 0.2f * static_cast<float>(i), 0.2f);
        glVertex3f(x, -0.4f, 1.0f);
        glVertex3f(x + 0.3f, -0.4f, -4.0f);
    }
    glColor3f(0.3f, 0.9f, 1.0f);
    glVertex3f(-0.6f, 0.1f, -0.6f);
    glVertex3f(0.8f, -0.05f, 0.6f);
    glEnd();
    glLineWidth(4.0f);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.1f, 0.5f, 2.0f);
    glColor3f(0.0f, 0.2f, 1.0f);
    glVertex3f(-0.2f, 0.2f, -3.0f);
    glEnd();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(2.5f);
    glColor3f(0.6f, 1.0f, 0.4f);
    glBegin(GL_LINE_STRIP);
    glVertex3f(0.9f, 0.4f, 1.5f);
    glVertex3f(0.4f, -0.1f, -2.5f);
    glVertex3f(-0.6f, 0.6f, -3.0f);
    glEnd();
}

// Stippled lines: a circle as one loop, whose pattern runs on round it; a
// wide strip with its pattern stretched; separate segments, each starting
// the pattern again; and, in perspective, a square's edges drawn as lines.
void stippledLines(bool) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0x0F0F);
    glColor3f(1.0f, 0.9f, 0.3f);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 40; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / 40.0f;
        glVertex2f(-0.45f + 0.4f * std::cos(angle), 0.45f + 0.4f * std::sin(angle));
    }
    glEnd();
    glLineStipple(3, 0x5F5F);
    glLineWidth(3.0f);
    glColor3f(0.3f, 0.9f, 1.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 5; ++i) {
        glVertex2f(0.1f + 0.16f * i, i % 2 == 0 ? 0.15f : 0.8f);
    }
    glEnd();
    glLineWidth(1.0f);
    glLineStipple(2, 0x3333);
    glColor3f(1.0f, 0.4f, 0.6f);
    glBegin(GL_LINES);
    for (int i = 0; i < 5; ++i) {
        glVertex2f(-0.9f, -0.1f - 0.08f * i);
        glVertex2f(-0.1f + 0.05f * i, -0.2f - 0.12f * i);
    }
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glFrustum(-0.1, 0.1, -0.1, 0.1, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0.55f, -0.55f, -1.5f);
    glRotatef(60.0f, 1.0f, 0.0f, 0.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineStipple(1, 0x00FF);
    glColor3f(0.6f, 1.0f, 0.4f);
    glBegin(GL_POLYGON);
    glVertex2f(-0.35f, -0.35f);
    glVertex2f(0.35f, -0.35f);
    glVertex2f(0.35f, 0.35f);
    glVertex2f(-0.35f, 0.35f);
    glEnd();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LINE_STIPPLE);
}

// Texture coordinates generated: a quad whose s and t follow its object
// coordinates, turned; a lit sphere mapped by reflection; and a quad in
// perspective, from a display list, whose s and t follow eye coordinates,
// with q from a plane too.
void generatedCoordinates(bool) {
    checkerTexture(1, 4, kRed, kCream);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    const GLfloat alongS[4] = {1.5f, 0.5f, 0.0f, 0.25f};
    const GLfloat alongT[4] = {-0.5f, 1.5f, 0.0f, 0.0f};
    glTexGenfv(GL_S, GL_OBJECT_PLANE, alongS);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, alongT);
    glPushMatrix();
    glTranslatef(-0.5f, 0.5f, 0.0f);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    glRectf(-0.35f, -0.35f, 0.35f, 0.35f);
    glPopMatrix();

    glEnable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    whiteLight(GL_LIGHT0, 0.5f, 1.0f, 1.0f, 0.0f);
    plainMaterial(0.9f, 0.9f, 0.9f, 30.0f);
    glPushMatrix();
    glTranslatef(0.45f, 0.45f, 0.0f);
    glutSolidSphere(0.4, 24, 12);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    // Eye planes given under a turn, which carries them into eye space.
    glPushMatrix();
    glRotatef(20.0f, 0.0f, 0.0f, 1.0f);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_Q, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    const GLfloat eyeS[4] = {2.0f, 0.0f, 0.0f, 0.0f};
    const GLfloat eyeT[4] = {0.0f, 2.0f, 0.0f, 0.0f};
    const GLfloat eyeQ[4] = {0.5f, 0.0f, 0.0f, 1.0f};
    glTexGenfv(GL_S, GL_EYE_PLANE, eyeS);
    glTexGenfv(GL_T, GL_EYE_PLANE, eyeT);
    glTexGenfv(GL_Q, GL_EYE_PLANE, eyeQ);
    glPopMatrix();
    glEnable(GL_TEXTURE_GEN_Q);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glRectf(-0.3f, -0.3f, 0.3f, 0.3f);
    glEndList();
    glPushMatrix();
    glTranslatef(0.0f, -0.5f, 0.0f);
    glCallList(list);
    glPopMatrix();
    glDeleteLists(list, 1);
    glDisable(GL_TEXTURE_GEN_Q);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_2D);
}

// A cube of side 2 * half about the origin, each face showing the whole
// texture, wound counter-clockwise seen from outside.
void texturedCube(float half) {
    // Each face: its normal, and the axes its s and t run along.
    const float faces[6][3][3] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    glBegin(GL_QUADS);
    for (const auto& face : faces) {
        glNormal3fv(face[0]);
        for (const auto& corner : corners) {
            glTexCoord2f((corner[0] + 1) / 2, (corner[1] + 1) / 2);
            float position[3];
            for (int axis = 0; axis < 3; ++axis) {
                position[axis] =
                    half * (face[0][axis] + corner[0] * face[1][axis] + corner[1] * face[2][axis]);
            }
            glVertex3fv(position);
        }
    }
    glEnd();
}

// One display list sets up everything a lit, fogged, culled cube in
// perspective needs: the light placed by the list's own rotation, the
// projection, depth test, fog, culling and a texture image with its
// parameters; called twice, the right copy after the left has changed the
// depth function and light. A second list, compiled and run at once, draws
// a blended band of wide lines and translucent squares as it is compiled
// (the lower band) and again where it is called (the upper).
void listsOfState(bool) {
    const GLuint lists = glGenLists(2);
    glNewList(lists, GL_COMPILE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPushMatrix();
    glRotatef(-40.0f, 0.0f, 1.0f, 0.0f);
    set4(GL_LIGHT0, GL_POSITION, 0.0f, 0.6f, 1.0f, 0.0f);
    glPopMatrix();
    set4(GL_LIGHT0, GL_DIFFUSE, 1.0f, 0.95f, 0.8f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.4, 0.4, -0.4, 0.4, 1.0, 6.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const GLfloat fogColor[4] = {0.05f, 0.05f, 0.1f, 1.0f};
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 2.5f);
    glFogf(GL_FOG_END, 5.5f);
    glEnable(GL_FOG);
    const unsigned char stripes[4][4][3] = {
        {{240, 220, 160}, {120, 60, 30}, {240, 220, 160}, {120, 60, 30}},
        {{240, 220, 160}, {120, 60, 30}, {240, 220, 160}, {120, 60, 30}},
        {{240, 220, 160}, {120, 60, 30}, {240, 220, 160}, {120, 60, 30}},
        {{240, 220, 160}, {120, 60, 30}, {240, 220, 160}, {120, 60, 30}}};
    glBindTexture(GL_TEXTURE_2D, 7);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, stripes);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    plainMaterial(0.9f, 0.9f, 0.9f, 20.0f);
    glShadeModel(GL_SMOOTH);
    glPushMatrix();
    glRotatef(35.0f, 1.0f, 1.0f, 0.0f);
    texturedCube(0.3f);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glEndList();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTranslatef(-0.45f, 0.1f, -2.6f);
    glCallList(lists);
    glDepthFunc(GL_LEQUAL);
    set4(GL_LIGHT0, GL_DIFFUSE, 0.5f, 0.7f, 1.0f, 1.0f);
    glTranslatef(1.2f, 0.0f, -1.6f);
    glCallList(lists);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, -0.8f, 0.0f);
    glNewList(lists + 1, GL_COMPILE_AND_EXECUTE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(3.0f);
    glColor4f(0.3f, 0.9f, 0.4f, 0.6f);
    glBegin(GL_LINES);
    for (int i = 0; i < 6; ++i) {
        glVertex2f(-0.9f + 0.3f * i, -0.1f);
        glVertex2f(-0.75f + 0.3f * i, 0.1f);
    }
    glEnd();
    glColor4f(0.9f, 0.3f, 0.2f, 0.5f);
    glRectf(-0.8f, -0.05f, 0.8f, 0.05f);
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
    glEndList();
    glTranslatef(0.0f, 1.6f, 0.0f);
    glCallList(lists + 1);
    glDeleteLists(lists, 2);

    // A line of glyphs as a bitmap font draws its text: one list a glyph,
    // each moving the next along, named by glCallLists after glListBase.
    const GLuint glyphs = glGenLists(3);
    for (GLuint i = 0; i < 3; ++i) {
        glNewList(glyphs + i, GL_COMPILE);
        glColor3f(0.9f - 0.3f * static_cast<float>(i), 0.5f, 0.2f + 0.3f * static_cast<float>(i));
        glRectf(0.0f, 0.0f, 0.1f, 0.1f + 0.05f * static_cast<float>(i));
        glTranslatef(0.15f, 0.0f, 0.0f);
        glEndList();
    }
    glLoadIdentity();
    glTranslatef(-0.9f, -0.62f, 0.0f);
    glListBase(glyphs);
    const GLubyte text[] = {0, 1, 2, 1, 0};
    glCallLists(5, GL_UNSIGNED_BYTE, text);
    glListBase(0);
    glDeleteLists(glyphs, 3);
}

// One 2 x 2 image per base format, each given in another pixel format and
// type (a sized format, swapped channels and a transfer bias among them),
// and the texture named `name` made of it, drawn nearest.
struct BaseImage {
    GLint internalFormat;
    GLenum format;
    GLenum type;
    const void* pixels;
};

void baseFormatTexture(GLuint name, const BaseImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, image.internalFormat, 2, 2, 0, image.format, image.type,
                 image.pixels);
}

// Every base format (columns: alpha, luminance, luminance-alpha, intensity,
// RGB, RGBA) under every environment mode (rows from the top: modulate,
// replace, decal, blend), on a translucent orange blended over grey checks,
// so that what each function makes of colour and alpha shows.
void baseFormatsAndEnvironments(bool) {
    static const GLfloat alpha[] = {1.0f, 0.5f, 0.125f, 0.75f};
    static const GLushort luminance[] = {65535, 16384, 49152, 0};
    static const GLbyte luminanceAlpha[] = {127, 127, 32, 64, 100, 16, 0, 100};
    static const GLuint intensity[] = {0xFFFFFFFFu, 0, 0, 0x40000000u, 0, 0,
                                       0xC0000000u, 0, 0, 0x10000000u, 0, 0};
    static const GLubyte bgr[] = {0, 40, 250, 240, 200, 20, 90, 90, 90, 200, 0, 255};
    static const GLshort rgba[] = {32767, 8000,  0,     32767, 0,     25000, 12000, 16000,
                                   12000, 12000, 32767, 4000,  26000, 26000, 26000, 26000};
    const BaseImage images[] = {
        {GL_ALPHA, GL_ALPHA, GL_FLOAT, alpha},
        {GL_LUMINANCE, GL_LUMINANCE, GL_UNSIGNED_SHORT, luminance},
        {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, GL_BYTE, luminanceAlpha},
        {GL_INTENSITY, GL_RGB, GL_UNSIGNED_INT, intensity},
        {GL_RGB5, GL_BGR, GL_UNSIGNED_BYTE, bgr},
        {GL_RGBA4, GL_RGBA, GL_SHORT, rgba},
    };
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelTransferf(GL_GREEN_BIAS, 0.25f);
    for (GLuint i = 0; i < 6; ++i) {
        baseFormatTexture(20 + i, images[i]);
    }
    glPixelTransferf(GL_GREEN_BIAS, 0.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (int check = 0; check < 8; ++check) {
        const float grey = check % 2 == 0 ? 0.25f : 0.7f;
        colouredQuad(-1.0f + 0.25f * check, -1.0f, -0.75f + 0.25f * check, 1.0f, grey, grey, grey,
                     1.0f);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    const GLfloat envColor[4] = {0.2f, 0.4f, 1.0f, 0.3f};
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor);
    const GLint modes[] = {GL_MODULATE, GL_REPLACE, GL_DECAL, GL_BLEND};
    glColor4f(0.9f, 0.6f, 0.2f, 0.6f);
    for (int row = 0; row < 4; ++row) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, modes[row]);
        const float top = 1.0f - 0.5f * row;
        for (int column = 0; column < 6; ++column) {
            glBindTexture(GL_TEXTURE_2D, 20 + static_cast<GLuint>(column));
            const float left = -1.0f + column / 3.0f;
            texturedQuad(left + 0.02f, top - 0.46f, left + 0.31f, top - 0.04f, 0.0f, 0.0f, 1.0f,
                         1.0f);
        }
    }
    const GLuint names[] = {20, 21, 22, 23, 24, 25};
    glDeleteTextures(6, names);
}

// Squares drawn in the window's corner, copied into a luminance texture
// whole and into part of an RGB one, both drawn beside. (Mesa 22.3 copies
// garbage where a pixel transfer scales what it copies: none is set here.)
void copiedFromTheWindow(bool) {
    colouredQuad(-1.0f, -1.0f, -0.5f, -0.5f, 0.9f, 0.2f, 0.1f, 1.0f);
    colouredQuad(-0.8f, -0.8f, -0.4f, -0.4f, 0.1f, 0.5f, 0.9f, 1.0f);
    const std::vector<unsigned char> grey(32 * 32 * 3, 128);
    for (GLuint name : {30u, 31u}) {
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, 30);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 0, 0, 32, 32, 0);
    glBindTexture(GL_TEXTURE_2D, 31);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 32, 32, 0, GL_RGB, GL_UNSIGNED_BYTE, grey.data());
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 8, 4, 4, 8, 20, 16);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 30);
    texturedQuad(-0.3f, 0.1f, 0.3f, 0.7f, 0.0f, 0.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 31);
    texturedQuad(0.35f, 0.1f, 0.95f, 0.7f, 0.0f, 0.0f, 1.0f, 1.0f);
    const GLuint names[] = {30, 31};
    glDeleteTextures(2, names);
}

// A one-dimensional texture of eight colours, nearest at the top and
// linear and repeated in the middle; at the bottom a two-dimensional texture
// enabled as well takes precedence over it, and a display list drawn with
// only the one-dimensional one shows it again.
void lineTextures(bool) {
    static const GLubyte stripes[] = {230, 40,  30,  240, 160, 20,  230, 220, 40,  60,  180, 60,
                                      40,  170, 200, 40,  60,  220, 140, 50,  200, 250, 250, 250};
    glBindTexture(GL_TEXTURE_1D, 40);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, stripes);
    checkerTexture(41, 4, kRed, kCream);
    glEnable(GL_TEXTURE_1D);
    glColor3f(1.0f, 1.0f, 1.0f);
    texturedQuad(-0.9f, 0.4f, 0.9f, 0.9f, 0.0f, 0.0f, 1.0f, 1.0f);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texturedQuad(-0.9f, -0.2f, 0.9f, 0.3f, -0.5f, 0.0f, 1.5f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    texturedQuad(-0.9f, -0.9f, -0.1f, -0.3f, 0.0f, 0.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    texturedQuad(0.1f, -0.9f, 0.9f, -0.3f, 0.0f, 0.0f, 1.0f, 1.0f);
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);
    const GLuint names[] = {40, 41};
    glDeleteTextures(2, names);
}

// Magnified and linear, with coordinates from -0.5 to 1.5: at the top a
// two-texel checker clamped with GL_CLAMP, its edges blending with the
// border colour, beside a one-dimensional texture copied from a row of the
// window and a mipmapped checker clamped likewise, minified; below, a checker with a one-texel
// border clamped (the border reached at the edges) and repeated (the border never). Mesa keeps no
// border texels but blends with the border colour: the border is one
// colour, and the border colour that colour, so both draw alike.
void bordersAndClamp(bool) {
    colouredQuad(-1.0f, -1.0f, -0.6f, -0.9f, 0.9f, 0.2f, 0.1f, 1.0f);
    colouredQuad(-0.6f, -1.0f, -0.2f, -0.9f, 0.1f, 0.5f, 0.9f, 1.0f);
    glBindTexture(GL_TEXTURE_1D, 50);
    glCopyTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 0, 1, 32, 0);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glClear(GL_COLOR_BUFFER_BIT);
    const float sky[4] = {0.2f, 0.6f, 0.9f, 1.0f};
    checkerTexture(51, 2, kRed, kCream);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, sky);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    texturedQuad(-0.95f, 0.05f, -0.05f, 0.95f, -0.5f, -0.5f, 1.5f, 1.5f);
    // Four by four checks inside a green border, six texels a side.
    const unsigned char green[3] = {40, 180, 60};
    std::vector<unsigned char> texels;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool border = x == 0 || y == 0 || x == 5 || y == 5;
            const unsigned char* colour = border ? green : (x + y) % 2 == 0 ? kBlue : kCream;
            texels.insert(texels.end(), colour, colour + 3);
        }
    }
    const float greenColour[4] = {40 / 255.0f, 180 / 255.0f, 60 / 255.0f, 1.0f};
    glBindTexture(GL_TEXTURE_2D, 52);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 6, 6, 1, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, greenColour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    texturedQuad(-0.95f, -0.95f, -0.05f, -0.05f, -0.5f, -0.5f, 1.5f, 1.5f);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    texturedQuad(0.05f, -0.95f, 0.95f, -0.05f, -0.5f, -0.5f, 1.5f, 1.5f);
    // Minified between levels 0 and 1 of a mipmapped checker, each level's
    // edge blending with the border colour by its own size.
    glBindTexture(GL_TEXTURE_2D, 53);
    for (int level = 0, side = 8; side > 0; ++level, side /= 2) {
        std::vector<unsigned char> image;
        for (int i = 0; i < side * side; ++i) {
            const unsigned char* colour = level == 0   ? ((i + i / side) % 2 == 0 ? kRed : kCream)
                                          : level == 1 ? kBlue
                                                       : green;
            image.insert(image.end(), colour, colour + 3);
        }
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, sky);
    texturedQuad(0.05f, 0.05f, 0.45f, 0.45f, -1.5f, -1.5f, 2.5f, 2.5f);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_1D);
    texturedQuad(0.05f, 0.55f, 0.95f, 0.95f, 0.0f, 0.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_1D);
    const GLuint names[] = {50, 51, 52, 53};
    glDeleteTextures(4, names);
}

// Vertices and texture coordinates with w and q of their own. Top left, a
// square whose corners have w 1 and 3 (x, y and z times w), its colours and
// checks interpolated by w; top right, checks given projectively by q, from
// a list; bottom left, the same from interleaved arrays of four components;
// bottom right, r carried into s by the texture matrix, and a triangle with
// a corner at infinity, running off the window.
void homogeneousCoordinates(bool) {
    checkerTexture(9, 4, kBlue, kCream);
    glEnable(GL_TEXTURE_2D);
    const float corners[4][2] = {
        {-0.95f, 0.05f}, {-0.05f, 0.05f}, {-0.05f, 0.95f}, {-0.95f, 0.95f}};
    const float w[4] = {1.0f, 3.0f, 3.0f, 1.0f};
    const float colours[4][3] = {{1, 0.3f, 0.2f}, {0.2f, 1, 0.3f}, {0.3f, 0.2f, 1}, {1, 1, 1}};
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glColor3fv(colours[i]);
        glTexCoord2f(i == 1 || i == 2 ? 1.0f : 0.0f, i >= 2 ? 1.0f : 0.0f);
        glVertex4f(corners[i][0] * w[i], corners[i][1] * w[i], 0.0f, w[i]);
    }
    glEnd();
    glColor3f(1, 1, 1);

    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    const float q[4] = {1.0f, 1.0f, 4.0f, 4.0f};
    for (int i = 0; i < 4; ++i) {
        const float s = i == 1 || i == 2 ? 2.0f : 0.0f;
        const float t = i >= 2 ? 2.0f : 0.0f;
        glTexCoord4f(s * q[i], t * q[i], 0.0f, q[i]);
        glVertex2f(corners[i][0] + 1.0f, corners[i][1]);
    }
    glEnd();
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);

    // s, t, r and q, then x, y, z and w.
    const GLfloat interleaved[4][8] = {{0, 0, 0, 1, -0.95f, -0.95f, 0, 1},
                                       {2, 0, 0, 2, -0.05f, -0.95f, 0, 1},
                                       {4, 4, 0, 2, -0.1f, -0.1f, 0, 2},
                                       {0, 1, 0, 1, -1.9f, -0.1f, 0, 2}};
    glInterleavedArrays(GL_T4F_V4F, 0, interleaved);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);

    // The texture matrix takes s from r.
    glMatrixMode(GL_TEXTURE);
    const GLfloat rToS[16] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    glLoadMatrixf(rToS);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_TRIANGLES);
    glTexCoord3f(0, 0, 0);
    glVertex2f(0.05f, -0.95f);
    glTexCoord3f(0, 0, 3);
    glVertex2f(0.95f, -0.95f);
    glTexCoord3f(0, 3, 1);
    glVertex2f(0.05f, -0.3f);
    glEnd();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.9f, 0.6f, 0.1f);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.3f, -0.2f);
    glVertex2f(0.5f, -0.2f);
    glVertex4f(1.0f, 2.0f, 0.0f, 0.0f);
    glEnd();
}

const Scene kScenes[] = {
    {"directional light", directionalLight, false},
    {"point light fading with distance", attenuatedPointLight, false},
    {"spot lights with exponent and cutoff", spotLight, false},
    {"two-sided lighting with a back material", twoSidedLighting, false},
    {"normals rescaled under scaling", normalizeWithScaling, false},
    {"magnification filters", magnificationFilters, false},
    {"minification filters and mipmaps", minificationFilters, false},
    {"repeated and clamped texture coordinates", wrapModes, false},
    {"texture environments", textureEnvironments, false},
    {"blending", blending, false},
    {"depth mask", depthMask, false},
    {"winding", winding, false},
    {"smooth and flat shading", shading, false},
    {"emission and ambient light", emissionAndAmbient, false},
    {"a display list in perspective", displayListInPerspective, false},
    {"stencil, scissor, depth function and colour mask", fragmentTests, false},
    {"points and wide lines", pointsAndLines, false},
    {"faces culled", culledFaces, false},
    {"fog in each mode", fogModes, false},
    {"alpha test and a local viewer", alphaTestAndLocalViewer, false},
    {"colour material", colourMaterial, false},
    {"vertex arrays", vertexArrays, false},
    {"display lists that set state", listsOfState, false},
    {"the texture matrix", textureMatrix, false},
    {"clip planes", clipPlanes, false},
    {"polygon modes, offset and stipple", polygonModes, false},
    {"stippled lines", stippledLines, false},
    {"smooth points and lines", smoothPointsAndLines, false},
    {"smooth lines in perspective", smoothInPerspective, false},
    {"texture coordinates generated", generatedCoordinates, false},
    {"each texture base format under each environment mode", baseFormatsAndEnvironments, false},
    {"textures copied from the window", copiedFromTheWindow, false},
    {"one-dimensional textures", lineTextures, false},
    {"texture borders and GL_CLAMP", bordersAndClamp, false},
    {"a material between vertices", materialBetweenVertices, false},
    {"wide lines through the near plane", linesThroughTheNearPlane, false},
    {"homogeneous coordinates", homogeneousCoordinates, false},
};

}  // namespace

int sceneCount() {
    return static_cast<int>(sizeof kScenes / sizeof kScenes[0]);
}

const Scene& scene(int index) {
    return kScenes[index];
}

void drawScene(int index, bool refusedLeftOut) {
    glViewport(0, 0, kSceneSize, kSceneSize);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClearColor(0.05f, 0.05f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    kScenes[index].draw(refusedLeftOut);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
