#pragma once

// The window's size in pixels: 600 by 400 until the first reshape reports the real size.
extern int windowWidth;
extern int windowHeight;

// The program's window: RGB, double-buffered, with a depth buffer, 600x400 at
// (50, 50), titled "-=- Vellmoor -=-". The screenshot tool, the benchmark and
// the tests open the same window and change only what they must: their own
// title, so that nothing takes them for the program, a size, a place off the screen.
struct WindowRequest {
    const char* title = "-=- Vellmoor -=-";
    int width = windowWidth;
    int height = windowHeight;
    int x = 50;
    int y = 50;
};

// Opens the window and makes its OpenGL context current. GLUT must have been
// initialised (glutInit), which takes GLUT's own command-line options.
void openWindow(const WindowRequest& request = WindowRequest());

// Whether a window of this size admits a perspective projection (a minimised
// window of zero width or height does not).
bool hasVisibleArea(int width, int height);

// GLUT reshape callback: viewport, projection and the recorded window size.
void reshape(int width, int height);
