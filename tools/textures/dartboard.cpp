#include <cmath>
#include <string>

#include "glyphs.h"
#include "pictures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Segment scores clockwise from the top.
const int kScores[20] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};

// Ring radii as fractions of the board radius (the inscribed circle), in the
// proportions of a regulation board.
constexpr double kInnerBull = 0.0282;
constexpr double kOuterBull = 0.0707;
constexpr double kTrebleInner = 0.440;
constexpr double kTrebleOuter = 0.4756;
constexpr double kDoubleInner = 0.720;
constexpr double kDoubleOuter = 0.7556;
constexpr double kNumberRadius = 0.865;
constexpr double kWireWidth = 0.0045;

const Rgb kDark = rgb8(28, 26, 24);
const Rgb kLight = rgb8(232, 218, 178);
const Rgb kRed = rgb8(196, 32, 36);
const Rgb kGreen = rgb8(24, 130, 64);
const Rgb kSurround = rgb8(18, 18, 20);
const Rgb kWire = rgb8(200, 200, 196);
const Rgb kNumber = rgb8(236, 236, 228);

// Whether a point lies on one of the upright numbers round the scoring area.
bool onNumber(double x, double y) {
    const double cellHeight = 0.0135;
    const double cellWidth = 0.0115;
    for (int segment = 0; segment < 20; ++segment) {
        const double angle = segment * 2.0 * kPi / 20.0;
        const double cx = kNumberRadius * std::sin(angle);
        const double cy = kNumberRadius * std::cos(angle);
        const std::string text = std::to_string(kScores[segment]);
        const TextPlacement placement{cx - textWidth(text, cellWidth) / 2.0, cy - 3.5 * cellHeight,
                                      cellWidth, cellHeight};
        if (textCovers(text, placement, x, y)) {
            return true;
        }
    }
    return false;
}

// Whether a point lies on the wire that separates rings and segments.
bool onWire(double radius, double angleFromTop) {
    const double rings[] = {kOuterBull,   kTrebleInner, kTrebleOuter,
                            kDoubleInner, kDoubleOuter, kInnerBull};
    for (double ring : rings) {
        if (std::fabs(radius - ring) < kWireWidth / 2.0) {
            return true;
        }
    }
    if (radius < kOuterBull || radius > kDoubleOuter) {
        return false;
    }
    // Segment edges lie half a segment either side of each score's centre.
    const double segmentAngle = 2.0 * kPi / 20.0;
    const double offset = std::fmod(angleFromTop + segmentAngle / 2.0, segmentAngle);
    const double distance = std::min(offset, segmentAngle - offset) * radius;
    return distance < kWireWidth / 2.0;
}

Rgb boardColour(double x, double y) {
    const double radius = std::hypot(x, y);
    // Angle clockwise from the top, in [0, 2 pi).
    double angle = std::atan2(x, y);
    if (angle < 0.0) {
        angle += 2.0 * kPi;
    }
    if (radius > kDoubleOuter + kWireWidth / 2.0) {
        return onNumber(x, y) ? kNumber : kSurround;
    }
    if (onWire(radius, angle)) {
        return kWire;
    }
    if (radius < kInnerBull) {
        return kRed;
    }
    if (radius < kOuterBull) {
        return kGreen;
    }
    const int segment = static_cast<int>(std::floor(angle / (2.0 * kPi / 20.0) + 0.5)) % 20;
    // The 20 segment is dark; dark segments carry red rings, light ones green.
    const bool dark = segment % 2 == 0;
    const bool onRing = (radius > kTrebleInner && radius < kTrebleOuter) ||
                        (radius > kDoubleInner && radius < kDoubleOuter);
    if (onRing) {
        return dark ? kRed : kGreen;
    }
    return dark ? kDark : kLight;
}

}  // namespace

Picture dartboardFace() {
    return [](double x, double y) {
        // Board coordinates: centre at the middle, radius 1 at the edges.
        return boardColour(2.0 * x - 1.0, 2.0 * y - 1.0);
    };
}
