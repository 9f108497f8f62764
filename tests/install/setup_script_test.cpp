// The set-up script on a system without dpkg: it installs nothing, says what
// the build needs and what the packages are usually called, and does not fail.
#include <gtest/gtest.h>

#include <string>

#include "install/installed_command.h"
#include "support/scratch_dir.h"

namespace {

TEST(SetUpScript, WithoutDpkgSaysWhatTheBuildNeedsAndDoesNotFail) {
    // A PATH with every command of this system but dpkg's and apt's.
    ScratchDir bin("setup-path");
    const std::string dir = "'" + bin.path.string() + "'";
    const ShellRun links = runShell("ln -sf /bin/* /usr/bin/* " + dir + " && rm -f " + dir +
                                    "/dpkg* " + dir + "/apt*");
    ASSERT_EQ(links.status, 0) << links.output;

    const ShellRun run =
        runShell("env PATH='" + bin.path.string() + "' /bin/bash '" SETUP_SCRIPT "' test");
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* need : {"C++17 compiler", "CMake", "OpenGL", "GLU", "freeglut"}) {
        EXPECT_NE(run.output.find(need), std::string::npos) << need << " in\n" << run.output;
    }
    for (const char* name : {"freeglut-devel", "mesa-libGLU-devel", "glu-dev", "dnf", "pacman"}) {
        EXPECT_NE(run.output.find(name), std::string::npos) << name << " in\n" << run.output;
    }
}

}  // namespace
