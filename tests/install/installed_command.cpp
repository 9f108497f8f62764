#include "install/installed_command.h"

#include <cstdlib>

#include "leak/launched_program.h"
#include "support/shell_output.h"

ShellRun runShell(const std::string& command) {
    const std::string marker = "exit status ";
    std::string text = shellOutput("(" + command + ") 2>&1; echo " + marker + "$?");
    ShellRun run;
    const std::size_t at = text.rfind(marker);
    if (at != std::string::npos) {
        run.status = std::atoi(text.c_str() + at + marker.size());
        text.erase(at);
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
    }
    run.output = text;
    return run;
}

CommandRun runInstalledCommand(const std::filesystem::path& command,
                               const std::filesystem::path& logFile, bool quitWithEscape,
                               const std::vector<std::string>& options) {
    const char* display = std::getenv("DISPLAY");
    std::vector<std::string> words = {"env", "-u", "DISPLAY", command.string()};
    words.insert(words.end(), options.begin(), options.end());
    words.insert(words.end(), {"-display", display ? display : ""});
    CommandRun run;
    {
        LaunchedProgram program(words, "/", logFile.string());
        if (quitWithEscape) {
            const unsigned long window = program.waitForWindow(30.0);
            run.sawWindow = window != 0;
            if (run.sawWindow) {
                LaunchedProgram::xdotool("windowfocus --sync " + std::to_string(window) +
                                         " key Escape");
            }
        }
        run.status = program.waitForExit(30.0);
    }
    run.output = shellOutput("cat '" + logFile.string() + "'");
    return run;
}
