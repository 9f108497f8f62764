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
        // Its frames are counted, so each look after input waits until the
        // program has drawn frames after it.
        app_ = std::make_unique<VellmoorProcess>(std::vector<std::string>{VELLMOOR_BINARY},
                                                 VELLMOOR_ASSETS_DIR, true, FRAME_TALLY_LIBRARY);
        ASSERT_TRUE(app_->hasWindow()) << "no window titled '-=- Vellmoor -=-' appeared";
        const ViewWait start = app_->waitForSteadyView(kSteadyColumns);
        ASSERT_TRUE(start.reached) << start.report;
        start_ = start.view;
    }

    std::unique_ptr<VellmoorProcess> app_;
    Picture start_;
};

TEST_F(Walkthrough, OpensItsWindowAt600By400ShowingTheRoom) {
    const auto size = app_->windowSize();
    EXPECT_EQ(size[0], 600);
    EXPECT_EQ(size[1], 400);

    // The room fills the view: hardly any pixel is the blue background.
    ASSERT_EQ(start_.width, 600);
    int background = 0;
    for (const auto& p : start_.pixels) {
        background += (p[0] == 0 && p[1] == 0 && p[2] == 204) ? 1 : 0;
    }
    EXPECT_LT(background, static_cast<int>(start_.pixels.size() / 100));
}

TEST_F(Walkthrough, KeysMoveTheView) {
    // Walking forward three steps changes the steady part of the view...
    app_->pressKeys("w w w");
    const ViewWait walked = app_->waitForChangedView(start_, kSteadyColumns, 2.0);
    ASSERT_TRUE(walked.reached) << "walking forward: " << walked.report;

    // ...and keys the program does not use change nothing, once frames have
    // been drawn after them.
    app_->pressKeys("W 1 Return Up F1");
    const ViewWait ignored = app_->waitForSteadyView(kSteadyColumns);
    ASSERT_TRUE(ignored.reached) << ignored.report;
    EXPECT_LT(meanDifference(walked.view, ignored.view, 0, kSteadyColumns), 0.5);
}

TEST_F(Walkthrough, PointerAtTheEdgeTurnsTheView) {
    app_->movePointer(302, 202);  // the dead zone in the middle turns nothing
    const ViewWait centred = app_->waitForSteadyView(kSteadyColumns);
    ASSERT_TRUE(centred.reached) << centred.report;
    EXPECT_LT(meanDifference(start_, centred.view, 0, kSteadyColumns), 0.5);

    app_->movePointer(5, 200);  // the left edge turns the view to the left
    const ViewWait turned = app_->waitForChangedView(start_, kSteadyColumns, 2.0);
    EXPECT_TRUE(turned.reached) << "pointer at the left edge: " << turned.report;
}

TEST_F(Walkthrough, EscapeEndsTheProgramWithStatusZero) {
    app_->pressKeys("Escape");
    EXPECT_EQ(app_->waitForExit(60.0), 0);
}

}  // namespace
