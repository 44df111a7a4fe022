// Timed starts for the start-up yardstick. The driver starts the program
// itself, so that the window it waits for is the one of the process it just
// started, and the clock starts at CreateProcessW rather than somewhere in a
// shell that the scheduler may hold up.
#include "tests/e2e/driver/args.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/find_window.h"
#include "tests/e2e/driver/output.h"

#include <tlhelp32.h>

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

constexpr wchar_t kProgramFolder[] = L"C:\\e2e";

struct Started {
    PROCESS_INFORMATION process{};
    LARGE_INTEGER at{};
};

double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER frequency{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

std::wstring Lowered(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

// A process of that image left from an earlier run would share the machine
// with the timed one.
bool ImageIsRunning(const std::wstring& exe) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::wstring wanted = Lowered(exe);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running;
         more = Process32NextW(snapshot, &entry)) {
        running = Lowered(entry.szExeFile) == wanted;
    }
    CloseHandle(snapshot);
    return running;
}

bool ReadyToStart(const std::wstring& exe, const std::wstring* caption) {
    if (ImageIsRunning(exe)) {
        Complain(L"stale: " + exe + L" is still running from an earlier run");
        return false;
    }
    if (caption != nullptr && FindTopLevel(*caption) != nullptr) {
        Complain(L"stale: a window \"" + *caption + L"\" is already there");
        return false;
    }
    return true;
}

// Starts C:\e2e\EXE with `arguments` (plain words) and `output` (when
// given) as its standard output.
bool Start(const std::wstring& exe, const DriverArgs& arguments, HANDLE output, Started& started) {
    const std::wstring path = std::wstring(kProgramFolder) + L"\\" + exe;
    std::wstring commandLine = L"\"" + path + L"\"";
    for (const std::wstring& argument : arguments) {
        commandLine += L" " + argument;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    QueryPerformanceCounter(&started.at);
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                        nullptr, kProgramFolder, &startup, &started.process)) {
        Complain(L"cannot start " + path + L": error " + std::to_wstring(GetLastError()));
        return false;
    }
    return true;
}

// The started process's own visible window with that caption. The driver
// sleeps until the program first waits for input, then looks every
// millisecond: polling on the CPU the program runs on would slow it down.
HWND WaitForOwnWindow(const Started& started, const std::wstring& caption, DWORD timeoutMs) {
    WaitForInputIdle(started.process.hProcess, timeoutMs);
    for (;;) {
        if (HWND window = FindTopLevelOfProcess(started.process.dwProcessId, caption)) {
            return window;
        }
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0) {
            Complain(L"the program ended without showing \"" + caption + L"\"");
            return nullptr;
        }
        if (MillisecondsSince(started.at) > timeoutMs) {
            Complain(L"timed out waiting for \"" + caption + L"\"");
            return nullptr;
        }
    }
}

void Stop(const Started& started, DWORD timeoutMs) {
    TerminateProcess(started.process.hProcess, 1);
    WaitForSingleObject(started.process.hProcess, timeoutMs);
}

// The next run may start only once this one's process is gone.
bool Ended(const Started& started, DWORD timeoutMs) {
    if (WaitForSingleObject(started.process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        return true;
    }
    Stop(started, timeoutMs);
    Complain(L"the program did not end in time and was stopped");
    return false;
}

void Release(Started& started) {
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

std::wstring Milliseconds(double value) {
    wchar_t text[32];
    swprintf(text, sizeof(text) / sizeof(text[0]), L"%.1f", value);
    return text;
}

} // namespace

int LaunchCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    const std::wstring& exe = args[0];
    const std::wstring& caption = args[1];
    const DWORD timeoutMs = DefaultWaitMs();
    Started started;
    if (!ReadyToStart(exe, &caption) || !Start(exe, {}, nullptr, started)) {
        return kNotFound;
    }
    HWND window = WaitForOwnWindow(started, caption, timeoutMs);
    const double elapsed = MillisecondsSince(started.at);
    if (window == nullptr) {
        Stop(started, timeoutMs);
        Release(started);
        return kNotFound;
    }
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool ended = Ended(started, timeoutMs);
    Release(started);
    if (!ended) {
        return kNotFound;
    }
    Print(Milliseconds(elapsed) + L"\n");
    return kDone;
}

int RunCommand(const DriverArgs& args) {
    if (args.size() < 2) {
        return kUsage;
    }
    const std::wstring& exe = args[0];
    const std::wstring& outputPath = args[1];
    const DWORD timeoutMs = DefaultWaitMs();
    // A file rather than a pipe: a reader on the other end would compete with
    // the program for the CPU while it runs.
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        Complain(L"cannot create " + outputPath);
        return kNotFound;
    }
    Started started;
    if (!ReadyToStart(exe, nullptr) ||
        !Start(exe, DriverArgs(args.begin() + 2, args.end()), output, started)) {
        CloseHandle(output);
        return kNotFound;
    }
    const bool ended = Ended(started, timeoutMs);
    const double elapsed = MillisecondsSince(started.at);
    DWORD status = 1;
    GetExitCodeProcess(started.process.hProcess, &status);
    Release(started);
    CloseHandle(output);
    if (!ended || status != 0) {
        Complain(L"the program failed with status " + std::to_wstring(status));
        return kNotFound;
    }
    Print(Milliseconds(elapsed) + L"\n");
    return kDone;
}
