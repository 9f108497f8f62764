#pragma once

// Seconds initScene spent in each of its steps, filled in while it runs.
struct StartupSteps {
    double textures = 0.0;
    double roomList = 0.0;
    double sceneLists = 0.0;
};

const StartupSteps& startupSteps();
