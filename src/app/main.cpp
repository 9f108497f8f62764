#include <GL/glut.h>

#include "app/allocator.h"
#include "app/display.h"
#include "app/init_scene.h"
#include "app/window.h"
#include "light/lamp_animation.h"
#include "view/camera.h"

int main(int argc, char** argv) {
    keepFreedMemory();
    glutInit(&argc, argv);
    openWindow();
    initScene();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutIdleFunc(idle);
    glutKeyboardFunc(keyboard);
    glutPassiveMotionFunc(passiveMotion);
    // Renormalise normals after the modelview transform: several lists are scaled.
    glEnable(GL_NORMALIZE);
    glutMainLoop();
    return 0;
}
