#pragma once

#include <functional>
#include <string>
#include <vector>

// The median of the values (the mean of the middle two for an even count).
double median(std::vector<double> values);

// Milliseconds per frame over `frames` calls of `frame`, after `warmUp` untimed ones.
double msPerFrame(const std::function<void()>& frame, int warmUp, int frames);

// One thing whose frame rate is measured: `timedRun` sets it up, draws it and
// returns milliseconds per frame.
struct FrameCase {
    std::string name;
    std::function<double()> timedRun;
};

// Every case's timed run, `repeats` times, taking the cases in turn within each
// repeat so that a passing disturbance of the machine spreads over all of them.
// Result: runs[case][repeat] in milliseconds per frame.
std::vector<std::vector<double>> measureInTurn(const std::vector<FrameCase>& cases, int repeats);
