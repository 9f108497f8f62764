// Memory leaks of the program's own, found with valgrind's memcheck: the real
// binary starts, draws its frames and ends on Esc. Blocks that the GL driver,
// X or GLUT lose are theirs and are only counted; a block that the program
// allocated itself and lost fails the test.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "leak/launched_program.h"
#include "leak/valgrind_report.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Under memcheck the software renderer takes two to five seconds for a frame of
// the room (against some thirty frames a second without it), so the run is held
// to six frames: enough for the lamps to switch and for anything leaked per
// frame to show six times over. Growth over long runs is the benchmark's to watch.
const long kFrames = 6;
// How long the program may go without showing its window or drawing a frame.
const int kStallSeconds = 600;

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}

long fileSize(const fs::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

// memcheck reporting definitely and indirectly lost blocks as XML.
std::vector<std::string> valgrindCommand(const fs::path& xmlFile) {
    return {"valgrind", "--tool=memcheck", "--leak-check=full",
            "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
            // Uninitialised values are the sanitizer build's concern; leaving
            // them out makes the driver's code run about twice as fast.
            "--undef-value-errors=no", "--num-callers=30", "--xml=yes",
            "--xml-file=" + xmlFile.string()};
}

std::vector<ValgrindError> leaksOfTheProgram(const ValgrindReport& report,
                                             const std::string& program, int* others) {
    std::vector<ValgrindError> ours;
    *others = 0;
    for (const ValgrindError& error : report.errors) {
        if (!isLostBlock(error)) {
            continue;
        }
        if (allocatedBy(error, program)) {
            ours.push_back(error);
        } else {
            ++*others;
        }
    }
    return ours;
}

std::string describeAll(const std::vector<ValgrindError>& errors) {
    std::string text;
    for (const ValgrindError& error : errors) {
        text += describeError(error);
    }
    return text;
}

TEST(LeakCheck, FindsTheLeaksOfAProgramThatLeaks) {
    ScratchDir dir("leak-leaky");
    const fs::path xml = dir.path / "valgrind.xml";
    std::vector<std::string> command = valgrindCommand(xml);
    command.push_back(LEAKY_PROGRAM);
    LaunchedProgram leaky(command, dir.path.string(), (dir.path / "log").string());
    ASSERT_EQ(leaky.waitForExit(120.0), 0);

    const ValgrindReport report = readValgrindXml(xml.string());
    ASSERT_TRUE(report.complete) << "valgrind's report in " << xml << " is unfinished";
    int others = 0;
    const auto ours = leaksOfTheProgram(report, realPath(LEAKY_PROGRAM), &others);
    ASSERT_EQ(ours.size(), 2u) << describeAll(ours);
    std::string functions;
    for (const ValgrindError& error : ours) {
        for (const StackFrame& frame : error.stack) {
            functions += frame.function + " ";
        }
    }
    EXPECT_NE(functions.find("gluNewQuadric"), std::string::npos) << describeAll(ours);
    EXPECT_NE(functions.find("operator new[]"), std::string::npos) << describeAll(ours);
    // The display left open is lost by the X library's own allocations.
    EXPECT_GT(others, 0);
}

TEST(LeakCheck, StartUpFramesAndEscLoseNoMemoryOfTheProgramsOwn) {
    ScratchDir dir("leak-vellmoor");
    const fs::path xml = dir.path / "valgrind.xml";
    const fs::path tally = dir.path / "frames";
    std::vector<std::string> command = {
        "env",
        // Mesa's software rasteriser, on the test's own thread: valgrind runs
        // one thread at a time, so the rasteriser's worker threads only cost.
        "LIBGL_ALWAYS_SOFTWARE=1", "LP_NUM_THREADS=0",
        // Counts the frames from outside the program (one byte per swap).
        std::string("LD_PRELOAD=") + FRAME_TALLY_LIBRARY, "VELLMOOR_FRAME_TALLY=" + tally.string()};
    for (const std::string& word : valgrindCommand(xml)) {
        command.push_back(word);
    }
    command.push_back(VELLMOOR_BINARY);
    const auto started = std::chrono::steady_clock::now();
    LaunchedProgram program(command, VELLMOOR_ASSETS_DIR, (dir.path / "log").string());

    // Generous bounds: under memcheck a busy machine takes a minute or more for
    // a frame, and with an empty shader cache (a new machine) every shader is
    // compiled under memcheck too.
    const unsigned long window = program.waitForWindow(kStallSeconds);
    ASSERT_NE(window, 0u) << "no window titled '-=- Vellmoor -=-' appeared";
    // A small window draws faster; the frame's work is the same.
    LaunchedProgram::xdotool("windowsize " + std::to_string(window) + " 64 48");

    // Waits as long as frames keep coming: only a program that stops drawing
    // ends the wait early.
    long frames = 0;
    auto lastFrame = std::chrono::steady_clock::now();
    while (frames < kFrames &&
           std::chrono::steady_clock::now() - lastFrame < std::chrono::seconds(kStallSeconds)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (fileSize(tally) > frames) {
            frames = fileSize(tally);
            lastFrame = std::chrono::steady_clock::now();
        }
    }
    EXPECT_GE(frames, kFrames) << "no frame was drawn for " << kStallSeconds << " s after frame "
                               << frames;
    LaunchedProgram::xdotool("windowfocus --sync " + std::to_string(window) + " key Escape");
    ASSERT_EQ(program.waitForExit(180.0), 0) << "Esc did not end the program with status 0";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const ValgrindReport report = readValgrindXml(xml.string());
    ASSERT_TRUE(report.complete) << "valgrind's report in " << xml << " is unfinished";
    int others = 0;
    const auto ours = leaksOfTheProgram(report, realPath(VELLMOOR_BINARY), &others);
    EXPECT_TRUE(ours.empty()) << describeAll(ours);
    std::printf("%ld frames in %.0f s under memcheck; %d lost blocks of the driver and X\n", frames,
                seconds, others);
}

// ---------------------------------------------------------------------------
// Reading valgrind's report.

const char* const kReport = R"(<?xml version="1.0"?>
<valgrindoutput>
<error>
  <unique>0x1</unique>
  <kind>Leak_DefinitelyLost</kind>
  <xwhat><text>32 bytes in 1 blocks are definitely lost in loss record 1 of 3</text></xwhat>
  <stack>
    <frame><ip>0x1</ip><obj>/usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so</obj><fn>malloc</fn></frame>
    <frame><ip>0x2</ip><obj>/usr/lib/x86_64-linux-gnu/libGLU.so.1.3.1</obj><fn>gluNewQuadric</fn></frame>
    <frame><ip>0x3</ip><obj>/build/vellmoor</obj><fn>drawLamp(Material const&amp;)</fn><dir>/src</dir><file>lamps.cpp</file><line>42</line></frame>
  </stack>
</error>
<error>
  <unique>0x2</unique>
  <kind>Leak_IndirectlyLost</kind>
  <xwhat><text>64 bytes in 1 blocks are indirectly lost in loss record 2 of 3</text></xwhat>
  <stack>
    <frame><ip>0x4</ip><obj>/usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so</obj><fn>calloc</fn></frame>
    <frame><ip>0x5</ip></frame>
    <frame><ip>0x6</ip><obj>/build/vellmoor</obj><fn>compileSceneLists()</fn></frame>
  </stack>
</error>
<error>
  <unique>0x3</unique>
  <kind>InvalidRead</kind>
  <what>Invalid read of size 8</what>
  <stack>
    <frame><ip>0x7</ip><obj>/build/vellmoor</obj><fn>main</fn></frame>
  </stack>
</error>
</valgrindoutput>
)";

