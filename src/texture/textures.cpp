#include "texture/textures.h"

GLuint textures[4] = {0, 0, 0, 0};

void loadTGA(const char* /*fileName*/, int /*index*/) {}

void loadTextures() {}
