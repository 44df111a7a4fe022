// What DisplayID sections (extension blocks of tag 0x70) say. Part of
// EdidInfo (moniquet/edid_info.h).
#pragma once

#include "moniquet/fields.h"
#include "moniquet/info_base.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace moniquet {

// The first version byte of DisplayID 2.x, whose sections name a primary use
// case where 1.x ones name a product type, and whose blocks have other tags.
inline constexpr uint32_t kDisplayIdVersion2 = 0x20;

// A product identification data block (tag 0x00 or 0x20).
struct DisplayIdProduct {
    // Tag 0x00: the maker's three PNP ID letters, one code unit per byte as
    // stored, e.g. u"ABC"; tag 0x20: its IEEE OUI, e.g. u"84-8A-59".
    std::u16string vendor;
    // Little-endian, 0 to 65535.
    uint32_t productCode = 0;
    // Little-endian; empty when 0.
    std::optional<uint32_t> serialNumber;
    // 1 to 54; empty for 0 or anything past 54.
    std::optional<uint32_t> week;
    // 2000 + the stored byte: the year of manufacture, or the model year
    // when the week byte is 0xFF.
    uint32_t year = 0;
    bool modelYear = false;
    // The product's text, one code unit per byte; empty when it has none.
    std::optional<std::u16string> productText;
};

// A display parameters data block (tag 0x01 or 0x21).
struct DisplayIdParameters {
    // Image size, mm, to a tenth of a mm.
    double imageWidthMm = 0;
    double imageHeightMm = 0;
    // Native pixel format, 0 to 65535 each.
    uint32_t nativeWidth = 0;
    uint32_t nativeHeight = 0;
    // (byte + 100) / 100, 1.00 to 3.54; empty for 0xFF.
    std::optional<double> gamma;
};

// One data block of a DisplayID section.
struct DisplayIdDataBlockEntry {
    // Its tag (byte 0), 0 to 255, and revision (byte 1), 0 to 255.
    uint32_t tag = 0;
    uint32_t revision = 0;
    // Where its header starts in the EDID, and the payload's length
    // (byte 2), 0 to 248.
    uint32_t offset = 0;
    uint32_t length = 0;
    // As DisplayIdBlockName gives it.
    std::string name;
    // What it holds, field by field (moniquet/fields.h); empty for a tag the
    // standards do not define, or when decoded without fields.
    std::optional<Fields> fields;
};

// One DisplayID section.
struct DisplayIdInfo {
    // The extension block that holds it.
    uint32_t block = 0;
    // The section's version byte: 0x10 to 0x1F for 1.x, kDisplayIdVersion2
    // (0x20) on for 2.x.
    uint32_t version = 0;
    // The section's product type (1.x) or primary use case (2.x) code.
    uint32_t productType = 0;
    // The section's own checksum.
    bool checksumValid = false;
    // Its data blocks, in order.
    std::vector<DisplayIdDataBlockEntry> dataBlocks;
    // The timings that are not detailed timings, as modes: DMT and VIC
    // codes (types IV and VIII, the DMT and VIC bitmaps) at their tables'
    // exact rates, formula timings (types III, V, IX and X) at the nominal
    // rate they store. Codes the tables lack are left out.
    std::vector<ModeTiming> otherTimings;
    // The section's first product identification and display parameters
    // data blocks; empty when it has none or they are cut short.
    std::optional<DisplayIdProduct> product;
    std::optional<DisplayIdParameters> parameters;
};

// The first tiled display topology data block (tag 0x12 or 0x28).
struct DisplayIdTiledTopology {
    // Tiles across and down, 1 to 64 each; this tile's column and row, 0
    // to 63; its size in pixels, 1 to 65536.
    uint32_t tilesH = 0;
    uint32_t tilesV = 0;
    uint32_t tileX = 0;
    uint32_t tileY = 0;
    uint32_t tileWidth = 0;
    uint32_t tileHeight = 0;
};

// One descriptor of an adaptive sync data block (tag 0x2B): the refresh
// range, Hz, the minimum 0 to 255, the maximum 1 to 1024.
struct DisplayIdAdaptiveSync {
    uint32_t minHz = 0;
    uint32_t maxHz = 0;
};

} // namespace moniquet
