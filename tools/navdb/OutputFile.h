// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include "tools/navdb/SignalCleanup.h"

#include <memory>
#include <string>

namespace navdb {

// The database is written to a temporary file next to the output and only
// renamed over it when complete, so the planner never opens a half-written
// database and a failed import leaves the previous one untouched.
class OutputFile : base::NonCopyable {
public:
    // First removes what earlier imports of this output left behind when
    // they were killed, then creates a temporary file named as TemporaryName.h
    // describes in the output's directory; throws NavdbError when that
    // directory cannot be written.
    explicit OutputFile(std::string path);
    // Removes the temporary file unless commit() succeeded. Until then an
    // interrupting SIGINT, SIGTERM or SIGHUP removes it as well.
    ~OutputFile();

    const std::string& tempPath() const { return m_tempPath; }

    // Flushes the finished temporary file to disk and renames it to the
    // output path. The file must be closed by its writer first.
    void commit();

private:
    std::string m_path;
    std::string m_tempPath;
    std::unique_ptr<RemoveOnSignal> m_removeOnSignal;
    bool m_committed = false;
};

}  // namespace navdb
