#pragma once

// Glassware stands on y = 0. The arguments scale the caller's x, z and y axes
// in that order; y is the object's height.
void drawBottle(float sx, float sz, float sy);
void drawLabelBottle(float sx, float sz, float sy);
void drawDecanter(float sx, float sz, float sy);
void drawGlass(float sx, float sz, float sy);
