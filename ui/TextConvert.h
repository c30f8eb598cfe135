// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/string.h>

#include <string>

// Database texts are bytes, UTF-8 in the navigation database. A text that is
// not valid UTF-8 is shown byte for byte as Latin-1 rather than dropped.
inline wxString ToWx(const std::string& text)
{
    wxString s = wxString::FromUTF8(text.data(), text.size());
    if (s.empty() && !text.empty())
        s = wxString(text.data(), wxConvISO8859_1, text.size());
    return s;
}

inline std::string FromWx(const wxString& text)
{
    return text.utf8_string();
}
