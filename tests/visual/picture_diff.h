#pragma once

#include <string>
#include <vector>

// Pictures as the screenshot tool writes them, and how far two of them differ.

// An 8-bit RGB picture, rows from the top.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // width * height * 3 bytes
};

// Reads an 8-bit RGB or RGBA PNG file (alpha is dropped). Returns false and
// leaves picture empty when the file is missing or is not such a PNG.
bool readPng(const std::string& path, RgbPicture& picture);

// Pixels that differ by more than the tolerance in at least one channel.
struct PictureDifference {
    bool sameSize = false;
    long differing = 0;   // pixels beyond the tolerance
    double fraction = 0;  // of all pixels; 1 when the sizes differ
    int largest = 0;      // largest channel difference anywhere
};

PictureDifference comparePictures(const RgbPicture& a, const RgbPicture& b, int tolerance);

// The thresholds the visual regression test holds every viewpoint to. Mesa's
// software rasteriser renders the same picture bit for bit on every run, so the
// margins only absorb small rounding changes between driver versions; a missing
// object or a surface in the wrong material changes far more pixels, far more.
constexpr int kChannelTolerance = 24;
constexpr double kDifferingFraction = 0.001;

// True when the difference stays within both thresholds.
bool withinThresholds(const PictureDifference& difference);
