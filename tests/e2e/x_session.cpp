#include "e2e/x_session.h"

#include <X11/Xutil.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

double meanDifference(const Picture& a, const Picture& b, int x0, int x1) {
    if (a.width != b.width || a.height != b.height || a.width == 0 || x0 < 0 || x1 <= x0 ||
        x1 > a.width) {
        return -1.0;
    }
    double sum = 0.0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(int(a.at(x, y)[c]) - int(b.at(x, y)[c]));
            }
        }
    }
    return sum / (3.0 * a.height * (x1 - x0));
}

namespace {
// A window that vanishes between two requests (the program has just exited)
// must fail the request, not end the test process as Xlib's default handler does.
int ignoreXError(Display* /*display*/, XErrorEvent* /*event*/) {
    return 0;
}

// One connection for the whole test run, never closed: while any client stays
// connected the X server does not reset between tests, which would otherwise
// drop a connection opened during the reset.
Display* sharedDisplay() {
    static Display* const display = [] {
        XSetErrorHandler(ignoreXError);
        return XOpenDisplay(nullptr);
    }();
    return display;
}
}  // namespace

VellmoorProcess::VellmoorProcess(const std::vector<std::string>& command,
                                 const std::string& workingDirectory, bool expectWindow) {
    display_ = sharedDisplay();
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // Should the test itself die, the program goes with it instead of
        // lingering and holding the test runner's output open.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (!expectWindow) {
        return;
    }
    // The title is unique to the program; --sync waits until the window exists.
    const std::string id = shellOutput(
        "timeout 20 xdotool search --sync --onlyvisible --name '^-=- Vellmoor -=-$' | head -n 1");
    window_ = id.empty() ? 0 : static_cast<Window>(std::strtoul(id.c_str(), nullptr, 10));
    if (window_ != 0) {
        // Park the pointer in the dead zone in the middle, where it turns nothing.
        movePointer(300, 200);
    }
}

VellmoorProcess::~VellmoorProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::array<int, 2> VellmoorProcess::windowSize() const {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window_, &attributes) == 0) {
        return {0, 0};
    }
    return {attributes.width, attributes.height};
}

void VellmoorProcess::pressKeys(const std::string& keys) {
    const std::string id = std::to_string(window_);
    shellOutput("xdotool windowfocus --sync " + id + " key --delay 20 " + keys);
    settle();
}

void VellmoorProcess::movePointer(int x, int y) {
    // No --sync: it waits for motion, and a move to where the pointer already is makes none.
    shellOutput("xdotool mousemove --window " + std::to_string(window_) + " " + std::to_string(x) +
                " " + std::to_string(y));
    settle();
}

Picture VellmoorProcess::grab() const {
    Picture picture;
    const auto size = windowSize();
    if (size[0] <= 0 || size[1] <= 0) {
        return picture;
    }
    XImage* image = XGetImage(display_, window_, 0, 0, size[0], size[1], AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.width = size[0];
    picture.height = size[1];
    picture.pixels.resize(static_cast<size_t>(size[0]) * size[1]);
    for (int y = 0; y < size[1]; ++y) {
        for (int x = 0; x < size[0]; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.pixels[y * size[0] + x] = {
                static_cast<unsigned char>((p & image->red_mask) >> 16),
                static_cast<unsigned char>((p & image->green_mask) >> 8),
                static_cast<unsigned char>(p & image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return picture;
}

int VellmoorProcess::waitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

bool VellmoorProcess::waitForSteadyView(int columns, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Picture previous = grab();
    while (std::chrono::steady_clock::now() < deadline) {
        settle();
        Picture next = grab();
        if (meanDifference(previous, next, 0, columns) == 0.0) {
            return true;
        }
        previous = std::move(next);
    }
    return false;
}

void VellmoorProcess::settle() {
#if defined(__SANITIZE_ADDRESS__)
    // Built with AddressSanitizer the program draws a frame in 100 to 400 ms
    // on a busy machine, and a key press shows a frame or two later.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
#endif
}
