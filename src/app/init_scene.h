#pragma once

// One-time set-up once the window exists: the fixed OpenGL state, the
// textures and every display list.
void initScene();

// The fixed OpenGL state, initScene's first step: the background, smooth
// shading, lighting with all seven lights on, depth testing and two-sided
// lighting.
void setFixedState();
