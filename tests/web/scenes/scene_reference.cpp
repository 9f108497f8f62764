// The scenes as Mesa draws them: each written as a binary PPM (rows from the
// top) into the folder given, and named on standard output, one a line:
//   FILE NAME
// A scene holding a call the layer refuses is drawn twice: as OpenGL draws
// it, and with that call left out (FILE ending "-left-out.ppm").
#include <GL/glut.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scenes.h"

namespace {

bool writePpm(const std::string& path) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kSceneSize) * kSceneSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSceneSize, kSceneSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", kSceneSize, kSceneSize);
    const std::size_t row = static_cast<std::size_t>(kSceneSize) * 3;
    for (int y = kSceneSize - 1; y >= 0; --y) {
        std::fwrite(rgb.data() + y * row, 1, row, file);
    }
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: scene_reference FOLDER\n");
        return 2;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(kSceneSize, kSceneSize);
    glutCreateWindow("Vellmoor scenes");
    for (int i = 0; i < sceneCount(); ++i) {
        const std::string file = std::string(argv[1]) + "/scene-" + std::to_string(i);
        drawScene(i, false);
        bool written = writePpm(file + ".ppm");
        if (scene(i).refuses) {
            drawScene(i, true);
            written = writePpm(file + "-left-out.ppm") && written;
        }
        if (!written) {
            std::fprintf(stderr, "scene_reference: cannot write %s\n", file.c_str());
            return 1;
        }
        std::printf("%s.ppm %s\n", file.c_str(), scene(i).name);
    }
    return 0;
}
