// A build made with plain CMake, as a contributor or a distribution's check
// step makes it, has no cross-built Windows program beside it: its Windows
// tests are reported skipped, with the reason, rather than failed.
#include <gtest/gtest.h>

#include <string>

#include "install/installed_command.h"
#include "support/scratch_dir.h"

namespace {

TEST(PlainBuild, ReportsTheWindowsTestsSkippedWithoutAWindowsBuild) {
    ScratchDir build("plain-build");
    const std::string dir = build.path.string();
    const ShellRun configure = runShell("'" CMAKE_PROGRAM "' -S '" VELLMOOR_SOURCE_DIR "' -B '" +
                                        dir + "' -DVELLMOOR_WINDOWS_BUILD='" + dir +
                                        "/no-windows-build'");
    ASSERT_EQ(configure.status, 0) << configure.output;

    const ShellRun windows = runShell("cd '" + dir + "' && '" CTEST_PROGRAM "' -V -L windows");
    EXPECT_EQ(windows.status, 0) << windows.output;
    for (const char* test : {"windows_unit_tests (Skipped)", "windows_tests (Skipped)"}) {
        EXPECT_NE(windows.output.find(test), std::string::npos) << test << " in\n"
                                                                  << windows.output;
    }
    EXPECT_NE(windows.output.find("make windows builds it"), std::string::npos) << windows.output;
}

}  // namespace
