// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/NavDataUpdate.h"

#include <functional>
#include <string>

class wxWindow;

// How an update of the navigation data run from the window ended.
struct NavDataUpdateOutcome {
    bool replaced = false;  // the database file was replaced by the new one
    std::string message;    // what to tell the user: the failure, or "" on success
};

// Runs the update (update/NavDataUpdate.h) on a worker thread under a modal
// progress dialog with a Cancel button; the window stays drawn meanwhile.
// Cancel stops it as Ctrl-C stops meridane-navdb: nothing is changed.
// watch, when given, is called with the progress dialog each time the
// dialog is brought up to date (tests play the user with it).
NavDataUpdateOutcome RunNavDataUpdateWithProgress(wxWindow* parent, const update::UpdateOptions& options,
                                                  const std::function<void(wxWindow&)>& watch = {});

// The options for updating the database at databasePath as meridane-navdb
// --update would: the default address and cache, the shipped nav.dat, the
// snapshot's row counts as the yardstick.
update::UpdateOptions WindowUpdateOptions(const std::string& databasePath);
