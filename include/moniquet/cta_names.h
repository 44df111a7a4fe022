// The names of what CTA-861 data blocks hold, as Debian's edid-decode
// prints them (short forms where it prints a long one), so that both tools
// read alike.
#pragma once

#include "moniquet/info_cta.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moniquet {

// "HDMI", "HDMI Forum", "AMD", "Dolby", "HDR10+", ...; empty for an OUI
// without a known name.
std::optional<std::string_view> VendorName(uint32_t oui);

// The heading of a data block, e.g. "Video Data Block",
// "Vendor-Specific Data Block (HDMI)" or
// "Unknown CTA-861 Data Block (tag 0x00, length 2)".
std::string CtaDataBlockName(const CtaDataBlock& block);

// "LPCM", "AC-3", "E-AC-3", "MPEG-4 HE AAC", ...; empty for a reserved code.
std::optional<std::string_view> AudioFormatName(const CtaAudio& audio);

// Speaker allocation bit 0 to 20: "FL/FR", "LFE1", ...; empty past them.
std::optional<std::string_view> SpeakerName(unsigned bit);

// Colorimetry bit 0 to 15 (the second byte in bits 8 to 15): "xvYCC601",
// ..., "BT2020RGB", "Default", "sRGB", "ICtCp", "ST2113RGB"; empty for the
// gamut-metadata bits 8 to 11.
std::optional<std::string_view> ColorimetryName(unsigned bit);

// A scan behaviour 0 to 3 of preferred ("PT"), IT or CE formats, e.g.
// "Always Underscanned"; 0 is "No Data" for PT and "IT video formats not
// supported" or "CE video formats not supported" for the others.
std::string_view ScanBehaviourName(std::string_view kind, uint32_t value);

// Bit 0 to 6 of a short audio descriptor's sample rates: 32,000, 44,100,
// 48,000, 88,200, 96,000, 176,400 and 192,000 Hz; empty past them.
std::optional<uint32_t> SampleRateHz(unsigned bit);

// Bit 0 to 2 of an LPCM descriptor's sample sizes: 16, 20 and 24 bits;
// empty past them.
std::optional<uint32_t> SampleSizeBits(unsigned bit);

// The picture aspect ratio of `vic`, e.g. "16:9" or "64:27"; empty for a VIC
// the table does not define.
std::optional<std::string_view> VicAspect(uint32_t vic);

} // namespace moniquet
