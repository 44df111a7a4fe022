// The rules every detailed timing answers to, wherever it is stored: the
// 18-byte descriptors of the base block and CTA-861 blocks, the detailed
// timing descriptors of DisplayID.
#pragma once

#include "moniquet/monitor_record.h"

#include <string>

namespace moniquet {

// Appends to `faults` what of `t` no sink can show, one phrase per broken
// rule, ", "-separated (e.g. "a horizontal front porch of 0"). An interlaced
// timing gives the lines of one field.
void NoteDetailedTimingFaults(const DetailedTiming& t, bool interlaced, std::string& faults);

} // namespace moniquet
