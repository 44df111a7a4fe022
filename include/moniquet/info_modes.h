// One list of every mode an EDID names. Part of EdidInfo (moniquet/edid_info.h).
#pragma once

#include <cstdint>
#include <optional>

namespace moniquet {

// Where a mode is named, as bits of ModeInfo::sources, in the order the
// outputs list them.
inline constexpr uint32_t kModeFromEstablished = 1u << 0;
inline constexpr uint32_t kModeFromStandard = 1u << 1;
inline constexpr uint32_t kModeFromBase = 1u << 2;      // detailed timing of the base block
inline constexpr uint32_t kModeFromCta = 1u << 3;       // detailed timing of a CTA-861 block
inline constexpr uint32_t kModeFromDisplayId = 1u << 4; // any DisplayID timing
inline constexpr uint32_t kModeFromVic = 1u << 5;       // VIC, 4:2:0-only VIC or HDMI VIC

struct ModeInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    // Frames (or fields) per second; empty where a timing's totals are 0.
    std::optional<double> refreshHz;
    bool interlaced = false;
    // kModeFrom* bits.
    uint32_t sources = 0;
    // As TimingInfo::preferred, for any timing merged into it.
    bool preferred = false;
    // A native VIC, or one of the detailed timings that the first CTA-861
    // block counts as native.
    bool native = false;
};

} // namespace moniquet
