// moniquet-cli: the command-line companion of Moniquet. Decodes saved EDID
// files and lists the monitors of this machine with the same core as the
// dialog program.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/platform_file.h"
#include "cli/usage.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace moniquet {

namespace {

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

} // namespace moniquet

using namespace moniquet;

int main(int argc, char** argv) {
    UseBinaryStdio();
    Arguments args = CommandLineArguments(argc, argv);
    if (args.empty()) {
        return UsageError("missing command");
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "--version") {
        if (!args.empty()) {
            return UsageError("unexpected argument " + QuotedArgument(args.front()));
        }
        return command == "--version" ? PrintVersion() : PrintHelp(UsageText());
    }
    if (!IsCommand(command)) {
        return UsageError(
            (command.size() > 1 && command[0] == '-' ? "unknown option " : "unknown command ") +
            QuotedArgument(command));
    }
    if (AsksForHelp(args)) {
        return PrintHelp(CommandUsageText(command));
    }
    if (command == "report") {
        return RunReport(args);
    }
    if (command == "label") {
        return RunLabel(args);
    }
    if (command == "info") {
        return RunInfo(args);
    }
    if (command == "list") {
        return RunList(args);
    }
    return RunSave(args);
}
