#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/shell_output.h"

// The real vellmoor binary started through a launcher (valgrind, apitrace) on
// the X display the tests run under, and driven with xdotool.
class LaunchedProgram {
   public:
    // Runs command (program and arguments, searched on PATH) in workingDirectory
    // with its standard output and error sent to logFile.
    LaunchedProgram(const std::vector<std::string>& command, const std::string& workingDirectory,
                    const std::string& logFile);
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    // Waits up to the given time for the window titled "-=- Vellmoor -=-" to be
    // shown; returns its X id, or 0.
    unsigned long waitForWindow(double seconds);

    // Runs one xdotool invocation (any number of chained commands); true when
    // xdotool succeeded.
    static bool xdotool(const std::string& commands);
    // The first shown window whose title matches `title` (a regular
    // expression), waited for up to `seconds`; 0 when none appears.
    static unsigned long findWindow(const std::string& title, double seconds);

    // Waits for the process to end; returns its exit status, or -1 after a
    // signal or when it is still running when time runs out.
    int waitForExit(double seconds);

    // Whether the process is still alive; one that has ended keeps its exit
    // status for waitForExit.
    bool running() const;

   private:
    pid_t pid_ = -1;
};

// The ASAN_OPTIONS=... word for `env` that lets apitrace's tracer be preloaded
// into the program: ASan's link-order check would refuse it ahead of its
// runtime in the sanitizer build; elsewhere the option is simply unused.
std::string asanOptionsWithTracer();
