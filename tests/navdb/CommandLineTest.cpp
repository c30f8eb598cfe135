// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/CommandLine.h"
#include "tools/navdb/NavdbError.h"
#include "tests/navdb/NavdbTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using navdb::parseCommandLine;
using navdb::UsageError;

namespace {

struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the program with its standard output collected, or sent to failingOut.
ProgramRun run(std::vector<std::string> args, std::ostream* failingOut = nullptr)
{
    args.insert(args.begin(), "meridane-navdb");
    std::vector<const char*> argv;
    for (const auto& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        navdb::runNavdb(static_cast<int>(argv.size()), argv.data(), failingOut ? *failingOut : out, err);
    return {status, out.str(), err.str()};
}

std::string usageMessage(const std::vector<std::string>& args)
{
    try {
        parseCommandLine(args);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

TEST(CommandLine, UpdateTakesItsOwnOptionsAndNeedsNoSourceOrOutput)
{
    const auto bare = parseCommandLine({"--update"});
    EXPECT_TRUE(bare.update);
    EXPECT_TRUE(bare.options.output.empty());
    EXPECT_TRUE(bare.sourceUrl.empty());
    EXPECT_FALSE(bare.force);
    EXPECT_EQ(bare.timeoutSeconds, 30);

    const auto full = parseCommandLine({"--update", "--source-url=http://mirror.example/oa/", "--force",
                                        "--timeout", "5", "--output", "x.MDB"});
    EXPECT_EQ(full.sourceUrl, "http://mirror.example/oa/");
    EXPECT_TRUE(full.force);
    EXPECT_EQ(full.timeoutSeconds, 5);
    EXPECT_EQ(full.options.output, "x.MDB");

    EXPECT_NE(usageMessage({"--update", "--ourairports", "d"}).find("exclude each other"), std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output", "x", "--force"}).find("--force is only for --update"),
              std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output", "x", "--source-url", "u"}).find("only for --update"),
              std::string::npos);
    for (const char* seconds : {"0", "3601", "ten", "5s", "-1"}) {
        EXPECT_NE(usageMessage({"--update", "--timeout", seconds}).find("--timeout takes whole seconds"),
                  std::string::npos)
            << seconds;
    }
    EXPECT_EQ(usageMessage({"--update", "--timeout", "3600"}), "accepted");
    EXPECT_NE(usageMessage({"--update", "--source-url", "a", "--source-url", "b"}).find("more than once"),
              std::string::npos);
}

TEST(CommandLine, OptionsWithSeparateOrAttachedValues)
{
    const auto line = parseCommandLine(
        {"--output=out.db", "--include-heliports", "--ourairports", "dir", "--xplane-nav", "nav.dat.gz"});
    EXPECT_EQ(line.options.ourairportsDir, "dir");
    EXPECT_EQ(line.options.xplaneNav, "nav.dat.gz");
    EXPECT_EQ(line.options.output, "out.db");
    EXPECT_TRUE(line.options.includeHeliports);

    const auto minimal = parseCommandLine({"--ourairports", "dir", "--output", "out.db"});
    EXPECT_TRUE(minimal.options.xplaneNav.empty());
    EXPECT_FALSE(minimal.options.includeHeliports);
}

TEST(CommandLine, WrongCommandLinesNameTheOption)
{
    EXPECT_NE(usageMessage({"--output", "x"}).find("--ourairports"), std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d"}).find("--output"), std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output"}).find("--output needs a value"), std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports=", "--output", "x"}).find("--ourairports"), std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output", "x", "--heliports"}).find("--heliports"),
              std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output", "x", "--output", "y"}).find("more than once"),
              std::string::npos);
    EXPECT_NE(usageMessage({"--ourairports", "d", "--output", "x", "--include-heliports=no"})
                  .find("--include-heliports=no"),
              std::string::npos);
}

TEST(CommandLine, ExitStatusTellsUsageErrorsFromFailedImports)
{
    const ProgramRun usage = run({"--ourairports", "dir"});
    EXPECT_EQ(usage.status, navdb::EXIT_USAGE);
    EXPECT_NE(usage.err.find("Usage:"), std::string::npos);

    const ProgramRun help = run({"--help"});
    EXPECT_EQ(help.status, navdb::EXIT_OK);
    EXPECT_NE(help.out.find("--xplane-nav"), std::string::npos);

    navdb::test::TempDir dir;
    const ProgramRun missing = run({"--ourairports", dir.file("nowhere"), "--output", dir.file("VORS.MDB")});
    EXPECT_EQ(missing.status, navdb::EXIT_FAILED);
    EXPECT_NE(missing.err.find(dir.file("nowhere")), std::string::npos) << missing.err;
}

TEST(CommandLine, SuccessReportsCountsAndSkippedRows)
{
    navdb::test::TempDir dir;
    const ProgramRun ok = run({"--ourairports", navdb::test::fixtureDir("world"), "--xplane-nav",
                        navdb::test::fixtureDir("world") + "/nav.dat", "--output", dir.file("VORS.MDB")});
    EXPECT_EQ(ok.status, navdb::EXIT_OK) << ok.err;
    for (const char* line : {"airports: 6\n", "runways: 13\n", "navs: 10\n", "countries: 4\n", "Regions: 4\n",
                             "runway ends with ILS: 5\n", "imported in "}) {
        EXPECT_NE(ok.out.find(line), std::string::npos) << line << " in\n" << ok.out;
    }
    EXPECT_NE(ok.err.find("airports.csv: skipped 3 malformed rows"), std::string::npos) << ok.err;
    EXPECT_NE(ok.err.find("airports.csv:7: bad latitude"), std::string::npos) << ok.err;
}

TEST(CommandLine, OutputThatCannotBeWrittenFailsTheRun)
{
    navdb::test::TempDir dir;
    std::ostream lost(nullptr);  // refuses every write, like a full disk
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"},
          {"--ourairports", navdb::test::fixtureDir("world"), "--output", dir.file("VORS.MDB")}}) {
        const ProgramRun failed = run(args, &lost);
        EXPECT_EQ(failed.status, navdb::EXIT_FAILED) << args[0];
        EXPECT_NE(failed.err.find("meridane-navdb: cannot write to standard output"), std::string::npos)
            << failed.err;
    }
}
