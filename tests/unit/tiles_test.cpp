#include "scene/tiles.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

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

namespace {

TEST(TileEnumeration, WallsOfTwoUnitTiles) {
    const auto wall = tilesOf(42, 4, 2);
    ASSERT_EQ(wall.size(), 42u);  // 21 columns of 2 rows
    EXPECT_EQ(wall.back().x, 40);
    EXPECT_EQ(wall.back().y, 2);
    EXPECT_EQ(wall.back().size, 2);

    // A length that is no multiple of the tile leaves its last strip bare.
    const auto shortWall = tilesOf(41, 4, 2);
    ASSERT_EQ(shortWall.size(), 40u);
    EXPECT_EQ(shortWall.back().x, 38);
}

TEST(TileEnumeration, SurfacesSmallerThanATileDrawNothing) {
    EXPECT_TRUE(tilesOf(0.5f, 4, 1).empty());
    EXPECT_TRUE(tilesOf(4, 0.5f, 1).empty());
    EXPECT_TRUE(tilesOf(0, 0, 1).empty());
    EXPECT_TRUE(tilesOf(-3, 5, 1).empty());
}

// Arguments whose loops would never end: the enumeration gives up at once. A
// visitor that gives up after a few thousand tiles keeps a failure from hanging.
TEST(TileEnumeration, GridsThatWouldNeverFinishHaveNoTiles) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float counterStalls = 33554432.0f;  // 2^25: at 2^24, adding 1 changes nothing
    const std::array<std::array<float, 3>, 6> cases{{{4, 4, 0},
                                                     {4, 4, -1},
                                                     {4, 4, nan},
                                                     {4, inf, 1},
                                                     {counterStalls, 1, 1},
                                                     {1, counterStalls, 1}}};
    for (const auto& [width, height, tile] : cases) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << ", tile " << tile);
        int visited = 0;
        try {
            forEachTile(width, height, tile, [&](const Tile&) {
                if (++visited > 5000) {
                    throw visited;
                }
            });
        } catch (int) {
        }
        EXPECT_EQ(visited, 0);
    }
    // Large but reachable: steps of 64 stay exact all the way to 2^24.
    EXPECT_EQ(tilesOf(16777216.0f, 64, 64).size(), 262144u);
}

TEST(TileEnumeration, RoomShellCounts) {
    size_t total = 0;
    for (auto [w, h, t] :
         {std::array<float, 3>{25, 56, 1}, {16, 16, 1}, {16, 40, 1}, {41, 56, 1}}) {
        total += tilesOf(w, h, t).size();
    }
    for (int wall = 0; wall < 2; ++wall) {
        total += tilesOf(42, 4, 2).size() + tilesOf(42, 6, 2).size();
        total += tilesOf(56, 4, 2).size() + tilesOf(56, 6, 2).size();
    }
    EXPECT_EQ(total, 5082u);
}

TEST(Chequerboard, OriginTileIsEvenAndNeighboursAlternate) {
    const auto board = tilesOf(16, 16, 1);
    ASSERT_EQ(board.size(), 256u);
    int odd = 0;
    for (const Tile& t : board) {
        odd += isOddTile(t) ? 1 : 0;
    }
    EXPECT_EQ(odd, 128);
    EXPECT_FALSE(isOddTile({0, 0, 1}));
    EXPECT_TRUE(isOddTile({1, 0, 1}));
    EXPECT_TRUE(isOddTile({0, 1, 1}));
    EXPECT_FALSE(isOddTile({1, 1, 1}));
    EXPECT_FALSE(isOddTile({15, 15, 1}));
    // With tiles of 2 the parity follows the tile index, not the coordinate.
    EXPECT_TRUE(isOddTile({2, 0, 2}));
    EXPECT_FALSE(isOddTile({2, 2, 2}));
}

}  // namespace
