// The Windows program as a user gets it: the zip that `make windows` writes,
// unpacked into a fresh folder, and vellmoor.exe started there under wine on
// the tests' X server (Mesa renders for wine as it does for the Linux build).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/x_session.h"
#include "leak/launched_program.h"
#include "support/scratch_dir.h"
#include "visual/picture_diff.h"

namespace fs = std::filesystem;

namespace {

// Columns of the start view that only the steady white lights reach.
const int kSteadyColumns = 200;
// Wine's own start-up comes first; the prefix is made before the tests.
const double kStartSeconds = 30.0;
// How much the turning mirror ball changes the whole view from one frame to
// the next; a spot lamp switching changes it by far more.
const double kBallTurning = 0.1;

// The program started under wine in its own prefix, with arguments.
std::vector<std::string> underWine(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {WINE_RUN, WINE_PREFIX};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

Picture pictureOf(const RgbPicture& rgb) {
    Picture picture;
    picture.width = rgb.width;
    picture.height = rgb.height;
    for (std::size_t i = 0; i + 2 < rgb.rgb.size(); i += 3) {
        picture.pixels.push_back({rgb.rgb[i], rgb.rgb[i + 1], rgb.rgb[i + 2]});
    }
    return picture;
}

// Waits for the start view as the Linux build draws it (its reference
// picture), in the columns the flashing lamps do not reach: wine's first
// frames come late on a busy machine.
ViewWait waitForStartView(VellmoorProcess& app) {
    RgbPicture reference;
    if (!readPng(VISUAL_REFERENCE_DIR "/start.png", reference)) {
        return {false, {}, "the reference picture start.png could not be read"};
    }
    const Picture like = pictureOf(reference);
    return app.waitForView(
        kSteadyColumns, "the Linux build's start view",
        [&](const Picture& now) {
            const double difference = meanDifference(like, now, 0, kSteadyColumns);
            std::printf("start view against the reference: mean difference %.3f\n", difference);
            return difference >= 0.0 && difference < 0.5
                       ? std::string()
                       : "it differs from it by " + std::to_string(difference) +
                             " (-1: the window is not 600x400)";
        },
        kStartSeconds + kViewSeconds);
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WindowsZip : public testing::Test {
   protected:
    static void SetUpTestSuite() {
        // Makes the wine prefix before any window is waited for.
        shellOutput(std::string("'") + WINE_RUN + "' '" + WINE_PREFIX + "' --version");
    }

    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
        ASSERT_TRUE(fs::exists(VELLMOOR_WINDOWS_ZIP))
            << VELLMOOR_WINDOWS_ZIP << " is missing: make windows builds it";
        const std::string unzip = "cd '" + folder_.string() +
                                  "' && '" CMAKE_COMMAND "' -E tar xf '" VELLMOOR_WINDOWS_ZIP
                                  "' && echo unpacked";
        ASSERT_EQ(shellOutput(unzip), "unpacked");
    }

    std::string exe() const {
        return (folder_ / "vellmoor.exe").string();
    }

    ScratchDir scratch_{"windows"};
    const fs::path folder_ = scratch_.path;
};

TEST_F(WindowsZip, HoldsTheProgramItsImagesAReadmeAndTheLicence) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"LICENSE", "README.txt", "dartboard.tga", "oxy02.tga",
                                        "vellmoor.exe", "wood.tga", "wood1.tga"}));
    EXPECT_NE(fileText(folder_ / "README.txt").find("\r\n"), std::string::npos)
        << "README.txt should have Windows line ends";
}

// The DLLs every Windows has, in upper case.
const std::set<std::string> kWindowsOwnDlls = {"ADVAPI32.DLL", "GDI32.DLL",  "GLU32.DLL",
                                               "KERNEL32.DLL", "MSVCRT.DLL", "OPENGL32.DLL",
                                               "USER32.DLL",   "WINMM.DLL"};

// Nothing to install beside it: the C++ runtime and freeglut are linked in.
// A windowed program, so that no console window opens beside the room.
TEST_F(WindowsZip, ProgramIsWindowedAndNeedsOnlyWindowsOwnDlls) {
    const std::string headers = shellOutput(MINGW_OBJDUMP " -p '" + exe() + "'");
    ASSERT_NE(headers.find("DLL Name:"), std::string::npos) << headers;
    EXPECT_NE(headers.find("(Windows GUI)"), std::string::npos) << "not a windowed program";
    std::istringstream lines(headers);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t at = line.find("DLL Name: ");
        if (at != std::string::npos) {
            std::string dll = line.substr(at + 10);
            std::transform(dll.begin(), dll.end(), dll.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            EXPECT_EQ(kWindowsOwnDlls.count(dll), 1u) << dll << " does not come with Windows";
        }
    }
}

