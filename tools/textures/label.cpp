#include <cmath>
#include <string>
#include <vector>

#include "glyphs.h"
#include "noise.h"
#include "pictures.h"

namespace {

// The label covers the body of a bottle of radius 0.15 and height 0.72 once
// round, so the picture is laid out in those units: two panels, each half
// the circumference wide, so a panel faces the viewer from either side.
constexpr double kPi = 3.14159265358979323846;
constexpr double kPanelWidth = kPi * 0.15;
constexpr double kHeight = 0.72;

const Rgb kPaper = rgb8(242, 232, 204);
const Rgb kCrimson = rgb8(140, 20, 32);
const Rgb kGold = rgb8(212, 170, 72);
const Rgb kInk = rgb8(52, 40, 36);

bool within(double value, double low, double high) {
    return value >= low && value < high;
}

// Lines of small print: pseudo-words of random letters, centred on the panel.
struct SmallPrint {
    std::string text;
    TextPlacement placement;
};

std::vector<SmallPrint> makeSmallPrint() {
    const std::string letters = "ABCDEFGHIKLMNOPRSTUVWY";
    SplitMix random(0x5eed0002u);
    std::vector<SmallPrint> lines;
    const double cellWidth = 0.003;
    const double cellHeight = 0.0045;
    const int lengths[] = {18, 20, 17, 12};
    for (int line = 0; line < 4; ++line) {
        std::string text;
        while (static_cast<int>(text.size()) < lengths[line]) {
            const int wordLength = 2 + static_cast<int>(random.uniform() * 6.0);
            for (int i = 0; i < wordLength; ++i) {
                text += letters[static_cast<std::size_t>(random.uniform() * letters.size())];
            }
            text += ' ';
        }
        text.pop_back();
        const double left = (kPanelWidth - textWidth(text, cellWidth)) / 2.0;
        lines.push_back({text, {left, 0.232 - line * 0.045, cellWidth, cellHeight}});
    }
    return lines;
}

// The colour at (x, y) of one panel, in label units.
Rgb panelColour(double x, double y, const std::vector<SmallPrint>& smallPrint) {
    // Crimson edges top and bottom with a gold line inside each.
    if (y < 0.03 || y >= kHeight - 0.03) {
        return kCrimson;
    }
    if (within(y, 0.036, 0.042) || within(y, kHeight - 0.042, kHeight - 0.036)) {
        return kGold;
    }
    // The coloured band round the whole label, edged with gold, with the name.
    const double bandLow = 0.28;
    const double bandHigh = 0.44;
    if (within(y, bandLow - 0.008, bandLow) || within(y, bandHigh, bandHigh + 0.008)) {
        return kGold;
    }
    if (within(y, bandLow, bandHigh)) {
        const std::string name = "VELLMOOR";
        const double cellWidth = 0.0072;
        const double cellHeight = 0.0155;
        const TextPlacement placement{(kPanelWidth - textWidth(name, cellWidth)) / 2.0,
                                      (bandLow + bandHigh) / 2.0 - 3.5 * cellHeight, cellWidth,
                                      cellHeight};
        return textCovers(name, placement, x, y) ? kPaper : kCrimson;
    }
    // The panel frame: a crimson rule with a thin gold one inside it.
    const double fromSide = std::min(x, kPanelWidth - x);
    const double fromEdge = std::min(fromSide, std::min(y - 0.06, kHeight - 0.06 - y));
    if (within(fromEdge, 0.012, 0.018)) {
        return kCrimson;
    }
    if (within(fromEdge, 0.023, 0.026)) {
        return kGold;
    }
    // A medallion above the band: gold ring, crimson disc, the number.
    const double medallionX = kPanelWidth / 2.0;
    const double medallionY = 0.57;
    const double distance = std::hypot(x - medallionX, y - medallionY);
    if (within(distance, 0.05, 0.057)) {
        return kGold;
    }
    if (distance < 0.05) {
        const std::string number = "02";
        const double cellWidth = 0.0062;
        const double cellHeight = 0.0085;
        const TextPlacement placement{medallionX - textWidth(number, cellWidth) / 2.0,
                                      medallionY - 3.5 * cellHeight, cellWidth, cellHeight};
        return textCovers(number, placement, x, y) ? kGold : kCrimson;
    }
    // A line of capitals between the band and the medallion.
    const std::string motto = "FINE OLD SPIRIT";
    const double mottoCellWidth = 0.004;
    const TextPlacement mottoPlacement{(kPanelWidth - textWidth(motto, mottoCellWidth)) / 2.0,
                                       0.462, mottoCellWidth, 0.0045};
    if (textCovers(motto, mottoPlacement, x, y)) {
        return kCrimson;
    }
    for (const SmallPrint& line : smallPrint) {
        if (textCovers(line.text, line.placement, x, y)) {
            return kInk;
        }
    }
    return kPaper;
}

}  // namespace

Picture bottleLabel() {
    const std::vector<SmallPrint> smallPrint = makeSmallPrint();
    return [smallPrint](double x, double y) {
        // Two identical panels side by side round the bottle.
        const double panelX = std::fmod(x * 2.0, 1.0) * kPanelWidth;
        const Rgb colour = panelColour(panelX, y * kHeight, smallPrint);
        // A faint mottling of the paper.
        const double mottle = fractalNoise(x * 16.0, y * 16.0, 16, 16, 2, 31u);
        return scale(colour, 0.96 + 0.06 * mottle);
    };
}
