#include "models/door_and_dartboard.h"

void drawDoor() {}

void drawDartboard(float /*sx*/, float /*sy*/, float /*sz*/) {}
