#include "frame_cases.h"

#include "viewpoints.h"

namespace {

std::vector<FrameCase> makeCases() {
    std::vector<FrameCase> cases = {{"clear + swap only", "floor", FrameCase::Floor, ""}};
    for (const Viewpoint& viewpoint : viewpoints()) {
        cases.push_back({viewpoint.name, viewpoint.name, FrameCase::Scene, viewpoint.name});
    }
    cases.push_back({"start, lists emptied", "listsEmptied", FrameCase::ListsEmptied, "start"});
    cases.push_back({"  drawFrame alone", "drawFrameAlone", FrameCase::OwnWork, "start"});
    return cases;
}

}  // namespace

const std::vector<FrameCase>& frameCases() {
    static const std::vector<FrameCase> cases = makeCases();
    return cases;
}

std::size_t caseOf(FrameCase::Kind kind, const std::string& viewpoint) {
    for (std::size_t i = 0; i < frameCases().size(); ++i) {
        const FrameCase& c = frameCases()[i];
        if (c.kind == kind && (viewpoint.empty() || c.viewpoint == viewpoint)) {
            return i;
        }
    }
    return 0;
}
