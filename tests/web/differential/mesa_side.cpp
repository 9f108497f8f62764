#include "mesa_side.h"

#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

namespace differential {

MesaSide::MesaSide(const std::string& program) : program_(program) {
    start();
}

void MesaSide::start() {
    int down[2];
    int up[2];
    if (pipe(down) != 0 || pipe(up) != 0) {
        throw std::runtime_error("no pipe to the Mesa runner");
    }
    child_ = fork();
    if (child_ == 0) {
        dup2(down[0], 0);
        dup2(up[1], 1);
        close(down[1]);
        close(up[0]);
        execl(program_.c_str(), program_.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(down[0]);
    close(up[1]);
    departures_.clear();
    to_ = fdopen(down[1], "w");
    from_ = fdopen(up[0], "r");
    std::istringstream ready(line());
    std::string word;
    if (!(ready >> word >> maxTextureSize_) || word != "ready") {
        throw std::runtime_error("the Mesa runner " + program_ + " did not start");
    }
}

void MesaSide::stop() {
    if (to_ != nullptr) {
        std::fclose(to_);
    }
    if (from_ != nullptr) {
        std::fclose(from_);
    }
    if (child_ > 0) {
        waitpid(child_, nullptr, 0);
    }
    to_ = from_ = nullptr;
    child_ = -1;
}

MesaSide::~MesaSide() {
    stop();
}

std::string MesaSide::line() {
    std::string text;
    for (int c = std::fgetc(from_); c != '\n'; c = std::fgetc(from_)) {
        if (c == EOF) {
            throw MesaStopped("Mesa stopped");
        }
        text += static_cast<char>(c);
    }
    // The departures it names come before its first answer.
    if (text.rfind("departure ", 0) == 0) {
        departures_.push_back(text.substr(text.find(' ', 10) + 1));
        return line();
    }
    return text;
}

MesaRun MesaSide::run(const Sequence& sequence, const std::map<std::size_t, unsigned>& skip) {
    std::string request = format(sequence) + "skip";
    for (const auto& [index, error] : skip) {
        request += ' ' + std::to_string(index) + ' ' + std::to_string(error);
    }
    request += "\nrun\n";
    std::fputs(request.c_str(), to_);
    std::fflush(to_);
    try {
        return read();
    } catch (const MesaStopped&) {
        restart();
        throw;
    }
}

void MesaSide::restart() {
    stop();
    start();
}

MesaRun MesaSide::read() {
    MesaRun result;
    for (std::string text = line(); text != "end"; text = line()) {
        std::istringstream words(text);
        std::string kind;
        words >> kind;
        if (kind == "call") {
            Outcome outcome;
            std::size_t count = 0;
            words >> outcome.checked >> outcome.error >> outcome.skipped >> outcome.substitute >>
                count;
            if (outcome.skipped == "-") {
                outcome.skipped.clear();
            }
            outcome.values.resize(count);
            for (double& value : outcome.values) {
                words >> value;
            }
            result.outcomes.push_back(outcome);
        } else if (kind == "feedback") {
            std::string status;
            words >> status;
            if (status == "none" || status == "overflow") {
                result.picture.comparable = false;
                result.picture.why = "OpenGL's feedback: " + status;
                continue;
            }
            std::istringstream list(text.substr(9));
            std::size_t count = 0;
            list >> count;
            std::vector<Polygon> polygons(count);
            for (Polygon& polygon : polygons) {
                std::size_t corners = 0;
                list >> corners;
                polygon.resize(corners);
                for (Corner& corner : polygon) {
                    list >> corner[0] >> corner[1] >> corner[2];
                }
            }
            result.picture = pictureOf(polygons);
        }
    }
    return result;
}

}  // namespace differential
