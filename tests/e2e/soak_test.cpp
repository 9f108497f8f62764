// Soak: the real binary, recorded with apitrace, takes thousands of random
// keys (never Esc), pointer moves inside and outside its window with and
// without a button held, and resizes down to 1x1 and beyond the screen; then
// Esc. It must end with status 0, and every frame's view transform in the
// recording must be finite.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "e2e/x_session.h"
#include "leak/launched_program.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const unsigned kSeed = 20240607;  // fixed, so that a failing run can be replayed
const int kRounds = 40;
const int kKeysPerRound = 50;   // 2,000 keys in all
const int kMovesPerRound = 50;  // 2,000 pointer moves in all
const int kScreenWidth = 1280;  // of the X server the tests run under
const int kScreenHeight = 1024;

// Keys the program may see: letters of both cases, digits, Enter, the arrows
// and the function keys. Esc ends the program and is sent only at the end; no
// modifier is ever held, beyond the shift xdotool adds for capitals.
std::vector<std::string> soakKeys() {
    std::vector<std::string> keys = {"Return", "Up", "Down", "Left", "Right"};
    for (char c = 'a'; c <= 'z'; ++c) {
        keys.push_back(std::string(1, c));
        keys.push_back(std::string(1, static_cast<char>(c - 'a' + 'A')));
    }
    for (char c = '0'; c <= '9'; ++c) {
        keys.push_back(std::string(1, c));
    }
    for (int f = 1; f <= 12; ++f) {
        keys.push_back("F" + std::to_string(f));
    }
    return keys;
}

struct Size {
    int width;
    int height;
};

// Twenty window sizes: the extremes first and last, random ones between.
std::vector<Size> soakSizes(std::mt19937& random) {
    std::uniform_int_distribution<int> width(1, kScreenWidth);
    std::uniform_int_distribution<int> height(1, kScreenHeight);
    std::vector<Size> sizes = {{1, 1}};
    while (sizes.size() < 19) {
        sizes.push_back({width(random), height(random)});
    }
    sizes.push_back({1600, 1000});
    return sizes;
}

// One xdotool invocation: the keys, then the pointer moves (a run of them with
// a button held down), then, every other round, a resize.
std::string soakRound(std::mt19937& random, unsigned long window,
                      const std::vector<std::string>& keys, int originX, int originY, Size& size,
                      const Size* resize) {
    const std::string id = std::to_string(window);
    std::string commands = "windowfocus --sync " + id + " key --delay 1";
    std::uniform_int_distribution<size_t> pickKey(0, keys.size() - 1);
    for (int i = 0; i < kKeysPerRound; ++i) {
        commands += " " + keys[pickKey(random)];
    }
    std::uniform_int_distribution<int> anyX(0, kScreenWidth - 1);
    std::uniform_int_distribution<int> anyY(0, kScreenHeight - 1);
    std::uniform_int_distribution<int> insideX(originX, originX + size.width - 1);
    std::uniform_int_distribution<int> insideY(originY, originY + size.height - 1);
    std::uniform_int_distribution<int> button(1, 3);
    std::bernoulli_distribution inside(0.6);
    const int heldFrom = kMovesPerRound / 2;
    const int heldTo = heldFrom + 10;
    const std::string held = std::to_string(button(random));
    for (int i = 0; i < kMovesPerRound; ++i) {
        if (i == heldFrom) {
            commands += " mousedown " + held;
        }
        const bool in = inside(random);
        commands += " mousemove " + std::to_string(in ? insideX(random) : anyX(random)) + " " +
                    std::to_string(in ? insideY(random) : anyY(random));
        if (i == heldTo) {
            commands += " mouseup " + held;
        }
    }
    if (resize != nullptr) {
        size = *resize;
        commands += " windowsize " + id + " " + std::to_string(size.width) + " " +
                    std::to_string(size.height);
    }
    return commands;
}

// What the recording says about the view.
struct ViewRecord {
    long frames = 0;         // buffer swaps
    long lookRotations = 0;  // glMultMatrixf: the turn of gluLookAt
    long eyeShifts = 0;      // glTranslated: the eye of gluLookAt
    long projections = 0;    // glMultMatrixd: gluPerspective
    std::set<std::string> distinctRotations;
    std::set<std::string> distinctEyes;
    std::set<std::string> viewports;
    std::vector<std::string> notFinite;  // calls with a nan or inf argument
};

