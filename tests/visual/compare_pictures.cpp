// Tells how far freshly rendered pictures are from the references they replace.
//
//   compare_pictures REFERENCE_DIR NEW_DIR
//
// Prints one line per NAME.png in NEW_DIR: the share of pixels that differ from
// REFERENCE_DIR/NAME.png beyond the test's channel tolerance, and the largest
// channel difference. References with no new picture are listed too. Always
// exits 0 unless it cannot read a new picture: it reports, it does not judge.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "visual/picture_diff.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> pngNames(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        if (entry.path().extension() == ".png") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s REFERENCE_DIR NEW_DIR\n", argv[0]);
        return 2;
    }
    const fs::path referenceDir = argv[1];
    const fs::path newDir = argv[2];
    int status = 0;
    for (const std::string& name : pngNames(newDir)) {
        RgbPicture fresh;
        if (!readPng((newDir / (name + ".png")).string(), fresh)) {
            std::printf("%-12s cannot read the new picture\n", name.c_str());
            status = 1;
            continue;
        }
        RgbPicture reference;
        if (!readPng((referenceDir / (name + ".png")).string(), reference)) {
            std::printf("%-12s new reference\n", name.c_str());
            continue;
        }
        const PictureDifference d = comparePictures(reference, fresh, kChannelTolerance);
        if (!d.sameSize) {
            std::printf("%-12s size changed from %dx%d to %dx%d\n", name.c_str(), reference.width,
                        reference.height, fresh.width, fresh.height);
            continue;
        }
        std::printf("%-12s %7.3f%% of pixels differ by more than %d (largest difference %d)%s\n",
                    name.c_str(), 100.0 * d.fraction, kChannelTolerance, d.largest,
                    withinThresholds(d) ? "" : "  <- beyond the test's threshold");
    }
    const std::vector<std::string> fresh = pngNames(newDir);
    for (const std::string& name : pngNames(referenceDir)) {
        if (std::find(fresh.begin(), fresh.end(), name) == fresh.end()) {
            std::printf("%-12s no longer rendered (its reference goes)\n", name.c_str());
        }
    }
    return status;
}
