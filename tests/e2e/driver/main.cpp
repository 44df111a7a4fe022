// driver.exe: drives the program's windows from another process for the
// end-to-end tests, and prints what it sees as UTF-8.
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/output.h"

#include <windows.h>

#include <cstring>

namespace {

struct Subcommand {
    const wchar_t* name;
    int (*run)(const DriverArgs&);
    const wchar_t* usage;
};

constexpr Subcommand kSubcommands[] = {
    {L"wait", WaitCommand, L"wait CAPTION [MS]"},
    {L"gone", GoneCommand, L"gone CAPTION [MS]"},
    {L"text", TextCommand, L"text CAPTION ID"},
    {L"controls", ControlsCommand, L"controls CAPTION"},
    {L"windows", WindowsCommand, L"windows CAPTION"},
    {L"items", ItemsCommand, L"items CAPTION ID"},
    {L"selected", SelectedCommand, L"selected CAPTION ID"},
    {L"select", SelectCommand, L"select CAPTION ID INDEX"},
    {L"click", ClickCommand, L"click CAPTION ID [post]"},
    {L"settext", SetTextCommand, L"settext CAPTION ID TEXT"},
    {L"key", KeyCommand, L"key CAPTION esc|enter"},
    {L"close", CloseCommand, L"close CAPTION"},
    {L"clipboard", ClipboardCommand, L"clipboard"},
    {L"font", FontCommand, L"font FACE"},
    {L"size", SizeCommand, L"size CAPTION ID"},
    {L"pitch", PitchCommand, L"pitch CAPTION ID"},
    {L"launch", LaunchCommand, L"launch EXE CAPTION"},
    {L"run", RunCommand, L"run EXE OUTPUT-FILE [ARG...]"},
};

int Usage() {
    std::wstring text = L"usage: driver.exe SUBCOMMAND ARGS...";
    for (const Subcommand& sub : kSubcommands) {
        text += L"\n  driver.exe ";
        text += sub.usage;
    }
    Complain(text);
    return kUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    PrepareOutput();
    if (argc < 2) {
        return Usage();
    }
    DriverArgs args(argv + 2, argv + argc);
    for (const Subcommand& sub : kSubcommands) {
        if (wcscmp(argv[1], sub.name) == 0) {
            int status = sub.run(args);
            if (status == kUsage) {
                Complain(std::wstring(L"usage: driver.exe ") + sub.usage);
            }
            return status;
        }
    }
    return Usage();
}
