// What moniquet-cli prints: its usage, its errors and its results. Every
// command reports through these, so that all of them end the same way.
#pragma once

#include <string>
#include <string_view>

namespace moniquet {

// The program's name, as it opens every message.
inline constexpr const char* kProgramName = "moniquet-cli";

// Exit status for a wrong command line.
inline constexpr int kUsageError = 2;

// A wrong command line: "moniquet-cli: <what>" and "Try 'moniquet-cli
// --help'." on standard error, nothing more, so that the mistake is not lost
// above a screenful of usage. Returns kUsageError.
int UsageError(const std::string& what);

// `argument` in single quotes, escaped as Fail escapes a subject, for a
// usage error that names it.
std::string QuotedArgument(const std::string& argument);

// `argument` escaped as Fail escapes a subject, without the quotes: a file
// name as a heading shows it.
std::string ShownArgument(const std::string& argument);

// --help, COMMAND --help: prints `text` to standard output; returns 0, or the
// result of Fail when the write fails.
int PrintHelp(const std::string& text);

// --version: prints "moniquet-cli <version>", the project's version.
int PrintVersion();

// Prints "moniquet-cli: <subject>: <reason>" on standard error; returns 1.
// The subject (often a file name, as the user typed it) is shown with every
// control character, backslash and byte of invalid UTF-8 escaped, so that it
// can neither drive the terminal nor break the message's one line.
int Fail(const std::string& subject, const std::string& reason);

// The same line for what is only a warning: the command goes on.
void Warn(const std::string& subject, const std::string& reason);

// Writes all of `bytes` to standard output and flushes it. A failed write
// (a full disk, a closed pipe) is reported like any other error: returns 0
// on success, else the result of Fail.
int WriteStandardOutput(std::string_view bytes);

} // namespace moniquet
