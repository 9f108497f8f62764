#include <GL/glut.h>

#include <string>

#include "app/allocator.h"
#include "app/options.h"
#include "app/start_failure.h"
#include "app/start_scene.h"
#include "light/lamp_animation.h"

int main(int argc, char** argv) {
    keepFreedMemory();
    glutInit(&argc, argv);
    const ProgramOptions options = readOptions(argc, argv);
    if (!options.unknown.empty()) {
        failStartUp("vellmoor: unknown option '" + options.unknown + "'\n" + kUsage, "", 2);
    }
    // Only ever switched on here: in a web page the page's own switch has
    // already set it by the time main runs.
    if (options.steadyLamps) {
        steadyLamps = true;
    }
    startScene(WindowRequest(), FrameCallbacks::Registered);
    glutMainLoop();
    return 0;
}
