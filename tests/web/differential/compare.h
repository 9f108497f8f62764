#pragma once

// Whether the layer did what OpenGL did with a sequence, short of refusals
// it lists and of the places where OpenGL 1.1 stands instead of Mesa.

#include <string>
#include <vector>

#include "layer_side.h"
#include "mesa_side.h"

namespace differential {

struct Verdict {
    std::string difference;    // the first, in words; empty where they agree
    std::string kind;          // the entry point and what differs, to tell differences apart
    bool mesaStopped = false;  // nothing compared: Mesa stopped on the sequence
    std::vector<const vgl::Refusal*> refusals;
    std::vector<int> departures;
};

Verdict compare(const Sequence& sequence, const LayerRun& layer, const MesaRun& opengl);

const char* errorName(unsigned error);

}  // namespace differential
