#pragma once

// Reading a TGA file from disk into a decoded picture, without OpenGL.

#include "texture/tga.h"

// Either a picture, or why the file could not be opened or used. The two
// failures are told apart because they are reported differently.
struct TgaFileResult {
    enum Status { Loaded, CannotOpen, CannotLoad };
    Status status = CannotLoad;
    TgaImage image;
    std::string error;  // the system's reason or the decoder's, when not Loaded
};

// Reads and decodes one TGA file. The header is checked against the file's
// real size before any pixel buffer is allocated.
TgaFileResult readTgaFile(const char* fileName);
