#pragma once

#include <vector>

// A stack of short cone segments along +z whose top radii follow an exponential
// curve R(x) = scale * exp(rate * x). The curve parameter x is a float that starts
// at startX and, after each segment, has step added and is rounded back to float.
struct ExponentialRun {
    int segments;
    double height;  // of one segment
    float startX;
    double step;
    double scale;
    double rate;
    int stacks;  // of each segment's cylinder
};

// One segment: its base is the previous segment's top rounded to float (the
// run's start radius for the first), its top is R(x) in double, unrounded.
struct ConeSegment {
    float base;
    double top;
};

struct ConeStack {
    std::vector<ConeSegment> segments;
    float endRadius;  // the last top, rounded to float
};

// The segments of a run that starts at startRadius.
ConeStack exponentialCones(const ExponentialRun& run, float startRadius);

// Bottle shoulders, outer and inner skin: ten segments of 0.18 from height 3 to 4.8.
extern const ExponentialRun outerShoulderRun;
extern const ExponentialRun innerShoulderRun;
// Decanter necks, outer and inner skin: seven segments of 1.8 / 7 from 2.5 to 4.3.
extern const ExponentialRun outerNeckRun;
extern const ExponentialRun innerNeckRun;
// Glass stem (from the foot, 2.5 high) and bowl (1.2 high, widening to the rim).
extern const ExponentialRun stemRun;
extern const ExponentialRun bowlRun;
