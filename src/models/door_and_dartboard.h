#pragma once

// The door: a grey panel in a black frame with a chrome push bar.
void drawDoor();

// A dartboard with its textured face, scaled by (sx, sy, sz).
void drawDartboard(float sx, float sy, float sz);
