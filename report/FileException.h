// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A file could not be created or written. what() is the sentence shown to
// the user in a message box, so it is complete and names the file.
class CFileException : public std::runtime_error {
public:
    explicit CFileException(const std::string& message) : std::runtime_error(message) {}
};
