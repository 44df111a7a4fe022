#include "cli/command_line.h"

#include "cli/output.h"

#include <algorithm>
#include <cctype>

namespace moniquet {

namespace {

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' &&
           (arg[1] == '-' || std::isalpha(static_cast<unsigned char>(arg[1])));
}

} // namespace

bool CommandArguments::Has(std::string_view option) const {
    return std::find(options.begin(), options.end(), option) != options.end();
}

std::optional<std::string> SplitArguments(const Arguments& args,
                                          std::initializer_list<std::string_view> known,
                                          CommandArguments& split) {
    split = {};
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || !IsOption(arg)) {
            split.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (std::find(known.begin(), known.end(), arg) == known.end()) {
            return "unknown option " + QuotedArgument(arg);
        } else if (split.Has(arg)) {
            return "option " + QuotedArgument(arg) + " given twice";
        } else {
            split.options.push_back(arg);
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckOperands(const Arguments& operands,
                                         std::initializer_list<std::string_view> names) {
    if (operands.size() < names.size()) {
        return "missing " + std::string(names.begin()[operands.size()]);
    }
    if (operands.size() > names.size()) {
        return "unexpected argument " + QuotedArgument(operands[names.size()]);
    }
    return std::nullopt;
}

bool AsksForHelp(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            return false;
        }
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

} // namespace moniquet
