#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/output.h"

#include <windows.h>

namespace {

// Another program (the one under test) may hold the clipboard for a moment.
bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

} // namespace

int ClipboardCommand(const DriverArgs& args) {
    if (!args.empty()) {
        return kUsage;
    }
    if (!OpenClipboardPatiently()) {
        Complain(L"cannot open the clipboard");
        return kNotFound;
    }
    int status = kNotFound;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        Complain(L"no Unicode text on the clipboard");
    } else if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
        // Up to the first NUL, as a paste would take it, never past the block.
        size_t capacity = GlobalSize(data) / sizeof(wchar_t);
        size_t length = wcsnlen(text, capacity);
        Print(std::wstring(text, length));
        GlobalUnlock(data);
        status = kDone;
    }
    CloseClipboard();
    return status;
}
