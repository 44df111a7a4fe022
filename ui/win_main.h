// The program's start-up (win_main.cpp), which runs the main dialog.
#pragma once

#include <windows.h>

namespace moniquet {

// The module, saved at start-up by win_main.cpp; its resources hold the
// dialogs, the icon and the string table.
extern HINSTANCE g_instance;

} // namespace moniquet
