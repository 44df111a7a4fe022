// What moniquet-cli prints: its usage, its errors and its results. Every
// command reports through these, so that all of them end the same way.
#pragma once

#include <string>
#include <string_view>

// The program's name, as it opens every message.
inline constexpr const char* kProgramName = "moniquet-cli";

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
