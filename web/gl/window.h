#pragma once

// What the platform's window (GLUT) asks of the OpenGL layer beyond OpenGL
// itself; drawing is flushed with glFlush.

// What vglContextState answers (the renderer has these from the layout
// generated from this header).
enum VglContextState {
    kVglContextLost = 0,   // the browser took the context away: nothing drawn now is seen
    kVglContextReady = 1,  // drawing as usual
    kVglContextNew = 2,    // given back, empty: answered once, then Ready
};

extern "C" {
// Makes the WebGL 2 context for the page's window of this size, with an
// 8-bit stencil buffer if `stencil`, and readies the layer for it; 0 when the
// browser has none.
int vglCreateWindow(int width, int height, int stencil);
// The context now (web/js/renderer.js).
int vglContextState(void);
// After kVglContextNew: the layer uploads every display list's mesh again and
// sends the materials, the state and the viewport again before the next draw.
void vglRestore(void);
}
