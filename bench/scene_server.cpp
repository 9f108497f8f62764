#include "scene_server.h"

#include <GL/glut.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "app/display.h"
#include "app/start_scene.h"
#include "app/window.h"
#include "emptied_lists.h"
#include "frame_cases.h"
#include "frame_rate.h"
#include "light/lamp_animation.h"
#include "process_stats.h"
#include "startup_steps.h"
#include "viewpoints.h"

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

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

const Viewpoint& viewpointNamed(const std::string& name) {
    for (const Viewpoint& viewpoint : viewpoints()) {
        if (viewpoint.name == name) {
            return viewpoint;
        }
    }
    std::fprintf(stderr, "vellmoor_bench: no viewpoint named %s\n", name.c_str());
    std::exit(1);
}

// Starts the scene as main does and draws the first frame; prints the
// start-up figures in milliseconds, each named: process start to main,
// window, textures, room list, scene lists, the whole initScene, first frame
// swapped from process start.
void openWindowAndReportStartup(int* argc, char** argv, const char* assetsDir,
                                Clock::time_point mainStart, double startToMainMs) {
    glutInit(argc, argv);
    // The textures are read from the working directory.
    if (chdir(assetsDir) != 0) {
        std::perror(assetsDir);
        std::exit(1);
    }
    WindowRequest window;
    window.title = "-=- Vellmoor -=- benchmark";
    startScene(window, FrameCallbacks::None);
    reshape(windowWidth, windowHeight);
    display();
    glFinish();
    const Clock::time_point firstFrame = Clock::now();

    const StartupSteps& steps = startupSteps();
    std::printf(
        "startToMain=%.3f window=%.3f textures=%.3f roomList=%.3f sceneLists=%.3f "
        "initScene=%.3f firstFrame=%.3f\n",
        startToMainMs, msBetween(mainStart, steps.initSceneStart), 1000.0 * steps.textures,
        1000.0 * steps.roomList, 1000.0 * steps.sceneLists, 1000.0 * steps.initScene,
        startToMainMs + msBetween(mainStart, firstFrame));
    std::printf("%s (OpenGL %s)\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

// Every frame case once, as name=milliseconds: each from its viewpoint with
// the lamp animation posed from its start, so both measuring processes draw
// the same frames.
std::string timeFrameCases(int warmUp, int frames) {
    std::ostringstream reply;
    for (const FrameCase& frameCase : frameCases()) {
        if (frameCase.kind == FrameCase::Floor) {
            reply << frameCase.name << '=' << msPerFrame(clearAndSwapFrame, warmUp, frames) << ' ';
            continue;
        }
        poseScene(viewpointNamed(frameCase.viewpoint));
        std::unique_ptr<EmptiedLists> emptied;
        if (frameCase.kind != FrameCase::Scene) {
            emptied = std::make_unique<EmptiedLists>();
        }
        const bool ownWork = frameCase.kind == FrameCase::OwnWork;
        reply << frameCase.name << '=' << msPerFrame(ownWork ? drawFrameOnly : programFrame, warmUp, frames)
              << ' ';
    }
    return reply.str();
}

// The resident size after each of the next frames, from where the animation is.
std::string residentSizes(int frames) {
    std::ostringstream reply;
    for (int i = 0; i < frames; ++i) {
        programFrame();
        reply << statusKiB("VmRSS") << ' ';
    }
    return reply.str();
}

}  // namespace

int serveScene(int* argc, char** argv, const char* assetsDir, Clock::time_point mainStart,
               double startToMainMs) {
    openWindowAndReportStartup(argc, argv, assetsDir, mainStart, startToMainMs);
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream command(line);
        std::string verb;
        int first = 0;
        int second = 0;
        command >> verb >> first >> second;
        if (verb == "frames") {
            std::printf("%s\n", timeFrameCases(first, second).c_str());
        } else if (verb == "draw") {
            std::printf("%s\n", residentSizes(first).c_str());
        } else if (verb == "heap") {
            std::printf("%ld\n", heapInUseKiB());
        } else if (verb == "quit") {
            return 0;
        } else {
            std::printf("unknown command\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
