// The monitor scan on Linux: the DRM connectors that the kernel lists under
// <sysfs>/class/drm, one directory card<N>-<connector> per display output.
#pragma once

#include "inventory/monitor_list.h"

#include <cstdint>
#include <filesystem>

// Replaces "/sys" as the sysfs root when set and not empty, so that a test
// can point the scan at a tree of its own.
inline constexpr const char* kSysfsRootVariable = "MONIQUET_SYSFS_ROOT";

// The sysfs root the scan reads: $MONIQUET_SYSFS_ROOT, else "/sys".
std::filesystem::path SysfsRoot();

// Empties `list` and appends one record per connector of
// `sysfsRoot`/class/drm that has an EDID (a non-empty "edid" file, kept
// whole), in byte order of the connector names; the record's source is the
// connector's folder name ("card0-HDMI-A-1"). With
// kScanPresent only connectors whose "status" reads "connected" count, and
// their records are active; with any other flags every connector counts and
// no record is active. Returns the number appended, 0 when the folder cannot
// be read.
int32_t ScanDrmConnectorsAt(const std::filesystem::path& sysfsRoot, MonitorList& list,
                            uint32_t flags);

// ScanDrmConnectorsAt(SysfsRoot(), list, flags): the scan operation for
// RefreshMonitorList.
int32_t ScanDrmConnectors(MonitorList& list, uint32_t flags);
