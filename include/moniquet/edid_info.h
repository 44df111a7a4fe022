// Everything `moniquet-cli info` shows of an EDID: the base block and every
// extension block, read from the whole EDID as its source held it. Where
// the EDID gives nothing a field is empty (std::nullopt or an empty list),
// never a made-up value.
#pragma once

#include "moniquet/block_types.h"
#include "moniquet/diagnostics.h"
#include "moniquet/info_base.h"
#include "moniquet/info_cta.h"
#include "moniquet/info_displayid.h"
#include "moniquet/info_modes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace moniquet {

// One whole 128-byte block of the EDID.
struct BlockInfo {
    // Position in the EDID, 0 for the base block.
    uint32_t index = 0;
    BlockType type = BlockType::Unknown;
    // The block's 128 bytes sum to 0 modulo 256.
    bool checksumValid = false;
    // Past the blocks that the base block's extension count announces:
    // listed and checksummed, but not decoded.
    bool beyondCount = false;
    // The content of an extension block other than CTA-861 and DisplayID
    // (whose data blocks carry theirs), field by field: the video timing,
    // display information, localized string and block map blocks; empty
    // for other kinds, or when decoded without fields.
    std::optional<Fields> fields;
};

// One detailed timing: an 18-byte descriptor whose bytes 0 and 1 are not
// both zero, of the base block or of a CTA-861 block, or a DisplayID
// detailed timing.
struct TimingInfo {
    // Index of the block that holds it.
    uint32_t block = 0;
    // The kind of that block: Base, Cta861 or DisplayId.
    BlockType source = BlockType::Base;
    // The base block's first descriptor when byte 24 flags it, or a
    // DisplayID timing flagged preferred.
    bool preferred = false;
    // Horizontal addressable video, pixels, 0 to 4095 (DisplayID: to
    // 65536).
    uint32_t width = 0;
    // Vertical addressable video, lines: the frame's, so twice the stored
    // lines when `interlaced`; 0 to 8190.
    uint32_t height = 0;
    // Bit 7 of the descriptor's byte 17.
    bool interlaced = false;
    // Frames per second, or fields per second when `interlaced`; empty when
    // the total width or height is 0.
    std::optional<double> refreshHz;
    // Pixel clock in kHz: a multiple of 10, 10 to 655350, for 18-byte
    // descriptors; DisplayID's reach 167772160 (type I) and come in steps
    // of 1 kHz (types VI and VII).
    uint32_t pixelClockKHz = 0;
    // The step in kHz in which the clock is stored: 10 for 18-byte
    // descriptors and DisplayID types I and II, 1 for types VI and VII. The
    // clock is shown to the decimals of this step, no more and no fewer.
    uint32_t pixelClockStepKHz = 10;
    // Image size in mm, 0 to 4095 each, 0 where the descriptor holds 0;
    // empty for DisplayID timings, which have none.
    std::optional<uint32_t> imageWidthMm;
    std::optional<uint32_t> imageHeightMm;
    // Blanking in pixels (horizontal) and lines (vertical): front porch and
    // sync width as stored, back porch what remains of the blanking after
    // them and the borders on both sides, below 0 when they overrun it
    // (a field's of an interlaced DisplayID timing, rounded towards 0).
    uint32_t hFrontPorch = 0;
    uint32_t hSync = 0;
    int32_t hBackPorch = 0;
    uint32_t vFrontPorch = 0;
    uint32_t vSync = 0;
    int32_t vBackPorch = 0;
    // Sync polarities: for digital separate sync only (byte 17 bits 4 and 3
    // both set) or DisplayID timings.
    std::optional<bool> hSyncPositive;
    std::optional<bool> vSyncPositive;
    // Border width, pixels and lines, 0 to 255.
    uint32_t hBorder = 0;
    uint32_t vBorder = 0;
};

// The monitor's range limits (display descriptor 0xFD of the base block),
// with the EDID 1.4 offsets applied where the version has them.
struct RangeLimits {
    // Vertical rate, Hz, 0 to 510.
    uint32_t minVHz = 0;
    uint32_t maxVHz = 0;
    // Horizontal rate, kHz, 0 to 510.
    uint32_t minHKHz = 0;
    uint32_t maxHKHz = 0;
    // Maximum pixel clock, MHz, 10 to 2550; empty when the byte is 0.
    std::optional<uint32_t> maxPixelClockMHz;
    // Byte 10.
    RangeSubtype subtype = RangeSubtype::Reserved;
};

