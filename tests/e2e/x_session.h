#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <array>
#include <functional>
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

// What a bounded wait for the window's view found: whether the view came, the
// last picture grabbed, and for a failure message what was waited for and seen.
struct ViewWait {
    bool reached = false;
    Picture view;
    std::string report;
};

// The bound of every wait for a view after input: generous, since under wine or
// AddressSanitizer on a busy machine a frame can take seconds; it is reached
// only when the program is really wrong.
constexpr double kViewSeconds = 90.0;

// Frames drawn after input before a view counts as showing it: the frame under
// way when the input came may have read its events before they arrived, and
// its picture may reach the screen after the swap is counted.
constexpr long kFramesAfterInput = 3;

// Frames counted by the frame tally (tests/leak/frame_tally.cpp) in the file
// `tally`: one byte a frame, none before the first.
long talliedFrames(const std::string& tally);
// Waits until the tally has reached `frames`; false after `seconds`.
bool waitForTalliedFrames(const std::string& tally, long frames, double seconds);

class VellmoorProcess {
   public:
    // Starts command (the program, looked up on PATH, and its arguments) with
    // the given working directory; waits for its window when expectWindow is set.
    // With a frame tally library (tests/leak/frame_tally.cpp) preloaded into the
    // program, its frames are counted, and the waits below count on them.
    VellmoorProcess(const std::vector<std::string>& command, const std::string& workingDirectory,
                    bool expectWindow = true, const std::string& frameTallyLibrary = "");
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

    // Sends keys (xdotool key names) with the window focused. Returns at once:
    // wait for the view that should follow.
    void pressKeys(const std::string& keys);
    // Moves the pointer through the positions (inside the window) in one go.
    void movePointer(const std::vector<std::array<int, 2>>& positions);
    void movePointer(int x, int y) {
        movePointer({{x, y}});
    }

    Picture grab() const;

    // Frames the program has drawn so far, or -1 where they are not counted.
    long framesDrawn() const;

    // Waits for the process to end; returns its exit status, or -1 on a signal or time-out.
    int waitForExit(double seconds);

    // Why a view that holds still is not yet the one waited for; empty when it is.
    using ViewCheck = std::function<std::string(const Picture&)>;

    // Waits until the view in columns [0, columns) holds still (within
    // `tolerance` from one look to the next) and passes `check`. Where frames
    // are counted, each look comes frames after the one before, so input sent
    // before the call has been read; elsewhere a view must hold still for
    // grabs spanning a second and a half. `what` names the view in the report.
    ViewWait waitForView(int columns, const std::string& what, const ViewCheck& check,
                         double seconds = kViewSeconds, double tolerance = 0.0);
    ViewWait waitForSteadyView(int columns, double seconds = kViewSeconds,
                               double tolerance = 0.0);
    // The first look at a view that differs from `from` by more than `atLeast`,
    // steady or not.
    ViewWait waitForDifference(const Picture& from, int columns, double atLeast,
                               double seconds = kViewSeconds);
    // A steady view that differs from `from` by more than `atLeast`.
    ViewWait waitForChangedView(const Picture& from, int columns, double atLeast,
                                double seconds = kViewSeconds, double tolerance = 0.0);

    // Grabs between two looks at a view that is settling.
    static void pause();

   private:
    pid_t pid_ = -1;
    std::string frameTally_;
    Display* display_ = nullptr;
    Window window_ = 0;
};
