// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"

#include "base/ProtectedFiles.h"
#include "base/WholeFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

class WholeFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_dir.path() + "/" + name; }

    static std::string contents(const std::string& file) { return ReadWholeFile(file); }
    static void put(const std::string& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    static mode_t typeOf(const std::string& file, bool followLinks)
    {
        struct stat info {};
        (followLinks ? ::stat : ::lstat)(file.c_str(), &info);
        return info.st_mode & S_IFMT;
    }

    ScratchDirectory m_dir;
};

}  // namespace

TEST_F(WholeFileTest, WhatIsThereDecidesBetweenReplacingAndWritingInPlace)
{
    put(path("plan.fms"), "old");
    ASSERT_EQ(::symlink("/dev/full", path("full.png").c_str()), 0);
    ASSERT_EQ(::symlink("/dev/null", path("null.svg").c_str()), 0);
    ASSERT_EQ(::mkfifo(path("pipe.svg").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("nowhere.gpx", path("dangling.gpx").c_str()), 0);

    struct Case {
        const char* name;
        bool written;
        int error;             // errno of a failure
        mode_t afterwards;     // the type of what is at the name then (links not followed)
    } cases[] = {
        {"plan.fms", true, 0, S_IFREG},
        {"new.fgfp", true, 0, S_IFREG},
        {"null.svg", true, 0, S_IFLNK},      // a device is written into, its link kept
        {"full.png", false, ENOSPC, S_IFLNK},
        {"pipe.svg", false, ENXIO, S_IFIFO},  // nobody reads: fails at once, not renamed over
        {"dangling.gpx", true, 0, S_IFLNK},   // a link to nothing is followed: its target is made
    };
    for (const Case& c : cases) {
        const std::optional<base::WriteFailure> failure = base::writeFileWhole(path(c.name), "new bytes");
        EXPECT_EQ(!failure, c.written) << c.name;
        if (failure) {
            EXPECT_EQ(failure->error, c.error) << c.name;
        }
        EXPECT_EQ(typeOf(path(c.name), false), c.afterwards) << c.name;
    }
    EXPECT_EQ(contents(path("plan.fms")), "new bytes");
    EXPECT_EQ(contents(path("nowhere.gpx")), "new bytes");
}

// A link is followed however it is written (relative, absolute, in a
// chain): the file it names gets the bytes with its permissions kept, and
// the link stays, as course.txt has always been written.
TEST_F(WholeFileTest, ALinkIsFollowedAndStays)
{
    ASSERT_EQ(::mkdir(path("plans").c_str(), 0700), 0);
    put(path("plans/trip.fms"), "old");
    ASSERT_EQ(::chmod(path("plans/trip.fms").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("plans/trip.fms", path("relative.fms").c_str()), 0);
    ASSERT_EQ(::symlink(path("plans/trip.fms").c_str(), path("absolute.fms").c_str()), 0);
    ASSERT_EQ(::symlink("relative.fms", path("chain.fms").c_str()), 0);
    for (const char* name : {"relative.fms", "absolute.fms", "chain.fms"}) {
        ASSERT_FALSE(base::writeFileWhole(path(name), name)) << name;
        EXPECT_EQ(contents(path("plans/trip.fms")), name);
        EXPECT_EQ(typeOf(path(name), false), S_IFLNK) << name;
        struct stat info {};
        ASSERT_EQ(::stat(path("plans/trip.fms").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u) << name;
    }
    EXPECT_EQ(base::linkTarget(path("chain.fms")), path("plans/trip.fms"));
    EXPECT_EQ(base::linkTarget(path("plans/trip.fms")), path("plans/trip.fms"));
}

TEST_F(WholeFileTest, AFifoWithAReaderGetsTheBytes)
{
    ASSERT_EQ(::mkfifo(path("pipe.svg").c_str(), 0600), 0);
    // The reader must be there before the writer opens; a child process reads.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ifstream in(path("pipe.svg"), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::_Exit(text.str() == "<svg/>" ? 0 : 1);
    }
    std::optional<base::WriteFailure> failure;
    for (int attempt = 0; attempt < 200; ++attempt) {
        failure = base::writeFileWhole(path("pipe.svg"), "<svg/>");
        if (!failure || failure->error != ENXIO)
            break;
        ::usleep(10000);
    }
    EXPECT_FALSE(failure);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(typeOf(path("pipe.svg"), false), S_IFIFO);
}

TEST_F(WholeFileTest, TheOpenDatabaseIsRefusedUnderEveryName)
{
    put(path("VORS.MDB"), "database");
    const base::ProtectedFile database(path("VORS.MDB"));
    ASSERT_EQ(::symlink("VORS.MDB", path("course.txt").c_str()), 0);
    ASSERT_EQ(::link(path("VORS.MDB").c_str(), path("hard.fms").c_str()), 0);

    for (const char* name : {"VORS.MDB", "course.txt", "hard.fms"}) {
        for (const auto& write : {std::function<std::optional<base::WriteFailure>(const std::string&)>(
                                      [](const std::string& p) { return base::writeFileWhole(p, "x"); }),
                                  std::function<std::optional<base::WriteFailure>(const std::string&)>(
                                      [](const std::string& p) { return base::replaceFileWhole(p, "x"); })}) {
            const std::optional<base::WriteFailure> failure = write(path(name));
            ASSERT_TRUE(failure) << name;
            EXPECT_EQ(failure->step, base::WriteFailure::Step::Refused) << name;
            EXPECT_EQ(base::failureCause(*failure), base::protectedFileCause());
        }
    }
    EXPECT_EQ(contents(path("VORS.MDB")), "database");
    EXPECT_EQ(typeOf(path("course.txt"), false), S_IFLNK);
    // Another file beside it is written as ever.
    EXPECT_FALSE(base::writeFileWhole(path("other.fms"), "x"));
}

// Asked to lock the earlier file, the writer tells the file another writer
// holds, or a FIFO nobody reads, from one it may write, and takes the lock
// through a link; a file not there yet needs no lock.
TEST_F(WholeFileTest, ALockedEarlierFileIsLeftAsItWas)
{
    put(path("course.txt"), "earlier");
    ASSERT_EQ(::symlink("course.txt", path("link.txt").c_str()), 0);
    ASSERT_EQ(::mkfifo(path("pipe.txt").c_str(), 0600), 0);
    const base::WholeFileRules locking{true, false};
    {
        const int holder = ::open(path("course.txt").c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
        for (const char* name : {"course.txt", "link.txt"}) {
            const std::optional<base::WriteFailure> failure = base::writeFileWhole(path(name), "new", locking);
            ASSERT_TRUE(failure) << name;
            EXPECT_EQ(failure->step, base::WriteFailure::Step::Locked) << name;
            EXPECT_EQ(contents(path("course.txt")), "earlier") << name;
        }
        // Without the rule nobody asks for the lock.
        EXPECT_FALSE(base::writeFileWhole(path("course.txt"), "unlocked"));
        ::close(holder);
    }
    EXPECT_FALSE(base::writeFileWhole(path("link.txt"), "new", locking));
    EXPECT_EQ(contents(path("course.txt")), "new");
    EXPECT_EQ(typeOf(path("link.txt"), false), S_IFLNK);
    EXPECT_FALSE(base::writeFileWhole(path("fresh.txt"), "fresh", locking));
    EXPECT_EQ(contents(path("fresh.txt")), "fresh");
    const std::optional<base::WriteFailure> fifo = base::writeFileWhole(path("pipe.txt"), "x", locking);
    ASSERT_TRUE(fifo);
    EXPECT_EQ(fifo->step, base::WriteFailure::Step::Open);
    EXPECT_EQ(fifo->error, ENXIO);
}

// The temporary file beside the target is named after it, shortened so
// that its name stays within the 255 bytes a file name may have: names at
// and near that limit, in ASCII and in two-byte characters, are written
// whole, and nothing is left beside them.
TEST_F(WholeFileTest, NamesUpToTheLongestAreWritten)
{
    for (std::size_t length = 240; length <= 255; ++length) {
        for (const bool twoByte : {false, true}) {
            std::string name;
            while (name.size() + (twoByte ? 2 : 1) <= length)
                name += twoByte ? "\xc3\xa9" : "n";
            name.append(length - name.size(), 'x');
            ASSERT_EQ(name.size(), length);
            ASSERT_FALSE(base::writeFileWhole(path(name), "first")) << length;
            const std::optional<base::WriteFailure> failure = base::writeFileWhole(path(name), "second");
            EXPECT_FALSE(failure) << length << ": " << (failure ? base::failureCause(*failure) : "");
            EXPECT_EQ(contents(path(name)), "second") << length;
            ASSERT_EQ(::unlink(path(name).c_str()), 0) << length;
            EXPECT_EQ(::rmdir(m_dir.path().c_str()), 0) << length << ": something was left beside the file";
            ASSERT_EQ(::mkdir(m_dir.path().c_str(), 0700), 0);
        }
    }
}

// One sentence for every file that cannot be written, whether the system
// said why or the program did.
TEST(CannotWriteText, OneFormForEveryCause)
{
    EXPECT_EQ(base::cannotWriteText("map file", "route.svg", base::WriteFailure{base::WriteFailure::Step::Write, ENOSPC}),
              "The map file route.svg cannot be written: No space left on device.");
    EXPECT_EQ(base::cannotWriteText("flight plan file", "plan.fms", "the disk is gone"),
              "The flight plan file plan.fms cannot be written: the disk is gone.");
    EXPECT_EQ(base::cannotWriteText("flight plan file", "navlog.pdf", "The navlog could not be drawn."),
              "The flight plan file navlog.pdf cannot be written: The navlog could not be drawn.");
    EXPECT_EQ(base::cannotWriteText("map file", "VORS.MDB", base::WriteFailure{base::WriteFailure::Step::Refused, 0}),
              std::string("The map file VORS.MDB cannot be written: ") + base::protectedFileCause() + ".");
}
