// Renders the room from named viewpoints into PNG files, through the same
// initScene and frame drawing as the program, in a real GLUT window.
//
//   screenshot ASSETS_DIR OUTPUT_DIR [VIEWPOINT...]
//
// Writes OUTPUT_DIR/NAME.png for each viewpoint (all of them when none is named).
#include <GL/glut.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/init_scene.h"
#include "app/window.h"
#include "light/lamp_animation.h"
#include "viewpoints.h"

namespace {

bool writePng(const std::string& path, int width, int height,
              const std::vector<unsigned char>& rgb) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // OpenGL rows run bottom-up, PNG rows top-down.
    for (int y = height - 1; y >= 0; --y) {
        png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

std::vector<unsigned char> renderView(const Viewpoint& viewpoint) {
    poseScene(viewpoint);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawFrame();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<size_t>(windowWidth) * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR OUTPUT_DIR [VIEWPOINT...]\n", argv[0]);
        return 2;
    }
    // The output folder is named relative to where the tool was started, before
    // it moves into the assets folder that the textures are read from.
    char startDir[4096];
    std::string outputDir = argv[2];
    if (!outputDir.empty() && outputDir[0] != '/' && getcwd(startDir, sizeof startDir) != nullptr) {
        outputDir = std::string(startDir) + "/" + outputDir;
    }
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("-=- Vellmoor -=- screenshot");
    initScene();
    glEnable(GL_NORMALIZE);
    reshape(windowWidth, windowHeight);

    std::vector<std::string> wanted(argv + 3, argv + argc);
    int written = 0;
    for (const Viewpoint& viewpoint : viewpoints()) {
        bool take = wanted.empty();
        for (const std::string& name : wanted) {
            take = take || name == viewpoint.name;
        }
        if (!take) {
            continue;
        }
        const std::string path = outputDir + "/" + viewpoint.name + ".png";
        if (!writePng(path, windowWidth, windowHeight, renderView(viewpoint))) {
            std::fprintf(stderr, "screenshot: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
        ++written;
    }
    if (written == 0) {
        std::fprintf(stderr, "screenshot: no such viewpoint\n");
        return 2;
    }
    return 0;
}
