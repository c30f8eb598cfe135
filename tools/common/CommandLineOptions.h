// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

// Exit statuses both programs share.
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;  // the work failed: a file, the database, the output
constexpr int EXIT_USAGE = 2;    // the command line is wrong; nothing was done

// The command line itself is wrong; the caller answers with the usage text.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

struct OptionDefinition {
    const char* name;  // the long name without "--"
    char shortName;    // 0 for none
    bool takesValue;   // "--name VALUE" or "--name=VALUE"
};

// Reads the arguments after the program name with getopt_long, so options
// and operands may come in any order and "--" ends the options. Calls
// onOption(index into definitions, value) for each option in command-line order
// ("" for an option without a value); when it returns false the rest of the
// line is not looked at (--help). Returns the operands in order. Throws
// UsageError naming the argument: an unknown option, a value missing or
// given to an option that takes none.
std::vector<std::string> parseOptions(const std::vector<std::string>& args, const std::vector<OptionDefinition>& definitions,
                                      const std::function<bool(std::size_t, const std::string&)>& onOption);

}  // namespace tools
