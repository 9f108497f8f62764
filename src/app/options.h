#pragma once

#include <string>

// What the command line asks of the program. GLUT takes its own options
// first (glutInit removes them), so every argument left is the program's.
struct ProgramOptions {
    bool steadyLamps = false;  // --steady-lamps: the spot lamps stay lit
    std::string unknown;       // the first argument the program does not take, if any
};

ProgramOptions readOptions(int argc, const char* const* argv);

// The program's options, told after an unknown one (no newline at the end).
extern const char kUsage[];
