// The EDIDs an X server log (Xorg.0.log) holds: each after a line
// "EDID (in hex):" of the driver that read it, as lines of hex digits behind
// the log's prefix ("[    28.014] (II) modeset(0): ").
#pragma once

#include "cli/hex_dump.h"
#include "moniquet/edid_bytes.h"

#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

// Whether one of `lines`, its log prefix taken off, is "EDID (in hex):".
bool IsXorgLog(const std::vector<std::string_view>& lines);

// The bytes of the log's first EDID: the lines after its "EDID (in hex):"
// that have the same source ("modeset(0)") and hex digits alone, up to the
// first that has not; every other line of the log is passed over. The spans
// give where each line's bytes start. When the log holds more than one
// EDID, the warning says how many. A BadText error when no hex line
// follows the first "EDID (in hex):" or a line of it holds an odd number of
// digits.
Result<HexTextBytes> ReadXorgLog(const std::vector<std::string_view>& lines);

} // namespace moniquet
