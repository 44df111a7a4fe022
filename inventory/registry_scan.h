// The monitor scan over the device registry: one record per device whose
// hardware key holds a value named "EDID", in device order.
#pragma once

#include "inventory/device_registry.h"
#include "inventory/monitor_list.h"

#include <cstdint>

namespace moniquet {

// A device set or a key that fails at every index (removed while it is read)
// would keep its loop turning. Inside a set or key that stays valid no index
// fails, so a run of this many failures in a row ends the loop; an isolated
// failure is still skipped.
inline constexpr uint32_t kMaxFailedDeviceIndices = 16;
inline constexpr uint32_t kMaxFailedValueReads = 16;

// A set or a key that never reports its end, failing at no index, is left
// after this many devices or values, a count no real machine reaches.
inline constexpr uint32_t kMaxDeviceIndices = 65536;
inline constexpr uint32_t kMaxValueIndices = 65536;

// Empties `list`, then appends one decoded record per device of the set that
// `flags` selects, active exactly when `flags` is kScanPresent, holding its
// "EDID" value whole. A value larger than kMaximumEdidSize is not read and
// gives no record. Returns the number appended; 0 when the set cannot be
// obtained.
int32_t ScanDeviceRegistry(const DeviceRegistry& registry, MonitorList& list, uint32_t flags);

} // namespace moniquet
