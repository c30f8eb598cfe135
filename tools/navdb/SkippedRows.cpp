// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/SkippedRows.h"

namespace navdb {

void SkippedRows::add(std::size_t line, const std::string& reason)
{
    ++m_count;
    if (m_reasons.size() < KEPT_REASONS) {
        m_reasons.push_back(m_file + ":" + std::to_string(line) + ": " + reason);
    }
}

void SkippedRows::renameFile(const std::string& file)
{
    for (std::string& reason : m_reasons) {
        if (reason.compare(0, m_file.size(), m_file) == 0) {
            reason.replace(0, m_file.size(), file);
        }
    }
    m_file = file;
}

}  // namespace navdb
