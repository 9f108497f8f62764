// Frame rate, start-up time and memory of the real scene in the real 600x400
// GLUT window, with the program's allocator setting (the C library keeps the
// memory it is given back) and without it (the C library's default), the two
// measured in two child processes taken in turn.
//
//   vellmoor_bench [--quick | --startup-only | --memory] [--out DIR] [ASSETS_DIR]
//
// ASSETS_DIR holds the texture images (the source tree's assets/ by default).
// --memory draws 20,000 frames in each process instead of timing frames;
// --quick draws far fewer frames, to check that the benchmark runs at all (too
// few for its verdicts to mean much);
// --startup-only stops after the start-up figures. With --out, the figures for
// the chart are written to DIR/frames.dat or DIR/memory.dat.
//
// It judges the targets that belong to the program, whatever the machine, and
// exits with status 1 when one is missed. How much faster the setting makes a
// frame depends on the machine (on what the kernel charges for faulting pages
// in), so the speed-ups are printed but not judged.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/allocator.h"
#include "frame_cases.h"
#include "frame_rate.h"
#include "measuring_process.h"
#include "process_stats.h"
#include "scene_server.h"

namespace {

struct Settings {
    int warmUpFrames = 10;
    // The lamp pattern repeats every 45 idle calls: 90 frames show every lamp
    // state twice, and each case starts from the same state in both processes.
    int framesPerCase = 90;
    int rounds = 5;
    // Frame counts at which the resident size is read; the growth target is
    // between the first and the last.
    std::vector<int> memoryCheckpoints = {1000, 2000, 5000, 10000, 20000};
    int memorySamples = 180;  // frames read at each checkpoint: four lamp cycles
    int memoryChunk = 1000;   // frames one process draws before the other's turn
};

const Settings kFull;
// Three rounds, so that even a quick run has a spread to judge by.
const Settings kQuick = {2, 9, 3, {20, 40}, 10, 25};

const double kFirstFrameTargetMs = 500.0;
const long kGrowthTargetKiB = 64;
const double kOwnWorkTargetPercent = 1.0;

bool targetMissed = false;

const char* verdict(bool met) {
    targetMissed = targetMissed || !met;
    return met ? "met" : "MISSED";
}

// The 1, 5 and 15 minute load averages: other work on the machine disturbs the figures.
void printLoad(const char* when) {
    double load[3] = {-1.0, -1.0, -1.0};
    getloadavg(load, 3);
    std::printf("  load average %.2f %.2f %.2f (1, 5, 15 min, %s)\n", load[0], load[1], load[2],
                when);
}

// The two measuring processes: [0] with the program's setting, [1] without.
const char* const kSettingNames[2] = {"kept", "returned"};

struct Process {
    std::unique_ptr<MeasuringProcess> process;
    std::map<std::string, double> startup;  // as scene_server names them
    std::string renderer;
};

// Starts a measuring process and reads its start-up report. They are started
// one after the other, so neither start-up is disturbed by the other.
Process startProcess(const char* setting, const std::string& assetsDir) {
    const std::string self = "/proc/self/exe";
    Process p;
    p.process = std::make_unique<MeasuringProcess>(
        self, std::vector<std::string>{"vellmoor_bench", "--serve", setting, assetsDir});
    p.startup = figuresIn(p.process->readLine());
    p.renderer = p.process->readLine();
    return p;
}

void printStartup(const Process (&processes)[2], int count) {
    static const char* const rows[][2] = {
        {"startToMain", "process start to main"},
        {"window", "window (glutInit .. glutCreateWindow)"},
        {"textures", "textures (loadTextures)"},
        {"roomList", "room list (compileRoomList)"},
        {"sceneLists", "scene lists (compileSceneLists)"},
        {"initScene", "initScene in all"},
        {"firstFrame", "first frame swapped, from start"}};
    std::printf("Start-up, ms                               kept  returned\n");
    for (const auto& row : rows) {
        std::printf("  %-38s %7.1f", row[1], processes[0].startup.at(row[0]));
        if (count > 1) {
            std::printf(" %8.1f", processes[1].startup.at(row[0]));
        }
        std::printf("\n");
    }
    const double firstFrame = processes[0].startup.at("firstFrame");
    std::printf("  first frame within %.0f ms of process start (kept): %s\n\n",
                kFirstFrameTargetMs, verdict(firstFrame <= kFirstFrameTargetMs));
}

enum class Run { StartupOnly, Frames, Memory };

void printHeader(const Settings& settings, Run run, const std::string& renderer) {
    std::printf("Vellmoor benchmark\n");
    std::printf("  renderer     %s\n", renderer.c_str());
    std::printf("  cores        %ld online\n", sysconf(_SC_NPROCESSORS_ONLN));
    printLoad("at start");
    std::printf("  window       600x400, double-buffered, depth buffer\n");
    std::printf("  kept         the program as it is: the C library keeps freed memory\n");
    std::printf("  returned     the C library's default: freed memory goes back to the kernel\n");
    if (run == Run::Frames) {
        std::printf("  frames       idle() + display() + glFinish(); %d per case after %d "
                    "warm-up,\n               each case from the lamp animation's start; "
                    "median of %d rounds,\n",
                    settings.framesPerCase, settings.warmUpFrames, settings.rounds);
        std::printf("               the two processes taken in turn\n");
    } else if (run == Run::Memory) {
        std::printf("  memory       idle() + display() + glFinish() from the start camera, %d "
                    "frames\n               in each process, the two taking turns of %d "
                    "frames;\n",
                    settings.memoryCheckpoints.back() + settings.memorySamples,
                    settings.memoryChunk);
        std::printf("               resident size read after every frame\n");
    }
    std::printf("\n");
}

// runs[setting][case][round], milliseconds per frame.
using Runs = std::vector<std::vector<std::vector<double>>>;

Runs timeInTurn(Process (&processes)[2], const Settings& settings) {
    const std::size_t caseCount = frameCases().size();
    Runs runs(2, std::vector<std::vector<double>>(caseCount));
    const std::string command = "frames " + std::to_string(settings.warmUpFrames) + " " +
                                std::to_string(settings.framesPerCase);
    for (int round = 0; round < settings.rounds; ++round) {
        // Alternate which process goes first, so neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const int s = (round + turn) % 2;
            const std::map<std::string, double> ms =
                figuresIn(processes[s].process->ask(command));
            for (std::size_t c = 0; c < caseCount; ++c) {
                runs[s][c].push_back(ms.at(frameCases()[c].name));
            }
        }
    }
    return runs;
}

