#pragma once

// OpenGL's side of the differential test: the Mesa runner (mesa_runner.cpp)
// in a process of its own, sent each sequence and read for what it observed.

#include <sys/types.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "picture.h"
#include "runner.h"

namespace differential {

struct MesaRun {
    std::vector<Outcome> outcomes;  // skipped: "refused", or a departure's number
    Picture picture;
};

// Mesa stopped on a sequence (a fault of Mesa's): the runner is started again.
struct MesaStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class MesaSide {
   public:
    explicit MesaSide(const std::string& program);
    ~MesaSide();
    MesaSide(const MesaSide&) = delete;
    MesaSide& operator=(const MesaSide&) = delete;

    // Runs the sequence leaving out the calls in `skip`, which stand for their errors.
    MesaRun run(const Sequence& sequence, const std::map<std::size_t, unsigned>& skip);

    // A new runner, its memory as new.
    void restart();

    int maxTextureSize() const {
        return maxTextureSize_;
    }
    // The rules by which OpenGL 1.1 stands where Mesa departs from it.
    const std::vector<std::string>& departures() const {
        return departures_;
    }

   private:
    void start();
    void stop();
    MesaRun read();
    std::string line();

    std::string program_;
    pid_t child_ = -1;
    std::FILE* to_ = nullptr;
    std::FILE* from_ = nullptr;
    int maxTextureSize_ = 0;
    std::vector<std::string> departures_;
};

}  // namespace differential
