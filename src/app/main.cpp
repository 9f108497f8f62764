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
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("-=- Vellmoor -=-");
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
