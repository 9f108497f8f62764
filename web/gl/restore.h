#pragma once

// A lost WebGL context and its return, between GLUT and the layer.

// What vglContextState answers.
enum VglContextState {
    kVglContextLost = 0,   // nothing drawn now is seen
    kVglContextReady = 1,  // drawing as usual
    kVglContextNew = 2,    // given back, empty: answered once, then Ready
};

extern "C" {
// The renderer's context now (web/js/renderer.js).
int vglContextState(void);
// After kVglContextNew: the layer uploads every display list's mesh again and
// sends the materials, the state and the viewport again before the next draw.
void vglRestore(void);
}
