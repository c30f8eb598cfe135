// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <optional>
#include <string>

namespace base {

// Where writing a file failed, and the errno that said why (0 where the
// file was refused before anything was tried). Open and Locked concern the
// file already there, Create the new one beside it; Truncate and Write the
// file written in place or the new one.
struct WriteFailure {
    enum class Step { Refused, Open, Locked, Create, Permissions, Truncate, Write, Rename };
    Step step;
    int error;
};

// The cause of a failure for a message: the system's text for its errno, or
// why the file was refused.
std::string failureCause(const WriteFailure& failure);

// The one form of the message for a file the user named that cannot be
// written, whatever kept it from being written: "The map file route.svg
// cannot be written: No space left on device." kind names the file ("map
// file"); the cause ends the sentence.
std::string cannotWriteText(const std::string& kind, const std::string& path, const std::string& cause);
std::string cannotWriteText(const std::string& kind, const std::string& path, const WriteFailure& failure);

// Writes bytes to a new file beside target (".name" and a random tail, the
// name shortened to stay legal), flushes it to disk and renames it over
// target, so that target holds its earlier contents or the whole new ones,
// never a part. The new file gets `permissions`, or without them the usual
// mode of a created file. A link at target is replaced, not followed. On a
// failure nothing is left beside target and target is as it was. A
// protected file (ProtectedFiles.h) at target is refused.
std::optional<WriteFailure> replaceFileWhole(const std::string& target, const std::string& bytes,
                                             const mode_t* permissions = nullptr);

// The path a chain of symbolic links at path ends at, whether or not a file
// is there; path itself where it is no link (or the chain runs too long).
std::string linkTarget(std::string path);

// What writeFileWhole asks of the file already at the path, beyond the rules
// every file follows.
struct WholeFileRules {
    // The earlier file is opened for writing and an advisory lock (flock) is
    // held on it until the new one has taken its place, so that two writers
    // of one file never cross: an earlier file this user may not write fails
    // (Step::Open), one that another writer holds fails (Step::Locked).
    bool lockEarlierFile = false;
    // A folder that takes no new file (EACCES, EPERM) does not stop a
    // regular file that may itself be written: it is emptied and written in
    // place instead of replaced whole.
    bool inPlaceWhereFolderIsClosed = false;
};

// Writes bytes as the file at path. The one rule for a link at path, for
// every file the program writes: it is followed, and the file it names (or
// would name, for a link to nothing yet) is written; the link stays. A
// regular file, or none yet, is replaced whole (above), keeping the earlier
// file's permissions; what is no regular file (a device, a FIFO) is written
// into as it is, never renamed over, so that /dev/full fails and a FIFO's
// reader gets the bytes. A FIFO nobody reads fails rather than hangs.
std::optional<WriteFailure> writeFileWhole(const std::string& path, const std::string& bytes,
                                           const WholeFileRules& rules = {});

// Writes all of bytes to fd, going on after interruptions; false, with
// errno, when a write fails.
bool writeAllBytes(int fd, const std::string& bytes);

// Flushes the finished file temp to disk, renames it to target and makes
// the rename durable where the file system allows. 0, or the errno of the
// step that failed (temp is left for the caller then).
int commitFile(const std::string& temp, const std::string& target);

}  // namespace base
