#pragma once

#include <string>

namespace navdb {

// The database is written to a temporary file next to the output and only
// renamed over it when complete, so the planner never opens a half-written
// database and a failed import leaves the previous one untouched.
class OutputFile {
public:
    // Creates PATH.tmp-XXXXXX in the output's directory; throws NavdbError
    // when that directory cannot be written.
    explicit OutputFile(std::string path);
    // Removes the temporary file unless commit() succeeded.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& tempPath() const { return m_tempPath; }

    // Flushes the finished temporary file to disk and renames it to the
    // output path. The file must be closed by its writer first.
    void commit();

private:
    std::string m_path;
    std::string m_tempPath;
    bool m_committed = false;
};

}  // namespace navdb
