#include <gtest/gtest.h>

#include <vector>

#include "scene/tiles.h"

namespace {

std::vector<Tile> tilesOf(float width, float height, float tile) {
    std::vector<Tile> tiles;
    forEachTile(width, height, tile, [&](const Tile& t) { tiles.push_back(t); });
    return tiles;
}

TEST(TileEnumeration, RunsColumnByColumnFromTheOrigin) {
    const auto tiles = tilesOf(25, 56, 1);
    ASSERT_EQ(tiles.size(), 1400u);
    EXPECT_EQ(tiles[0].x, 0);
    EXPECT_EQ(tiles[0].y, 0);
    EXPECT_EQ(tiles[1].x, 0);
    EXPECT_EQ(tiles[1].y, 1);
    EXPECT_EQ(tiles[56].x, 1);
    EXPECT_EQ(tiles[56].y, 0);
}
}  // namespace
