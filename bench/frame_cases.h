#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What a measuring process times in one round: the renderer's floor, the
// frame from every named viewpoint, then the frame's own work with every
// display list emptied. Replies name each figure.
struct FrameCase {
    enum Kind {
        Floor,         // clear and swap only
        Scene,         // the program's frame from the viewpoint
        ListsEmptied,  // the program's frame with every list emptied
        OwnWork,       // drawFrame alone with every list emptied: no clear, no swap
    };
    std::string label;      // as printed
    std::string name;       // the figure's name in a measuring process's reply
    Kind kind;
    std::string viewpoint;  // where the frame is drawn from; empty for the floor
};

const std::vector<FrameCase>& frameCases();

// Position in frameCases() of the first case of a kind (and, for scenes, viewpoint).
std::size_t caseOf(FrameCase::Kind kind, const std::string& viewpoint = "");
