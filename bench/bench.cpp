// Frame rate, start-up time and memory of the real scene in the real 600x400
// GLUT window, printed as one table.
//
//   vellmoor_bench [--quick | --startup-only] [ASSETS_DIR]
//
// ASSETS_DIR holds the texture images (the source tree's assets/ by default).
// --quick draws far fewer frames, to check that the benchmark runs at all;
// --startup-only stops after the start-up figures (start-up is one sample per process).
#include <GL/glut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/init_scene.h"
#include "app/window.h"
#include "emptied_lists.h"
#include "frame_rate.h"
#include "light/lamp_animation.h"
#include "process_stats.h"
#include "startup_steps.h"
#include "view/camera.h"
#include "viewpoints.h"

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Settings {
    int warmUpFrames = 30;
    // 180 idle calls turn the lamp pattern once, so a run shows every lamp state equally.
    int framesPerRun = 360;
    int repeats = 5;
    // Frame counts at which the resident size is read; the growth target is
    // between the first and the last.
    std::vector<int> memoryCheckpoints = {1000, 2000, 5000, 10000, 20000};
    int memorySamples = 180;  // frames read at each checkpoint: one lamp cycle
};

const Settings kFull;
const Settings kQuick = {5, 30, 3, {100, 200, 400}, 20};

// Targets on the reference machine.
const double kFirstFrameTargetMs = 500.0;
const long kGrowthTargetKiB = 64;
const double kOwnWorkTargetPercent = 5.0;

// One frame as the program draws it. glFinish makes sure the frame has really
// been drawn before the next starts (the swap alone need not wait for that).
void programFrame() {
    idle();
    display();
    glFinish();
}

// The floor of this renderer: the same loop with nothing drawn.
void clearAndSwapFrame() {
    idle();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
}

// The frame's drawing alone, without the clear and the swap.
void drawFrameOnly() {
    idle();
    drawFrame();
    glFinish();
}

const Viewpoint& viewpointNamed(const char* name) {
    for (const Viewpoint& viewpoint : viewpoints()) {
        if (viewpoint.name == name) {
            return viewpoint;
        }
    }
    std::fprintf(stderr, "vellmoor_bench: no viewpoint named %s\n", name);
    std::exit(1);
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

struct Startup {
    double startToMainMs;
    double windowMs;
    double initSceneMs;
    double firstFrameMs;  // from process start
};

Startup openWindowAndDrawFirstFrame(int* argc, char** argv, const char* assetsDir,
                                    Clock::time_point mainStart, double startToMainMs) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("-=- Vellmoor -=- benchmark");
    const Clock::time_point windowReady = Clock::now();

    // The textures are read from the working directory.
    if (chdir(assetsDir) != 0) {
        std::perror(assetsDir);
        std::exit(1);
    }
    initScene();
    const Clock::time_point sceneReady = Clock::now();

    glEnable(GL_NORMALIZE);
    reshape(windowWidth, windowHeight);
    display();
    glFinish();
    const Clock::time_point firstFrame = Clock::now();

    return {startToMainMs, msBetween(mainStart, windowReady), msBetween(windowReady, sceneReady),
            startToMainMs + msBetween(mainStart, firstFrame)};
}

// The 1, 5 and 15 minute load averages: other work on the machine disturbs the figures.
void printLoad(const char* when) {
    double load[3] = {-1.0, -1.0, -1.0};
    getloadavg(load, 3);
    std::printf("  load average %.2f %.2f %.2f (1, 5, 15 min, %s)\n", load[0], load[1], load[2],
                when);
}

