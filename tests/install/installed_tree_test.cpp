// `cmake --install` into a temporary prefix: the installed `vellmoor` command,
// started from another folder, finds its images and passes the program's and
// GLUT's options on and its exit status back; no path of the build is installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "install/installed_command.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

class InstalledTree : public testing::Test {
   protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
        const ShellRun install =
            runShell(std::string("'") + CMAKE_PROGRAM + "' --install '" + VELLMOOR_BUILD_DIR +
                     "' --prefix '" + prefix().string() + "'");
        ASSERT_EQ(install.status, 0) << install.output;
    }

    fs::path prefix() const {
        return dir_.path / "prefix";
    }
    fs::path command() const {
        return prefix() / VELLMOOR_INSTALL_BINDIR / "vellmoor";
    }

    ScratchDir dir_{"install"};
};

TEST_F(InstalledTree, CommandStartedElsewhereOpensTheRoomAndEndsWithStatusZeroOnEsc) {
    const CommandRun run = runInstalledCommand(command(), dir_.path / "log", true);
    EXPECT_TRUE(run.sawWindow) << run.output;
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(InstalledTree, CommandPassesTheProgramsOwnOptionsOn) {
    const CommandRun steady =
        runInstalledCommand(command(), dir_.path / "log", true, {"--steady-lamps"});
    EXPECT_TRUE(steady.sawWindow) << steady.output;
    EXPECT_EQ(steady.status, 0) << steady.output;
    const CommandRun unknown =
        runInstalledCommand(command(), dir_.path / "log", false, {"--steady"});
    EXPECT_EQ(unknown.status, 2) << unknown.output;
    EXPECT_NE(unknown.output.find("vellmoor: unknown option '--steady'"), std::string::npos)
        << unknown.output;
}

TEST_F(InstalledTree, MissingImageIsNamedAndEndsWithStatusOne) {
    ASSERT_TRUE(fs::remove(prefix() / VELLMOOR_INSTALL_DATADIR / "vellmoor" / "wood.tga"));
    const CommandRun run = runInstalledCommand(command(), dir_.path / "log", false);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("vellmoor: cannot open texture file 'wood.tga': "
                              "No such file or directory"),
              std::string::npos)
        << run.output;
}

TEST_F(InstalledTree, HoldsNoPathOfTheBuild) {
    for (const std::string path : {VELLMOOR_SOURCE_DIR, VELLMOOR_BUILD_DIR}) {
        const ShellRun grep = runShell("grep -rlF '" + path + "' '" + prefix().string() + "'");
        EXPECT_EQ(grep.status, 1) << path << " is named in:\n" << grep.output;
    }
}

}  // namespace
