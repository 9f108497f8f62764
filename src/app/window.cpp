#include "app/window.h"

#include <GL/glu.h>
#include <GL/glut.h>

int windowWidth = 600;
int windowHeight = 400;

namespace {
const double kFieldOfView = 55.0;  // vertical, degrees
const double kNearPlane = 1.0;
const double kFarPlane = 75.0;
}  // namespace

void openWindow(const WindowRequest& request) {
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(request.width, request.height);
    glutInitWindowPosition(request.x, request.y);
    glutCreateWindow(request.title);
}

bool hasVisibleArea(int width, int height) {
    return width > 0 && height > 0;
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    // With no visible area the aspect ratio is undefined: keep the previous projection.
    if (hasVisibleArea(width, height)) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(kFieldOfView, static_cast<double>(width) / static_cast<double>(height),
                       kNearPlane, kFarPlane);
    }
    // display() draws with the modelview matrix selected and never selects it itself.
    glMatrixMode(GL_MODELVIEW);
    windowWidth = width;
    windowHeight = height;
}