// The screen's size from the base block, cm, 1 to 255 each.
struct ScreenSizeCm {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The whole EDID. Fields read from the base block are empty when fewer than
// 128 bytes were given.
struct EdidInfo {
    // Bytes given, any number.
    std::size_t sizeBytes = 0;
    // Bytes 0 to 7 are 00 FF FF FF FF FF FF 00.
    bool headerValid = false;
    // Bytes 18 and 19, the EDID version and revision, 0 to 255 each.
    std::optional<uint32_t> version;
    std::optional<uint32_t> revision;
    // Byte 126, 0 to 255.
    std::optional<uint32_t> extensionCount;
    // Fewer bytes than the base block and its extension blocks need.
    bool truncated = false;
    // One per whole 128-byte block given, in order, even past the ones that
    // `extensionCount` announces.
    std::vector<BlockInfo> blocks;
    // Three code units from U+0040 to U+005F, as DecodeVendorId gives them.
    std::optional<std::u16string> manufacturerId;
    // The maker's name, empty when the code is not known.
    std::optional<std::u16string> manufacturerName;
    // Bytes 10 and 11, little-endian, 0 to 65535.
    std::optional<uint32_t> productCode;
    // Bytes 12 to 15, little-endian; empty when 0.
    std::optional<uint32_t> serialNumber;
    // Texts of display descriptors 0xFF and 0xFC: the base block's first,
    // else the first of the CTA-861 blocks. Each up to 13 code units from
    // U+0000 to U+00FF, one per byte, up to the first line feed, trailing
    // spaces removed.
    std::optional<std::u16string> serialString;
    std::optional<std::u16string> productName;
    // Texts of every display descriptor 0xFE of the base block, in order,
    // read as above.
    std::vector<std::u16string> dataStrings;
    // Byte 16 when it is neither 0 nor 0xFF, 1 to 254.
    std::optional<uint32_t> manufactureWeek;
    // Byte 17 + 1990 when byte 16 is not 0xFF, 1990 to 2245.
    std::optional<uint32_t> manufactureYear;
    // Byte 17 + 1990 when byte 16 is 0xFF, 1990 to 2245.
    std::optional<uint32_t> modelYear;
    // Bit 7 of byte 20.
    std::optional<bool> digital;
    // Byte 20 whole.
    std::optional<VideoInput> videoInput;
    // Bytes 23 and 24.
    std::optional<Features> features;
    std::optional<Chromaticity> chromaticity;
    // The modes of the set bits of bytes 35 to 37, byte 35 bit 7 first.
    std::vector<ModeTiming> establishedTimings;
    // Bytes 38 to 53, then those of descriptors 0xFA, in order; unused
    // entries left out.
    std::vector<StandardTiming> standardTimings;
    // The base block's four descriptors, in order.
    std::vector<DescriptorContent> descriptors;
    // Bytes 21 and 22; empty unless both are non-zero.
    std::optional<ScreenSizeCm> screenSizeCm;
    // The base block's, then each CTA-861 or DisplayID block's, in block
    // order.
    std::vector<TimingInfo> detailedTimings;
    // The diagonal in inches, from the first detailed timing's image size,
    // else from the screen size.
    std::optional<double> diagonalInches;
    std::optional<RangeLimits> rangeLimits;
    // Empty when no block holds CTA-861 data.
    std::optional<CtaInfo> cta;
    // One per DisplayID section, in block order.
    std::vector<DisplayIdInfo> displayId;
    std::optional<DisplayIdTiledTopology> displayIdTiled;
    std::vector<DisplayIdAdaptiveSync> displayIdAdaptiveSync;
    // Every mode the EDID names, merged and sorted.
    std::vector<ModeInfo> modes;
    // The rules of the standards the EDID breaks, failures and warnings:
    // those the walk found block by block, in the order read, then those of
    // the EDID as a whole (edid/whole_edid_checks.h); empty for an EDID
    // that breaks none.
    Diagnostics diagnostics;
};

struct DecodeOptions {
    // Whether the walk reports the rules the EDID breaks; without, nothing
    // else changes and `diagnostics` stays empty.
    bool checks = true;
    // The year the checks take for this one: a year of manufacture more
    // than a year after it is a fault. Empty: the clock's year (UTC), so
    // that a test pins it to keep its expectations through the calendar.
    std::optional<uint32_t> referenceYear;
    // Whether each data block and extension block gets its `fields`;
    // without, they stay empty and nothing else changes.
    bool fields = true;
};

// The decoding alone, for what measures or compares it.
inline constexpr DecodeOptions kDecodeWithoutChecks{false, std::nullopt, true};

// Decodes `edid`, of any length. Nothing past its end is read, and a block
// cut short is not decoded: below 128 bytes only `sizeBytes`, `headerValid`
// (from whatever header bytes there are) and `truncated` are filled.
EdidInfo DecodeEdidInfo(std::span<const uint8_t> edid, DecodeOptions options = {});

} // namespace moniquet