TEST(ValgrindReport, ReadsKindsDescriptionsAndStacks) {
    const ValgrindReport report = parseValgrindXml(kReport);
    EXPECT_TRUE(report.complete);
    ASSERT_EQ(report.errors.size(), 3u);
    EXPECT_EQ(report.errors[0].kind, "Leak_DefinitelyLost");
    EXPECT_EQ(report.errors[0].what,
              "32 bytes in 1 blocks are definitely lost in loss record 1 of 3");
    ASSERT_EQ(report.errors[0].stack.size(), 3u);
    EXPECT_EQ(report.errors[0].stack[2].function, "drawLamp(Material const&)");
    EXPECT_EQ(report.errors[0].stack[2].file, "lamps.cpp");
    EXPECT_EQ(report.errors[0].stack[2].line, 42);
    EXPECT_EQ(report.errors[2].what, "Invalid read of size 8");

    EXPECT_FALSE(
        parseValgrindXml("<valgrindoutput><error><kind>Leak_DefinitelyLost</kind>").complete);
}

TEST(ValgrindReport, APassThroughGluIsTheCallersLeakAndAnUnnamedLibrarysIsNot) {
    const ValgrindReport report = parseValgrindXml(kReport);
    ASSERT_EQ(report.errors.size(), 3u);
    EXPECT_TRUE(isLostBlock(report.errors[0]));
    EXPECT_TRUE(allocatedBy(report.errors[0], "/build/vellmoor"));
    EXPECT_FALSE(allocatedBy(report.errors[0], "/build/other"));
    // Allocated by code valgrind could not name (an unloaded driver), though
    // called from the program.
    EXPECT_TRUE(isLostBlock(report.errors[1]));
    EXPECT_FALSE(allocatedBy(report.errors[1], "/build/vellmoor"));
    EXPECT_FALSE(isLostBlock(report.errors[2]));
}

}  // namespace
