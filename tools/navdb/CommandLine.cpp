#include "CommandLine.h"

#include "NavdbError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <ostream>

namespace navdb {

namespace {

// Splits "--name=value" so both spellings read the same.
struct Argument {
    std::string name;
    std::string value;
    bool hasValue = false;
};

Argument splitArgument(const std::string& text)
{
    const auto equals = text.find('=');
    if (text.compare(0, 2, "--") != 0 || equals == std::string::npos) {
        return {text, {}, false};
    }
    return {text.substr(0, equals), text.substr(equals + 1), true};
}

// A report or usage text that did not arrive (a full disk, a failing device)
// must not let the run count as a success.
bool outputArrived(std::ostream& out, std::ostream& err, const std::string& program, const std::string& note)
{
    errno = 0;
    if (out.flush()) {
        return true;
    }
    err << program << ": cannot write to standard output"
        << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << note << '\n';
    return false;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine result;
    bool sawDirectory = false;
    bool sawNav = false;
    bool sawOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Argument arg = splitArgument(args[i]);
        auto takeValue = [&](bool& seen) {
            if (seen) {
                throw UsageError(arg.name + " given more than once");
            }
            seen = true;
            std::string value;
            if (arg.hasValue) {
                value = arg.value;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError(arg.name + " needs a value");
            }
            if (value.empty()) {
                throw UsageError(arg.name + " needs a value");
            }
            return value;
        };
        if (arg.name == "--ourairports") {
            result.options.ourairportsDir = takeValue(sawDirectory);
        } else if (arg.name == "--xplane-nav") {
            result.options.xplaneNav = takeValue(sawNav);
        } else if (arg.name == "--output") {
            result.options.output = takeValue(sawOutput);
        } else if (arg.name == "--include-heliports" && !arg.hasValue) {
            result.options.includeHeliports = true;
        } else if ((arg.name == "--help" || arg.name == "-h") && !arg.hasValue) {
            result.help = true;
        } else {
            throw UsageError("unknown option " + args[i]);
        }
    }
    if (result.help) {
        return result;
    }
    if (!sawDirectory) {
        throw UsageError("--ourairports DIR is required");
    }
    if (!sawOutput) {
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
        return outputArrived(out, err, program, "") ? kExitOk : kExitFailure;
    }
    try {
        const ImportResult result = importNavigationData(commandLine.options);
        printReport(result, !commandLine.options.xplaneNav.empty(), out, err);
        const std::string note = " (" + commandLine.options.output + " was written)";
        return outputArrived(out, err, program, note) ? kExitOk : kExitFailure;
    } catch (const std::exception& error) {
        err << program << ": " << error.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace navdb
