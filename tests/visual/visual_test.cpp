// Visual regression: every viewpoint the screenshot tool renders is compared
// with its committed reference picture (`make update-references` rewrites them).
// The same viewpoints are also drawn in this process with one object hidden or
// recoloured, to show that the thresholds notice such a fault.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/window.h"
#include "light/lamp_animation.h"
#include "light/material.h"
#include "scene/display_lists.h"
#include "support/scratch_dir.h"
#include "viewpoints.h"
#include "visual/picture_diff.h"

namespace fs = std::filesystem;

namespace {

const char* const kUpdateHint = "if the change is intended, run `make update-references`";

// Runs the screenshot tool for every viewpoint, writing NAME.png into dir.
bool runScreenshotTool(const fs::path& dir) {
    const std::string command = std::string("'") + SCREENSHOT_TOOL + "' '" + VELLMOOR_ASSETS_DIR +
                                "' '" + dir.string() + "' > /dev/null";
    return std::system(command.c_str()) == 0;
}

RgbPicture pictureIn(const fs::path& dir, const std::string& name) {
    RgbPicture picture;
    readPng((dir / (name + ".png")).string(), picture);
    return picture;
}

std::string describe(const PictureDifference& d) {
    char text[160];
    std::snprintf(text, sizeof text, "%.3f%% of pixels differ by more than %d (largest %d)",
                  100.0 * d.fraction, kChannelTolerance, d.largest);
    return d.sameSize ? text : "the picture sizes differ";
}

// ---------------------------------------------------------------------------
// The tool's pictures against the references.

class ReferencePictures : public testing::Test {
   protected:
    static void SetUpTestSuite() {
        first_ = new ScratchDir("visual-first");
        second_ = new ScratchDir("visual-second");
        toolRan_ = runScreenshotTool(first_->path) && runScreenshotTool(second_->path);
    }
    static void TearDownTestSuite() {
        delete first_;
        delete second_;
    }
    void SetUp() override {
        ASSERT_TRUE(toolRan_) << "the screenshot tool failed: " << SCREENSHOT_TOOL;
    }

