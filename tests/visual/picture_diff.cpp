#include "visual/picture_diff.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

bool readPng(const std::string& path, RgbPicture& picture) {
    picture = RgbPicture();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return false;
    }
    // The simplified API converts any PNG to 8-bit RGB, dropping alpha over black.
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb = std::move(rgb);
    return true;
}

PictureDifference comparePictures(const RgbPicture& a, const RgbPicture& b, int tolerance) {
    PictureDifference difference;
    difference.sameSize = a.width == b.width && a.height == b.height &&
                          a.rgb.size() == b.rgb.size() && !a.rgb.empty();
    if (!difference.sameSize) {
        difference.fraction = 1.0;
        return difference;
    }
    const size_t pixels = a.rgb.size() / 3;
    for (size_t p = 0; p < pixels; ++p) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(int(a.rgb[p * 3 + c]) - int(b.rgb[p * 3 + c]));
            worst = d > worst ? d : worst;
        }
        difference.largest = worst > difference.largest ? worst : difference.largest;
        difference.differing += worst > tolerance ? 1 : 0;
    }
    difference.fraction = static_cast<double>(difference.differing) / static_cast<double>(pixels);
    return difference;
}

bool withinThresholds(const PictureDifference& difference) {
    return difference.sameSize && difference.fraction <= kDifferingFraction;
}
