#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <array>
#include <string>
#include <vector>

#include "support/shell_output.h"

// Drives the real vellmoor binary on the X display the tests run under.


// An RGB picture grabbed from a window.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::array<unsigned char, 3>> pixels;  // row by row from the top

    const std::array<unsigned char, 3>& at(int x, int y) const {
        return pixels[y * width + x];
    }
};

// Mean absolute channel difference over the columns [x0, x1) of two pictures of equal size.
double meanDifference(const Picture& a, const Picture& b, int x0, int x1);

class VellmoorProcess {
   public:
    // Starts command (the program, looked up on PATH, and its arguments) with
    // the given working directory; waits for its window when expectWindow is set.
    VellmoorProcess(const std::vector<std::string>& command, const std::string& workingDirectory,
                    bool expectWindow = true);
    ~VellmoorProcess();
    VellmoorProcess(const VellmoorProcess&) = delete;
    VellmoorProcess& operator=(const VellmoorProcess&) = delete;

    Window window() const {
        return window_;
    }
    bool hasWindow() const {
        return window_ != 0;
    }
    Display* display() const {
        return display_;
    }

    // Window size as the X server reports it.
    std::array<int, 2> windowSize() const;

    // Sends keys (xdotool key names) with the window focused, then lets a few frames pass.
    void pressKeys(const std::string& keys);
    // Moves the pointer to a position inside the window.
    void movePointer(int x, int y);

    Picture grab() const;

    // Waits for the process to end; returns its exit status, or -1 on a signal or time-out.
    int waitForExit(double seconds);

    // Waits until the steady part of the view (columns [0, columns)) stops
    // changing between grabs, that is until the first frames are drawn.
    bool waitForSteadyView(int columns, double seconds);

    // Lets a few frames be drawn.
    static void settle();

   private:
    pid_t pid_ = -1;
    Display* display_ = nullptr;
    Window window_ = 0;
};
