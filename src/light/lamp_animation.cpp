#include "light/lamp_animation.h"

#include <GL/glut.h>

#include <cmath>

#include "light/spot_lamps.h"

float mirrorBallAngle = 0.0f;
bool steadyLamps = false;

// Copied during static initialisation, before any idle call can change a lens.
const Material savedLensMaterials[3] = {*spotLamps[0].lens, *spotLamps[1].lens, *spotLamps[2].lens};

const LampRule redLampRule = {5.0, 1.0};
const LampRule greenLampRule = {6.0, 1.0};
const LampRule blueLampRule = {9.0, 2.0};

namespace {
const float kStepDegrees = 2.0f;
const float kFullTurn = 360.0f;

// Lights the lamp with its saved lens colour, or darkens both lens and light.
void switchLamp(const SpotLamp& lamp, const Material& saved) {
    if (lampShown(*lamp.rule, mirrorBallAngle)) {
        *lamp.lens = saved;
        glEnable(lamp.light);
    } else {
        *lamp.lens = blackMaterial;
        glDisable(lamp.light);
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
    for (int i = 0; i < kSpotLampCount; ++i) {
        switchLamp(spotLamps[i], savedLensMaterials[i]);
    }
}

void restartLampAnimation() {
    mirrorBallAngle = 0.0f;
    for (int i = 0; i < kSpotLampCount; ++i) {
        *spotLamps[i].lens = savedLensMaterials[i];
        glEnable(spotLamps[i].light);
    }
}
