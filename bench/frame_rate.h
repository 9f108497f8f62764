#pragma once

#include <functional>
#include <vector>

// The median of the values (the mean of the middle two for an even count).
double median(std::vector<double> values);

// Milliseconds per frame over `frames` calls of `frame`, after `warmUp` untimed ones.
double msPerFrame(const std::function<void()>& frame, int warmUp, int frames);