void printFrameRates(const Runs& runs, const std::string& outDir) {
    const auto& cases = frameCases();
    const double floorMs = median(runs[0][caseOf(FrameCase::Floor)]);
    std::printf("Frame time at 600x400, ms    kept  returned  speed-up  kept fps  x floor"
                "   (kept rounds | returned rounds)\n");
    std::ofstream data;
    if (!outDir.empty()) {
        data.open(outDir + "/frames.dat");
        data << "# case  kept_ms  returned_ms  (medians)\n";
    }
    // The viewpoint where the setting comes nearest to costing time, and by how
    // much it is slower there beyond the spread of the rounds (negative: within it).
    std::size_t closest = caseOf(FrameCase::Scene);
    double closestBeyondSpread = -1e9;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const double kept = median(runs[0][c]);
        const double returned = median(runs[1][c]);
        std::printf("  %-24s %7.3f %8.3f %8.2fx %9.1f %8.2f   (", cases[c].label.c_str(), kept,
                    returned, returned / kept, 1000.0 / kept, kept / floorMs);
        for (int s = 0; s < 2; ++s) {
            std::printf(s == 0 ? "" : " |");
            for (std::size_t r = 0; r < runs[s][c].size(); ++r) {
                std::printf(s == 0 && r == 0 ? "%.2f" : " %.2f", runs[s][c][r]);
            }
        }
        std::printf(")\n");
        const double beyondSpread = slowerBeyondSpread(runs[0][c], runs[1][c]);
        if (cases[c].kind == FrameCase::Scene && beyondSpread > closestBeyondSpread) {
            closest = c;
            closestBeyondSpread = beyondSpread;
        }
        if (data && cases[c].kind != FrameCase::ListsEmptied &&
            cases[c].kind != FrameCase::OwnWork) {
            data << '"' << (cases[c].kind == FrameCase::Floor ? "floor" : cases[c].label)
                 << "\" " << kept << ' ' << returned << '\n';
        }
    }

    const auto speedUp = [&runs](const char* viewpoint) {
        const std::size_t c = caseOf(FrameCase::Scene, viewpoint);
        return median(runs[1][c]) / median(runs[0][c]);
    };
    const double ownMs = median(runs[0][caseOf(FrameCase::OwnWork)]);
    const double ownPercent = 100.0 * ownMs / median(runs[0][caseOf(FrameCase::Scene, "start")]);
    std::printf("\nSpeed-up with the setting: overview %.2fx, bar %.2fx\n", speedUp("overview"),
                speedUp("bar"));
    std::printf("  no target: it varies by machine, with what the kernel charges for the pages\n"
                "  the C library's default gives back and faults in again every frame\n");
    std::printf("\nTargets\n");
    std::printf("  no viewpoint slower with the setting beyond the spread of its rounds:  %s\n",
                verdict(closestBeyondSpread <= 0.0));
    const double keptSlowerMs = median(runs[0][closest]) - median(runs[1][closest]);
    std::printf("    closest: %s, kept %+.3f ms against returned, the rounds' spread %.3f ms\n",
                cases[closest].label.c_str(), keptSlowerMs, keptSlowerMs - closestBeyondSpread);
    std::printf("  frame's own work outside the lists below %.0f %% of a start frame:\n",
                kOwnWorkTargetPercent);
    std::printf("    %.3f ms = %.2f %% (drawFrame with every list emptied, no clear or swap)  %s\n",
                ownMs, ownPercent, verdict(ownPercent < kOwnWorkTargetPercent));
}

