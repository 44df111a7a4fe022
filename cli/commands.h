// The subcommands of moniquet-cli. Each takes the arguments after its own
// name and returns the process exit status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using Arguments = std::vector<std::string>;

// report FILE / label FILE: decode a saved EDID (FILE "-" is standard input).
int RunReport(const Arguments& args);
int RunLabel(const Arguments& args);

// list / save INDEX FILE: the monitors of this machine.
int RunList(const Arguments& args);
int RunSave(const Arguments& args);

// Exit status for a wrong command line.
inline constexpr int kUsageError = 2;

// Prints the usage to standard error and returns kUsageError.
int PrintUsage();

// Prints "moniquet-cli: <subject>: <reason>" on standard error; returns 1.
int Fail(const std::string& subject, const std::string& reason);

// Writes all of `bytes` to standard output and flushes it. A failed write
// (a full disk, a closed pipe) is reported like any other error: returns 0
// on success, else the result of Fail.
int WriteStandardOutput(std::string_view bytes);
