// Runs the built moniquet-cli and captures what it printed.
#pragma once

#include "../edid/samples.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace moniquet {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// `text` as one word of a shell command line, whatever it holds.
inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Each argument quoted, joined by spaces.
inline std::string QuotedArgs(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        // Appended piece by piece: g++ 12 at -O2 sees a false overlap in
        // `const char* + std::string&&` and stops a -Werror build.
        if (!line.empty()) {
            line += ' ';
        }
        line += Quoted(arg);
    }
    return line;
}

// `args` is pasted into a shell command line after the program's path, so it
// may hold redirections such as "< file"; `environment` ("NAME=value ...",
// quoted as needed) is set for the program alone.
inline CliResult RunCli(const std::string& args, const std::string& environment = {}) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("moniquet-cli-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto out = dir / "out";
    const auto err = dir / "err";
    const std::string command = environment + " " + Quoted(MONIQUET_CLI) + " " + args + " >" +
                                Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWhole(out);
    result.err = ReadWhole(err);
    std::filesystem::remove_all(dir);
    return result;
}

// Writes `bytes` to a file of that name, after the process ID, in the
// temporary folder, which test runs of other checkouts share.
inline std::filesystem::path WriteTemp(const std::string& name, const std::string& bytes) {
    const auto path =
        std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string Sample(const std::string& name) {
    return SamplePath(name, ".bin").string();
}

} // namespace moniquet
