// The web layer against OpenGL itself: the same sequences of calls run
// through the layer (here, over a renderer that keeps what it is sent) and
// through Mesa (mesa_runner, under X), and everything either can observe
// without rasterising compared.
//
//   differential MESA_RUNNER [--written FILE] [--generated N] [--seed S] [--from K]
//                [--script FILE]
//
// --written runs every entry point along the edges of its arguments and the
// sequences in FILE; --generated runs N sequences drawn at random from seed S
// (VELLMOOR_DIFFERENTIAL_SEQUENCES and VELLMOOR_DIFFERENTIAL_SEED set them
// too), from the Kth on; --script shows both sides' answers to the sequence in FILE.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "compare.h"
#include "sequences.h"

namespace {

using namespace differential;

// Sequences that differ, after which a run stops: a fault shows in many.
const int kMaxDiffering = 30;

struct Tally {
    int sequences = 0;
    int calls = 0;
    int pictures = 0;
    std::map<std::string, int> groups;
    std::map<std::string, int> refusals;
    std::map<int, int> departures;
    std::set<std::string> kinds;  // of the differences shown
    int differing = 0;            // sequences
    int spoiled = 0;              // sequences that agreed only with Mesa started again
    int stopped = 0;              // sequences Mesa stopped on
};

class Differential {
   public:
    explicit Differential(const std::string& runner) : mesa_(runner) {
        setMaxTextureSize(mesa_.maxTextureSize());
    }

    Verdict verdict(const Sequence& whole) {
        const Sequence sequence = drawingNotExecuted(whole);
        const LayerRun layer = runOnLayer(sequence, mesa_.maxTextureSize());
        std::map<std::size_t, unsigned> refused;
        for (const auto& [index, refusal] : layer.refusals) {
            refused[index] = refusal->error;
        }
        MesaRun opengl;
        try {
            opengl = mesa_.run(sequence, refused);
        } catch (const MesaStopped&) {
            Verdict stopped;
            stopped.difference = "Mesa stopped";
            stopped.mesaStopped = true;
            return stopped;
        }
        Verdict result = compare(sequence, layer, opengl);
        if (result.difference.empty() && layer.picture.comparable && opengl.picture.comparable &&
            !layer.picture.corners.empty()) {
            ++tally_.pictures;
        }
        return result;
    }

    // Compares one sequence; on a difference, shows it shrunk. False then.
    bool enough() const {
        return tally_.differing >= kMaxDiffering;
    }

    // Mesa stopping now and then is its own fault; stopping on more than one
    // sequence in twenty is the runner's, and leaves too little compared.
    bool mesaStoppedOften() const {
        return tally_.stopped * 20 > tally_.sequences;
    }

    bool check(const std::string& name, const Sequence& whole) {
        const Sequence sequence = drawingNotExecuted(whole);
        ++tally_.sequences;
        tally_.calls += static_cast<int>(sequence.size());
        for (const Call& call : sequence) {
            ++tally_.groups[groupName(call.op->group)];
        }
        Verdict found = verdict(sequence);
        if (!found.difference.empty()) {
            // Mesa's memory can be spoiled by sequences before (it stops on
            // some, answers garbage on others): a difference stands only
            // against a Mesa as new.
            mesa_.restart();
            found = verdict(sequence);
            if (found.difference.empty()) {
                ++tally_.spoiled;
            }
        }
        // Where Mesa stops, a fault of its own, nothing is compared; the
        // first such sequence is shown.
        if (found.mesaStopped) {
            if (tally_.stopped++ == 0) {
                show("MESA STOPPED", name, sequence, "its own fault, so nothing was compared",
                     [&](const Sequence& candidate) { return verdict(candidate).mesaStopped; });
            }
            return true;
        }
        for (const vgl::Refusal* refusal : found.refusals) {
            ++tally_.refusals[std::string(refusal->what) + " (" + refusal->calls + ")"];
        }
        for (const int departure : found.departures) {
            ++tally_.departures[departure];
        }
        if (found.difference.empty()) {
            return true;
        }
        // A kind of difference is shown once, shrunk; a run stops at many.
        ++tally_.differing;
        if (!tally_.kinds.insert(found.kind).second || tally_.differing > kMaxDiffering) {
            return false;
        }
        show("DIFFERENCE", name, sequence, found.difference,
             [&](const Sequence& candidate) { return !verdict(candidate).difference.empty(); });
        return false;
    }

    // Shows a sequence that `fails`, shrunk, with what is wrong with it.
    void show(const std::string& heading, const std::string& name, const Sequence& sequence,
              const std::string& what, const std::function<bool(const Sequence&)>& fails) {
        const Sequence shortest = shrink(sequence, fails);
        std::string difference = verdict(shortest).difference;
        if (!fails(shortest)) {
            difference = what + " (once only: run again it agreed)";
        } else if (difference == "Mesa stopped") {
            difference = what;
        }
        std::cout << heading << " in " << name << ":\n  " << difference
                  << "\n  the sequence, shrunk from " << sequence.size() << " to "
                  << shortest.size() << " calls"
                  << (shortest.empty() ? " (the state probe alone)" : ":") << '\n';
        std::istringstream lines(format(shortest));
        for (std::string line; std::getline(lines, line);) {
            std::cout << "    " << line << '\n';
        }
    }

