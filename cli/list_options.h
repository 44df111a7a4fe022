// The options of `list`: which form it prints in and where it writes.
#pragma once

#include "cli/commands.h"

#include <optional>
#include <string>

namespace moniquet {

enum class ListFormat {
    Text,       // one line per monitor
    Json,       // --json: an array
    Facts,      // --json --facts: {"monitors": [...], "version": "..."}
    Prometheus, // --prometheus: the text exposition format
};

struct ListOptions {
    ListFormat format = ListFormat::Text;
    // --output FILE: replaced whole rather than printed to standard output.
    std::optional<std::string> output;
};

// The options in any order, each at most once. Nothing for a command line to
// refuse with the usage: an operand, an unknown option, --facts without
// --json, --json with --prometheus, --output without its FILE.
std::optional<ListOptions> ParseListOptions(const Arguments& args);

} // namespace moniquet
