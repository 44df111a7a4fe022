// The few figures of a monitor that a fleet compares, each taken from the
// decoded EDID in one place.
#pragma once

#include "moniquet/edid_info.h"

#include <cstdint>
#include <optional>
#include <string>

namespace moniquet {

// The mode the monitor asks for: the detailed timing flagged preferred,
// else the first of the base block, which 1.3 monitors put first in
// practice.
std::optional<TimingInfo> PreferredTiming(const EdidInfo& info);

// The highest refresh rate of the modes the EDID names, DisplayID's and
// the CTA-861 VICs' included, but for those only the established timing
// bits name: a fixed set of old modes (720x400 at 88 Hz, say) that tells
// nothing of what a monitor is made for.
std::optional<double> MaxRefreshHz(const EdidInfo& info);

// The year of manufacture; none for a model year, which says when the model
// came out, not the unit.
std::optional<uint32_t> ManufactureYear(const EdidInfo& info);

// The serial as a person finds it on the label: the serial string, else the
// serial number in decimal, else empty.
std::u16string SerialText(const EdidInfo& info);

} // namespace moniquet
