#include "app/init_scene.h"

#include <GL/gl.h>

#include "scene/display_lists.h"
#include "texture/textures.h"

void initScene() {
    setFixedState();
    loadTextures();
    compileRoomList();
    compileSceneLists();
}

void setFixedState() {
    // Blue wherever no geometry covers the background.
    glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    // All seven lights start on; the lamp animation switches 2 to 4 later.
    const GLenum lights[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                             GL_LIGHT4, GL_LIGHT5, GL_LIGHT6};
    for (GLenum light : lights) {
        glEnable(light);
    }
    glEnable(GL_DEPTH_TEST);
    // Back faces are lit with the back material, which every material sets too.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}
