// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/CommandLineOptions.h"
#include "tools/common/ProgramOutput.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::vector<tools::OptionDefinition> DEFINITIONS{
    {"name", 'n', true}, {"name-size", 0, true}, {"flag", 0, false}, {"help", 'h', false}};

// What a command line comes to: "option=value" for each option read and
// "operand" for each operand, in order, or "error: ..." for a usage error.
std::string Read(const std::vector<std::string>& args)
{
    std::string seen;
    try {
        const auto operands = tools::parseOptions(args, DEFINITIONS, [&](std::size_t option, const std::string& value) {
            seen += std::string(DEFINITIONS[option].name) + "=" + value + " ";
            return option != 3;
        });
        for (const std::string& operand : operands)
            seen += "'" + operand + "' ";
    } catch (const tools::UsageError& e) {
        return std::string("error: ") + e.what();
    }
    return seen;
}

}  // namespace

TEST(CommandLineOptions, SpellingsOrderAndErrorsOfBothPrograms)
{
    const struct {
        std::vector<std::string> args;
        const char* read;
    } cases[] = {
        {{"--name", "a", "x", "--name=b", "y"}, "name=a name=b 'x' 'y' "},
        {{"-n", "a", "-nb", "--flag"}, "name=a name=b flag= "},
        // The exact name wins over the longer one it begins.
        {{"--name", "=", "--name-size=3"}, "name== name-size=3 "},
        {{"--", "--flag", "-n"}, "'--flag' '-n' "},
        {{"--name="}, "name= "},
        {{"-"}, "'-' "},
        // Help ends the reading: what follows is not looked at.
        {{"--flag", "-h", "--unknown"}, "flag= help= "},
        {{"--unknown", "-h"}, "error: unknown option --unknown"},
        {{"--flag=yes"}, "error: --flag=yes: --flag takes no value"},
        {{"x", "--name"}, "error: --name needs a value"},
        {{"-n"}, "error: -n needs a value"},
        {{"--name-size"}, "error: --name-size needs a value"},
        {{"-q"}, "error: unknown option -q"},
        {{"--na", "x"}, "error: unknown option --na"},  // could be either
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& arg : c.args)
            line += arg + " ";
        EXPECT_EQ(Read(c.args), c.read) << line;
    }
}

TEST(ProgramOutput, AFailedOutputIsSaidOnceWithTheNoteAndMessagesLoseTheirLineBreaks)
{
    std::ostringstream fine, err;
    fine << "text";
    EXPECT_TRUE(tools::outputArrived(fine, err, "prog"));
    EXPECT_EQ(err.str(), "");
    std::ostream lost(nullptr);
    lost << "text";
    EXPECT_FALSE(tools::outputArrived(lost, err, "prog", " (x was written)"));
    EXPECT_EQ(err.str(), "prog: cannot write to standard output (x was written)\n");
    EXPECT_EQ(tools::messageLine(std::runtime_error("Cannot open it.\n\n")), "Cannot open it.");
}
