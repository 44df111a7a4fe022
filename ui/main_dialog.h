// The main dialog: language list, monitor list, report box and the buttons
// that act on the selected monitor.
#pragma once

#include <windows.h>

#include <cstdint>

namespace moniquet {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Re-labels the dialog in g_languageId. The report box and the monitor list
// are left alone: their texts do not depend on the language.
void ApplyLanguage(HWND window);

// Index in g_monitors of the monitor whose report is shown; -1 when none.
// Defined in main_dialog.cpp, which alone changes it.
extern int32_t g_selectedMonitor;

// True when g_selectedMonitor indexes a record of g_monitors.
bool HasSelectedMonitor();

} // namespace moniquet
