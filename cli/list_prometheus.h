// `moniquet-cli list --prometheus`: the monitors of `list` as metrics for
// Prometheus, one file a textfile collector publishes as it is.
#pragma once

#include "inventory/monitor_list.h"

#include <cstddef>
#include <optional>
#include <string>

namespace moniquet {

// Every family, HELP and TYPE lines included even when no monitor gives it a
// sample, so that the file says the same whatever is plugged in:
//
//   moniquet_monitor_info{index,label,manufacturer,manufacturer_name,
//     product_code,product_name,serial,source,edid_sha256} 1
//   moniquet_monitor_active{index,label} 0 or 1
//   moniquet_monitor_preferred_width_pixels, ..._preferred_height_pixels,
//   ..._max_refresh_hz, ..._manufacture_year {index,label}, where known
//   moniquet_monitors, the number listed
//   moniquet_scan_errors, `scanErrors`; left out when the scan cannot tell
//
// `index` is the monitor's index in `list`, product_code decimal as in
// info --json; a value the EDID does not give is an empty label.
std::string FormatMonitorsPrometheus(const MonitorList& monitors,
                                     std::optional<std::size_t> scanErrors);

} // namespace moniquet
