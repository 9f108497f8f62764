#include "light/spot_lamps.h"

// Addresses only, so the table is in place before any other static
// initialisation reads it.
const SpotLamp spotLamps[kSpotLampCount] = {
    {"red", GL_LIGHT2, &redSpotLight, &redLensMaterial, &redLampRule},
    {"green", GL_LIGHT3, &greenSpotLight, &greenLensMaterial, &greenLampRule},
    {"blue", GL_LIGHT4, &blueSpotLight, &blueLensMaterial, &blueLampRule},
};
