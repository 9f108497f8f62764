// The launcher's view of its process, which the end-to-end and Windows tests
// use to tell a program that waits from one that has already ended.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "leak/launched_program.h"

namespace {

TEST(LaunchedProgram, RunningOnlyUntilTheProcessEndsAndItsStatusIsKept) {
    LaunchedProgram waiting({"sleep", "30"}, "/", "/dev/null");
    LaunchedProgram ending({"sh", "-c", "exit 3"}, "/", "/dev/null");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ending.running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(ending.running()) << "a process that ended is reported running";
    EXPECT_EQ(ending.waitForExit(0.0), 3);
    EXPECT_TRUE(waiting.running());
}

}  // namespace
