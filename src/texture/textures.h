#pragma once

#include <GL/gl.h>

// Texture names: 0 bottle label, 1 light wood, 2 table-top wood, 3 dartboard face.
extern GLuint textures[4];

// Loads one TGA file from the working directory into textures[index].
void loadTGA(const char* fileName, int index);

// Loads the four images the scene uses.
void loadTextures();
