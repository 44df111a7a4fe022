// What the CTA-861 data blocks say, over every CTA-861 block (and the
// CTA-861 data blocks that DisplayID 2 sections embed). Part of EdidInfo
// (edid/edid_info.h).
#pragma once

#include "edid/info_base.h"

#include <cstdint>
#include <optional>
#include <vector>

// Bits of HdrStaticMetadata::eotfs.
inline constexpr uint8_t kEotfSdr = 0x01; // traditional gamma, SDR range
inline constexpr uint8_t kEotfHdr = 0x02; // traditional gamma, HDR range
inline constexpr uint8_t kEotfPq = 0x04;  // perceptual quantizer
inline constexpr uint8_t kEotfHlg = 0x08; // hybrid log-gamma

// The first HDR static metadata data block of the CTA-861 blocks. Each
// field is empty when the block is too short to hold it.
struct HdrStaticMetadata {
    // kEotf* bits, from bits 0 to 3 of the block's first byte after its
    // extended tag.
    std::optional<uint8_t> eotfs;
    // Luminances in cd/m².
    std::optional<double> maxLuminance;
    std::optional<double> maxFrameAverageLuminance;
    // Needs the maximum luminance too, which it is relative to.
    std::optional<double> minLuminance;
};

// What the CTA-861 blocks hold, taken together.
// One short video descriptor of a video data block.
struct CtaVideo {
    // The VIC, native flag removed: 1 to 255.
    uint32_t vic = 0;
    // A byte 129 to 192 is VIC 1 to 64 flagged native; 1 to 64 unflagged;
    // empty for any other byte, whose VIC cannot be flagged.
    std::optional<bool> native;
    // The mode of the VIC table; empty for a VIC it does not define.
    std::optional<ModeTiming> mode;
};

struct CtaInfo {
    // VIC numbers of every video data block, in block order; native flags
    // removed, reserved bytes skipped. Each 1 to 255.
    std::vector<uint32_t> vics;
    std::optional<HdrStaticMetadata> hdr;
    // Every short video descriptor, in block order, reserved bytes skipped.
    std::vector<CtaVideo> video;
    // VICs of the YCbCr 4:2:0 video data blocks.
    std::vector<uint32_t> ycbcr420OnlyVics;
    // The HDMI VICs of the HDMI vendor-specific block, as CTA-861 VICs
    // (HDMI VIC 1 to 4 are VICs 95, 94, 93 and 98).
    std::vector<uint32_t> hdmiVics;
    // Detailed timings that the first CTA block's header counts as native.
    std::optional<uint32_t> nativeDtds;
};
