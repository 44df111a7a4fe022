// The program-wide list of monitors and the refresh that rebuilds it from two
// scans: the monitors present now, then every installed device.
#pragma once

#include "moniquet/monitor_record.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace moniquet {

// Ordered, owns its records by value; insertion order is display order.
using MonitorList = std::vector<MonitorRecord>;

// The one list the program shows. Rebuilt by RefreshMonitorList, read-only
// otherwise.
extern MonitorList g_monitors;

// Scan flags, with the values of the device installation API
// (DIGCF_PRESENT and DIGCF_ALLCLASSES).
inline constexpr uint32_t kScanPresent = 2;
inline constexpr uint32_t kScanAllClasses = 4;

// A scan empties `list`, appends one decoded record per device found (active
// exactly when `flags` is kScanPresent) and returns the number appended.
using ScanOperation = std::function<int32_t(MonitorList& list, uint32_t flags)>;

// Same manufacturer (code unit for code unit) and same product code.
bool SameVendorId(const MonitorRecord& a, const MonitorRecord& b);

// Clears g_monitors, keeps every record of the present pass, then appends each
// record of the all-devices pass whose vendor id matches nothing listed so
// far. Returns the count of g_monitors.
int32_t RefreshMonitorList(const ScanOperation& scan);

} // namespace moniquet
