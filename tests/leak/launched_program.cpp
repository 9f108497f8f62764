#include "leak/launched_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

LaunchedProgram::LaunchedProgram(const std::vector<std::string>& command,
                                 const std::string& workingDirectory, const std::string& logFile) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // Should the test die, the program goes with it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            close(log);
        }
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
}

LaunchedProgram::~LaunchedProgram() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

unsigned long LaunchedProgram::waitForWindow(double seconds) {
    return findWindow("^-=- Vellmoor -=-$", seconds);  // the program's own title
}

unsigned long LaunchedProgram::findWindow(const std::string& title, double seconds) {
    // --sync waits until such a window is shown. xdotool gives up at once when
    // another client's window vanishes while it walks the tree (tests run side
    // by side on one X server): it is asked again until the time is up.
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::string id;
    while (id.empty() && elapsed() < seconds) {
        id = shellOutput("timeout " + std::to_string(static_cast<int>(seconds - elapsed()) + 1) +
                         " xdotool search --sync --onlyvisible --name '" + title +
                         "' 2>/dev/null | head -n 1");
        if (id.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    return id.empty() ? 0 : std::strtoul(id.c_str(), nullptr, 10);
}

bool LaunchedProgram::xdotool(const std::string& commands) {
    return std::system(("xdotool " + commands + " > /dev/null 2>&1").c_str()) == 0;
}

bool LaunchedProgram::running() const {
    if (pid_ <= 0) {
        return false;
    }
    // WNOWAIT leaves an ended process to be reaped by waitForExit; si_pid stays
    // 0 while it runs.
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
}

int LaunchedProgram::waitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

std::string asanOptionsWithTracer() {
    const char* current = std::getenv("ASAN_OPTIONS");
    return std::string("ASAN_OPTIONS=") + (current != nullptr ? current : "") +
           (current != nullptr && *current != '\0' ? ":" : "") + "verify_asan_link_order=0";
}
