// GLUT's window and main loop in a web page. The page's canvas is the one
// window; the page hands keys, pointer moves and size changes to the
// vglut... functions below, and the main loop turns once per animation frame:
// idle, then display if a redraw was posted, as GLUT does between events.
// It turns at most 60 times a second, so that the animation, one step per
// turn, runs as fast on a 120 or 144 Hz screen as on a 60 Hz desktop, and not
// at all while the WebGL context is lost.
#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../gl/window.h"

extern "C" {
// In web/js/window.js.
void vglutSetTitle(const char* title);
void vglutFrameDrawn(double displayMilliseconds);
}

namespace {

struct Window {
    int width = 300;
    int height = 300;
    bool stencil = false;  // GLUT_STENCIL asked for
    bool created = false;
    bool redisplay = false;
    bool reshape = false;  // a new size waits to be reported
};

// The shortest time between turns of the loop, and a little less than it
// that a frame may come early by (animation frames are not evenly spaced).
constexpr double kTurnMilliseconds = 1000.0 / 60.0;
constexpr double kEarlyMilliseconds = 2.0;

struct Callbacks {
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*passiveMotion)(int, int) = nullptr;
};

Window window;
Callbacks callbacks;
double nextTurn = 0.0;  // emscripten_get_now() from which the loop may turn again

void reportSize() {
    window.reshape = false;
    if (callbacks.reshape != nullptr) {
        callbacks.reshape(window.width, window.height);
    } else {
        glViewport(0, 0, window.width, window.height);
    }
    window.redisplay = true;
}

// Whether frames can be drawn: not while the context is lost; when a new one
// has come, the layer gives the renderer everything again first and the window
// is drawn anew.
bool drawable() {
    const int state = vglContextState();
    if (state == kVglContextNew) {
        vglRestore();
        window.redisplay = true;
    }
    return state != kVglContextLost;
}

void turn() {
    if (window.reshape) {
        reportSize();
    }
    if (callbacks.idle != nullptr) {
        callbacks.idle();
    }
    if (window.redisplay && callbacks.display != nullptr) {
        window.redisplay = false;
        const double start = emscripten_get_now();
        callbacks.display();
        vglutFrameDrawn(emscripten_get_now() - start);
    }
}

// The main loop's turn: paced, and paused while the context is lost.
void pacedTurn() {
    const double now = emscripten_get_now();
    if (now + kEarlyMilliseconds < nextTurn || !drawable()) {
        return;
    }
    nextTurn = std::max(nextTurn + kTurnMilliseconds, now);
    turn();
}

}  // namespace

extern "C" {

void glutInit(int*, char**) {
    // GLUT's own options mean nothing in a page.
}

void glutInitDisplayMode(unsigned int mode) {
    // Always RGB, double-buffered, with a depth buffer; a stencil buffer
    // only when asked for, as it costs memory.
    window.stencil = (mode & GLUT_STENCIL) != 0;
}

void glutInitWindowSize(int width, int height) {
    if (width > 0 && height > 0) {
        window.width = width;
        window.height = height;
    }
}

void glutInitWindowPosition(int, int) {
    // The canvas stays where the page puts it.
}

int glutCreateWindow(const char* title) {
    if (window.created) {
        std::fprintf(stderr, "vellmoor: the web page has one window only\n");
        return 0;
    }
    if (!vglCreateWindow(window.width, window.height, window.stencil ? 1 : 0)) {
        std::fprintf(stderr, "vellmoor: this browser cannot draw with WebGL 2\n");
        std::exit(1);
    }
    vglutSetTitle(title);
    window.created = true;
    // As on the desktop: the new window reports its size and is drawn.
    window.reshape = true;
    return 1;
}

void glutDisplayFunc(void (*callback)()) {
    callbacks.display = callback;
}
void glutReshapeFunc(void (*callback)(int, int)) {
    callbacks.reshape = callback;
}
void glutIdleFunc(void (*callback)()) {
    callbacks.idle = callback;
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    callbacks.keyboard = callback;
}
void glutPassiveMotionFunc(void (*callback)(int, int)) {
    callbacks.passiveMotion = callback;
}

void glutPostRedisplay(void) {
    window.redisplay = true;
}

void glutSwapBuffers(void) {
    // The browser shows the canvas when the animation frame ends.
    glFlush();
}

void glutMainLoop(void) {
    // Never returns: the page's animation frames call turn() from now on.
    emscripten_set_main_loop(pacedTurn, 0, 1);
}

// --- Events from the page ----------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vglutKeyboard(int key, int x, int y) {
    if (callbacks.keyboard != nullptr && key >= 0 && key <= 255) {
        callbacks.keyboard(static_cast<unsigned char>(key), x, y);
    }
}

EMSCRIPTEN_KEEPALIVE void vglutPassiveMotion(int x, int y) {
    if (callbacks.passiveMotion != nullptr) {
        callbacks.passiveMotion(x, y);
    }
}

EMSCRIPTEN_KEEPALIVE void vglutReshape(int width, int height) {
    window.width = width;
    window.height = height;
    window.reshape = true;
}

// The program has ended (exit()): the loop stops and nothing more is drawn.
EMSCRIPTEN_KEEPALIVE void vglutStop(void) {
    emscripten_cancel_main_loop();
}

// One turn of the loop now, as an animation frame would run it: for the
// benchmark, which times frames back to back.
EMSCRIPTEN_KEEPALIVE void vglutTurn(void) {
    turn();
}

// Draws a frame now, outside the loop, as a redisplay would: for the page's
// tests, which read the canvas in the same task.
EMSCRIPTEN_KEEPALIVE void vglutDisplayNow(void) {
    if (!drawable()) {
        return;
    }
    if (window.reshape) {
        reportSize();
    }
    window.redisplay = false;
    if (callbacks.display != nullptr) {
        callbacks.display();
    }
}

}  // extern "C"
