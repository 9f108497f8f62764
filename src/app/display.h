#pragma once

// GLUT display callback: draws one whole frame from the current camera,
// mirror-ball angle and lamp states, then swaps the buffers.
void display();

// The frame without clearing or swapping: view, lights, opaque and
// translucent passes. Used by display() and by tools that render offscreen.
void drawFrame();
