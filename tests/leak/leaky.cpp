// A program with known leaks, run under valgrind by the leak test to show that
// the check finds leaks of a program's own and passes over a library's.
#include <GL/glu.h>
#include <X11/Xlib.h>

GLUquadric* volatile keptQuadric = nullptr;
int* volatile keptNumbers = nullptr;
Display* volatile keptDisplay = nullptr;

int main() {
    // Ours: a quadric never deleted, and an array never freed.
    keptQuadric = gluNewQuadric();
    keptQuadric = nullptr;
    keptNumbers = new int[25];
    keptNumbers = nullptr;
    // Not ours: whatever the X library allocates for a display never closed.
    keptDisplay = XOpenDisplay(nullptr);
    keptDisplay = nullptr;
    return 0;
}
