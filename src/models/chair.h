#pragma once

// A wooden chair, scaled by (sx, sy, sz).
void drawChair(float sx, float sy, float sz);
