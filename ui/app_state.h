// Program-wide state of the user interface.
#pragma once

#include <windows.h>

#include <cstdint>

// The module, saved at start-up; its resources hold the dialogs, the icon and
// the string table.
extern HINSTANCE g_instance;

// Index in g_monitors of the monitor whose report is shown; -1 when none.
extern int32_t g_selectedMonitor;

// True when g_selectedMonitor indexes a record of g_monitors.
bool HasSelectedMonitor();
