#include "texture/textures.h"

#include <GL/glu.h>

#include <string>

#include "app/start_failure.h"
#include "texture/tga_file.h"

GLuint textures[4] = {0, 0, 0, 0};

namespace {

// Ends start-up with a message: the scene cannot be built without its textures.
[[noreturn]] void failTexture(const char* what, const char* fileName, const std::string& reason) {
    // Where the message is shown in a box, the usual cause is a program
    // started from inside the zip (Explorer extracts the exe alone) or by a
    // shortcut that starts it elsewhere, so the box also says where the
    // images belong.
    failStartUp(
        std::string("vellmoor: cannot ") + what + " texture file '" + fileName + "': " + reason,
        "The four .tga images must be in the folder vellmoor.exe is started in: extract the "
        "whole zip and start vellmoor.exe there.",
        1);
}

}  // namespace

void loadTGA(const char* fileName, int index) {
    const TgaFileResult file = readTgaFile(fileName);
    if (file.status == TgaFileResult::CannotOpen) {
        failTexture("open", fileName, file.error);
    }
    if (file.status == TgaFileResult::CannotLoad) {
        failTexture("load", fileName, file.error);
    }
    const TgaImage& image = file.image;

    // Rows are tightly packed, whatever the width; this stays in force.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &textures[index]);
    glBindTexture(GL_TEXTURE_2D, textures[index]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Bilinear within the nearest mipmap level.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    // Textures multiply the lit surface colour, so textured pieces stay shaded.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // The first row of the image becomes texture row t = 0; GLU scales sides
    // that are not powers of two and builds every level down to 1x1. It
    // reports, rather than survives, running out of memory for the scaled copies.
    const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB8, image.width, image.height,
                                          GL_BGR_EXT, GL_UNSIGNED_BYTE, image.bgr.data());
    if (built != 0) {
        failTexture("load", fileName, reinterpret_cast<const char*>(gluErrorString(built)));
    }
    // The texture just loaded stays bound.
}

void loadTextures() {
    loadTGA("oxy02.tga", 0);
    loadTGA("wood.tga", 1);
    loadTGA("wood1.tga", 2);
    loadTGA("dartboard.tga", 3);
}
