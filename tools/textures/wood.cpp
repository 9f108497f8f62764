#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Growth-ring profile over one ring (phase in [0, 1)): wide pale early wood,
// then a narrower dark band of late wood with a soft start and a sharp end.
double lateWood(double phase) {
    return smoothstep(0.55, 0.85, phase) * (1.0 - smoothstep(0.93, 1.0, phase));
}

double fraction(double x) {
    return x - std::floor(x);
}

}  // namespace

Picture lightWood() {
    return [](double x, double y) {
        // Grain runs along x. A gentle periodic wander bends the rings; whole
        // numbers of rings and noise periods keep the picture tileable.
        const double wander = fractalNoise(x * 2.0, y * 2.0, 2, 2, 3, 11u) - 0.5;
        const double rings = y * 13.0 + wander * 1.2;
        const double widthJitter = fractalNoise(0.0, rings, 1, 13, 2, 12u) - 0.5;
        const double phase = fraction(rings + widthJitter * 0.4);
        const double grain = smoothstep(0.7, 0.86, phase) * (1.0 - smoothstep(0.9, 0.98, phase));
        // Fibres: noise stretched far along the grain.
        const double fibre = fractalNoise(x * 2.0, y * 128.0 + wander * 30.0, 2, 128, 3, 13u);
        const double blotch = fractalNoise(x * 3.0, y * 3.0, 3, 3, 3, 14u);
        const Rgb early = rgb8(238, 214, 172);
        const Rgb late = rgb8(182, 136, 86);
        const Rgb colour = mix(early, late, 0.7 * grain + 0.45 * (fibre - 0.4));
        return scale(colour, 0.95 + 0.08 * blotch);
    };
}

Picture tableWood() {
    return [](double x, double y) {
        // The heart sits a little off the middle of the top.
        const double dx = x - 0.46;
        const double dy = y - 0.53;
        const double radius = std::hypot(dx, dy);
        const double angle = std::atan2(dy, dx);
        // Angular position in [0, 8): noise is periodic over the full turn.
        const double around = (angle + kPi) / (2.0 * kPi) * 8.0;
        // Rings wobble with position round the heart and vary in width.
        const double wobble = fractalNoise(around, radius * 6.0, 8, 64, 3, 21u) - 0.5;
        const double warped = radius + 0.025 * wobble;
        const double rings = warped * 26.0 + 0.6 * std::sin(warped * 17.0);
        const double grain = lateWood(fraction(rings));
        // Streaks run along the rings: noise fine across them, coarse along.
        const double streak = fractalNoise(around * 3.0, radius * 160.0, 24, 4096, 3, 22u);
        // Darker heartwood inside, lighter sapwood towards the edge.
        const double heart = 1.0 - smoothstep(0.05, 0.45, radius);
        const Rgb early = mix(rgb8(204, 148, 92), rgb8(170, 112, 64), heart);
        const Rgb late = mix(rgb8(140, 86, 44), rgb8(110, 62, 30), heart);
        const Rgb colour = mix(early, late, 0.85 * grain);
        return scale(colour, 0.84 + 0.3 * streak);
    };
}
