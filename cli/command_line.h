// The arguments of one command: its options, wherever they stand, and its
// operands, in order. What is wrong with them is said in a few words for
// UsageError.
#pragma once

#include "cli/commands.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace moniquet {

struct CommandArguments {
    // The options given, each once, in the order given.
    Arguments options;
    Arguments operands;

    bool Has(std::string_view option) const;
};

// Splits `args` into the options in `known` and the operands. An argument
// that starts with "--", or with '-' and a letter, is an option; "-" alone
// (standard input) and "-1" are operands, as is everything after "--".
// Returns what is wrong ("unknown option '-x'", "option '--json' given
// twice"), or nothing.
std::optional<std::string> SplitArguments(const Arguments& args,
                                          std::initializer_list<std::string_view> known,
                                          CommandArguments& split);

// Whether `operands` are as many as `names`: "missing FILE" or "unexpected
// argument 'y'" when not, else nothing.
std::optional<std::string> CheckOperands(const Arguments& operands,
                                         std::initializer_list<std::string_view> names);

// Whether `args` ask for help (--help or -h) before any "--".
bool AsksForHelp(const Arguments& args);

} // namespace moniquet
