// SPDX-License-Identifier: GPL-3.0-or-later
// meridane-navdb --update: the terminal's side of an update of the
// navigation data (update/NavDataUpdate.h does the work).
#include "tools/navdb/CommandLine.h"

#include "base/DataFiles.h"
#include "base/InterruptRequests.h"
#include "tools/common/ProgramOutput.h"
#include "update/NavDataUpdate.h"
#include "update/SourceCheck.h"
#include "update/UpdateError.h"

#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <unistd.h>

namespace navdb {

namespace {

std::string megabytes(std::uint64_t bytes)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(1);
    if (bytes < 100000) {
        text << static_cast<double>(bytes) / 1e3 << " kB";
    } else {
        text << static_cast<double>(bytes) / 1e6 << " MB";
    }
    return text.str();
}

// One line redrawn in place: "[3/6] airports.csv  [#######.......]  2.1 / 7.5 MB".
std::string progressLine(const update::UpdateProgress& progress)
{
    std::ostringstream line;
    if (progress.stage == update::UpdateProgress::Stage::Import) {
        line << "Importing the downloaded files...";
    } else {
        line << '[' << progress.file + 1 << '/' << progress.files << "] " << std::left << std::setw(24)
             << progress.name;
        constexpr int WIDTH = 24;
        const int filled = progress.total > 0
                               ? static_cast<int>(WIDTH * std::min<std::uint64_t>(progress.received, progress.total) /
                                                  progress.total)
                               : 0;
        line << " [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(WIDTH - filled), '.') << "] " << megabytes(progress.received);
        if (progress.total > 0) {
            line << " / " << megabytes(progress.total);
        }
    }
    std::string text = line.str();
    text.resize(79, ' ');
    return text;
}

}  // namespace

int runUpdate(const CommandLine& commandLine, const std::string& program, std::ostream& out, std::ostream& err)
{
    update::UpdateOptions options;
    options.sourceUrl = commandLine.sourceUrl.empty() ? update::defaultSourceUrl() : commandLine.sourceUrl;
    options.output =
        commandLine.options.output.empty() ? update::defaultDatabasePath() : commandLine.options.output;
    options.cacheDir = update::defaultCacheDir();
    options.includeHeliports = commandLine.options.includeHeliports;
    options.force = commandLine.force;
    options.timeoutSeconds = commandLine.timeoutSeconds;
    options.referenceRows = update::snapshotRows();
    options.xplaneNav = commandLine.options.xplaneNav;
    if (options.xplaneNav.empty()) {
        try {
            options.xplaneNav = base::findDataFile("xplane/nav.dat.gz");
        } catch (const std::exception& error) {
            err << program << ": " << tools::messageLine(error) << "; the runways get no ILS frequencies\n";
        }
    }

    // Only a person watching gets the bar; a log gets the report alone.
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    bool drawn = false;
    std::string shown;
    const base::InterruptRequests interruptions;
    const auto progress = [&](const update::UpdateProgress& step) {
        // libcurl reports many times a second; the line changes less often.
        if (terminal) {
            std::string line = progressLine(step);
            if (line != shown) {
                err << '\r' << line << std::flush;
                shown = std::move(line);
                drawn = true;
            }
        }
        return !base::InterruptRequests::requested();
    };
    const auto endBar = [&] {
        if (drawn) {
            err << '\r' << std::string(79, ' ') << '\r' << std::flush;
        }
    };
    try {
        const std::filesystem::path parent = std::filesystem::path(options.output).parent_path();
        if (!parent.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(parent, ignored);
        }
        const update::UpdateResult result = update::updateNavigationData(options, progress);
        endBar();
        for (const update::FetchedFile& file : result.files) {
            out << file.name << ": "
                << (file.downloaded ? "downloaded, " + megabytes(file.bytes) : std::string("unchanged"))
                << ", data of " << file.date << '\n';
        }
        printReport(result.import, !options.xplaneNav.empty(), out, err);
        for (const std::string& note : result.notes) {
            err << program << ": " << note << '\n';
        }
        out << "Navigation database: " << options.output << '\n';
        const std::string note = " (" + options.output + " was written)";
        return tools::outputArrived(out, err, program, note) ? EXIT_OK : EXIT_FAILED;
    } catch (const std::exception& error) {
        endBar();
        err << program << ": " << tools::messageLine(error) << '\n';
        return EXIT_FAILED;
    }
}

}  // namespace navdb
