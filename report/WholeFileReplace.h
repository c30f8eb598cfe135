#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

// Where replacing a file whole failed, and the errno that said why.
struct ReplaceFailure {
    enum class Step { Create, Permissions, Write, Rename };
    Step step;
    int error;
};

// Writes bytes to a new file beside target (".name" and a random tail, the
// name shortened to stay legal), flushes it to disk and renames it over
// target, so that target holds its earlier contents or the whole new ones,
// never a part. The new file gets `permissions`, or without them the usual
// mode of a created file. A link at target is replaced, not followed. On a
// failure nothing is left beside target and target is as it was.
std::optional<ReplaceFailure> ReplaceFileWhole(const std::string& target, const std::string& bytes,
                                               const mode_t* permissions = nullptr);

// Writes all of bytes to fd, going on after interruptions; false, with
// errno, when a write fails.
bool WriteAllBytes(int fd, const std::string& bytes);
