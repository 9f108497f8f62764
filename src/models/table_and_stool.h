#pragma once

// A round pedestal table with a wood-textured top, scaled by (sx, sy, sz).
void drawRoundTable(float sx, float sy, float sz);

// A bar stool with a chrome frame and a wooden seat, scaled by (sx, sy, sz).
void drawStool(float sx, float sy, float sz);