// Resident sizes after every frame, from the first frame after start-up, in
// each process, the processes taking turns of settings.memoryChunk frames.
void measureMemory(Process (&processes)[2], const Settings& settings, const std::string& outDir) {
    const int total = settings.memoryCheckpoints.back() + settings.memorySamples;
    std::vector<double> resident[2];
    for (int drawn = 0; drawn < total; drawn += settings.memoryChunk) {
        const int chunk = std::min(settings.memoryChunk, total - drawn);
        for (int s = 0; s < 2; ++s) {
            const std::vector<double> sizes =
                numbersIn(processes[s].process->ask("draw " + std::to_string(chunk)));
            resident[s].insert(resident[s].end(), sizes.begin(), sizes.end());
        }
    }

    // The lowest and highest resident size over the frames [from, from + count),
    // frames counted from 1 after the first frame.
    const auto range = [&resident](int s, int from, int count) {
        const auto begin = resident[s].begin() + (from - 1);
        const auto [low, high] = std::minmax_element(begin, begin + count);
        return std::pair<long, long>{static_cast<long>(*low), static_cast<long>(*high)};
    };
    std::printf("Memory: resident size (VmRSS, KiB) while frames are drawn back to back from the "
                "start camera;\n        lowest and highest over the %d frames from each "
                "checkpoint\n",
                settings.memorySamples);
    std::printf("  frames       kept: lowest  highest    returned: lowest  highest\n");
    for (int checkpoint : settings.memoryCheckpoints) {
        std::printf("  %6d", checkpoint);
        for (int s = 0; s < 2; ++s) {
            const auto [low, high] = range(s, checkpoint, settings.memorySamples);
            std::printf(s == 0 ? " %15ld %8ld" : " %19ld %8ld", low, high);
        }
        std::printf("\n");
    }
    long growth[2];
    for (int s = 0; s < 2; ++s) {
        growth[s] = range(s, settings.memoryCheckpoints.back(), settings.memorySamples).first -
                    range(s, settings.memoryCheckpoints.front(), settings.memorySamples).first;
    }
    std::printf("  heap in use at the end (KiB): kept %s, returned %s\n",
                processes[0].process->ask("heap").c_str(),
                processes[1].process->ask("heap").c_str());
    std::printf("  growth of the lowest from %d to %d frames: kept %ld KiB, returned %ld KiB\n",
                settings.memoryCheckpoints.front(), settings.memoryCheckpoints.back(), growth[0],
                growth[1]);
    std::printf("  kept grows by less than %ld KiB: %s\n", kGrowthTargetKiB,
                verdict(growth[0] < kGrowthTargetKiB));

    if (!outDir.empty()) {
        const int block = std::max(1, std::min(100, total / 2));
        std::ofstream data(outDir + "/memory.dat");
        data << "# frame  kept_lowest  kept_highest  returned_lowest  returned_highest"
                "  (KiB, over the "
             << block << " frames from frame)\n";
        for (int from = 1; from + block <= total + 1; from += block) {
            const auto kept = range(0, from, block);
            const auto returned = range(1, from, block);
            data << from << ' ' << kept.first << ' ' << kept.second << ' ' << returned.first
                 << ' ' << returned.second << '\n';
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double startToMainMs = 1000.0 * secondsSinceProcessStart();
    const std::chrono::steady_clock::time_point mainStart = std::chrono::steady_clock::now();

    // A measuring process sets the allocator first, before anything allocates,
    // exactly where the program does.
    if (argc == 4 && std::strcmp(argv[1], "--serve") == 0) {
        if (std::strcmp(argv[2], "kept") == 0) {
            keepFreedMemory();
        }
        return serveScene(&argc, argv, argv[3], mainStart, startToMainMs);
    }

    const Settings* settings = &kFull;
    bool startupOnly = false;
    bool memory = false;
    std::string outDir;
    std::string assetsDir = VELLMOOR_ASSETS_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            settings = &kQuick;
        } else if (std::strcmp(argv[i], "--startup-only") == 0) {
            startupOnly = true;
        } else if (std::strcmp(argv[i], "--memory") == 0) {
            memory = true;
        } else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outDir = argv[++i];
        } else if (argv[i][0] != '-') {
            assetsDir = argv[i];
        } else {
            std::fprintf(stderr,
                         "usage: vellmoor_bench [--quick | --startup-only | --memory] "
                         "[--out DIR] [ASSETS_DIR]\n");
            return 2;
        }
    }

    Process processes[2];
    processes[0] = startProcess(kSettingNames[0], assetsDir);
    const int count = startupOnly ? 1 : 2;
    if (count > 1) {
        processes[1] = startProcess(kSettingNames[1], assetsDir);
    }
    const Run run = startupOnly ? Run::StartupOnly : memory ? Run::Memory : Run::Frames;
    printHeader(*settings, run, processes[0].renderer);
    printStartup(processes, count);
    std::fflush(stdout);
    if (run == Run::Memory) {
        measureMemory(processes, *settings, outDir);
    } else if (run == Run::Frames) {
        printFrameRates(timeInTurn(processes, *settings), outDir);
    }
    if (run != Run::StartupOnly) {
        printLoad("at the end");
    }
    return targetMissed ? 1 : 0;
}
