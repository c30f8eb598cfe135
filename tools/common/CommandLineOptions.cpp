// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/CommandLineOptions.h"

#include <getopt.h>

#include <string_view>

namespace tools {

namespace {

// getopt_long reports an option by the value its table gives it: the short
// name where there is one, past every character code otherwise.
constexpr int kFirstLongOnly = 256;

int codeOf(const std::vector<OptionSpec>& specs, std::size_t index)
{
    return specs[index].shortName != 0 ? static_cast<unsigned char>(specs[index].shortName)
                                        : kFirstLongOnly + static_cast<int>(index);
}

std::string spelling(const OptionSpec& spec, std::string_view asWritten)
{
    if (asWritten.rfind("--", 0) == 0 || spec.shortName == 0)
        return std::string("--") + spec.name;
    return std::string("-") + spec.shortName;
}

}  // namespace

std::vector<std::string> parseOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                                      const std::function<bool(std::size_t, const std::string&)>& onOption)
{
    std::vector<option> table;
    std::string shortOptions = ":";  // a missing value answers ':', not '?'
    for (std::size_t i = 0; i < specs.size(); ++i) {
        table.push_back({specs[i].name, specs[i].takesValue ? required_argument : no_argument, nullptr,
                         codeOf(specs, i)});
        if (specs[i].shortName != 0) {
            shortOptions += specs[i].shortName;
            if (specs[i].takesValue)
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
        std::size_t index = specs.size();
        for (std::size_t i = 0; i < specs.size(); ++i) {
            if (codeOf(specs, i) == (code == '?' || code == ':' ? optopt : code))
                index = i;
        }
        if (code == ':')
            throw UsageError(spelling(specs[index], last) + " needs a value");
        if (code == '?') {
            if (index < specs.size() && last.find('=') != std::string_view::npos)
                throw UsageError(std::string(last) + ": --" + specs[index].name + " takes no value");
            if (optopt != 0 && optopt < kFirstLongOnly && last.rfind("--", 0) != 0)
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
