#include "models/chair.h"

void drawChair(float /*sx*/, float /*sy*/, float /*sz*/) {}
