// What a test compares across screen resolutions: a window's size in pixels
// and the line pitch of a multi-line edit control, both as the program lays
// them out.
#include "tests/e2e/driver/args.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/output.h"

#include <windows.h>

namespace {

// Pixels as they are: a driver left unaware of the DPI would be shown sizes
// scaled back to 96 DPI on Windows.
HWND RequireTarget(const DriverArgs& args) {
    SetProcessDPIAware();
    HWND window = RequireWindow(args[0]);
    if (window == nullptr || args[1] == L"0") {
        return window;
    }
    return RequireControl(window, args[1]);
}

} // namespace

int SizeCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    HWND target = RequireTarget(args);
    RECT rect{};
    if (target == nullptr || !GetWindowRect(target, &rect)) {
        return kNotFound;
    }
    Print(std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top) +
          L"\n");
    return kDone;
}

// The distance between the tops of the first two lines, from the control's
// own character positions.
int PitchCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    HWND edit = RequireTarget(args);
    if (edit == nullptr) {
        return kNotFound;
    }
    const LRESULT second = SendMessageW(edit, EM_LINEINDEX, 1, 0);
    if (second <= 0) {
        Complain(L"fewer than two lines");
        return kNotFound;
    }
    const LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
    const LRESULT next = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(second), 0);
    Print(std::to_wstring(static_cast<short>(HIWORD(next)) - static_cast<short>(HIWORD(first))) +
          L"\n");
    return kDone;
}
