#pragma once

// The window's size in pixels: 600 by 400 until the first reshape reports the real size.
extern int windowWidth;
extern int windowHeight;

// Whether a window of this size admits a perspective projection (a minimised
// window of zero width or height does not).
bool hasVisibleArea(int width, int height);

// GLUT reshape callback: viewport, projection and the recorded window size.
void reshape(int width, int height);
