#include "ui/export_actions.h"

#include "files/replace_file.h"
#include "inventory/monitor_list.h"
#include "moniquet/report.h"
#include "res/resource.h"
#include "strings/localized_strings.h"
#include "ui/display_text.h"
#include "ui/main_dialog.h"
#include "ui/win_text.h"

#include <commdlg.h>

#include <cstring>

namespace moniquet {

wchar_t g_saveFileName[kSaveFileNameCapacity] = L"edid.bin";

namespace {

using SaveDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialogs' library brings the shell's libraries with it; loaded
// at the first Save rather than at start-up, it no longer delays the window.
// Only the system folder is searched, so a file of that name beside the
// program is never loaded. A failure is kept for the rest of the run.
SaveDialogFunction SaveDialog() {
    static const SaveDialogFunction function = [] {
        HMODULE library = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        FARPROC address = library ? GetProcAddress(library, "GetSaveFileNameW") : nullptr;
        return reinterpret_cast<SaveDialogFunction>(reinterpret_cast<void (*)()>(address));
    }();
    return function;
}

void ShowSaveFailure() {
    const std::wstring text = ToWide(LoadLocalizedString(IDS_SAVE_FAILED));
    MessageBoxW(nullptr, text.c_str(), nullptr, MB_ICONERROR);
}

} // namespace

// The memory is filled before the clipboard is opened: once emptied, the
// clipboard's old content is lost, so nothing that may fail comes after that
// but the hand-over itself.
bool CopyTextToClipboard(HWND owner, std::u16string_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return false;
    }
    auto* units = static_cast<char16_t*>(GlobalLock(memory));
    if (units == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    const bool placed = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
    }
    return placed;
}

void CopyReport(HWND window) {
    if (!HasSelectedMonitor()) {
        return;
    }
    const MonitorRecord& record = g_monitors[static_cast<size_t>(g_selectedMonitor)];
    CopyTextToClipboard(window, MakeDisplayText(FormatMonitorReport(record.summary)));
}

void SaveRawBlock(HWND) {
    // The filter's own terminating NUL closes the list of NUL-separated pairs.
    const std::wstring filter = ToWide(BuildFileFilter());
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = nullptr;
    request.lpstrFile = g_saveFileName;
    request.nMaxFile = kSaveFileNameCapacity;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    const SaveDialogFunction showSaveDialog = SaveDialog();
    if (showSaveDialog == nullptr) {
        ShowSaveFailure();
        return;
    }
    if (showSaveDialog(&request) != TRUE) {
        return;
    }
    if (!HasSelectedMonitor()) {
        return;
    }
    // The whole EDID, every block as read: the 256-byte block kept for the
    // report would add a phantom extension to a 128-byte EDID and cut a
    // longer one.
    const MonitorRecord record = g_monitors[static_cast<size_t>(g_selectedMonitor)];
    if (ReplaceFileContent(std::wstring(g_saveFileName), record.edid)) {
        ShowSaveFailure();
    }
}

} // namespace moniquet
