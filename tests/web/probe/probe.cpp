// Small scenes drawn through the web build's OpenGL layer whose colours are
// worked out by hand in probe_test.cjs: the lighting equation with a spot
// light that fades with distance, two-sided lighting, and the vertex flat
// shading takes its colour from. probe(n) draws scene n in the 16x16 window
// and returns the colour at its centre as 0xRRGGBB. stateInteger reads the
// state back, for what the browser's context decides, and readBackCase
// reads pixels back as read_back.h says.
#include <GL/glut.h>
#include <emscripten.h>

#include "read_back.h"

namespace {

void set4(GLenum light, GLenum pname, float a, float b, float c, float d) {
    const float values[4] = {a, b, c, d};
    glLightfv(light, pname, values);
}

void material(GLenum face, GLenum pname, float a, float b, float c) {
    const float values[4] = {a, b, c, 1.0f};
    glMaterialfv(face, pname, values);
}

// A square 0.02 across, 2 in front of the eye, filling the window; its
// corners are so near the axis that they are lit as the centre is.
void square(float normalZ, bool clockwise) {
    const float s = clockwise ? -0.01f : 0.01f;
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, normalZ);
    glVertex3f(-0.01f, -0.01f, -2.0f);
    glVertex3f(s, -s, -2.0f);
    glVertex3f(0.01f, 0.01f, -2.0f);
    glVertex3f(-s, s, -2.0f);
    glEnd();
}

// A spot light at the eye looking down -z, cutoff 30 degrees, exponent 2,
// attenuation 1 + d/2 + d^2/4; grey ambient 0.3, diffuse 0.6, specular 0.9.
void spotLightAtTheEye(float directionX, float directionZ) {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    set4(GL_LIGHT0, GL_POSITION, 0, 0, 0, 1);
    const float direction[3] = {directionX, 0.0f, directionZ};
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 30.0f);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 2.0f);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.5f);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.25f);
    set4(GL_LIGHT0, GL_AMBIENT, 0.3f, 0.3f, 0.3f, 1);
    set4(GL_LIGHT0, GL_DIFFUSE, 0.6f, 0.6f, 0.6f, 1);
    set4(GL_LIGHT0, GL_SPECULAR, 0.9f, 0.9f, 0.9f, 1);
    const float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, sceneAmbient);
    // Front: ambient 0.5, diffuse (0.8, 0.4, 0.2), specular 0.5, emission
    // (0.05, 0, 0), shininess 10; the back the same but diffuse (0.2, 0.4, 0.8).
    material(GL_FRONT_AND_BACK, GL_AMBIENT, 0.5f, 0.5f, 0.5f);
    material(GL_FRONT, GL_DIFFUSE, 0.8f, 0.4f, 0.2f);
    material(GL_BACK, GL_DIFFUSE, 0.2f, 0.4f, 0.8f);
    material(GL_FRONT_AND_BACK, GL_SPECULAR, 0.5f, 0.5f, 0.5f);
    material(GL_FRONT_AND_BACK, GL_EMISSION, 0.05f, 0.0f, 0.0f);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 10.0f);
}

// An unlit quad or polygon with a different colour at each corner.
void coloured(GLenum mode) {
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    const float corners[4][2] = {
        {-0.01f, -0.01f}, {0.01f, -0.01f}, {0.01f, 0.01f}, {-0.01f, 0.01f}};
    glBegin(mode);
    for (int i = 0; i < 4; ++i) {
        glColor3f(colours[i][0], colours[i][1], colours[i][2]);
        glVertex3f(corners[i][0], corners[i][1], -2.0f);
    }
    glEnd();
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int probe(int scene) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-0.01, 0.01, -0.01, 0.01, 1.0, 3.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_SMOOTH);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    switch (scene) {
        case 0:  // the spot light straight on
            spotLightAtTheEye(0.0f, -1.0f);
            square(1.0f, false);
            break;
        case 1:  // the spot turned aside: outside its cone
            spotLightAtTheEye(1.0f, 0.0f);
            square(1.0f, false);
            break;
        case 2:  // the back face, lit with the back material
            spotLightAtTheEye(0.0f, -1.0f);
            square(-1.0f, true);
            break;
        case 3:
            coloured(GL_QUADS);
            break;
        default:
            coloured(GL_POLYGON);
            break;
    }
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] << 16 | pixel[1] << 8 | pixel[2];
}

// Value `index` of the integer state `pname`, as glGetIntegerv answers it.
extern "C" EMSCRIPTEN_KEEPALIVE int stateInteger(int pname, int index) {
    GLint values[16] = {};
    glGetIntegerv(static_cast<GLenum>(pname), values);
    return values[index];
}

// Read-back case `index` (read_back.h) into a buffer of kReadBackBytes.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned char* readBackCase(int index) {
    static unsigned char bytes[kReadBackBytes];
    readBack(index, bytes);
    return bytes;
}

extern "C" EMSCRIPTEN_KEEPALIVE int readBackCases() {
    return readBackCount();
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(16, 16);
    glutCreateWindow("Vellmoor lighting probe");
    glViewport(0, 0, 16, 16);
    return 0;
}
