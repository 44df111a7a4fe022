// The names of DisplayID data blocks, as Debian's edid-decode heads them
// (without the OUI or length it adds), so that both tools read alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace moniquet {

// E.g. "Video Timing Modes Type 1 - Detailed Timings Data Block",
// "Vendor-Specific Data Block (0x7f) (Apple)" for a vendor block whose
// OUI, read in either byte order, has a known name, or
// "Unknown DisplayID Data Block (0x14)".
std::string DisplayIdBlockName(uint8_t tag, std::optional<uint32_t> vendorOui);

} // namespace moniquet
