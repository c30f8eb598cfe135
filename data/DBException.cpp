#include "DBException.h"

namespace {

// Where to cut text to at most limit bytes without splitting a UTF-8
// character: limit itself, or the start of the character it would split.
std::size_t utf8CutPoint(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    // The last character that starts before the limit lies at most three
    // bytes back; drop it whole if it does not end in time. A text that is
    // no UTF-8 is still cut within three bytes of the limit.
    for (std::size_t back = 1; back <= 4 && back <= limit; ++back) {
        unsigned char byte = static_cast<unsigned char>(text[limit - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? limit - back : limit;
    }
    return limit;
}

}  // namespace

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
        report.resize(utf8CutPoint(report, DB_ERROR_MAX_CHARS));
    return report;
}
