// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/CourseReport.h"

#include "report/FileErrorText.h"
#include "report/FileException.h"
#include "tests/support/FixtureDb.h"
#include "tests/report/SamplePlans.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The text of the CFileException that writing the report throws, or
// "no exception".
std::string FailureText(const CoursePlan& plan, const std::string& path = COURSE_REPORT_FILE)
{
    try {
        WriteCourseReport(plan, path);
    } catch (const CFileException& e) {
        return e.what();
    }
    return "no exception";
}

// Another open file description holding the exclusive lock, as a second copy
// of the program writing the report would.
class ForeignLock {
public:
    explicit ForeignLock(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ForeignLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;
    bool Take() { return m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0; }

private:
    int m_fd;
};

// The names in a folder, sorted.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CourseReportFile : public ::testing::Test {
protected:
    ScratchDirectory dir;
};

}  // namespace

TEST_F(CourseReportFile, WritesTheReportToCourseTxtInTheWorkingDirectory)
{
    WriteCourseReport(ThreeRunwaysAgainstOnePlan());
    EXPECT_EQ(ReadWholeFile(dir.path() + "/course.txt"), Golden("three_runways_against_one"));
}

TEST_F(CourseReportFile, ReplacesALongerEarlierReport)
{
    WriteText("course.txt", std::string(10000, 'x') + "\r\n");
    WriteCourseReport(AccentedNamesPlan());
    EXPECT_EQ(ReadWholeFile("course.txt"), Golden("accented_names"));
}

TEST_F(CourseReportFile, ReleasesTheFileOnReturn)
{
    WriteCourseReport(NoRunwaysNoRoutePlan());
    ForeignLock other("course.txt");
    EXPECT_TRUE(other.Take());
}

TEST_F(CourseReportFile, WritesToTheGivenPath)
{
    std::filesystem::create_directory("plans");
    WriteCourseReport(NoRunwaysAgainstTwoPlan(), "plans/kennedy.txt");
    EXPECT_EQ(ReadWholeFile("plans/kennedy.txt"), Golden("no_runways_against_two"));
    EXPECT_FALSE(std::filesystem::exists("course.txt"));
}

TEST_F(CourseReportFile, ReadOnlyDirectoryIsDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    std::filesystem::create_directory("locked");
    std::filesystem::permissions("locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(FailureText(NoRunwaysNoRoutePlan(), "locked/course.txt"), "Access to locked/course.txt was denied.");
    EXPECT_FALSE(std::filesystem::exists("locked/course.txt"));
}

TEST_F(CourseReportFile, DirectoryInThePlaceOfTheFile)
{
    std::filesystem::create_directory("course.txt");
    EXPECT_EQ(FailureText(NoRunwaysNoRoutePlan()), "An error occurred while accessing course.txt: Is a directory.");
    EXPECT_TRUE(std::filesystem::is_empty("course.txt"));
}

TEST_F(CourseReportFile, MissingFolderInThePath)
{
    EXPECT_EQ(FailureText(NoRunwaysNoRoutePlan(), "nowhere/course.txt"),
              "All or part of the path nowhere/course.txt is invalid.");
}

TEST_F(CourseReportFile, FullDiskNamesTheFullPath)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::filesystem::create_symlink("/dev/full", "course.txt");
    EXPECT_EQ(FailureText(ThreeRunwaysAgainstOnePlan()), "Disk full while accessing " + dir.path() + "/course.txt.");
    EXPECT_TRUE(std::filesystem::is_symlink("course.txt"));
    EXPECT_EQ(Entries("."), std::vector<std::string>{"course.txt"});
}

// A write that runs out of space, in a child whose file-size limit stands in
// for a full disk.
TEST_F(CourseReportFile, FullDiskLeavesTheEarlierReportByteForByteAndNothingBeside)
{
    const std::string old = Golden("no_runways_no_route");
    ASSERT_GT(Golden("three_runways_against_one").size(), 1024u);
    std::filesystem::create_directory("reports");
    WriteText("reports/plan.txt", old);
    WriteText("course.txt", old);
    std::filesystem::create_symlink("reports/plan.txt", "linked.txt");
    for (const std::string name : {"course.txt", "linked.txt"}) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            struct rlimit limit {1024, 1024};
            std::signal(SIGXFSZ, SIG_IGN);
            bool asExpected = setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                              FailureText(ThreeRunwaysAgainstOnePlan(), name) == DiskFullText(name);
            _exit(asExpected ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << ": no disk-full error";
    }
    EXPECT_EQ(ReadWholeFile("course.txt"), old);
    EXPECT_EQ(ReadWholeFile("reports/plan.txt"), old);
    EXPECT_EQ(Entries("."), (std::vector<std::string>{"course.txt", "linked.txt", "reports"}));
    EXPECT_EQ(Entries("reports"), std::vector<std::string>{"plan.txt"});
}

