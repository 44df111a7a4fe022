// The few figures of a monitor that a fleet compares, each taken from the
// decoded EDID in one place, so that a richer decoder can feed them later
// without the outputs that show them changing.
#pragma once

#include "edid/edid_info.h"

#include <cstdint>
#include <optional>
#include <string>

// The mode the monitor asks for: the first detailed timing of the base
// block, which EDID 1.4 makes the preferred one and which 1.3 monitors
// put first in practice.
std::optional<TimingInfo> PreferredTiming(const EdidInfo& info);

// The highest refresh rate among the detailed timings of every block.
std::optional<double> MaxRefreshHz(const EdidInfo& info);

// The year of manufacture; none for a model year, which says when the model
// came out, not the unit.
std::optional<uint32_t> ManufactureYear(const EdidInfo& info);

// The serial as a person finds it on the label: the serial string, else the
// serial number in decimal, else empty.
std::u16string SerialText(const EdidInfo& info);
