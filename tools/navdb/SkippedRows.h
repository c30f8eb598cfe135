// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace navdb {

// The rows of one input file that could not be imported because they are
// malformed. Only the first few reasons are kept: a systematically broken
// file would otherwise flood the terminal with the same message.
class SkippedRows {
public:
    static constexpr std::size_t KEPT_REASONS = 5;

    explicit SkippedRows(std::string file) : m_file(std::move(file)) {}

    void add(std::size_t line, const std::string& reason);

    const std::string& file() const { return m_file; }
    // Names the file otherwise, in file() and the reasons alike: a
    // downloaded file by its address rather than where it was staged.
    void renameFile(const std::string& file);
    std::size_t count() const { return m_count; }
    // "file:line: reason", in file order.
    const std::vector<std::string>& firstReasons() const { return m_reasons; }

private:
    std::string m_file;
    std::size_t m_count = 0;
    std::vector<std::string> m_reasons;
};

}  // namespace navdb
