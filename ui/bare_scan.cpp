// Test-only yardstick: the two scans the program's start-up makes, through the
// real binding and nothing else, timed by the probe itself. Prints the
// milliseconds both took together, then the records each found. A windowed
// program like the one it stands for: Wine starts no console beside it, whose
// start-up would compete with the scans.
#include "inventory/scan_monitors.h"

#include <windows.h>

#include <cstdio>

namespace moniquet {} // namespace moniquet

using namespace moniquet;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    MonitorList present;
    MonitorList all;
    QueryPerformanceCounter(&start);
    ScanMonitors(present, kScanPresent);
    ScanMonitors(all, kScanAllClasses);
    QueryPerformanceCounter(&end);
    const double milliseconds =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    std::printf("%.1f %zu %zu\n", milliseconds, present.size(), all.size());
    return 0;
}
