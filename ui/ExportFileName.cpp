// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ExportFileName.h"

std::string ExportFileName(const std::string& path, const flightplan::PlanFormat& chosen,
                           const std::string& suggestedStem)
{
    const flightplan::PlanFormat* named = flightplan::formatForPath(path);
    if (!named)
        return path + chosen.extension;
    if (named == &chosen)
        return path;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (path.compare(nameStart, dot - nameStart, suggestedStem) == 0 && dot - nameStart == suggestedStem.size())
        return path.substr(0, dot) + chosen.extension;
    return path;
}

std::string NameForFilter(const std::string& name, const flightplan::PlanFormat& chosen)
{
    if (name.empty())
        return name;
    if (flightplan::formatForPath(name))
        return name.substr(0, name.rfind('.')) + chosen.extension;
    return name + chosen.extension;
}
