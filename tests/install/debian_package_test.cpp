// The Debian package that `make package` makes, here made once by the CTest
// fixture debian_package: what it holds, that it starts unpacked anywhere, and
// what lintian and desktop-file-validate say of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "install/installed_command.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

fs::path packageFile() {
    for (const auto& entry : fs::directory_iterator(VELLMOOR_PACKAGE_DIR)) {
        if (entry.path().extension() == ".deb") {
            return entry.path();
        }
    }
    return {};
}

class DebianPackage : public testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(VELLMOOR_PACKAGE_DIR))
            << "the package is made by the test debian_package_build";
        deb_ = packageFile();
        ASSERT_FALSE(deb_.empty()) << "no package in " << VELLMOOR_PACKAGE_DIR;
    }

    std::string field(const std::string& name) const {
        return runShell("dpkg-deb -f '" + deb_.string() + "' " + name).output;
    }

    fs::path deb_;
    ScratchDir dir_{"package"};
};

TEST_F(DebianPackage, HoldsTheCommandProgramImagesManualPageDesktopEntryAndIcon) {
    const ShellRun list = runShell("dpkg-deb -c '" + deb_.string() + "'");
    ASSERT_EQ(list.status, 0) << list.output;
    for (const char* path :
         {"/usr/games/vellmoor", "/usr/libexec/vellmoor/vellmoor", "/usr/share/vellmoor/oxy02.tga",
          "/usr/share/vellmoor/wood.tga", "/usr/share/vellmoor/wood1.tga",
          "/usr/share/vellmoor/dartboard.tga", "/usr/share/man/man6/vellmoor.6.gz",
          "/usr/share/applications/vellmoor.desktop",
          "/usr/share/icons/hicolor/256x256/apps/vellmoor.png",
          "/usr/share/doc/vellmoor/copyright"}) {
        EXPECT_NE((list.output + "\n").find(std::string(" .") + path + "\n"), std::string::npos)
            << path << " is not in the package:\n"
            << list.output;
    }
    EXPECT_EQ(field("Section"), "games");
    // The libraries are worked out from the program, not listed by hand.
    const std::string depends = field("Depends");
    for (const char* library : {"libglut", "libgl1", "libc6"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << depends;
    }
}

TEST_F(DebianPackage, UnpackedCommandStartedElsewhereOpensTheRoomAndEndsWithStatusZeroOnEsc) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server (xvfb-run)";
    const fs::path root = dir_.path / "root";
    const ShellRun unpack = runShell("dpkg-deb -x '" + deb_.string() + "' '" + root.string() + "'");
    ASSERT_EQ(unpack.status, 0) << unpack.output;
    const CommandRun run =
        runInstalledCommand(root / "usr/games/vellmoor", dir_.path / "log", true);
    EXPECT_TRUE(run.sawWindow) << run.output;
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(DebianPackage, LintianFindsNoErrorOrWarningAndTheDesktopEntryIsValid) {
    const ShellRun lintian = runShell("lintian --fail-on error,warning '" + deb_.string() + "'");
    EXPECT_EQ(lintian.status, 0) << lintian.output;

    const fs::path entry = dir_.path / "vellmoor.desktop";
    const ShellRun validate =
        runShell("dpkg-deb --fsys-tarfile '" + deb_.string() +
                 "' | tar -xO ./usr/share/applications/vellmoor.desktop > '" + entry.string() +
                 "' && desktop-file-validate '" + entry.string() + "'");
    EXPECT_EQ(validate.status, 0) << validate.output;
    EXPECT_EQ(validate.output, "");
}

}  // namespace
