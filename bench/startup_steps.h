#pragma once

#include <chrono>

// Seconds initScene spent in each of its steps and in all, and when it
// started (the window was open by then), filled in while it runs.
struct StartupSteps {
    std::chrono::steady_clock::time_point initSceneStart;
    double initScene = 0.0;
    double textures = 0.0;
    double roomList = 0.0;
    double sceneLists = 0.0;
};

const StartupSteps& startupSteps();
