#include "view/camera.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>

#include "app/window.h"

Camera camera;

namespace {
const double kStep = 1.0;
// A quarter turn as the walk keys use it, slightly short of pi / 2.
const double kStrafeOffset = 1.570795;
const float kStandingHeight = 5.0f;
const float kCrouchingHeight = 2.5f;
// One sixteenth of a half turn: the turn for a pointer at the window's edge, doubled.
const double kTurnFactor = 0.196349375;
const double kPitchLimit = 1.5629800995024876;  // 3.14159 / 2.01
const float kPitchClamp = 1.56298f;
const unsigned char kEscape = 27;

// Moves the eye a signed step along the horizontal direction at this heading.
void walk(Camera& cam, double heading, double step) {
    cam.eyeX = static_cast<float>(cam.eyeX + std::sin(heading) * step);
    cam.eyeZ = static_cast<float>(cam.eyeZ + std::cos(heading) * step);
}

// The signed distance of a pointer from the window centre, as a fraction of the size.
double offsetFromCentre(int position, int size) {
    const double extent = static_cast<double>(size);
    return (static_cast<double>(position) - extent / 2.0) / extent;
}
}  // namespace

LookAt lookAtFrom(const Camera& cam) {
    const double yaw = cam.yaw;
    const double pitch = cam.pitch;
    return LookAt{{cam.eyeX, cam.eyeHeight, cam.eyeZ},
                  {cam.eyeX + std::sin(yaw) * std::cos(pitch), cam.eyeHeight + std::sin(pitch),
                   cam.eyeZ + std::cos(yaw) * std::cos(pitch)}};
}

KeyAction applyKey(Camera& cam, unsigned char key) {
    const double yaw = cam.yaw;
    switch (key) {
        case 'w':
            walk(cam, yaw, kStep);
            break;
        case 's':
            walk(cam, yaw, -kStep);
            break;
        case 'a':
            walk(cam, yaw + kStrafeOffset, kStep);
            break;
        case 'd':
            walk(cam, yaw + kStrafeOffset, -kStep);
            break;
        case 'r':
            cam.eyeHeight = static_cast<float>(cam.eyeHeight + kStep);
            break;
        case 'f':
            cam.eyeHeight = static_cast<float>(cam.eyeHeight - kStep);
            break;
        case 'e':
            cam.pitch = 0.0f;
            break;
        case 'x':
            cam.eyeHeight = cam.eyeHeight < kStandingHeight ? kStandingHeight : kCrouchingHeight;
            break;
        case kEscape:
            return KeyAction::Quit;
        default:
            break;
    }
    return KeyAction::Redraw;
}

bool lookHorizontally(Camera& cam, int x, int windowWidth) {
    const double width = windowWidth;
    if (x < 0 || x >= windowWidth) {
        return false;
    }
    if (!(x < 0.33 * width || x > 0.66 * width)) {
        return false;  // dead zone around the centre
    }
    // Right of centre makes yaw smaller, which turns the view to the right.
    cam.yaw = static_cast<float>(cam.yaw - offsetFromCentre(x, windowWidth) * kTurnFactor);
    return true;
}

bool lookVertically(Camera& cam, int y, int windowHeight) {
    const double height = windowHeight;
    if (y < 0 || y >= windowHeight) {
        return false;
    }
    if (!(y < 0.25 * height || y > 0.75 * height)) {
        return false;  // dead zone around the centre
    }
    // Window rows grow downward, so a pointer above the centre looks up.
    cam.pitch = static_cast<float>(cam.pitch - offsetFromCentre(y, windowHeight) * kTurnFactor);
    if (cam.pitch > kPitchLimit) {
        cam.pitch = kPitchClamp;
    } else if (cam.pitch < -kPitchLimit) {
        cam.pitch = -kPitchClamp;
    }
    return true;
}

void keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (applyKey(camera, key) == KeyAction::Quit) {
        std::exit(0);
    }
    glutPostRedisplay();
}

void passiveMotion(int x, int y) {
    if (lookHorizontally(camera, x, windowWidth)) {
        glutPostRedisplay();
    }
    if (lookVertically(camera, y, windowHeight)) {
        glutPostRedisplay();
    }
}