    void show(const Sequence& sequence) {
        const LayerRun layer = runOnLayer(sequence, mesa_.maxTextureSize());
        std::cout << layer.said;
        std::map<std::size_t, unsigned> refused;
        for (const auto& [index, refusal] : layer.refusals) {
            refused[index] = refusal->error;
        }
        const MesaRun opengl = mesa_.run(sequence, refused);
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const auto side = [](const Outcome& outcome) {
                std::ostringstream out;
                out << (outcome.checked ? errorName(outcome.error) : "-");
                for (const double value : outcome.values) {
                    out << ' ' << value;
                }
                return out.str() + (outcome.skipped.empty() ? "" : " [" + outcome.skipped + "]");
            };
            std::cout << format(sequence[i]) << "\n    layer:  " << side(layer.outcomes[i])
                      << "\n    OpenGL: " << side(opengl.outcomes[i]) << '\n';
        }
        std::cout << compare(sequence, layer, opengl).difference << '\n';
    }

    void report(std::chrono::steady_clock::duration took) const {
        if (tally_.differing > 0) {
            std::cout << tally_.differing << " sequences differed"
                      << (tally_.differing >= kMaxDiffering ? " (the run stopped there)" : "")
                      << '\n';
        }
        std::cout << tally_.sequences << " sequences of " << tally_.calls
                  << " calls, each followed by the state probe's " << stateProbe().size()
                  << " queries; what was drawn compared in " << tally_.pictures << " of them; "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() / 1000.0
                  << " s\n  calls by group:";
        for (const auto& [group, count] : tally_.groups) {
            std::cout << ' ' << group << ' ' << count << ';';
        }
        if (tally_.stopped > 0) {
            std::cout << "\n  " << tally_.stopped
                      << " not compared: Mesa stopped on them, a fault of its own";
        }
        if (tally_.spoiled > 0) {
            std::cout << "\n  " << tally_.spoiled
                      << " agreed only once Mesa was started again, its memory spoiled by "
                         "sequences before";
        }
        std::cout << "\nThe layer's written refusals met:\n";
        for (const auto& [refusal, count] : tally_.refusals) {
            std::cout << "  " << refusal << ": " << count << '\n';
        }
        std::cout << "Held to OpenGL 1.1 where Mesa departs from it:\n";
        for (const auto& [departure, count] : tally_.departures) {
            std::cout << "  " << mesa_.departures().at(static_cast<std::size_t>(departure)) << ": "
                      << count << '\n';
        }
    }

   private:
    MesaSide mesa_;
    Tally tally_;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: differential MESA_RUNNER [--written FILE] [--generated N] "
                     "[--seed S] [--from K] [--script FILE]\n";
        return 2;
    }
    std::string written;
    std::string script;
    long generatedCount = 0;
    unsigned long long seed = 28;
    long from = 1;
    if (const char* count = std::getenv("VELLMOOR_DIFFERENTIAL_SEQUENCES")) {
        generatedCount = std::atol(count);
    }
    if (const char* value = std::getenv("VELLMOOR_DIFFERENTIAL_SEED")) {
        seed = std::strtoull(value, nullptr, 10);
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--written") {
            written = argv[i + 1];
        } else if (option == "--generated" && generatedCount == 0) {
            generatedCount = std::atol(argv[i + 1]);
        } else if (option == "--seed") {
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        } else if (option == "--from") {
            from = std::atol(argv[i + 1]);
        } else if (option == "--script") {
            script = argv[i + 1];
        }
    }
    // A Mesa runner that stopped is started again, not written to.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const auto start = std::chrono::steady_clock::now();
        Differential differential(argv[1]);
        if (!script.empty()) {
            differential.show(parse(readFile(script)));
            return 0;
        }
        bool agreed = true;
        if (!written.empty()) {
            for (const Written& each : edges()) {
                agreed = (differential.enough() || differential.check(each.name, each.sequence)) &&
                         agreed;
            }
            for (const Written& each : readWritten(written)) {
                agreed = (differential.enough() || differential.check(each.name, each.sequence)) &&
                         agreed;
            }
        }
        if (generatedCount > 0) {
            std::cout << "Generated sequences from seed " << seed << '\n';
            std::cout.flush();
            std::mt19937_64 random(seed);
            for (long i = 0; i < generatedCount; ++i) {
                const Sequence sequence = generated(random);
                if (i + 1 < from || differential.enough()) {
                    continue;
                }
                agreed = differential.check("generated sequence " + std::to_string(i + 1) +
                                                " of seed " + std::to_string(seed),
                                            sequence) &&
                         agreed;
            }
        }
        differential.report(std::chrono::steady_clock::now() - start);
        if (differential.mesaStoppedOften()) {
            std::cout << "Mesa stopped on too many sequences for the run to stand\n";
            agreed = false;
        }
        return agreed ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "differential: " << error.what() << '\n';
        return 2;
    }
}
