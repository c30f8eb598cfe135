// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Every failure of the database layer: the connection, a rejected SQL text,
// a time-out, a read the record set cannot satisfy. what() is the text shown
// to the user.
class CDBException : public std::runtime_error {
public:
    explicit CDBException(const std::string& strError, std::string strState = {})
        : std::runtime_error(strError), m_strError(strError), m_strState(std::move(strState)) {}

    std::string m_strError;  // the report text
    std::string m_strState;  // SQLSTATE of the first diagnostic, empty for our own errors
};

// The longest report text; longer ones are cut.
inline constexpr std::size_t DB_ERROR_MAX_CHARS = 510;

// Joins the data source's diagnostic messages into one report: each message
// loses its leading origin tags ("[unixODBC][Driver Manager]") and the blank
// after each, and ends with a line break; the whole is cut to 510 bytes at
// most, never inside a UTF-8 character.
std::string FormatDiagnostics(const std::vector<std::string>& messages);

// One message without its leading "[...]" origin tags.
std::string StripOriginTags(const std::string& message);
