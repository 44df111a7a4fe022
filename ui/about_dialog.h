// The About box: icon, name and version, publisher line and OK.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
