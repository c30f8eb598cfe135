// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/CommandLine.h"

#include "tools/navdb/NavdbError.h"
#include "tools/common/ProgramOutput.h"

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <ostream>

namespace navdb {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    enum { OURAIRPORTS, XPLANE_NAV, OUTPUT, SOURCE_URL, TIMEOUT, HELIPORTS, UPDATE, FORCE, HELP };
    static const std::vector<tools::OptionDefinition> definitions{{"ourairports", 0, true},
                                                      {"xplane-nav", 0, true},
                                                      {"output", 0, true},
                                                      {"source-url", 0, true},
                                                      {"timeout", 0, true},
                                                      {"include-heliports", 0, false},
                                                      {"update", 0, false},
                                                      {"force", 0, false},
                                                      {"help", 'h', false}};
    CommandLine result;
    bool seen[HELP] = {};
    std::string timeout;
    const std::vector<std::string> operands =
        tools::parseOptions(args, definitions, [&](std::size_t option, const std::string& value) {
            if (option == HELP) {
                result.help = true;
                return true;
            }
            seen[option] = true;
            if (option == HELIPORTS) {
                result.options.includeHeliports = true;
                return true;
            }
            if (option == UPDATE || option == FORCE) {
                (option == UPDATE ? result.update : result.force) = true;
                return true;
            }
            const std::string name = std::string("--") + definitions[option].name;
            if (value.empty()) {
                throw UsageError(name + " needs a value");
            }
            std::string& target = option == OURAIRPORTS ? result.options.ourairportsDir
                                  : option == XPLANE_NAV ? result.options.xplaneNav
                                  : option == SOURCE_URL ? result.sourceUrl
                                  : option == TIMEOUT   ? timeout
                                                         : result.options.output;
            if (!target.empty()) {
                throw UsageError(name + " given more than once");
            }
            target = value;
            return true;
        });
    if (!operands.empty()) {
        throw UsageError("unexpected argument " + operands.front());
    }
    if (result.help) {
        return result;
    }
    if (result.update) {
        if (seen[OURAIRPORTS]) {
            throw UsageError("--ourairports and --update exclude each other: --update downloads the files");
        }
    } else {
        for (const int option : {SOURCE_URL, TIMEOUT, FORCE}) {
            if (seen[option]) {
                throw UsageError(std::string("--") + definitions[option].name + " is only for --update");
            }
        }
        if (!seen[OURAIRPORTS]) {
            throw UsageError("--ourairports DIR is required");
        }
        if (!seen[OUTPUT]) {
            throw UsageError("--output PATH is required");
        }
    }
    if (seen[TIMEOUT]) {
        char* end = nullptr;
        const long seconds = std::strtol(timeout.c_str(), &end, 10);
        if (end == timeout.c_str() || *end != '\0' || seconds < 1 || seconds > 3600) {
            throw UsageError("--timeout takes whole seconds from 1 to 3600, not " + timeout);
        }
        result.timeoutSeconds = seconds;
    }
    return result;
}

std::string usageText(const std::string& program)
{
    // Laid out as help2man reads it: the manual page is made from this text.
    return "Usage: " + std::filesystem::path(program).filename().string() +
           " --ourairports DIR [--xplane-nav FILE] [--include-heliports] --output PATH\n"
           "  or:  " + std::filesystem::path(program).filename().string() +
           " --update [--source-url URL] [--force] [--timeout SECONDS] [--output PATH]\n"
           "Builds the navigation database PATH from the OurAirports CSV files in DIR\n"
           "(airports, runways, navaids, airport-frequencies, countries, regions;\n"
           "each plain or gzip-compressed, as FILE.csv.gz).\n"
           "With --update, first downloads the current files from the OurAirports data\n"
           "site (only those that changed since the last update, which are kept in\n"
           "${XDG_CACHE_HOME:-~/.cache}/meridane) and checks them; PATH defaults to\n"
           "${XDG_DATA_HOME:-~/.local/share}/meridane/VORS.MDB and nav.dat to the\n"
           "one installed with the program.\n"
           "An existing PATH is replaced only when everything succeeded.\n"
           "\n"
           "  --ourairports DIR     the directory of the OurAirports CSV files\n"
           "  --xplane-nav FILE     X-Plane nav.dat or nav.dat.gz, for ILS frequencies\n"
           "  --include-heliports   import heliports as well\n"
           "  --output PATH         the database to write\n"
           "  --update              download the OurAirports files first\n"
           "  --source-url URL      where to download them from (a mirror); also\n"
           "                        $MERIDANE_OURAIRPORTS_URL. Default:\n"
           "                        https://davidmegginson.github.io/ourairports-data/\n"
           "  --force               take a file with under half the rows expected\n"
           "  --timeout SECONDS     give up on a server silent this long (default 30)\n"
           "  -h, --help            print this text\n";
}

void printReport(const ImportResult& result, bool withIls, std::ostream& out, std::ostream& err)
{
    out << "Regions: " << result.rows.regions << '\n'
        << "countries: " << result.rows.countries << '\n'
        << "airports: " << result.rows.airports << '\n'
        << "runways: " << result.rows.runways << '\n'
        << "navs: " << result.rows.navs << '\n';
    if (withIls) {
        out << "runway ends with ILS: " << result.runwayEndsWithIls << '\n';
    }
    for (const auto& skipped : result.skipped) {
        if (skipped.count() == 0) {
            continue;
        }
        err << skipped.file() << ": skipped " << skipped.count() << " malformed row"
            << (skipped.count() == 1 ? "" : "s") << '\n';
        for (const auto& reason : skipped.firstReasons()) {
            err << "  " << reason << '\n';
        }
        if (skipped.count() > skipped.firstReasons().size()) {
            err << "  ...\n";
        }
    }
    out << "imported in " << std::fixed << std::setprecision(2) << result.seconds << " s\n";
}

int runNavdb(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    const std::string program = argc > 0 ? argv[0] : "meridane-navdb";
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    } catch (const UsageError& error) {
        err << program << ": " << error.what() << '\n' << usageText(program);
        return EXIT_USAGE;
    }
    if (commandLine.help) {
        out << usageText(program);
        return tools::outputArrived(out, err, program) ? EXIT_OK : EXIT_FAILED;
    }
    if (commandLine.update) {
        return runUpdate(commandLine, program, out, err);
    }
    try {
        const ImportResult result = importNavigationData(commandLine.options);
        printReport(result, !commandLine.options.xplaneNav.empty(), out, err);
        const std::string note = " (" + commandLine.options.output + " was written)";
        return tools::outputArrived(out, err, program, note) ? EXIT_OK : EXIT_FAILED;
    } catch (const std::exception& error) {
        err << program << ": " << tools::messageLine(error) << '\n';
        return EXIT_FAILED;
    }
}

}  // namespace navdb
