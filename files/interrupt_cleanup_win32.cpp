#include "files/interrupt_cleanup_win32.h"

#include <windows.h>

namespace moniquet {

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
std::wstring g_pendingPath; // guarded by g_lock

// Returns FALSE: the next handler, in the end the system's, ends the program
// as the event would have ended it without us.
BOOL WINAPI RemovePendingFile(DWORD) {
    AcquireSRWLockExclusive(&g_lock);
    if (!g_pendingPath.empty()) {
        DeleteFileW(g_pendingPath.c_str());
    }
    ReleaseSRWLockExclusive(&g_lock);
    return FALSE;
}

} // namespace

void WatchConsoleInterruptions() {
    SetConsoleCtrlHandler(RemovePendingFile, TRUE);
}

void StopWatchingConsoleInterruptions() {
    HoldOffConsoleInterruptions();
    g_pendingPath.clear();
    AllowConsoleInterruptions();
    SetConsoleCtrlHandler(RemovePendingFile, FALSE);
}

void HoldOffConsoleInterruptions() {
    AcquireSRWLockExclusive(&g_lock);
}

void AllowConsoleInterruptions() {
    ReleaseSRWLockExclusive(&g_lock);
}

void RemoveOnConsoleInterruption(const std::wstring& path) {
    g_pendingPath = path;
}

} // namespace moniquet
