#include "models/lamps.h"

void drawSpotLamp(const Material& /*lensMaterial*/) {}

void drawShade(const Material& /*shadeMaterial*/) {}

void drawBulb() {}
