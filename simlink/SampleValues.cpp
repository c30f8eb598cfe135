// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/SampleValues.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace simlink {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<double> numberIn(const std::string& text, double lowest, double highest)
{
    const std::string t = trimmed(text);
    if (t.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(value) || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<double> angleOf(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    double a = std::fmod(value, 360.0);
    if (a < 0.0)
        a += 360.0;
    if (a >= 360.0)
        a = 0.0;
    return a;
}

std::optional<double> angleText(const std::string& text)
{
    const std::optional<double> value = numberIn(text, -1e6, 1e6);
    return value ? angleOf(*value) : std::nullopt;
}

std::optional<bool> flagText(const std::string& text)
{
    const std::string t = trimmed(text);
    if (t == "true" || t == "1")
        return true;
    if (t == "false" || t == "0")
        return false;
    return std::nullopt;
}

std::string identText(const std::string& text)
{
    const std::string t = trimmed(text);
    if (t.size() > 8)
        return {};
    for (char c : t)
        if (c < 0x21 || c > 0x7e)
            return {};
    return t;
}

}  // namespace simlink
