// Named views of the room, posed on request (the page's ?view= parameter),
// the page's "steady lamps" switch, and what the page's tests read back: the
// camera, the window size the program was told and which coloured spot lamps
// are lit.
#include <GL/glut.h>
#include <emscripten.h>

#include <string>

#include "app/window.h"
#include "light/lamp_animation.h"
#include "view/camera.h"
#include "viewpoints.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE int vellmoorPose(const char* name) {
    for (const Viewpoint& viewpoint : viewpoints()) {
        if (viewpoint.name == name) {
            poseScene(viewpoint);
            glutPostRedisplay();
            return 1;
        }
    }
    return 0;
}

// The views' names, separated by spaces, for a page that was asked for one
// that does not exist.
EMSCRIPTEN_KEEPALIVE const char* vellmoorViewNames(void) {
    static std::string names;
    if (names.empty()) {
        for (const Viewpoint& viewpoint : viewpoints()) {
            names += (names.empty() ? "" : " ") + viewpoint.name;
        }
    }
    return names.c_str();
}

// On: every spot lamp stays lit while the mirror ball turns.
EMSCRIPTEN_KEEPALIVE void vellmoorSteadyLamps(int on) {
    steadyLamps = on != 0;
}

// eyeX, eyeZ, yaw, eyeHeight or pitch, by their order in Camera.
EMSCRIPTEN_KEEPALIVE float vellmoorCamera(int field) {
    const float values[] = {camera.eyeX, camera.eyeZ, camera.yaw, camera.eyeHeight, camera.pitch};
    return field >= 0 && field < 5 ? values[field] : 0.0f;
}

// The window's width (0) or height (1) as reshape recorded it.
EMSCRIPTEN_KEEPALIVE int vellmoorWindowSize(int which) {
    return which == 0 ? windowWidth : windowHeight;
}

// Bit i set: the light of spot lamp i (lights 2, 3 and 4) is on.
EMSCRIPTEN_KEEPALIVE int vellmoorLampsLit(void) {
    int lit = 0;
    for (int i = 0; i < 3; ++i) {
        if (glIsEnabled(GL_LIGHT2 + i)) {
            lit |= 1 << i;
        }
    }
    return lit;
}

}  // extern "C"
