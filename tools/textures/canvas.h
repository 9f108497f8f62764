#pragma once

// A small software canvas: pictures are described as a colour at every point
// of the unit square and rendered with supersampling into 24-bit pixels.

#include <functional>
#include <vector>

struct Rgb {
    double r;
    double g;
    double b;
};

// A colour from 8-bit channel values.
Rgb rgb8(int r, int g, int b);

// Linear blend: t = 0 gives a, t = 1 gives b.
Rgb mix(const Rgb& a, const Rgb& b, double t);

// Scales every channel by k.
Rgb scale(const Rgb& colour, double k);

// Hermite step from 0 at edge0 to 1 at edge1.
double smoothstep(double edge0, double edge1, double x);

// A picture: the colour at (x, y) of the unit square, x to the right, y up.
using Picture = std::function<Rgb(double x, double y)>;

// Pixels in TGA's default layout: blue, green, red bytes, bottom row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
};

// Renders a picture, averaging samples x samples points inside every pixel.
Pixels render(int width, int height, int samples, const Picture& picture);

// The bytes of an uncompressed 24-bit TGA file: no image ID, no colour map,
// lower-left origin.
std::vector<unsigned char> encodeTga(const Pixels& pixels);
