// Timing wrappers around initScene and its steps. The linker (--wrap, see
// CMakeLists.txt) sends start-up's call of initScene, and initScene's calls of
// loadTextures, compileRoomList and compileSceneLists, here; __real_... is the
// original function.
#include "startup_steps.h"

#include <chrono>

extern "C" {
void __real__Z9initScenev();
void __real__Z12loadTexturesv();
void __real__Z15compileRoomListv();
void __real__Z17compileSceneListsv();
}

namespace {
StartupSteps steps;

template <typename Step>
double secondsFor(Step step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}
}  // namespace

const StartupSteps& startupSteps() {
    return steps;
}

extern "C" {
void __wrap__Z9initScenev() {
    steps.initSceneStart = std::chrono::steady_clock::now();
    steps.initScene += secondsFor(__real__Z9initScenev);
}

void __wrap__Z12loadTexturesv() {
    steps.textures += secondsFor(__real__Z12loadTexturesv);
}

void __wrap__Z15compileRoomListv() {
    steps.roomList += secondsFor(__real__Z15compileRoomListv);
}

void __wrap__Z17compileSceneListsv() {
    steps.sceneLists += secondsFor(__real__Z17compileSceneListsv);
}
}
