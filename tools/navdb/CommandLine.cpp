// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "NavdbError.h"
#include "tools/common/ProgramOutput.h"

#include <filesystem>
#include <iomanip>
#include <ostream>

namespace navdb {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    enum { kOurairports, kXplaneNav, kOutput, kHeliports, kHelp };
    static const std::vector<tools::OptionDefinition> definitions{{"ourairports", 0, true},
                                                      {"xplane-nav", 0, true},
                                                      {"output", 0, true},
                                                      {"include-heliports", 0, false},
                                                      {"help", 'h', false}};
    CommandLine result;
    bool seen[kHelp] = {};
    const std::vector<std::string> operands =
        tools::parseOptions(args, definitions, [&](std::size_t option, const std::string& value) {
            if (option == kHelp) {
                result.help = true;
                return true;
            }
            if (option == kHeliports) {
                result.options.includeHeliports = true;
                return true;
            }
            const std::string name = std::string("--") + definitions[option].name;
            if (seen[option]) {
                throw UsageError(name + " given more than once");
            }
            seen[option] = true;
            if (value.empty()) {
                throw UsageError(name + " needs a value");
            }
            std::string& target = option == kOurairports ? result.options.ourairportsDir
                                  : option == kXplaneNav ? result.options.xplaneNav
                                                         : result.options.output;
            target = value;
            return true;
        });
    if (!operands.empty()) {
        throw UsageError("unexpected argument " + operands.front());
    }
    if (result.help) {
        return result;
    }
    if (!seen[kOurairports]) {
        throw UsageError("--ourairports DIR is required");
    }
    if (!seen[kOutput]) {
        throw UsageError("--output PATH is required");
    }
    return result;
}

std::string usageText(const std::string& program)
{
    // Laid out as help2man reads it: the manual page is made from this text.
    return "Usage: " + std::filesystem::path(program).filename().string() +
           " --ourairports DIR [--xplane-nav FILE] [--include-heliports] --output PATH\n"
           "Builds the navigation database PATH from the OurAirports CSV files in DIR\n"
           "(airports, runways, navaids, airport-frequencies, countries, regions).\n"
           "An existing PATH is replaced only when the import succeeds.\n"
           "\n"
           "  --ourairports DIR     the directory of the OurAirports CSV files\n"
           "  --xplane-nav FILE     X-Plane nav.dat or nav.dat.gz, for ILS frequencies\n"
           "  --include-heliports   import heliports as well\n"
           "  --output PATH         the database to write\n"
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
        return kExitUsage;
    }
    if (commandLine.help) {
        out << usageText(program);
        return tools::outputArrived(out, err, program) ? kExitOk : kExitFailure;
    }
    try {
        const ImportResult result = importNavigationData(commandLine.options);
        printReport(result, !commandLine.options.xplaneNav.empty(), out, err);
        const std::string note = " (" + commandLine.options.output + " was written)";
        return tools::outputArrived(out, err, program, note) ? kExitOk : kExitFailure;
    } catch (const std::exception& error) {
        err << program << ": " << tools::messageLine(error) << '\n';
        return kExitFailure;
    }
}

}  // namespace navdb
