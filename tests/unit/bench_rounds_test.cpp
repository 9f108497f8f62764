// The benchmark's verdict that the allocator setting costs no viewpoint any
// time: a difference counts only when it is more than the rounds of one
// setting differ among themselves, whatever its size in per cent.
#include <gtest/gtest.h>

#include <vector>

#include "frame_rate.h"

namespace {

TEST(SlowerBeyondSpread, CountsOnlyADifferenceLargerThanTheRoundsOwnSpread) {
    // Two processes on the same setting can be 7 % apart at the median (as in
    // a control run), while the rounds of each differ by more than that.
    const std::vector<double> noisy = {21.4, 20.8, 22.4, 22.5, 20.1};
    const std::vector<double> noisyToo = {20.0, 19.5, 21.0, 20.6, 19.2};
    EXPECT_LE(slowerBeyondSpread(noisy, noisyToo), 0.0);

    // 4 % slower in every round, the rounds steady to a tenth of a millisecond.
    const std::vector<double> steadySlower = {20.80, 20.85, 20.90, 20.82, 20.88};
    const std::vector<double> steady = {20.00, 20.05, 20.02, 20.08, 20.04};
    EXPECT_GT(slowerBeyondSpread(steadySlower, steady), 0.0);
    EXPECT_LE(slowerBeyondSpread(steady, steadySlower), 0.0);
}

}  // namespace
