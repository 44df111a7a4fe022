#include "tests/e2e/driver/args.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/find_window.h"
#include "tests/e2e/driver/output.h"

namespace {

DWORD TimeoutArg(const DriverArgs& args, size_t index) {
    if (args.size() <= index) {
        return DefaultWaitMs();
    }
    std::optional<long> ms = ParseNumber(args[index]);
    return ms && *ms >= 0 ? static_cast<DWORD>(*ms) : DefaultWaitMs();
}

// Dialog templates store -1 as 0xFFFF; show it as the resource script wrote it.
long PrintableId(HWND control) {
    int id = GetDlgCtrlID(control);
    return id == 0xFFFF ? -1 : id;
}

// The posted key must reach the window that has the keyboard focus in the
// program's thread, as a real key press would, so that the modal loop's
// IsDialogMessage turns it into the dialog's command.
HWND FocusTarget(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr &&
        (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus))) {
        return info.hwndFocus;
    }
    return dialog;
}

} // namespace

int WaitCommand(const DriverArgs& args) {
    if (args.empty() || args.size() > 2) {
        return kUsage;
    }
    if (WaitForTopLevel(args[0], TimeoutArg(args, 1)) == nullptr) {
        Complain(L"timed out waiting for \"" + args[0] + L"\"");
        return kNotFound;
    }
    return kDone;
}

int GoneCommand(const DriverArgs& args) {
    if (args.empty() || args.size() > 2) {
        return kUsage;
    }
    if (!WaitUntilGone(args[0], TimeoutArg(args, 1))) {
        Complain(L"still there: \"" + args[0] + L"\"");
        return kNotFound;
    }
    return kDone;
}

int TextCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    HWND control = window ? RequireControl(window, args[1]) : nullptr;
    if (control == nullptr) {
        return kNotFound;
    }
    Print(ReadWindowText(control));
    return kDone;
}

int ControlsCommand(const DriverArgs& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    if (window == nullptr) {
        return kNotFound;
    }
    for (HWND control : ChildControls(window)) {
        Print(std::to_wstring(PrintableId(control)) + L"\t" + ReadClassName(control) + L"\t" +
              ReadWindowText(control) + L"\n");
    }
    return kDone;
}

int WindowsCommand(const DriverArgs& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    if (window == nullptr) {
        return kNotFound;
    }
    for (HWND top : TopLevelWindowsOfProcess(window)) {
        Print(ReadWindowText(top) + L"\t" + ReadClassName(top) + L"\n");
    }
    return kDone;
}

int ClickCommand(const DriverArgs& args) {
    bool post = args.size() == 3 && args[2] == L"post";
    if (args.size() != 2 && !post) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    HWND button = window ? RequireControl(window, args[1]) : nullptr;
    if (button == nullptr) {
        return kNotFound;
    }
    if (post) {
        // The button opens a modal box: a sent click would not return until
        // that box closed.
        PostMessageW(button, BM_CLICK, 0, 0);
    } else {
        SendMessageW(button, BM_CLICK, 0, 0);
    }
    return kDone;
}

int SetTextCommand(const DriverArgs& args) {
    if (args.size() != 3) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    HWND control = window ? RequireControl(window, args[1]) : nullptr;
    if (control == nullptr) {
        return kNotFound;
    }
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()));
    return kDone;
}

int KeyCommand(const DriverArgs& args) {
    if (args.size() != 2 || (args[1] != L"esc" && args[1] != L"enter")) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    if (window == nullptr) {
        return kNotFound;
    }
    UINT key = args[1] == L"esc" ? VK_ESCAPE : VK_RETURN;
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    HWND target = FocusTarget(window);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    PostMessageW(target, WM_KEYDOWN, key, down);
    PostMessageW(target, WM_KEYUP, key, up);
    return kDone;
}

int CloseCommand(const DriverArgs& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    HWND window = RequireWindow(args[0]);
    if (window == nullptr) {
        return kNotFound;
    }
    // What the window's close box sends.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return kDone;
}
