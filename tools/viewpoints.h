#pragma once

#include <string>
#include <vector>

#include "view/camera.h"

// A named place to look at the room from: the eye and the point it looks at.
struct Viewpoint {
    std::string name;
    float eye[3];
    float target[3];
    int idleCalls;  // lamp animation steps before the picture (which lamps are lit)
};

// The viewpoints the screenshots and the visual regression test use.
const std::vector<Viewpoint>& viewpoints();

// The camera at the viewpoint's eye, turned toward its target.
Camera cameraFor(const Viewpoint& viewpoint);