ViewRecord readRecording(const fs::path& trace) {
    ViewRecord record;
    // gluLookAt and gluPerspective are not OpenGL calls, so the recording holds
    // the matrix and translation calls they issue instead.
    const std::string command =
        "apitrace dump --color=never --call-nos=no "
        "--grep='^(glMultMatrixf|glMultMatrixd|glTranslated|glViewport|glXSwapBuffers)$' '" +
        trace.string() + "' 2>/dev/null";
    const std::regex notFinite(R"((^|[^A-Za-z_])-?(nan|inf)([^A-Za-z_]|$))", std::regex::icase);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return record;
    }
    std::string line;
    char buffer[1024];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        line += buffer;
        if (line.back() != '\n') {
            continue;
        }
        line.pop_back();
        const size_t open = line.find('(');
        const std::string name = line.substr(0, open);
        const std::string arguments = open == std::string::npos ? "" : line.substr(open);
        if (std::regex_search(arguments, notFinite)) {
            record.notFinite.push_back(line);
        }
        if (name == "glXSwapBuffers") {
            ++record.frames;
        } else if (name == "glMultMatrixf") {
            ++record.lookRotations;
            record.distinctRotations.insert(arguments);
        } else if (name == "glTranslated") {
            ++record.eyeShifts;
            record.distinctEyes.insert(arguments);
        } else if (name == "glMultMatrixd") {
            ++record.projections;
        } else if (name == "glViewport") {
            record.viewports.insert(arguments);
        }
        line.clear();
    }
    pclose(pipe);
    return record;
}

TEST(Soak, RandomKeysPointerAndResizesThenEscEndCleanlyWithAFiniteView) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
    ScratchDir dir("soak");
    const fs::path trace = dir.path / "soak.trace";
    // Its frames are counted as well, so that each burst waits for frames drawn after it.
    const std::string tally = (dir.path / "frames").string();
    LaunchedProgram program({"env", asanOptionsWithTracer(), "LD_PRELOAD=" FRAME_TALLY_LIBRARY,
                             "VELLMOOR_FRAME_TALLY=" + tally, "apitrace", "trace", "--api", "gl",
                             "-o", trace.string(), VELLMOOR_BINARY},
                            VELLMOOR_ASSETS_DIR, (dir.path / "log").string());
    const unsigned long window = program.waitForWindow(30.0);
    ASSERT_NE(window, 0u) << "no window titled '-=- Vellmoor -=-' appeared";
    // Where the window stands on the screen, for pointer moves inside it.
    const std::string geometry =
        shellOutput("xdotool getwindowgeometry --shell " + std::to_string(window));
    int originX = 0;
    int originY = 0;
    std::sscanf(geometry.c_str() + geometry.find("X="), "X=%d", &originX);
    std::sscanf(geometry.c_str() + geometry.find("Y="), "Y=%d", &originY);

    std::mt19937 random(kSeed);
    const std::vector<std::string> keys = soakKeys();
    const std::vector<Size> sizes = soakSizes(random);
    Size size = {600, 400};
    for (int round = 0; round < kRounds; ++round) {
        const Size* resize = round % 2 == 1 ? &sizes[round / 2] : nullptr;
        const std::string commands =
            soakRound(random, window, keys, originX, originY, size, resize);
        const long frames = talliedFrames(tally);
        ASSERT_TRUE(LaunchedProgram::xdotool(commands)) << "round " << round << ": " << commands;
        // Frames are drawn between the bursts.
        ASSERT_TRUE(waitForTalliedFrames(tally, frames + kFramesAfterInput, kViewSeconds))
            << "no frames were drawn in " << kViewSeconds << " s after round " << round;
        const int status = program.waitForExit(0.0);
        ASSERT_TRUE(program.running())
            << "the program ended in round " << round << " with status " << status;
    }
    ASSERT_TRUE(
        LaunchedProgram::xdotool("windowfocus --sync " + std::to_string(window) + " key Escape"));
    ASSERT_EQ(program.waitForExit(60.0), 0) << "Esc did not end the program with status 0";

    const ViewRecord record = readRecording(trace);
    std::printf("%ld frames, %zu views, %zu eye positions, %zu viewports recorded\n", record.frames,
                record.distinctRotations.size(), record.distinctEyes.size(),
                record.viewports.size());
    ASSERT_GE(record.frames, kRounds) << "too few frames were recorded in " << trace;
    // Every frame sets the view; none has a nan or inf in it.
    EXPECT_GE(record.lookRotations, record.frames);
    EXPECT_GE(record.eyeShifts, record.frames);
    EXPECT_GE(record.projections, 1);
    EXPECT_TRUE(record.notFinite.empty())
        << record.notFinite.size() << " calls, the first: " << record.notFinite.front();
    // The input arrived: the keys moved the eye, the pointer turned the view,
    // and the extreme sizes reached the projection.
    EXPECT_GT(record.distinctEyes.size(), 10u);
    EXPECT_GT(record.distinctRotations.size(), 10u);
    EXPECT_EQ(record.viewports.count("(x = 0, y = 0, width = 1, height = 1)"), 1u);
    EXPECT_EQ(record.viewports.count("(x = 0, y = 0, width = 1600, height = 1000)"), 1u);
}

}  // namespace
