#include "scene/tiles.h"

namespace {
void drawTile(const Tile& t) {
    glNormal3f(0.0f, 0.0f, 1.0f);
    glRectf(t.x, t.y, t.x + t.size, t.y + t.size);
}
}  // namespace

void tileRect(float width, float height, float tile) {
    forEachTile(width, height, tile, drawTile);
}

void checkerRect(float width, float height, float tile, const Material& oddMaterial,
                 const Material& evenMaterial) {
    glPushAttrib(GL_LIGHTING_BIT);
    forEachTile(width, height, tile, [&](const Tile& t) {
        setMaterial(isOddTile(t) ? &oddMaterial : &evenMaterial);
        drawTile(t);
    });
    glPopAttrib();
}