void printHeader(const Settings& settings) {
    std::printf("Vellmoor benchmark\n");
    std::printf("  renderer     %s (OpenGL %s)\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("  cores        %ld online\n", sysconf(_SC_NPROCESSORS_ONLN));
    printLoad("at start");
    std::printf("  window       %dx%d, double-buffered, depth buffer\n", windowWidth, windowHeight);
    std::printf("  frames       idle() + display() + glFinish(); %d per run after %d warm-up,\n",
                settings.framesPerRun, settings.warmUpFrames);
    std::printf("               median of %d runs, the cases taken in turn within each run\n\n",
                settings.repeats);
}

void printStartup(const Startup& startup) {
    const StartupSteps& steps = startupSteps();
    const double otherSceneMs =
        startup.initSceneMs - 1000.0 * (steps.textures + steps.roomList + steps.sceneLists);
    const double firstFrameAloneMs =
        startup.firstFrameMs - startup.startToMainMs - startup.windowMs - startup.initSceneMs;
    std::printf("Start-up                                 ms\n");
    std::printf("  process start to main               %7.1f  (kernel starttime, 10 ms ticks)\n",
                startup.startToMainMs);
    std::printf("  window (glutInit .. glutCreateWindow) %5.1f\n", startup.windowMs);
    std::printf("  textures (loadTextures)             %7.1f\n", 1000.0 * steps.textures);
    std::printf("  room list (compileRoomList)         %7.1f\n", 1000.0 * steps.roomList);
    std::printf("  scene lists (compileSceneLists)     %7.1f\n", 1000.0 * steps.sceneLists);
    std::printf("  rest of initScene (fixed state)     %7.1f\n", otherSceneMs);
    std::printf("  first frame (reshape, display, finish) %4.1f\n", firstFrameAloneMs);
    std::printf("  first frame swapped, from start     %7.1f  target <= %.0f: %s\n\n",
                startup.firstFrameMs, kFirstFrameTargetMs,
                verdict(startup.firstFrameMs <= kFirstFrameTargetMs));
}

// Resident size while frames are drawn back to back from the start camera.
// A frame's buffers can still be held when it ends, so one reading may catch a
// passing megabyte: the resident size at a checkpoint is read after each frame
// of the next lamp cycle and the lowest and highest are kept. The heap in use
// tells a leak (it grows) from pages the allocator keeps (it does not).
void measureMemory(const Settings& settings) {
    std::printf("Memory (start camera, frames drawn back to back)      KiB\n");
    std::printf("  peak resident (VmHWM) after the first frame     %8ld\n", statusKiB("VmHWM"));
    std::printf("  frames          resident (VmRSS)    heap in use   seconds\n");
    std::printf("                  lowest   highest\n");
    int drawn = 1;  // the first frame
    const Clock::time_point start = Clock::now();
    std::vector<long> lowest;
    std::vector<long> highest;
    for (int checkpoint : settings.memoryCheckpoints) {
        while (drawn < checkpoint) {
            programFrame();
            ++drawn;
        }
        long low = statusKiB("VmRSS");
        long high = low;
        for (int i = 0; i < settings.memorySamples; ++i) {
            programFrame();
            const long now = statusKiB("VmRSS");
            low = std::min(low, now);
            high = std::max(high, now);
        }
        std::printf("  %6d+%-4d %10ld %9ld %14ld %9.1f\n", checkpoint, settings.memorySamples, low,
                    high, heapInUseKiB(), msBetween(start, Clock::now()) / 1000.0);
        std::fflush(stdout);
        drawn += settings.memorySamples;
        lowest.push_back(low);
        highest.push_back(high);
    }
    const long growth = lowest.back() - lowest.front();
    std::printf("  growth of the lowest from %d to %d frames %7ld  target < %ld: %s\n",
                settings.memoryCheckpoints.front(), settings.memoryCheckpoints.back(), growth,
                kGrowthTargetKiB, verdict(growth < kGrowthTargetKiB));
    std::printf("  growth of the highest %30ld\n\n", highest.back() - highest.front());
}

void measureFrameRates(const Settings& settings) {
    const int warmUp = settings.warmUpFrames;
    const int frames = settings.framesPerRun;
    auto sceneFrom = [warmUp, frames](const char* name, bool emptyLists, void (*frame)()) {
        const Viewpoint& viewpoint = viewpointNamed(name);
        return [&viewpoint, emptyLists, frame, warmUp, frames]() {
            camera = cameraFor(viewpoint);
            std::unique_ptr<EmptiedLists> emptied;
            if (emptyLists) {
                emptied = std::make_unique<EmptiedLists>();
            }
            return msPerFrame(frame, warmUp, frames);
        };
    };
    // Rows the summary below refers to.
    const size_t floorRow = 0;
    const size_t startRow = 1;
    const size_t ownWorkRow = 6;
    const std::vector<FrameCase> cases = {
        {"clear + swap only",
         [warmUp, frames] { return msPerFrame(clearAndSwapFrame, warmUp, frames); }},
        {"start", sceneFrom("start", false, programFrame)},
        {"bar (counter, shelves)", sceneFrom("bar", false, programFrame)},
        {"glassware (round table)", sceneFrom("glassware", false, programFrame)},
        {"overview (high corner)", sceneFrom("overview", false, programFrame)},
        {"start, lists emptied", sceneFrom("start", true, programFrame)},
        {"  drawFrame alone", sceneFrom("start", true, drawFrameOnly)},
    };
    const std::vector<std::vector<double>> runs = measureInTurn(cases, settings.repeats);
    const double floorMs = median(runs[floorRow]);

    std::printf("Frame rate at %dx%d              fps   ms/frame  x floor  (runs, ms)\n",
                windowWidth, windowHeight);
    for (size_t c = 0; c < cases.size(); ++c) {
        const double ms = median(runs[c]);
        std::printf("  %-26s %8.1f %9.3f %8.2f  (", cases[c].name.c_str(), 1000.0 / ms, ms,
                    ms / floorMs);
        for (size_t r = 0; r < runs[c].size(); ++r) {
            std::printf(r == 0 ? "%.3f" : " %.3f", runs[c][r]);
        }
        std::printf(")\n");
    }

    const double ownMs = median(runs[ownWorkRow]);
    const double percent = 100.0 * ownMs / median(runs[startRow]);
    std::printf("\nFrame's own work outside the lists (view, seven lights, three spot lamps;\n");
    std::printf("drawFrame with every list emptied, no clear or swap)\n");
    std::printf("  %.3f ms per frame = %.1f %% of a start-camera frame  target < %.0f %%: %s\n",
                ownMs, percent, kOwnWorkTargetPercent, verdict(percent < kOwnWorkTargetPercent));
}

}  // namespace

int main(int argc, char** argv) {
    const double startToMainMs = 1000.0 * secondsSinceProcessStart();
    const Clock::time_point mainStart = Clock::now();

    const Settings* settings = &kFull;
    bool startupOnly = false;
    const char* assetsDir = VELLMOOR_ASSETS_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            settings = &kQuick;
        } else if (std::strcmp(argv[i], "--startup-only") == 0) {
            startupOnly = true;
        } else if (argv[i][0] != '-') {
            assetsDir = argv[i];
        }
    }

    const Startup startup =
        openWindowAndDrawFirstFrame(&argc, argv, assetsDir, mainStart, startToMainMs);
    printHeader(*settings);
    printStartup(startup);
    if (startupOnly) {
        return 0;
    }
    std::fflush(stdout);
    measureMemory(*settings);
    std::fflush(stdout);
    measureFrameRates(*settings);
    std::printf("\nPeak resident size (VmHWM) at the end: %ld KiB\n", statusKiB("VmHWM"));
    printLoad("at the end");
    return 0;
}
