#include "res/resource.h"
#include "ui/app_state.h"
#include "ui/main_dialog.h"

#include <windows.h>

HINSTANCE g_instance = nullptr;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_instance = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    return 0;
}
