// The set-up script where there is no dpkg (it installs nothing, says what the
// build needs and what the packages are usually called, and fails only for
// what needs Debian's tools), and where packages are installed for two
// architectures.
#include <gtest/gtest.h>

#include <string>

#include "install/installed_command.h"
#include "support/scratch_dir.h"

namespace {

class SetUpScriptWithoutDpkg : public testing::Test {
   protected:
    void SetUp() override {
        // A PATH with every command of this system but dpkg's and apt's.
        const std::string dir = "'" + bin_.path.string() + "'";
        const ShellRun links = runShell("ln -sf /bin/* /usr/bin/* " + dir + " && rm -f " + dir +
                                        "/dpkg* " + dir + "/apt*");
        ASSERT_EQ(links.status, 0) << links.output;
    }

    ShellRun setUp(const std::string& purpose) const {
        return runShell("env PATH='" + bin_.path.string() + "' /bin/bash '" SETUP_SCRIPT "' " +
                        purpose);
    }

    ScratchDir bin_{"setup-path"};
};

TEST_F(SetUpScriptWithoutDpkg, SaysWhatTheBuildNeedsAndDoesNotFail) {
    const ShellRun run = setUp("test");
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* need : {"C++17 compiler", "CMake", "OpenGL", "GLU", "freeglut"}) {
        EXPECT_NE(run.output.find(need), std::string::npos) << need << " in\n" << run.output;
    }
    for (const char* name : {"freeglut-devel", "mesa-libGLU-devel", "glu-dev", "dnf", "pacman"}) {
        EXPECT_NE(run.output.find(name), std::string::npos) << name << " in\n" << run.output;
    }
}

// The package, the Windows zip and the web site are made with Debian's tools:
// better to stop at once than to fail minutes later inside CPack or a build.
TEST_F(SetUpScriptWithoutDpkg, RefusesThePackageTheWindowsZipAndTheWebSite) {
    for (const char* purpose : {"package", "windows", "web"}) {
        const ShellRun run = setUp(purpose);
        EXPECT_EQ(run.status, 1) << purpose << ":\n" << run.output;
        EXPECT_NE(run.output.find("Debian"), std::string::npos) << purpose << ":\n" << run.output;
    }
}

// dpkg-query prints one record for each architecture a package is installed
// for (any machine with 32-bit Steam or wine has libgl1-mesa-dri:i386). The
// stand-ins earlier on PATH report every package installed for both, and
// fail any apt-get call.
TEST(SetUpScript, AcceptsPackagesInstalledForTwoArchitecturesButNotForI386Alone) {
    const std::string path =
        "PATH='" VELLMOOR_SOURCE_DIR "/tests/install/two-architectures':\"$PATH\" ";
    const ShellRun both = runShell(path + "/bin/bash '" SETUP_SCRIPT "' test");
    EXPECT_EQ(both.status, 0) << both.output;
    EXPECT_EQ(both.output, "");

    const ShellRun i386Only =
        runShell(path + "FOREIGN_ONLY=freeglut3-dev /bin/bash '" SETUP_SCRIPT "' run");
    EXPECT_EQ(i386Only.status, 1) << i386Only.output;
    EXPECT_NE(i386Only.output.find("freeglut3-dev"), std::string::npos) << i386Only.output;
    EXPECT_EQ(i386Only.output.find("libgl1-mesa-dri"), std::string::npos) << i386Only.output;
}

// The quick checks need the native build and its test tools only: where the
// cross compiler, wine, emscripten or Chromium is missing, their set-up passes
// while the whole suite's asks for it.
TEST(SetUpScript, TheQuickChecksNeedNoCrossOrBrowserTools) {
    for (const char* tool : {"wine", "g++-mingw-w64-x86-64-posix", "emscripten", "chromium"}) {
        const std::string setUp = "PATH='" VELLMOOR_SOURCE_DIR
                                  "/tests/install/two-architectures':\"$PATH\" FOREIGN_ONLY=" +
                                  std::string(tool) + " /bin/bash '" SETUP_SCRIPT "' ";
        const ShellRun check = runShell(setUp + "check");
        EXPECT_EQ(check.status, 0) << tool << ":\n" << check.output;
        const ShellRun test = runShell(setUp + "test");
        EXPECT_EQ(test.status, 1) << tool << ":\n" << test.output;
        EXPECT_NE(test.output.find(tool), std::string::npos) << test.output;
    }
}

}  // namespace
