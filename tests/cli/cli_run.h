// Runs the built moniquet-cli and captures what it printed.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `args` is pasted into a shell command line after the program's path, so it
// may hold redirections such as "< file".
inline CliResult RunCli(const std::string& args) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("moniquet-cli-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto out = dir / "out";
    const auto err = dir / "err";
    const std::string command = std::string("'") + MONIQUET_CLI + "' " + args + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWhole(out);
    result.err = ReadWhole(err);
    std::filesystem::remove_all(dir);
    return result;
}

inline std::string Sample(const std::string& name) {
    return std::string(MONIQUET_TEST_DATA) + "/edid/" + name + ".bin";
}
