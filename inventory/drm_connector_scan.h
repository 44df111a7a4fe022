// The monitor scan on Linux: the DRM connectors that the kernel lists under
// <sysfs>/class/drm, one directory card<N>-<connector> per display output.
#pragma once

#include "inventory/monitor_list.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace moniquet {

// Replaces "/sys" as the sysfs root when set and not empty, so that a test
// can point the scan at a tree of its own.
inline constexpr const char* kSysfsRootVariable = "MONIQUET_SYSFS_ROOT";

// The sysfs root the scan reads: $MONIQUET_SYSFS_ROOT, else "/sys".
std::filesystem::path SysfsRoot();

// Something the scan passed over that the user should hear of.
struct ScanNote {
    // The file or folder concerned.
    std::filesystem::path path;
    // What became of it and why: "skipped: 1 byte, not an EDID".
    std::string reason;

    bool operator==(const ScanNote&) const = default;
};

using ScanNotes = std::vector<ScanNote>;

// Empties `list` and appends one record per connector of
// `sysfsRoot`/class/drm whose "edid" file holds an EDID, kept whole, in byte
// order of the connector names; the record's source is the connector's
// folder name ("card0-HDMI-A-1"). With kScanPresent only connectors whose
// "status" reads "connected" count, and their records are active; with any
// other flags every connector counts and no record is active. Returns the
// number appended, 0 when the folder cannot be read.
//
// Only regular files are read. A missing or empty "edid" (no monitor has
// ever answered on that output) is passed over silently; one of fewer than
// kMinimumEdidSize bytes (the kernel gives whole blocks) or more than
// kMaximumEdidSize is no EDID and is skipped, and so is one that is not a
// regular file or cannot be read. When `notes` is given, each of these, a
// "status" that is not a regular file or cannot be read, and a folder that
// cannot be read are added to it, each note once: a note already in `notes`
// (from the other pass of a refresh) is not added again.
int32_t ScanDrmConnectorsAt(const std::filesystem::path& sysfsRoot, MonitorList& list,
                            uint32_t flags, ScanNotes* notes = nullptr);

// ScanDrmConnectorsAt(SysfsRoot(), list, flags): the scan operation for
// RefreshMonitorList.
int32_t ScanDrmConnectors(MonitorList& list, uint32_t flags);

} // namespace moniquet
