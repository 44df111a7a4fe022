#include "ui/win_main.h"

#include "res/resource.h"
#include "ui/main_dialog.h"

HINSTANCE g_instance = nullptr;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_instance = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    return 0;
}
