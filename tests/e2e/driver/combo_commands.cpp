#include "tests/e2e/driver/args.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/find_window.h"
#include "tests/e2e/driver/output.h"

namespace {

HWND RequireCombo(const DriverArgs& args) {
    HWND window = RequireWindow(args[0]);
    return window ? RequireControl(window, args[1]) : nullptr;
}

std::wstring ItemText(HWND combo, WPARAM index) {
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace

int ItemsCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    HWND combo = RequireCombo(args);
    if (combo == nullptr) {
        return kNotFound;
    }
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        Print(ItemText(combo, static_cast<WPARAM>(i)) + L"\n");
    }
    return kDone;
}

int SelectedCommand(const DriverArgs& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    HWND combo = RequireCombo(args);
    if (combo == nullptr) {
        return kNotFound;
    }
    Print(std::to_wstring(static_cast<long>(SendMessageW(combo, CB_GETCURSEL, 0, 0))) + L"\n");
    return kDone;
}

int SelectCommand(const DriverArgs& args) {
    if (args.size() != 3) {
        return kUsage;
    }
    std::optional<long> index = ParseNumber(args[2]);
    if (!index) {
        return kUsage;
    }
    HWND combo = RequireCombo(args);
    if (combo == nullptr) {
        return kNotFound;
    }
    LRESULT result = SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(*index), 0);
    if (result == CB_ERR && *index != -1) {
        Complain(L"no item " + args[2]);
        return kNotFound;
    }
    // CB_SETCURSEL notifies nobody; a user's pick would send this to the parent.
    int id = GetDlgCtrlID(combo);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return kDone;
}
