// Renders the room from named viewpoints into PNG files, through the same
// initScene and frame drawing as the program, in a real GLUT window.
//
//   screenshot ASSETS_DIR OUTPUT_DIR [VIEWPOINT...]
//   screenshot --icon SIZE ASSETS_DIR FILE
//
// Writes OUTPUT_DIR/NAME.png for each viewpoint (all of them when none is named),
// or the program's square icon of SIZE by SIZE pixels into FILE.
#include <GL/glut.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/start_scene.h"
#include "app/window.h"
#include "viewpoints.h"

namespace {

// The view of the program's icon: the mirror ball over the lit chequered
// square, from beyond its far corner.
const Viewpoint& iconViewpoint() {
    static const Viewpoint icon = {"icon", {24.0f, 5.0f, -19.0f}, {34.0f, 4.2f, -6.0f}, 2};
    return icon;
}

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

// The frame from the viewpoint at the window's size, rows from the bottom.
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

// Each factor by factor block of the picture averaged into one pixel: the icon
// is drawn larger and shrunk, so that its edges and tiles are smooth.
std::vector<unsigned char> shrink(const std::vector<unsigned char>& rgb, int width, int height,
                                  int factor) {
    const int w = width / factor;
    const int h = height / factor;
    const int block = factor * factor;
    std::vector<unsigned char> small(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const size_t first =
                    (static_cast<size_t>(y * factor + dy) * width + x * factor) * 3;
                for (int i = 0; i < factor * 3; ++i) {
                    sum[i % 3] += rgb[first + i];
                }
            }
            for (int c = 0; c < 3; ++c) {
                small[(static_cast<size_t>(y) * w + x) * 3 + c] =
                    static_cast<unsigned char>((sum[c] + block / 2) / block);
            }
        }
    }
    return small;
}

// A path named relative to where the tool was started, made absolute before
// the tool moves into the assets folder that the textures are read from.
std::string fromStartDir(const std::string& path) {
    char startDir[4096];
    if (!path.empty() && path[0] != '/' && getcwd(startDir, sizeof startDir) != nullptr) {
        return std::string(startDir) + "/" + path;
    }
    return path;
}

// Opens the window at the given size in the assets folder and builds the scene in it.
bool openScene(const char* assetsDir, int width, int height) {
    if (chdir(assetsDir) != 0) {
        std::perror(assetsDir);
        return false;
    }
    WindowRequest window;
    window.title = "-=- Vellmoor -=- screenshot";
    window.width = width;
    window.height = height;
    startScene(window, FrameCallbacks::None);
    reshape(width, height);
    return true;
}

// The icon: the icon viewpoint drawn at four times the size and shrunk.
int writeIcon(const char* sizeText, const char* assetsDir, const std::string& file) {
    const int size = std::atoi(sizeText);
    const int factor = 4;
    if (size < 16 || size > 512) {
        std::fprintf(stderr, "screenshot: icon size %s is not between 16 and 512\n", sizeText);
        return 2;
    }
    if (!openScene(assetsDir, size * factor, size * factor)) {
        return 1;
    }
    const std::vector<unsigned char> large = renderView(iconViewpoint());
    if (!writePng(file, size, size, shrink(large, windowWidth, windowHeight, factor))) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", file.c_str());
        return 1;
    }
    std::printf("%s\n", file.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    const bool icon = argc > 1 && std::string(argv[1]) == "--icon";
    if (icon ? argc != 5 : argc < 3) {
        std::fprintf(stderr,
                     "usage: %s ASSETS_DIR OUTPUT_DIR [VIEWPOINT...]\n"
                     "       %s --icon SIZE ASSETS_DIR FILE\n",
                     argv[0], argv[0]);
        return 2;
    }
    if (icon) {
        return writeIcon(argv[2], argv[3], fromStartDir(argv[4]));
    }
    const std::string outputDir = fromStartDir(argv[2]);
    if (!openScene(argv[1], windowWidth, windowHeight)) {
        return 1;
    }

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
