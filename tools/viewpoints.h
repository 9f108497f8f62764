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

// The named views: the screenshots, the visual regression test, the
// benchmark and the web page's ?view= all use these.
const std::vector<Viewpoint>& viewpoints();

// The camera at the viewpoint's eye, turned toward its target.
Camera cameraFor(const Viewpoint& viewpoint);

// Puts the scene in the viewpoint's state: its camera, and the lamp animation
// from its start (angle 0, every lamp lit) stepped the viewpoint's idle calls
// on, so that a picture does not depend on which viewpoints came before it.
void poseScene(const Viewpoint& viewpoint);
