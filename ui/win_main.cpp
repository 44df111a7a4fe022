#include "ui/win_main.h"

#include "res/resource.h"
#include "ui/main_dialog.h"

namespace moniquet {

HINSTANCE g_instance = nullptr;

} // namespace moniquet

using namespace moniquet;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_instance = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    return 0;
}
