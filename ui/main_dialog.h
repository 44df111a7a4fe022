// The main dialog: language list, monitor list, report box and the buttons
// that act on the selected monitor.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Re-labels the dialog in g_languageId. The report box and the monitor list
// are left alone: their texts do not depend on the language.
void ApplyLanguage(HWND window);