TEST_F(CourseReportFile, ALinkKeepsPointingAtTheReplacedFileWhichKeepsItsPermissions)
{
    std::filesystem::create_directory("reports");
    WriteText("reports/plan.txt", "old");
    ASSERT_EQ(chmod("reports/plan.txt", 0640), 0);
    std::filesystem::create_symlink("reports/plan.txt", "course.txt");
    WriteCourseReport(NoRunwaysNoRoutePlan());
    EXPECT_TRUE(std::filesystem::is_symlink("course.txt"));
    EXPECT_EQ(ReadWholeFile("reports/plan.txt"), Golden("no_runways_no_route"));
    struct stat info {};
    ASSERT_EQ(stat("reports/plan.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries("reports"), std::vector<std::string>{"plan.txt"});
}

TEST_F(CourseReportFile, AWritableReportInAFolderThatTakesNoNewFileIsStillReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    std::filesystem::create_directory("locked");
    WriteText("locked/course.txt", std::string(5000, 'x'));
    std::filesystem::permissions("locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    WriteCourseReport(NoRunwaysNoRoutePlan(), "locked/course.txt");
    EXPECT_EQ(ReadWholeFile("locked/course.txt"), Golden("no_runways_no_route"));
}

TEST_F(CourseReportFile, LockedByAnotherWriterLeavesTheOldReport)
{
    const std::string old = Golden("no_runways_no_route");
    WriteText("course.txt", old);
    ForeignLock other("course.txt");
    ASSERT_TRUE(other.Take());

    EXPECT_EQ(FailureText(ThreeRunwaysAgainstOnePlan()), "A sharing violation occurred while accessing course.txt.");
    EXPECT_EQ(ReadWholeFile("course.txt"), old);
}

TEST_F(CourseReportFile, WritesOnceTheOtherWriterHasFinished)
{
    WriteText("course.txt", "old");
    {
        ForeignLock other("course.txt");
        ASSERT_TRUE(other.Take());
        EXPECT_THROW(WriteCourseReport(NoRunwaysNoRoutePlan()), CFileException);
    }
    WriteCourseReport(NoRunwaysNoRoutePlan());
    EXPECT_EQ(ReadWholeFile("course.txt"), Golden("no_runways_no_route"));
}

TEST(FileErrorText, NamesTheFileAsGivenAndTheCause)
{
    const std::pair<int, const char*> cases[] = {
        {EACCES, "Access to course.txt was denied."},
        {EPERM, "Access to course.txt was denied."},
        {EROFS, "Access to course.txt was denied."},
        {EWOULDBLOCK, "A sharing violation occurred while accessing course.txt."},
        {EMFILE, "Too many open files while accessing course.txt."},
        {EIO, "An error occurred while accessing course.txt: Input/output error."},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(OpenFailureText(error, "course.txt"), text) << error;
    EXPECT_EQ(OpenFailureText(ENOTDIR, "a/course.txt"), "All or part of the path a/course.txt is invalid.");
}

TEST(FileErrorText, DiskFullGivesTheAbsolutePath)
{
    ScratchDirectory dir;
    EXPECT_EQ(DiskFullText("course.txt"), "Disk full while accessing " + dir.path() + "/course.txt.");
    EXPECT_EQ(DiskFullText("./plans/../course.txt"), "Disk full while accessing " + dir.path() + "/course.txt.");
    EXPECT_EQ(DiskFullText("/mnt/usb/course.txt"), "Disk full while accessing /mnt/usb/course.txt.");
    EXPECT_EQ(OpenFailureText(ENOSPC, "course.txt"), DiskFullText("course.txt"));
}
