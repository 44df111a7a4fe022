#include "ui/export_actions.h"

#include "edid/report.h"
#include "files/replace_file.h"
#include "inventory/monitor_list.h"
#include "res/resource.h"
#include "strings/localized_strings.h"
#include "ui/app_state.h"
#include "ui/display_text.h"
#include "ui/win_text.h"

#include <commdlg.h>

#include <cstring>

wchar_t g_saveFileName[kSaveFileNameCapacity] = L"edid.bin";

namespace {

using SaveDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialogs' library brings the shell's libraries with it; loaded
// at the first Save rather than at start-up, it no longer delays the window.
// Only the system folder is searched, so a file of that name beside the
// program is never loaded.
SaveDialogFunction SaveDialog() {
    static const SaveDialogFunction function = [] {
        HMODULE library = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        FARPROC address = library ? GetProcAddress(library, "GetSaveFileNameW") : nullptr;
        return reinterpret_cast<SaveDialogFunction>(reinterpret_cast<void (*)()>(address));
    }();
    return function;
}

} // namespace

bool CopyTextToClipboard(std::u16string_view text) {
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        CloseClipboard();
        return false;
    }
    auto* units = static_cast<char16_t*>(GlobalLock(memory));
    if (units == nullptr) {
        GlobalFree(memory);
        CloseClipboard();
        return false;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
        CloseClipboard();
        return false;
    }
    CloseClipboard();
    return true;
}

void CopyReport(HWND window) {
    if (!HasSelectedMonitor()) {
        return;
    }
    const MonitorRecord& record = g_monitors[static_cast<size_t>(g_selectedMonitor)];
    const std::u16string report = MakeDisplayText(FormatMonitorReport(record.summary));
    if (!OpenClipboard(window)) {
        return;
    }
    CopyTextToClipboard(report);
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
    if (showSaveDialog == nullptr || showSaveDialog(&request) != TRUE) {
        return;
    }
    if (!HasSelectedMonitor()) {
        return;
    }
    const MonitorRecord record = g_monitors[static_cast<size_t>(g_selectedMonitor)];
    if (ReplaceFileContent(g_saveFileName, record.rawBlock)) {
        const std::wstring text = ToWide(LoadLocalizedString(IDS_SAVE_FAILED));
        MessageBoxW(nullptr, text.c_str(), nullptr, MB_ICONERROR);
    }
}
