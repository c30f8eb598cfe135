// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/CommandLineOptions.h"

#include <getopt.h>

#include <string_view>

namespace tools {

namespace {

// getopt_long reports an option by the value its table gives it: the short
// name where there is one, past every character code otherwise.
constexpr int FIRST_LONG_ONLY = 256;

int codeOf(const std::vector<OptionDefinition>& definitions, std::size_t index)
{
    return definitions[index].shortName != 0 ? static_cast<unsigned char>(definitions[index].shortName)
                                        : FIRST_LONG_ONLY + static_cast<int>(index);
}

std::string spelling(const OptionDefinition& definition, std::string_view asWritten)
{
    if (asWritten.rfind("--", 0) == 0 || definition.shortName == 0)
        return std::string("--") + definition.name;
    return std::string("-") + definition.shortName;
}

}  // namespace

std::vector<std::string> parseOptions(const std::vector<std::string>& args, const std::vector<OptionDefinition>& definitions,
                                      const std::function<bool(std::size_t, const std::string&)>& onOption)
{
    std::vector<option> table;
    std::string shortOptions = ":";  // a missing value answers ':', not '?'
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        table.push_back({definitions[i].name, definitions[i].takesValue ? required_argument : no_argument, nullptr,
                         codeOf(definitions, i)});
        if (definitions[i].shortName != 0) {
            shortOptions += definitions[i].shortName;
            if (definitions[i].takesValue)
                shortOptions += ':';
        }
    }
    table.push_back({nullptr, 0, nullptr, 0});

    // getopt_long reorders its argument vector, so it gets copies.
    std::vector<std::string> owned{"program"};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(owned.size());

    // Its state is global: 0 starts it afresh, for a second command line in
    // the same process.
    optind = 0;
    opterr = 0;
    for (;;) {
        const int code = getopt_long(argc, argv.data(), shortOptions.c_str(), table.data(), nullptr);
        if (code == -1)
            break;
        const std::string_view last = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        std::size_t index = definitions.size();
        for (std::size_t i = 0; i < definitions.size(); ++i) {
            if (codeOf(definitions, i) == (code == '?' || code == ':' ? optopt : code))
                index = i;
        }
        if (code == ':')
            throw UsageError(spelling(definitions[index], last) + " needs a value");
        if (code == '?') {
            if (index < definitions.size() && last.find('=') != std::string_view::npos)
                throw UsageError(std::string(last) + ": --" + definitions[index].name + " takes no value");
            if (optopt != 0 && optopt < FIRST_LONG_ONLY && last.rfind("--", 0) != 0)
                throw UsageError(std::string("unknown option -") + static_cast<char>(optopt));
            throw UsageError("unknown option " + std::string(last));
        }
        if (!onOption(index, optarg != nullptr ? std::string(optarg) : std::string()))
            return {};
    }
    std::vector<std::string> operands;
    for (int i = optind; i < argc; ++i)
        operands.emplace_back(argv[static_cast<std::size_t>(i)]);
    return operands;
}

}  // namespace tools
