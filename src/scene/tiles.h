#pragma once

#include <cmath>

#include "light/material.h"

// One square tile of a surface in its local z = 0 plane.
struct Tile {
    float x;  // lower-left corner
    float y;
    float size;
};

// Whether the running float counters of a width by height grid of tiles reach
// the far edges: not when the tile size is not positive or not a number, nor
// when an extent is so large that adding one tile no longer changes a counter.
inline bool tileCountersAdvance(float width, float height, float tile) {
    if (!(tile > 0.0f) || !std::isfinite(tile) || !std::isfinite(width) ||
        !std::isfinite(height)) {
        return false;
    }
    // Below the largest value a counter is tested at, one tile is at least one
    // step of float precision, so every addition moves the counter on.
    const float last = std::fmax(width, height) - tile;
    return last <= 0.0f || std::nextafter(last, INFINITY) - last <= tile;
}

// Visits the tiles of a width by height surface column by column: every row of
// the column at x = 0 from y = 0 upward, then the next column. The running x
// and y are floats advanced by adding the tile size, and a strip narrower than
// one tile at the far edges is left out. A grid whose counters would never
// reach the far edges has no tiles.
template <typename Visit>
void forEachTile(float width, float height, float tile, Visit&& visit) {
    if (!tileCountersAdvance(width, height, tile)) {
        return;
    }
    for (float x = 0.0f; x <= width - tile; x += tile) {
        for (float y = 0.0f; y <= height - tile; y += tile) {
            visit(Tile{x, y, tile});
        }
    }
}

// Whether a tile sits on an odd square of the chessboard whose origin square is even.
inline bool isOddTile(const Tile& t) {
    const double pair = 2.0 * static_cast<double>(t.size);
    const bool oddColumn = std::fmod(static_cast<double>(t.x), pair) >= t.size;
    const bool oddRow = std::fmod(static_cast<double>(t.y), pair) >= t.size;
    return oddColumn != oddRow;
}

// Lays a grid of tiles facing +z in the current material.
void tileRect(float width, float height, float tile);

// Lays the same grid as a chessboard of two materials; the lighting state,
// the current material included, is as before the call afterwards.
void checkerRect(float width, float height, float tile, const Material& oddMaterial,
                 const Material& evenMaterial);
