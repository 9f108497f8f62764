#pragma once

#include "light/material.h"

// Degrees the mirror ball is turned about the vertical axis; 0 at start.
extern float mirrorBallAngle;

// The three lens records as they were before anything switched them, in the
// order of spotLamps (red, green, blue).
extern const Material savedLensMaterials[3];

// One coloured spot lamp: it is lit while fmod(angle, divisor) > threshold.
struct LampRule {
    double divisor;
    double threshold;
};

extern const LampRule redLampRule;    // divisor 5, threshold 1
extern const LampRule greenLampRule;  // divisor 6, threshold 1
extern const LampRule blueLampRule;   // divisor 9, threshold 2

// The angle after one more step of 2 degrees, kept in [0, 360) so that it
// never stops growing through lost float precision.
float nextMirrorBallAngle(float angle);

// Whether a lamp with this rule is lit at this mirror-ball angle.
bool lampLit(const LampRule& rule, float angle);

// When set, idle lights every spot lamp on every call, as it lights a lit
// one, while the mirror ball goes on turning: for people who must not see
// flashing lights. Off unless a platform's front end sets it.
extern bool steadyLamps;

// Whether idle lights a lamp with this rule at this angle.
bool lampShown(const LampRule& rule, float angle);

// GLUT idle callback: turns the ball, requests a frame, switches the three lamps.
void idle();

// The animation back at its start: the ball at angle 0, every lamp lit with
// its own lens colour.
void restartLampAnimation();
