// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DBException.h"

#include "base/Utf8Text.h"

std::string StripOriginTags(const std::string& message)
{
    std::size_t pos = 0;
    while (pos < message.size() && message[pos] == '[') {
        std::size_t close = message.find(']', pos);
        if (close == std::string::npos)
            break;  // an unclosed bracket is part of the text
        pos = close + 1;
        if (pos < message.size() && message[pos] == ' ')
            ++pos;
    }
    return message.substr(pos);
}

std::string FormatDiagnostics(const std::vector<std::string>& messages)
{
    std::string report;
    for (const std::string& message : messages) {
        report += StripOriginTags(message);
        report += '\n';
    }
    if (report.size() > DB_ERROR_MAX_CHARS)
        report.resize(base::utf8CutPoint(report, DB_ERROR_MAX_CHARS));
    return report;
}
