#pragma once

// Block capitals and digits on a 5 x 7 grid, for lettering painted into the
// pictures. Characters without a glyph are left blank.

#include <string>

// Where a line of text sits: the lower-left corner of its first glyph and the
// size of one grid cell. Glyphs are 5 cells wide with 1 cell between them.
struct TextPlacement {
    double left;
    double bottom;
    double cellWidth;
    double cellHeight;
};

// Width of a line of text in cells times cellWidth.
double textWidth(const std::string& text, double cellWidth);

// Whether the point (x, y) lies inside a lit cell of the text.
bool textCovers(const std::string& text, const TextPlacement& placement, double x, double y);
