// Test-only yardstick: the main dialog's template run with a procedure that
// does nothing, so that start-up time can be compared with the program's.
#include "res/resource.h"

#include <windows.h>

namespace moniquet {

namespace {

INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

} // namespace moniquet

using namespace moniquet;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, BareDialogProc, 0);
    return 0;
}
