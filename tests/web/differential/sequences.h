#pragma once

// Sequences drawn from the table: at random from a seed, and along the edges
// of every argument; and a failing sequence shrunk to the calls it needs.

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "script.h"

namespace differential {

struct Written {
    std::string name;
    Sequence sequence;
};

// A few calls to a few dozen: single calls, primitives with their vertices
// and display lists, an argument now and then at one of its edges.
Sequence generated(std::mt19937_64& random);

// For every entry point: the call alone, compiled into a list and called,
// and between glBegin and glEnd; and each edge of each argument, alone and
// compiled.
std::vector<Written> edges();

// Sequences from a file: each after a line "## name".
std::vector<Written> readWritten(const std::string& path);

// The shortest sequence found, by leaving out calls, that still fails.
Sequence shrink(Sequence sequence, const std::function<bool(const Sequence&)>& fails);

}  // namespace differential
