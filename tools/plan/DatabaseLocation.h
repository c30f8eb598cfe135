// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Where the planner finds its navigation database. Run in any directory it
// works on the database the desktop program and the importer left for the
// user: VORS.MDB in the current directory, else the user's own copy in
// ${XDG_DATA_HOME:-~/.local/share}/meridane (where the desktop launcher
// keeps it), else the one installed beside the program in
// share/meridane. The desktop program itself keeps to its working directory.
struct DatabaseLocation {
    // The file chosen, "" when none of the places holds one. The first
    // place is given as the bare file name, so that messages say "in" the
    // current directory as they always have.
    std::string path;
    // Every place looked at, in order, as full paths: for the message when
    // none holds a database.
    std::vector<std::string> tried;
};

DatabaseLocation FindPlannerDatabase();

// The program's connection string naming `path` as its database file.
// Throws std::runtime_error for a path the connection text cannot carry.
std::string ConnectStringFor(const std::string& path);
