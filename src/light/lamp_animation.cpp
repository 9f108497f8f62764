#include "light/lamp_animation.h"

#include <GL/glut.h>

#include <cmath>

float mirrorBallAngle = 0.0f;
bool steadyLamps = false;

// Copied during static initialisation, before any idle call can change a lens.
const Material savedLensMaterials[3] = {redLensMaterial, greenLensMaterial, blueLensMaterial};

const LampRule redLampRule = {5.0, 1.0};
const LampRule greenLampRule = {6.0, 1.0};
const LampRule blueLampRule = {9.0, 2.0};

namespace {
const float kStepDegrees = 2.0f;
const float kFullTurn = 360.0f;

// Lights the lamp with its saved lens colour, or darkens both lens and light.
void switchLamp(const LampRule& rule, GLenum light, Material& lens, const Material& saved) {
    if (lampShown(rule, mirrorBallAngle)) {
        lens = saved;
        glEnable(light);
    } else {
        lens = blackMaterial;
        glDisable(light);
    }
}
}  // namespace

float nextMirrorBallAngle(float angle) {
    // 360 is a multiple of all three divisors, so wrapping leaves the lamp pattern unchanged.
    float next = angle + kStepDegrees;
    if (next >= kFullTurn) {
        next -= kFullTurn;
    }
    return next;
}

bool lampLit(const LampRule& rule, float angle) {
    return std::fmod(static_cast<double>(angle), rule.divisor) > rule.threshold;
}

bool lampShown(const LampRule& rule, float angle) {
    return steadyLamps || lampLit(rule, angle);
}

void idle() {
    mirrorBallAngle = nextMirrorBallAngle(mirrorBallAngle);
    glutPostRedisplay();
    switchLamp(redLampRule, GL_LIGHT2, redLensMaterial, savedLensMaterials[0]);
    switchLamp(greenLampRule, GL_LIGHT3, greenLensMaterial, savedLensMaterials[1]);
    switchLamp(blueLampRule, GL_LIGHT4, blueLensMaterial, savedLensMaterials[2]);
}
