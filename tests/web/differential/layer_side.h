#pragma once

// The layer's side of the differential test: a sequence run in a new
// context over the fake renderer, with the refusals it met and what it drew.

#include <string>
#include <utility>
#include <vector>

#include "gl/refusals.h"
#include "picture.h"
#include "runner.h"

namespace differential {

struct LayerRun {
    std::vector<Outcome> outcomes;
    std::vector<std::pair<std::size_t, const vgl::Refusal*>> refusals;  // by call
    std::string said;                                                   // on standard error
    Picture picture;
};

// The window both sides draw in.
constexpr int kWindowWidth = 64;
constexpr int kWindowHeight = 48;

// `quiet`: what the layer says is kept in the run rather than shown.
LayerRun runOnLayer(const Sequence& sequence, int maxTextureSize, bool quiet = true);

}  // namespace differential
