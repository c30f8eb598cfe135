// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NavDataUpdateRun.h"

#include "ui/TextConvert.h"
#include "base/DataFiles.h"
#include "update/SourceCheck.h"
#include "update/UpdateError.h"

#include <wx/progdlg.h>
#include <wx/utils.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// What the worker last reported, read by the window's thread.
struct WorkerState {
    std::mutex mutex;
    update::UpdateProgress step;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    NavDataUpdateOutcome outcome;
};

std::string StepText(const update::UpdateProgress& step)
{
    if (step.stage == update::UpdateProgress::Stage::Import)
        return "Importing the downloaded files...";
    std::string text = "Downloading " + step.name + " (" + std::to_string(step.file + 1) + " of " +
                       std::to_string(step.files) + ")";
    if (step.received > 0)
        text += ", " + std::to_string(step.received / 1000) + " kB";
    return text;
}

// 0..1000: each file a sixth of the first nine tenths, the import the rest.
int StepValue(const update::UpdateProgress& step)
{
    if (step.stage == update::UpdateProgress::Stage::Import || step.files == 0)
        return 900;
    double part = step.total > 0 ? static_cast<double>(step.received) / static_cast<double>(step.total) : 0.0;
    part = std::min(part, 1.0);
    return static_cast<int>(900.0 * (static_cast<double>(step.file) + part) / static_cast<double>(step.files));
}

}  // namespace

update::UpdateOptions WindowUpdateOptions(const std::string& databasePath)
{
    update::UpdateOptions options;
    options.sourceUrl = update::defaultSourceUrl();
    options.output = databasePath;
    options.cacheDir = update::defaultCacheDir();
    options.referenceRows = update::snapshotRows();
    try {
        options.xplaneNav = base::findDataFile("xplane/nav.dat.gz");
    } catch (const std::exception&) {
        // Without it the runways lose their ILS frequencies; the update says
        // so in the data line afterwards ("no ILS frequencies").
    }
    return options;
}

NavDataUpdateOutcome RunNavDataUpdateWithProgress(wxWindow* parent, const update::UpdateOptions& options,
                                                  const std::function<void(wxWindow&)>& watch)
{
    WorkerState state;
    std::thread worker([&] {
        NavDataUpdateOutcome outcome;
        try {
            update::updateNavigationData(options, [&](const update::UpdateProgress& step) {
                std::lock_guard<std::mutex> lock(state.mutex);
                state.step = step;
                return !state.cancel.load();
            });
            outcome.replaced = true;
        } catch (const std::exception& error) {
            outcome.message = error.what();
        }
        std::lock_guard<std::mutex> lock(state.mutex);
        state.outcome = outcome;
        state.done = true;
    });

    {
        wxProgressDialog progress("Update Navigation Data", "Connecting...", 1000, parent,
                                  wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_ELAPSED_TIME);
        while (!state.done) {
            update::UpdateProgress step;
            {
                std::lock_guard<std::mutex> lock(state.mutex);
                step = state.step;
            }
            const std::string text = state.cancel ? std::string("Cancelling...") : StepText(step);
            if (!progress.Update(StepValue(step), ToWx(text)))
                state.cancel = true;
            if (watch)
                watch(progress);
            wxMilliSleep(50);
        }
    }
    worker.join();
    return state.outcome;
}
