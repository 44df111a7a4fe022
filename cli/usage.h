// What moniquet-cli says about how it is used: the whole usage (--help) and
// the usage of one command (COMMAND --help). The manual page, moniquet-cli.1, says the same at more
// length; a test compares the two.
#pragma once

#include <string>
#include <string_view>

namespace moniquet {

// --help: every command, one line each, and what FILE may hold.
std::string UsageText();

// COMMAND --help: that command's usage lines and what it does; empty for a
// name that is no command.
std::string CommandUsageText(std::string_view command);

// Whether `command` is one of the commands.
bool IsCommand(std::string_view command);

} // namespace moniquet
