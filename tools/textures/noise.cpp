#include "noise.h"

#include <cmath>

std::uint64_t SplitMix::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double SplitMix::uniform() {
    return static_cast<double>(next() >> 11) / 9007199254740992.0;
}

namespace {

// A well-mixed hash of a lattice point, in [0, 1).
double latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x8da6b343u) ^
                      (static_cast<std::uint32_t>(y) * 0xd8163841u);
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return (h >> 8) / 16777216.0;
}

int wrap(int i, int period) {
    return ((i % period) + period) % period;
}

double fade(double t) {
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

double valueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const int xa = wrap(x0, periodX);
    const int xb = wrap(x0 + 1, periodX);
    const int ya = wrap(y0, periodY);
    const int yb = wrap(y0 + 1, periodY);
    const double bottom =
        latticeValue(xa, ya, seed) + (latticeValue(xb, ya, seed) - latticeValue(xa, ya, seed)) * tx;
    const double top =
        latticeValue(xa, yb, seed) + (latticeValue(xb, yb, seed) - latticeValue(xa, yb, seed)) * tx;
    return bottom + (top - bottom) * ty;
}

double fractalNoise(double x, double y, int periodX, int periodY, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double total = 0.0;
    double weight = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * valueNoise(x, y, periodX, periodY, seed + 977u * octave);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}
