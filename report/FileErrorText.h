// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The message for a file that could not be created or opened, chosen from
// errno. name is the file name as the caller gave it.
std::string OpenFailureText(int error, const std::string& name);

// The message for a file whose writing or closing failed part way.
std::string DiskFullText(const std::string& name);

// The message for a file another writer holds locked.
std::string SharingViolationText(const std::string& name);

// The message for a file this program must not write: the database it reads.
std::string ProtectedFileText(const std::string& name);
