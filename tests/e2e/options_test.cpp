// The program's own command-line option on the real binary: --steady-lamps,
// given with GLUT's own options, keeps the three spot lamps' lights on, as the
// recording of its OpenGL calls shows; an option it does not know ends it at
// once, named, with the usage.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "e2e/x_session.h"
#include "leak/launched_program.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const int kColumns = 600;  // the whole window

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The recorded glEnable and glDisable calls by their text, and the frames.
struct SwitchRecord {
    std::map<std::string, int> calls;
    int frames = 0;
};

SwitchRecord readSwitches(const fs::path& trace) {
    SwitchRecord record;
    const std::string command =
        "apitrace dump --color=never --call-nos=no "
        "--grep='^(glEnable|glDisable|glXSwapBuffers)$' '" +
        trace.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return record;
    }
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const std::string call(line, std::strcspn(line, "\n"));
        if (call.rfind("glXSwapBuffers", 0) == 0) {
            ++record.frames;
        } else {
            ++record.calls[call];
        }
    }
    pclose(pipe);
    return record;
}

TEST(ProgramOptions, SteadyLampsBesideGlutsOptionsKeepEverySpotLampLit) {
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr) << "run under an X server (xvfb-run)";
    ScratchDir dir("steady-lamps");
    const fs::path trace = dir.path / "steady.trace";
    {
        VellmoorProcess app(
            {"env", asanOptionsWithTracer(), "apitrace", "trace", "--api", "gl", "-o",
             trace.string(), VELLMOOR_BINARY, "-display", display, "--steady-lamps"},
            VELLMOOR_ASSETS_DIR, true, FRAME_TALLY_LIBRARY);
        ASSERT_TRUE(app.hasWindow()) << "no window titled '-=- Vellmoor -=-' appeared";
        // The first frame, then one drawn after a step forward: the lamps
        // have been switched by the idle calls between them.
        const ViewWait start = app.waitForSteadyView(kColumns);
        ASSERT_TRUE(start.reached) << start.report;
        app.pressKeys("w");
        const ViewWait walked = app.waitForChangedView(start.view, kColumns, 0.0);
        ASSERT_TRUE(walked.reached) << "no frame after the first was drawn: " << walked.report;
        app.pressKeys("Escape");
        ASSERT_EQ(app.waitForExit(60.0), 0);
    }

    SwitchRecord record = readSwitches(trace);
    ASSERT_GE(record.frames, 2) << "too few frames were recorded in " << trace;
    for (const char* light : {"GL_LIGHT2", "GL_LIGHT3", "GL_LIGHT4"}) {
        const std::string cap = std::string("(cap = ") + light + ")";
        EXPECT_EQ(record.calls["glDisable" + cap], 0) << light;
        // Once at start-up, then at every idle call: one before each frame
        // but the first.
        EXPECT_GE(record.calls["glEnable" + cap], record.frames) << light;
    }
}

TEST(ProgramOptions, AnUnknownOptionIsNamedWithTheUsageAndEndsWithStatusTwo) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
    ScratchDir dir("unknown-option");
    const fs::path log = dir.path / "log";
    LaunchedProgram program({VELLMOOR_BINARY, "--steady"}, VELLMOOR_ASSETS_DIR, log.string());
    EXPECT_EQ(program.waitForExit(30.0), 2);
    const std::string said = fileText(log);
    EXPECT_EQ(
        said.rfind("vellmoor: unknown option '--steady'\nusage: vellmoor [--steady-lamps]", 0), 0u)
        << said;
}

}  // namespace
