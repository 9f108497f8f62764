#include "e2e/x_session.h"

#include <X11/Xutil.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

#include "leak/launched_program.h"

using Clock = std::chrono::steady_clock;

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

// A view that has held still this long without counted frames is taken as
// drawn: a frame takes well under a second even under wine on a busy machine.
constexpr double kSteadySeconds = 1.5;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename... Values>
std::string format(const char* pattern, Values... values) {
    char text[240];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// The environment words that preload the frame tally into the program.
std::vector<std::string> tallyEnvironment(const std::string& library, const std::string& tally) {
    const char* preload = std::getenv("LD_PRELOAD");
    return {"LD_PRELOAD=" + library + (preload != nullptr ? std::string(":") + preload : ""),
            "VELLMOOR_FRAME_TALLY=" + tally, asanOptionsWithTracer()};
}
}  // namespace

VellmoorProcess::VellmoorProcess(const std::vector<std::string>& command,
                                 const std::string& workingDirectory, bool expectWindow,
                                 const std::string& frameTallyLibrary) {
    display_ = sharedDisplay();
    std::vector<std::string> words;
    if (!frameTallyLibrary.empty()) {
        static std::atomic<int> started{0};
        frameTally_ =
            (std::filesystem::temp_directory_path() /
             ("vellmoor-frames-" + std::to_string(getpid()) + "-" + std::to_string(started++)))
                .string();
        std::filesystem::remove(frameTally_);
        words = {"env"};
        for (const std::string& word : tallyEnvironment(frameTallyLibrary, frameTally_)) {
            words.push_back(word);
        }
    }
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (const std::string& word : words) {
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
    // The title is unique to the program.
    window_ = static_cast<Window>(LaunchedProgram::findWindow("^-=- Vellmoor -=-$", 20.0));
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
    if (!frameTally_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(frameTally_, ignored);
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
}

void VellmoorProcess::movePointer(const std::vector<std::array<int, 2>>& positions) {
    // No --sync: it waits for motion, and a move to where the pointer already is makes none.
    std::string commands = "xdotool";
    for (const auto& at : positions) {
        commands += " mousemove --window " + std::to_string(window_) + " " + std::to_string(at[0]) +
                    " " + std::to_string(at[1]);
    }
    shellOutput(commands);
}

long talliedFrames(const std::string& tally) {
    struct stat status {};
    return stat(tally.c_str(), &status) == 0 ? static_cast<long>(status.st_size) : 0;
}

bool waitForTalliedFrames(const std::string& tally, long frames, double seconds) {
    const auto start = Clock::now();
    while (talliedFrames(tally) < frames) {
        if (secondsSince(start) >= seconds) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

long VellmoorProcess::framesDrawn() const {
    return frameTally_.empty() ? -1 : talliedFrames(frameTally_);
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

ViewWait VellmoorProcess::waitForView(int columns, const std::string& what, const ViewCheck& check,
                                      double seconds, double tolerance) {
    const auto start = Clock::now();
    ViewWait wait;
    std::string seen = "no two looks could be compared";
    long earlierFrames = framesDrawn();
    Picture earlier = grab();
    auto earlierTime = Clock::now();
    while (secondsSince(start) < seconds) {
        const bool counted = earlierFrames >= 0;
        if (counted) {
            if (!waitForTalliedFrames(frameTally_, earlierFrames + kFramesAfterInput,
                                      seconds - secondsSince(start))) {
                seen = "the program drew too few frames after the last look";
                break;
            }
        } else {
            pause();
        }
        const long laterFrames = framesDrawn();
        Picture later = grab();
        const double difference = meanDifference(earlier, later, 0, columns);
        const bool same = difference >= 0.0 && difference <= tolerance;
        if (same && (counted || secondsSince(earlierTime) >= kSteadySeconds)) {
            const std::string unwanted = check(later);
            if (unwanted.empty()) {
                wait.reached = true;
                wait.view = std::move(later);
                return wait;
            }
            seen = "the view held still, but " + unwanted;
        } else if (!same) {
            seen = format("the last two looks differed by %.3f", difference);
        }
        // A view that changed, or that held still but is not the one waited
        // for, starts the look anew.
        if (!same || counted) {
            earlier = std::move(later);
            earlierFrames = laterFrames;
            earlierTime = Clock::now();
        }
    }
    wait.view = grab();
    wait.report = format("waited %.0f s for %s in columns 0-%d, held still (within %.2f): %s",
                         seconds, what.c_str(), columns, tolerance, seen.c_str());
    if (framesDrawn() >= 0) {
        wait.report += "; " + std::to_string(framesDrawn()) + " frames drawn";
    }
    return wait;
}

ViewWait VellmoorProcess::waitForSteadyView(int columns, double seconds, double tolerance) {
    return waitForView(
        columns, "the view", [](const Picture&) { return std::string(); }, seconds, tolerance);
}

ViewWait VellmoorProcess::waitForDifference(const Picture& from, int columns, double atLeast,
                                            double seconds) {
    const auto start = Clock::now();
    ViewWait wait;
    double largest = -1.0;
    for (;;) {
        wait.view = grab();
        largest = std::max(largest, meanDifference(from, wait.view, 0, columns));
        if (largest > atLeast) {
            wait.reached = true;
            return wait;
        }
        if (secondsSince(start) >= seconds) {
            wait.report = format(
                "waited %.0f s for the view in columns 0-%d to differ from the "
                "earlier one by more than %.2f; it differed by %.3f at most",
                seconds, columns, atLeast, largest);
            return wait;
        }
        pause();
    }
}

ViewWait VellmoorProcess::waitForChangedView(const Picture& from, int columns, double atLeast,
                                             double seconds, double tolerance) {
    return waitForView(
        columns, format("a view that differs from the earlier one by more than %.2f", atLeast),
        [&](const Picture& now) {
            const double difference = meanDifference(from, now, 0, columns);
            return difference > atLeast
                       ? std::string()
                       : format("it differs from the earlier one by only %.3f", difference);
        },
        seconds, tolerance);
}

void VellmoorProcess::pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}
