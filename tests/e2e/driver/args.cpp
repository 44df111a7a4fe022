#include "tests/e2e/driver/args.h"

#include "tests/e2e/driver/find_window.h"
#include "tests/e2e/driver/output.h"

#include <cwchar>

std::optional<long> ParseNumber(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    long value = wcstol(text.c_str(), &end, 10);
    if (end == nullptr || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

DWORD DefaultWaitMs() {
    wchar_t text[16] = {};
    DWORD length = GetEnvironmentVariableW(L"E2E_WAIT_MS", text, 16);
    if (length > 0 && length < 16) {
        if (std::optional<long> ms = ParseNumber(text); ms && *ms >= 0) {
            return static_cast<DWORD>(*ms);
        }
    }
    return 10000;
}

HWND RequireWindow(const std::wstring& caption) {
    HWND window = WaitForTopLevel(caption, DefaultWaitMs());
    if (window == nullptr) {
        Complain(L"no window with caption \"" + caption + L"\"");
    }
    return window;
}

HWND RequireControl(HWND window, const std::wstring& idText) {
    std::optional<long> id = ParseNumber(idText);
    if (!id) {
        Complain(L"not a control id: " + idText);
        return nullptr;
    }
    HWND control = FindControl(window, static_cast<int>(*id));
    if (control == nullptr) {
        Complain(L"no control with id " + idText);
    }
    return control;
}
