// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/EditorHandOver.h"

#include "tests/support/FixtureDb.h"
#include "tests/report/SamplePlans.h"

#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A stand-in editor launcher that records its arguments, working directory
// and one environment variable, ending with "done" once complete.
std::string RecordingScript(const std::string& record)
{
    return "#!/bin/sh\n"
           "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done;\n"
           "  pwd -P; printf '%s\\n' \"$MERIDANE_HANDOVER_PROBE\"; echo done; } > '" + record + "'\n";
}

// The launcher runs on after the test's child has ended; waits for its record.
std::string AwaitRecord(const std::string& record)
{
    for (int i = 0; i < 200; ++i) {
        std::string text = ReadWholeFile(record);
        if (text.size() >= 5 && text.compare(text.size() - 5, 5, "done\n") == 0)
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadWholeFile(record);
}

}  // namespace

class EditorHandOverDeathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText("course.txt", m_report);
        m_record = dir.path() + "/record";
    }
    static void WriteText(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    // Runs the hand-over in a child with PATH set to path; a child whose
    // call returned exits with status 3.
    static void HandOver(const std::string& path, const std::string& file)
    {
        setenv("PATH", path.c_str(), 1);
        setenv("MERIDANE_HANDOVER_PROBE", "inherited", 1);
        if (!StartEditorAndExit(file))
            _exit(3);
        _exit(4);  // returned true: never supposed to happen
    }

    ScratchDirectory dir;
    std::string m_record;
    const std::string m_report = "report\r\n";
};

TEST_F(EditorHandOverDeathTest, StartsXdgOpenOnTheReportAndEnds)
{
    WriteProgram(dir.path() + "/fake/xdg-open", RecordingScript(m_record));
    const std::string path = dir.path() + "/fake:" + (getenv("PATH") ? getenv("PATH") : "");
    EXPECT_EXIT(HandOver(path, COURSE_REPORT_FILE), ::testing::ExitedWithCode(0), "^$");

    const std::string cwd = fs::canonical(dir.path()).string();
    EXPECT_EQ(AwaitRecord(m_record), "1\n[course.txt]\n" + cwd + "\ninherited\ndone\n");
    EXPECT_EQ(ReadWholeFile("course.txt"), m_report);
}

TEST_F(EditorHandOverDeathTest, PassesANameWithBlanksAsOneArgument)
{
    WriteProgram(dir.path() + "/fake/xdg-open", RecordingScript(m_record));
    EXPECT_EXIT(HandOver(dir.path() + "/fake", "route plan.txt"), ::testing::ExitedWithCode(0), "^$");
    const std::string record = AwaitRecord(m_record);
    EXPECT_EQ(record.substr(0, record.find('\n', 2) + 1), "1\n[route plan.txt]\n");
}

TEST_F(EditorHandOverDeathTest, ReturnsQuietlyWhenPathHasNoXdgOpen)
{
    // One in the working directory, as a download could leave it, must not run.
    WriteProgram(dir.path() + "/xdg-open", RecordingScript(m_record));
    fs::create_directories(dir.path() + "/empty");
    const std::string path = ":" + dir.path() + "/empty::.";
    EXPECT_EXIT(HandOver(path, COURSE_REPORT_FILE), ::testing::ExitedWithCode(3), "^$");

    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(m_record));
    EXPECT_EQ(ReadWholeFile("course.txt"), m_report);
}

TEST_F(EditorHandOverDeathTest, ReturnsQuietlyWhenXdgOpenCannotStart)
{
    WriteProgram(dir.path() + "/broken/xdg-open", "#!/nonexistent/interpreter\n");
    EXPECT_EXIT(HandOver(dir.path() + "/broken", COURSE_REPORT_FILE), ::testing::ExitedWithCode(3), "^$");
    EXPECT_EQ(ReadWholeFile("course.txt"), m_report);
}

TEST_F(EditorHandOverDeathTest, ReturnsQuietlyWhenXdgOpenFindsNoEditor)
{
    // As xdg-open ends on a desktop whose text editor needs a terminal
    // emulator that is not installed.
    WriteProgram(dir.path() + "/noeditor/xdg-open",
                 "#!/bin/sh\necho \"$1\" > '" + m_record + "'\n"
                 "echo '/usr/bin/xdg-open: 882: x-terminal-emulator: not found' >&2\nexit 4\n");
    EXPECT_EXIT(HandOver(dir.path() + "/noeditor:/usr/bin:/bin", COURSE_REPORT_FILE), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadWholeFile(m_record), "course.txt\n");
    EXPECT_EQ(ReadWholeFile("course.txt"), m_report);
}

TEST_F(EditorHandOverDeathTest, EndsWhileXdgOpenStillWaitsOnTheEditor)
{
    // xdg-open stays until the editor it started is closed, and what it
    // says then no longer matters.
    WriteProgram(dir.path() + "/waiting/xdg-open", "#!/bin/sh\nsleep 3\nexit 1\n");
    EXPECT_EXIT(HandOver(dir.path() + "/waiting:/usr/bin:/bin", COURSE_REPORT_FILE), ::testing::ExitedWithCode(0), "^$");
}
