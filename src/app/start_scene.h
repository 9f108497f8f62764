#pragma once

#include "app/window.h"

// Whether startScene hands the frames to GLUT. The program does; the tools
// and tests that draw frames themselves do not.
enum class FrameCallbacks { Registered, None };

// Starts the scene as the program does, once GLUT is initialised: opens the
// window, builds everything in it (initScene), registers the callbacks if
// asked, and has normals renormalised. The screenshot tool, the benchmark and
// the tests start it through here too, so that they draw what the program
// draws.
void startScene(const WindowRequest& window, FrameCallbacks callbacks);

// Has OpenGL renormalise normals after the modelview transform, as several
// lists are compiled with scale factors: the last state start-up sets, once
// the lists are compiled.
void renormaliseNormals();
