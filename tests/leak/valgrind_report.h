#pragma once

#include <string>
#include <vector>

// Reading valgrind's XML report (--xml=yes) and telling the program's own
// leaks from those of the libraries it uses.

struct StackFrame {
    std::string object;    // the binary or shared library, full path
    std::string function;  // demangled, or empty when unknown
    std::string file;      // source file name, when debug information has it
    int line = 0;
};

struct ValgrindError {
    std::string kind;               // e.g. Leak_DefinitelyLost, InvalidRead
    std::string what;               // valgrind's one-line description
    std::vector<StackFrame> stack;  // innermost call first
};

struct ValgrindReport {
    bool complete = false;  // the report was closed: valgrind saw the process end
    std::vector<ValgrindError> errors;
};

ValgrindReport parseValgrindXml(const std::string& xml);
ValgrindReport readValgrindXml(const std::string& path);

// Definitely or indirectly lost blocks.
bool isLostBlock(const ValgrindError& error);

// Whether the program asked for the leaked memory itself: the first frame below
// the allocation functions (valgrind's malloc replacements, the C and C++
// libraries, and GLU, which allocates quadrics on its caller's behalf) lies in
// programObject. A block that a driver or X library allocated, even during a
// call from the program, is that library's.
bool allocatedBy(const ValgrindError& error, const std::string& programObject);

// A leak and its stack as text, for a failure message.
std::string describeError(const ValgrindError& error);
