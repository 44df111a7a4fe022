// The video formats of CTA-861 that a VIC (video identification code)
// names: VICs 1 to 127 and 193 to 219.
#pragma once

#include "edid/dmt_table.h"
#include "moniquet/cta_names.h"
#include "moniquet/info_base.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace moniquet {

// The format of `vic` with its blanking, clock and picture aspect ratio
// (nominalHz left 0); empty for a VIC the table does not define.
std::optional<TableMode> FindVicTableMode(uint32_t vic);

// The mode of `vic` with its exact rate; empty for a VIC the table does not
// define.
std::optional<ModeTiming> FindVicMode(uint32_t vic);

// The CTA-861 VIC of HDMI VIC 1 to 4 (95, 94, 93, 98); empty for others.
std::optional<uint32_t> VicOfHdmiVic(uint32_t hdmiVic);

// Every format of the table with its VIC, in VIC order.
struct VicEntry {
    uint32_t vic = 0;
    TableMode format;
};
std::span<const VicEntry> VicEntries();

} // namespace moniquet
