#include "tests/e2e/driver/find_window.h"

namespace {

constexpr DWORD kPollMs = 50;

struct Search {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (IsWindowVisible(window) && ReadWindowText(window) == *search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectOfProcess(HWND window, LPARAM context) {
    auto* collected = reinterpret_cast<ProcessWindows*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == collected->processId && IsWindowVisible(window)) {
        collected->windows.push_back(window);
    }
    return TRUE;
}

struct OwnWindowSearch {
    DWORD processId;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchCaptionOfProcess(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<OwnWindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    // The caption of a top-level window is read from the window manager's
    // copy, without a message the busy program would have to answer.
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    if (*search->caption == text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindTopLevelOfProcess(DWORD processId, const std::wstring& caption) {
    OwnWindowSearch search{processId, &caption, nullptr};
    EnumWindows(MatchCaptionOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(const std::wstring& caption) {
    Search search{&caption, nullptr};
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(const std::wstring& caption, DWORD timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindTopLevel(caption)) {
            return window;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

bool WaitUntilGone(const std::wstring& caption, DWORD timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (FindTopLevel(caption) == nullptr) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

std::vector<HWND> TopLevelWindowsOfProcess(HWND window) {
    ProcessWindows collected{0, {}};
    GetWindowThreadProcessId(window, &collected.processId);
    EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&collected));
    return collected.windows;
}

std::vector<HWND> ChildControls(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindControl(HWND parent, int id) {
    // GetDlgItem compares the whole id; walking the children keeps -1 usable.
    for (HWND child : ChildControls(parent)) {
        if (static_cast<int>(static_cast<short>(GetDlgCtrlID(child))) == id ||
            GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

std::wstring ReadWindowText(HWND window) {
    // WM_GETTEXT is marshalled across processes; GetWindowTextW is not for
    // controls of another process.
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring ReadClassName(HWND window) {
    std::wstring name(256, L'\0');
    int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    name.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return name;
}
