#include <gtest/gtest.h>

#include "e2e/x_session.h"

namespace {

// Columns of the start view that only the white pool and table lights reach:
// the flashing coloured spots light the chequered square on the right.
const int kSteadyColumns = 200;

class Walkthrough : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
        app_ = std::make_unique<VellmoorProcess>(std::vector<std::string>{VELLMOOR_BINARY},
                                                 VELLMOOR_ASSETS_DIR);
        ASSERT_TRUE(app_->hasWindow()) << "no window titled '-=- Vellmoor -=-' appeared";
        ASSERT_TRUE(app_->waitForSteadyView(kSteadyColumns, 30.0)) << "the view never settled";
    }

    std::unique_ptr<VellmoorProcess> app_;
};

TEST_F(Walkthrough, OpensItsWindowAt600By400ShowingTheRoom) {
    const auto size = app_->windowSize();
    EXPECT_EQ(size[0], 600);
    EXPECT_EQ(size[1], 400);

    // The room fills the view: hardly any pixel is the blue background.
    const Picture start = app_->grab();
    ASSERT_EQ(start.width, 600);
    int background = 0;
    for (const auto& p : start.pixels) {
        background += (p[0] == 0 && p[1] == 0 && p[2] == 204) ? 1 : 0;
    }
    EXPECT_LT(background, static_cast<int>(start.pixels.size() / 100));
}

TEST_F(Walkthrough, KeysMoveTheView) {
    // With no input the steady part of the view stays as it is...
    const Picture before = app_->grab();
    VellmoorProcess::settle();
    const Picture still = app_->grab();
    EXPECT_LT(meanDifference(before, still, 0, kSteadyColumns), 0.5);

    // ...and walking forward three steps changes it.
    app_->pressKeys("w w w");
    const Picture walked = app_->grab();
    EXPECT_GT(meanDifference(before, walked, 0, kSteadyColumns), 2.0);

    // Keys the program does not use change nothing.
    app_->pressKeys("W 1 Return Up F1");
    const Picture ignored = app_->grab();
    EXPECT_LT(meanDifference(walked, ignored, 0, kSteadyColumns), 0.5);
}

TEST_F(Walkthrough, PointerAtTheEdgeTurnsTheView) {
    app_->movePointer(300, 200);  // the dead zone in the middle turns nothing
    const Picture centred = app_->grab();
    app_->movePointer(302, 202);
    EXPECT_LT(meanDifference(centred, app_->grab(), 0, kSteadyColumns), 0.5);

    app_->movePointer(5, 200);  // the left edge turns the view to the left
    EXPECT_GT(meanDifference(centred, app_->grab(), 0, kSteadyColumns), 2.0);
}

TEST_F(Walkthrough, EscapeEndsTheProgramWithStatusZero) {
    app_->pressKeys("Escape");
    EXPECT_EQ(app_->waitForExit(10.0), 0);
}

}  // namespace
