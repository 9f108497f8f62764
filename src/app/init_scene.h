#pragma once

// One-time set-up once the window exists: the fixed OpenGL state, the
// textures and every display list.
void initScene();
