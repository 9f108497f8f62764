#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a shell command printed (standard output and error) and its exit status.
struct ShellRun {
    int status = -1;
    std::string output;
};

ShellRun runShell(const std::string& command);

// An installed `vellmoor` command run from the root folder, so that nothing but
// the command itself can lead the program to its images. The X display is
// named only by GLUT's -display option, which the command has to pass on.
struct CommandRun {
    bool sawWindow = false;
    int status = -1;  // exit status, or -1 after a signal or time-out
    std::string output;
};

// Starts the command with the program's own options before GLUT's; with
// quitWithEscape, waits for its window and presses Esc in it, otherwise waits
// for it to end by itself. logFile keeps its output.
CommandRun runInstalledCommand(const std::filesystem::path& command,
                               const std::filesystem::path& logFile, bool quitWithEscape,
                               const std::vector<std::string>& options = {});
