#pragma once

// What the platform's window (GLUT) asks of the OpenGL layer beyond OpenGL
// itself; drawing is flushed with glFlush.

extern "C" {
// Makes the WebGL 2 context for the page's window of this size and readies
// the layer for it; 0 when the browser has none.
int vglCreateWindow(int width, int height);
}