TEST_F(WindowsZip, OpensTheRoomMovesWithWAndEndsWithStatusZeroOnEsc) {
    VellmoorProcess app(underWine({exe()}), folder_.string());
    ASSERT_TRUE(app.hasWindow()) << "no window titled '-=- Vellmoor -=-' appeared";
    const auto size = app.windowSize();
    EXPECT_EQ(size[0], 600);
    EXPECT_EQ(size[1], 400);
    const ViewWait start = waitForStartView(app);
    ASSERT_TRUE(start.reached) << start.report;

    app.pressKeys("w w w");
    const ViewWait walked = app.waitForChangedView(start.view, kSteadyColumns, 2.0);
    EXPECT_TRUE(walked.reached) << "walking forward: " << walked.report;

    app.pressKeys("Escape");
    EXPECT_EQ(app.waitForExit(30.0), 0) << "Esc did not end the program with status 0";
}

// With --steady-lamps the spot lamps stay lit: turned towards the chequered
// square they light, the view changes only by the mirror ball turning, where
// flashing lamps change it by far more.
TEST_F(WindowsZip, SteadyLampsStayLit) {
    VellmoorProcess app(underWine({exe(), "--steady-lamps"}), folder_.string());
    ASSERT_TRUE(app.hasWindow()) << "no window titled '-=- Vellmoor -=-' appeared";
    const ViewWait start = waitForStartView(app);
    ASSERT_TRUE(start.reached) << start.report;
    // Each move in the right-hand zone turns the view about 5.5 degrees. Wine
    // hands the program only the last of the moves it has not yet read, so
    // each move waits for its turn to be drawn before the next.
    Picture view = start.view;
    for (int move = 0; move < 12; ++move) {
        app.movePointer(move % 2 == 0 ? 596 : 598, 200);
        const ViewWait moved = app.waitForDifference(view, view.width, 2.0);
        ASSERT_TRUE(moved.reached) << "move " << move << " did not turn the view: " << moved.report;
        view = moved.view;
    }
    app.movePointer(300, 200);
    // Turned, and holding still but for the mirror ball while frames are drawn.
    const ViewWait turned =
        app.waitForChangedView(start.view, start.view.width, 2.0, kViewSeconds, kBallTurning);
    ASSERT_TRUE(turned.reached) << "turned towards the lamps: " << turned.report;
    for (int look = 1; look <= 5; ++look) {
        VellmoorProcess::pause();
        EXPECT_LT(meanDifference(turned.view, app.grab(), 0, turned.view.width), kBallTurning)
            << "look " << look;
    }
    app.pressKeys("Escape");
    EXPECT_EQ(app.waitForExit(30.0), 0) << "Esc did not end the program with status 0";
}

TEST_F(WindowsZip, UnknownOptionIsNamedOnStandardErrorAndEndsWithStatusTwo) {
    const fs::path log = folder_ / "log";
    LaunchedProgram program(underWine({exe(), "--steady"}), folder_.string(), log.string());
    EXPECT_EQ(program.waitForExit(kStartSeconds), 2);
    EXPECT_NE(fileText(log).find("vellmoor: unknown option '--steady'"), std::string::npos)
        << fileText(log);
}

TEST_F(WindowsZip, MissingImageIsNamedOnStandardErrorAndEndsWithStatusOne) {
    fs::remove(folder_ / "wood1.tga");
    const fs::path log = folder_ / "log";
    LaunchedProgram program(underWine({exe()}), folder_.string(), log.string());
    EXPECT_EQ(program.waitForExit(kStartSeconds), 1);
    EXPECT_NE(fileText(log).find("vellmoor: cannot open texture file 'wood1.tga': "
                                 "No such file or directory"),
              std::string::npos)
        << fileText(log);
}

// Started as Explorer starts it, the program has no standard error: the
// message is shown in a box, and the program ends once it is closed.
TEST_F(WindowsZip, MissingImageWithoutStandardErrorIsShownInABox) {
    fs::remove(folder_ / "wood1.tga");
    LaunchedProgram program(underWine({"start", "/wait", "/unix", exe()}), folder_.string(),
                            (folder_ / "log").string());
    const unsigned long boxWindow = LaunchedProgram::findWindow("^Vellmoor$", kStartSeconds);
    ASSERT_NE(boxWindow, 0ul) << "no message box titled 'Vellmoor' appeared";
    const std::string box = std::to_string(boxWindow);
    EXPECT_TRUE(program.running()) << "the program did not wait for the box to be closed";
    ASSERT_TRUE(LaunchedProgram::xdotool("windowfocus --sync " + box + " key Return"));
    EXPECT_EQ(program.waitForExit(30.0), 1);
}

}  // namespace
