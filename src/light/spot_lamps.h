#pragma once

#include <GL/gl.h>

#include "light/lamp_animation.h"
#include "light/lights.h"
#include "light/material.h"

// A coloured spot lamp high on the wall: the light that shines from it with
// its data, the lens record drawn in front of it, and the rule that switches
// both.
struct SpotLamp {
    const char* colour;
    GLenum light;
    const LightSetup* setup;
    Material* lens;
    const LampRule* rule;
};

constexpr int kSpotLampCount = 3;

// The red, green and blue spot lamps, lit by GL_LIGHT2, GL_LIGHT3 and
// GL_LIGHT4, in that order: the light rig, the lamp animation and whatever
// reports on the lamps read which light is which lamp from here alone.
extern const SpotLamp spotLamps[kSpotLampCount];
