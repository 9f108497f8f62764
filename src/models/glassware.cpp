#include "models/glassware.h"

void drawBottle(float /*sx*/, float /*sz*/, float /*sy*/) {}

void drawLabelBottle(float /*sx*/, float /*sz*/, float /*sy*/) {}

void drawDecanter(float /*sx*/, float /*sz*/, float /*sy*/) {}

void drawGlass(float /*sx*/, float /*sz*/, float /*sy*/) {}
