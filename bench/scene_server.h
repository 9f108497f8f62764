#pragma once

#include <chrono>

// The measuring side of the benchmark, run in a child process: opens the
// program's window, builds the scene through initScene, reports its start-up
// on one line and the renderer on the next, then answers commands from its
// standard input, one line each, until "quit":
//   frames WARMUP COUNT   milliseconds per frame of every frame case, in order
//   draw COUNT            resident size in KiB after each of COUNT more frames
//   heap                  heap in use in KiB
// Returns the process's exit status.
int serveScene(int* argc, char** argv, const char* assetsDir,
               std::chrono::steady_clock::time_point mainStart, double startToMainMs);
