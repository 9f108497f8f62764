#include "measuring_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "vellmoor_bench: %s\n", what.c_str());
    std::exit(1);
}

}  // namespace

MeasuringProcess::MeasuringProcess(const std::string& program,
                                   const std::vector<std::string>& arguments) {
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) {
        fail("cannot make a pipe");
    }
    std::fflush(stdout);
    pid_ = fork();
    if (pid_ < 0) {
        fail("cannot start a measuring process");
    }
    if (pid_ == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        close(toChild[0]);
        close(toChild[1]);
        close(fromChild[0]);
        close(fromChild[1]);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        std::perror(program.c_str());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    toChild_ = fdopen(toChild[1], "w");
    fromChild_ = fdopen(fromChild[0], "r");
}

MeasuringProcess::~MeasuringProcess() {
    std::fputs("quit\n", toChild_);
    std::fclose(toChild_);
    std::fclose(fromChild_);
    waitpid(pid_, nullptr, 0);
}

std::string MeasuringProcess::readLine() {
    std::string line;
    for (int c = std::fgetc(fromChild_); c != '\n'; c = std::fgetc(fromChild_)) {
        if (c == EOF) {
            fail("a measuring process ended unexpectedly");
        }
        line.push_back(static_cast<char>(c));
    }
    return line;
}

std::string MeasuringProcess::ask(const std::string& command) {
    std::fprintf(toChild_, "%s\n", command.c_str());
    std::fflush(toChild_);
    return readLine();
}

std::map<std::string, double> figuresIn(const std::string& line) {
    std::istringstream in(line);
    std::map<std::string, double> figures;
    for (std::string word; in >> word;) {
        const std::size_t equals = word.find('=');
        if (equals != std::string::npos) {
            figures[word.substr(0, equals)] = std::strtod(word.c_str() + equals + 1, nullptr);
        }
    }
    return figures;
}

std::vector<double> numbersIn(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> numbers;
    for (double number = 0; in >> number;) {
        numbers.push_back(number);
    }
    return numbers;
}
