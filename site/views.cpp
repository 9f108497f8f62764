// Named views of the room, posed on request (the page's ?view= parameter),
// the page's "steady lamps" switch, and what the page's tests read back: the
// camera, the window size the program was told and which coloured spot lamps
// are lit. What the page reads by number (a camera field, a lamp's bit) it
// takes with its name from here, so that the order is written once.
#include <GL/glut.h>
#include <emscripten.h>

#include <string>

#include "app/window.h"
#include "light/lamp_animation.h"
#include "light/spot_lamps.h"
#include "view/camera.h"
#include "viewpoints.h"

namespace {

struct CameraField {
    const char* name;
    float Camera::*value;
};

const CameraField kCameraFields[] = {{"eyeX", &Camera::eyeX},
                                     {"eyeZ", &Camera::eyeZ},
                                     {"yaw", &Camera::yaw},
                                     {"eyeHeight", &Camera::eyeHeight},
                                     {"pitch", &Camera::pitch}};
constexpr int kCameraFieldCount = sizeof kCameraFields / sizeof kCameraFields[0];

// Names separated by spaces, made once.
template <typename Table, typename Name>
const char* namesOf(std::string& names, const Table& table, Name name) {
    if (names.empty()) {
        for (const auto& entry : table) {
            names += (names.empty() ? "" : " ") + std::string(name(entry));
        }
    }
    return names.c_str();
}

}  // namespace

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
    return namesOf(names, viewpoints(), [](const Viewpoint& v) { return v.name.c_str(); });
}

// On: every spot lamp stays lit while the mirror ball turns.
EMSCRIPTEN_KEEPALIVE void vellmoorSteadyLamps(int on) {
    steadyLamps = on != 0;
}

// The camera's fields' names, separated by spaces, in the order vellmoorCamera numbers them.
EMSCRIPTEN_KEEPALIVE const char* vellmoorCameraFields(void) {
    static std::string names;
    return namesOf(names, kCameraFields, [](const CameraField& f) { return f.name; });
}

EMSCRIPTEN_KEEPALIVE float vellmoorCamera(int field) {
    return field >= 0 && field < kCameraFieldCount ? camera.*kCameraFields[field].value : 0.0f;
}

// The window's width (0) or height (1) as reshape recorded it.
EMSCRIPTEN_KEEPALIVE int vellmoorWindowSize(int which) {
    return which == 0 ? windowWidth : windowHeight;
}

// The spot lamps' colours, separated by spaces, in the order of their bits
// in vellmoorLampsLit.
EMSCRIPTEN_KEEPALIVE const char* vellmoorLampColours(void) {
    static std::string names;
    return namesOf(names, spotLamps, [](const SpotLamp& lamp) { return lamp.colour; });
}

// Bit i set: the light of spot lamp i is on.
EMSCRIPTEN_KEEPALIVE int vellmoorLampsLit(void) {
    int lit = 0;
    for (int i = 0; i < kSpotLampCount; ++i) {
        if (glIsEnabled(spotLamps[i].light)) {
            lit |= 1 << i;
        }
    }
    return lit;
}

}  // extern "C"
