#pragma once

#include "light/material.h"

// A wall spot lamp: a black can along +z with its lens, on two rods rising along +y.
void drawSpotLamp(const Material& lensMaterial);

// An open conical shade hanging below the origin.
void drawShade(const Material& shadeMaterial);

// A glowing bulb whose top touches the origin, on a cord rising above it.
void drawBulb();
