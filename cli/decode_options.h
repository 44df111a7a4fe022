// How the commands decode an EDID: with the checks, taking today's date
// from SOURCE_DATE_EPOCH when it is set, so that outputs made for tests or
// reproducible builds do not change with the calendar.
#pragma once

#include "moniquet/edid_info.h"

#include <optional>
#include <string_view>

namespace moniquet {

// The year of `epoch`, a count of seconds since 1970-01-01 UTC in decimal;
// empty when it is not one.
std::optional<uint32_t> YearOfEpoch(std::string_view epoch);

// The checks on, the reference year that of SOURCE_DATE_EPOCH when the
// environment holds a valid one, else the clock's.
DecodeOptions CommandDecodeOptions();

} // namespace moniquet
