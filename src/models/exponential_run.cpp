#include "models/exponential_run.h"

#include <cmath>

ConeStack exponentialCones(const ExponentialRun& run, float startRadius) {
    ConeStack stack{{}, startRadius};
    float x = run.startX;
    for (int k = 0; k < run.segments; ++k) {
        const double top = run.scale * std::exp(run.rate * x);
        stack.segments.push_back(ConeSegment{stack.endRadius, top});
        stack.endRadius = static_cast<float>(top);
        x = static_cast<float>(x + run.step);
    }
    return stack;
}

// The inner skins narrow faster (rate 1.3) from 0.85 of the outer radius, so
// the wall between the skins thins towards the mouth.
const ExponentialRun outerShoulderRun{10, 0.18, 0.0f, -0.18, 1.0, 1.0, 3};
const ExponentialRun innerShoulderRun{10, 0.18, 0.0f, -0.18, 0.85, 1.3, 3};
const ExponentialRun outerNeckRun{7, 1.8 / 7, 0.0f, -1.8 / 7, 1.0, 1.0, 5};
const ExponentialRun innerNeckRun{7, 1.8 / 7, 0.0f, -1.8 / 7, 0.85, 1.3, 5};
const ExponentialRun stemRun{10, 0.25, 0.0f, -0.25, 1.0, 1.7, 3};
const ExponentialRun bowlRun{10, 0.12, -1.0f, 0.12, 1.0, 1.0, 3};
