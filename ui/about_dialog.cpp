#include "ui/about_dialog.h"

#include "res/resource.h"
#include "strings/localized_strings.h"
#include "ui/win_main.h"
#include "ui/win_text.h"

namespace moniquet {

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        // The icon holder is the first control of the template without an id
        // of its own, which is the one the dialog manager finds for -1.
        HICON icon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_APP));
        SendMessageW(GetDlgItem(window, static_cast<int>(IDC_STATIC)), STM_SETICON,
                     reinterpret_cast<WPARAM>(icon), 0);
        SetWindowText16(window, LoadLocalizedString(IDS_ABOUT_TITLE));
        return TRUE;
    }
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(window, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutDialogProc, 0);
}

} // namespace moniquet
