#include "canvas.h"

#include <algorithm>
#include <cmath>

Rgb rgb8(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb& colour, double k) {
    return {colour.r * k, colour.g * k, colour.b * k};
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

namespace {

unsigned char toByte(double channel) {
    return static_cast<unsigned char>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

}  // namespace

Pixels render(int width, int height, int samples, const Picture& picture) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.bgr.reserve(static_cast<std::size_t>(width) * height * 3);
    const double weight = 1.0 / (samples * samples);
    // Row 0 is the bottom row, as TGA stores it by default.
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            Rgb sum{0.0, 0.0, 0.0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (column + (sx + 0.5) / samples) / width;
                    const double y = (row + (sy + 0.5) / samples) / height;
                    const Rgb c = picture(x, y);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            pixels.bgr.push_back(toByte(sum.b * weight));
            pixels.bgr.push_back(toByte(sum.g * weight));
            pixels.bgr.push_back(toByte(sum.r * weight));
        }
    }
    return pixels;
}

std::vector<unsigned char> encodeTga(const Pixels& pixels) {
    std::vector<unsigned char> file(18 + pixels.bgr.size(), 0);
    file[2] = 2;  // uncompressed true colour
    file[12] = static_cast<unsigned char>(pixels.width & 0xff);
    file[13] = static_cast<unsigned char>(pixels.width >> 8);
    file[14] = static_cast<unsigned char>(pixels.height & 0xff);
    file[15] = static_cast<unsigned char>(pixels.height >> 8);
    file[16] = 24;
    std::copy(pixels.bgr.begin(), pixels.bgr.end(), file.begin() + 18);
    return file;
}
