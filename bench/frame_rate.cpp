#include "frame_rate.h"

#include <algorithm>
#include <chrono>

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) {
        return values[middle];
    }
    return 0.5 * (values[middle - 1] + values[middle]);
}

double slowerBeyondSpread(const std::vector<double>& slower, const std::vector<double>& than) {
    const auto spread = [](const std::vector<double>& rounds) {
        if (rounds.empty()) {
            return 0.0;
        }
        const auto [fastest, slowest] = std::minmax_element(rounds.begin(), rounds.end());
        return *slowest - *fastest;
    };
    return median(slower) - median(than) - std::max(spread(slower), spread(than));
}

double msPerFrame(const std::function<void()>& frame, int warmUp, int frames) {
    for (int i = 0; i < warmUp; ++i) {
        frame();
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / frames;
}