    static ScratchDir* first_;
    static ScratchDir* second_;
    static bool toolRan_;
};

ScratchDir* ReferencePictures::first_ = nullptr;
ScratchDir* ReferencePictures::second_ = nullptr;
bool ReferencePictures::toolRan_ = false;

TEST_F(ReferencePictures, EveryViewpointMatchesItsReference) {
    for (const Viewpoint& viewpoint : viewpoints()) {
        SCOPED_TRACE(viewpoint.name);
        const RgbPicture reference = pictureIn(VISUAL_REFERENCE_DIR, viewpoint.name);
        ASSERT_FALSE(reference.rgb.empty())
            << "no reference picture " << viewpoint.name << ".png; " << kUpdateHint;
        const RgbPicture rendered = pictureIn(first_->path, viewpoint.name);
        ASSERT_EQ(rendered.width, windowWidth);
        ASSERT_EQ(rendered.height, windowHeight);
        const PictureDifference d = comparePictures(reference, rendered, kChannelTolerance);
        EXPECT_TRUE(withinThresholds(d)) << describe(d) << "; " << kUpdateHint;
    }
}

TEST_F(ReferencePictures, EveryReferenceBelongsToAViewpoint) {
    for (const auto& entry : fs::directory_iterator(VISUAL_REFERENCE_DIR)) {
        const std::string name = entry.path().stem().string();
        bool known = false;
        for (const Viewpoint& viewpoint : viewpoints()) {
            known = known || viewpoint.name == name;
        }
        EXPECT_TRUE(known) << entry.path() << " is no viewpoint's reference; " << kUpdateHint;
    }
}

// The software rasteriser is deterministic, so the references can be exact.
TEST_F(ReferencePictures, TheToolRendersTheSamePicturesOnEveryRun) {
    for (const Viewpoint& viewpoint : viewpoints()) {
        SCOPED_TRACE(viewpoint.name);
        const PictureDifference d = comparePictures(pictureIn(first_->path, viewpoint.name),
                                                    pictureIn(second_->path, viewpoint.name), 0);
        EXPECT_TRUE(d.sameSize);
        EXPECT_EQ(d.differing, 0) << describe(d);
    }
}

// ---------------------------------------------------------------------------
// The thresholds against faults: the viewpoints drawn in this process.

// The frame as the screenshot tool takes it, rows from the top.
RgbPicture renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFrame();
    glFinish();
    RgbPicture picture;
    picture.width = windowWidth;
    picture.height = windowHeight;
    const size_t row = static_cast<size_t>(windowWidth) * 3;
    std::vector<unsigned char> bottomUp(row * windowHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    picture.rgb.resize(bottomUp.size());
    for (int y = 0; y < windowHeight; ++y) {
        std::copy_n(&bottomUp[(windowHeight - 1 - y) * row], row, &picture.rgb[y * row]);
    }
    return picture;
}

// A fault put into the scene for one picture and taken out again.
struct Fault {
    std::string viewpoint;
    std::string what;
    std::function<void()> put;
    std::function<void()> remove;
};

// Hides one display list: a call of list 0 draws nothing.
Fault hidden(const std::string& viewpoint, const std::string& what, GLuint* list) {
    auto saved = std::make_shared<GLuint>(0);
    return {viewpoint, what,
            [list, saved] {
                *saved = *list;
                *list = 0;
            },
            [list, saved] { *list = *saved; }};
}

// Replays one display list with its diffuse colour taken from another material:
// with colour tracking on, the list's own diffuse settings give way to the
// current colour.
Fault recoloured(const std::string& viewpoint, const std::string& what, GLuint* list,
                 const Material& wrong) {
    auto saved = std::make_shared<GLuint>(0);
    return {viewpoint, what,
            [list, saved, &wrong] {
                *saved = *list;
                *list = glGenLists(1);
                glNewList(*list, GL_COMPILE);
                glPushAttrib(GL_LIGHTING_BIT | GL_CURRENT_BIT);
                glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
                glEnable(GL_COLOR_MATERIAL);
                glColor4fv(wrong.diffuse);
                glCallList(*saved);
                glPopAttrib();
                glEndList();
            },
            [list, saved] {
                glDeleteLists(*list, 1);
                *list = *saved;
            }};
}

struct FaultPictures {
    std::map<std::string, RgbPicture> sound;  // by viewpoint
    std::vector<std::pair<Fault, RgbPicture>> faulty;
};

// Poses each viewpoint as the tool does and draws it sound and with each of its faults.
FaultPictures renderWithFaults(const std::vector<Fault>& faults) {
    FaultPictures pictures;
    for (const Viewpoint& viewpoint : viewpoints()) {
        poseScene(viewpoint);
        pictures.sound[viewpoint.name] = renderFrame();
        for (const Fault& fault : faults) {
            if (fault.viewpoint == viewpoint.name) {
                fault.put();
                pictures.faulty.emplace_back(fault, renderFrame());
                fault.remove();
            }
        }
    }
    return pictures;
}

TEST(VisualThresholds, CatchAMissingObjectOrAWrongDiffuseColour) {
    const std::vector<Fault> faults = {
        hidden("start", "the chairs hidden", &listChair),
        hidden("start", "the pool shades hidden", &listPoolShade),
        recoloured("start", "the chairs in felt green", &listChair, feltMaterial),
        hidden("square", "the mirror ball hidden", &listMirrorBall),
        hidden("bar", "the stools hidden", &listStool),
        hidden("bar", "the bottles and glasses hidden", &listBottleGroups),
        recoloured("bar", "the counter in grey", &listCounter, greyMaterial),
        hidden("glassware", "the bottles and glasses hidden", &listBottleGroups),
        hidden("overview", "the dartboards hidden", &listDartboard),
        hidden("overview", "the table shades hidden", &listTableShades),
        recoloured("overview", "the round tables in grey", &listRoundTable, greyMaterial),
        recoloured("overview", "the pool tables in wood", &listPoolTable, woodMaterial),
    };
    const FaultPictures pictures = renderWithFaults(faults);

    // Drawn here as in the tool: the sound pictures are the references.
    for (const auto& [name, picture] : pictures.sound) {
        const PictureDifference d =
            comparePictures(pictureIn(VISUAL_REFERENCE_DIR, name), picture, kChannelTolerance);
        EXPECT_TRUE(withinThresholds(d)) << name << ": " << describe(d);
    }
    ASSERT_EQ(pictures.faulty.size(), faults.size());
    for (const auto& [fault, picture] : pictures.faulty) {
        const PictureDifference d =
            comparePictures(pictures.sound.at(fault.viewpoint), picture, kChannelTolerance);
        std::printf("%-10s %-32s %s\n", fault.viewpoint.c_str(), fault.what.c_str(),
                    describe(d).c_str());
        EXPECT_FALSE(withinThresholds(d))
            << fault.viewpoint << " with " << fault.what << " passes: " << describe(d);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// The comparison itself.

TEST(ComparePictures, CountsPixelsBeyondTheToleranceInAnyChannel) {
    RgbPicture a;
    a.width = 4;
    a.height = 1;
    a.rgb = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    RgbPicture b = a;
    b.rgb[1] = 10 + 24;  // pixel 0: exactly at the tolerance
    b.rgb[5] = 10 + 25;  // pixel 1: just beyond, in blue
    b.rgb[6] = 0;        // pixel 2: 10 below in red
    const PictureDifference d = comparePictures(a, b, 24);
    EXPECT_TRUE(d.sameSize);
    EXPECT_EQ(d.differing, 1);
    EXPECT_DOUBLE_EQ(d.fraction, 0.25);
    EXPECT_EQ(d.largest, 25);
    EXPECT_FALSE(withinThresholds(d));

    RgbPicture taller = a;
    taller.width = 2;
    taller.height = 2;
    EXPECT_FALSE(comparePictures(a, taller, 24).sameSize);
    EXPECT_FALSE(withinThresholds(comparePictures(a, taller, 24)));
    EXPECT_FALSE(withinThresholds(comparePictures(RgbPicture(), RgbPicture(), 24)));
}

TEST(ComparePictures, ReadsWhatTheScreenshotToolWrites) {
    RgbPicture start;
    ASSERT_TRUE(readPng(std::string(VISUAL_REFERENCE_DIR) + "/start.png", start));
    EXPECT_EQ(start.width, 600);
    EXPECT_EQ(start.height, 400);
    EXPECT_EQ(start.rgb.size(), 600u * 400u * 3u);
    EXPECT_FALSE(readPng(std::string(VISUAL_REFERENCE_DIR) + "/no-such-view.png", start));
    EXPECT_TRUE(start.rgb.empty());
}
