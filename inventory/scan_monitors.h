// The program's monitor scan: the device registry of this Windows machine.
// Defined in the Windows build only.
#pragma once

#include "inventory/monitor_list.h"

#include <cstdint>

namespace moniquet {

// Empties `list` and appends one record per device of the set that `flags`
// selects (kScanPresent: monitors present now; kScanAllClasses: every
// installed device) whose hardware key holds an "EDID" value. Returns the
// number appended, 0 when the device set cannot be obtained.
int32_t ScanMonitors(MonitorList& list, uint32_t flags);

} // namespace moniquet
