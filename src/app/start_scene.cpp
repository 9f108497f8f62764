#include "app/start_scene.h"

#include <GL/glut.h>

#include "app/display.h"
#include "app/init_scene.h"
#include "light/lamp_animation.h"
#include "view/camera.h"

void startScene(const WindowRequest& window, FrameCallbacks callbacks) {
    openWindow(window);
    initScene();
    if (callbacks == FrameCallbacks::Registered) {
        glutDisplayFunc(display);
        glutReshapeFunc(reshape);
        glutIdleFunc(idle);
        glutKeyboardFunc(keyboard);
        glutPassiveMotionFunc(passiveMotion);
    }
    renormaliseNormals();
}

void renormaliseNormals() {
    glEnable(GL_NORMALIZE);
}
