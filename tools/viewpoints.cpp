#include "viewpoints.h"

#include <cmath>

#include "light/lamp_animation.h"

const std::vector<Viewpoint>& viewpoints() {
    // Two idle calls light all three coloured lamps.
    static const std::vector<Viewpoint> all = {
        {"start", {5.0f, 5.0f, -5.0f}, {5.0f, 5.0f, -6.0f}, 0},
        {"square", {17.0f, 7.0f, -24.0f}, {33.0f, 2.5f, -8.0f}, 2},
        {"bar", {22.0f, 6.5f, -38.0f}, {37.0f, 4.0f, -50.0f}, 2},
        {"glassware", {9.5f, 4.2f, -3.0f}, {7.4f, 2.6f, -7.0f}, 2},
        {"overview", {1.0f, 9.5f, -1.0f}, {20.0f, 1.0f, -30.0f}, 2},
    };
    return all;
}

Camera cameraFor(const Viewpoint& viewpoint) {
    const double dx = viewpoint.target[0] - viewpoint.eye[0];
    const double dy = viewpoint.target[1] - viewpoint.eye[1];
    const double dz = viewpoint.target[2] - viewpoint.eye[2];
    Camera cam;
    cam.eyeX = viewpoint.eye[0];
    cam.eyeHeight = viewpoint.eye[1];
    cam.eyeZ = viewpoint.eye[2];
    // yaw 0 looks along +z; the heading's x and z are sin and cos of yaw.
    cam.yaw = static_cast<float>(std::atan2(dx, dz));
    cam.pitch = static_cast<float>(std::atan2(dy, std::sqrt(dx * dx + dz * dz)));
    if (viewpoint.name == "start") {
        cam = Camera();  // exactly the camera the program starts with
    }
    return cam;
}

void poseScene(const Viewpoint& viewpoint) {
    camera = cameraFor(viewpoint);
    restartLampAnimation();
    for (int i = 0; i < viewpoint.idleCalls; ++i) {
        idle();
    }
}
