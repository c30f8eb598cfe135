// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramPath.h"

#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class FindProgramOnPathTest : public ::testing::Test {
protected:
    ScratchDirectory dir;
    std::string root() const { return dir.path(); }
};

}  // namespace

TEST_F(FindProgramOnPathTest, TakesTheFirstFolderHoldingTheProgram)
{
    WriteProgram(root() + "/second/xdg-open", "#!/bin/sh\n");
    WriteProgram(root() + "/third/xdg-open", "#!/bin/sh\n");
    const std::string path = root() + "/first:" + root() + "/second/:" + root() + "/third";
    EXPECT_EQ(base::findProgramOnPath("xdg-open", path.c_str()), root() + "/second/xdg-open");
}

TEST_F(FindProgramOnPathTest, SkipsWhatCannotBeRun)
{
    WriteProgram(root() + "/plain/xdg-open", "#!/bin/sh\n", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(root() + "/folder/xdg-open");
    WriteProgram(root() + "/good/xdg-open", "#!/bin/sh\n");
    const std::string path = root() + "/plain:" + root() + "/folder:" + root() + "/good";
    EXPECT_EQ(base::findProgramOnPath("xdg-open", path.c_str()), root() + "/good/xdg-open");
}

TEST_F(FindProgramOnPathTest, NeverLooksInTheWorkingDirectory)
{
    WriteProgram(root() + "/xdg-open", "#!/bin/sh\n");
    WriteProgram(root() + "/bin/xdg-open", "#!/bin/sh\n");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", ""), "");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", ":"), "");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", "::/nonexistent:"), "");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", "."), "");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", "bin:./bin"), "");
    EXPECT_EQ(base::findProgramOnPath("xdg-open", nullptr), "");
}

TEST_F(FindProgramOnPathTest, AcceptsOnlyABareName)
{
    WriteProgram(root() + "/bin/xdg-open", "#!/bin/sh\n");
    const std::string path = root();
    EXPECT_EQ(base::findProgramOnPath("bin/xdg-open", path.c_str()), "");
    EXPECT_EQ(base::findProgramOnPath("", path.c_str()), "");
}
