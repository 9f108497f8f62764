#pragma once

#include <functional>
#include <vector>

// The median of the values (the mean of the middle two for an even count).
double median(std::vector<double> values);

// How much slower the `slower` rounds are than the `than` rounds beyond the
// rounds' own spread: the difference of their medians less the larger of the
// two spreads (slowest less fastest round). Zero or less when the difference
// is no more than the rounds of one of them differ among themselves.
double slowerBeyondSpread(const std::vector<double>& slower, const std::vector<double>& than);

// Milliseconds per frame over `frames` calls of `frame`, after `warmUp` untimed ones.
double msPerFrame(const std::function<void()>& frame, int warmUp, int frames);
