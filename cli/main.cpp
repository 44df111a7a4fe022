// moniquet-cli: the command-line companion of Moniquet. Decodes saved EDID
// files and lists the monitors of this machine with the same core as the
// dialog program.
#include "cli/commands.h"
#include "cli/platform_file.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

constexpr const char* kProgram = "moniquet-cli";

// The arguments after the program name, as UTF-8. On Windows they come from
// the wide command line, so that file names outside the ANSI code page
// survive.
Arguments CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    Arguments args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return args;
    }
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1) {
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        }
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return Arguments(argv + 1, argv + argc);
#endif
}

} // namespace

int PrintUsage() {
    std::fprintf(stderr,
                 "usage: %s report FILE    print the report of the EDID in FILE (- for stdin)\n"
                 "       %s label FILE     print its label\n"
                 "       %s list           list the monitors of this machine\n"
                 "       %s save INDEX FILE  write monitor INDEX's 256-byte EDID block to FILE\n",
                 kProgram, kProgram, kProgram, kProgram);
    return kUsageError;
}

int Fail(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, subject.c_str(), reason.c_str());
    return 1;
}

int WriteStandardOutput(std::string_view bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) != 0 || written != bytes.size() || std::ferror(stdout)) {
        return Fail("standard output", "write failed");
    }
    return 0;
}

int main(int argc, char** argv) {
    UseBinaryStdio();
    Arguments args = CommandLineArguments(argc, argv);
    if (args.empty()) {
        return PrintUsage();
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "report") {
        return RunReport(args);
    }
    if (command == "label") {
        return RunLabel(args);
    }
    if (command == "list") {
        return RunList(args);
    }
    if (command == "save") {
        return RunSave(args);
    }
    return PrintUsage();
}
