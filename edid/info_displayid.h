// What DisplayID sections (extension blocks of tag 0x70) say. Part of
// EdidInfo (edid/edid_info.h).
#pragma once

#include "edid/info_base.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One DisplayID section.
struct DisplayIdInfo {
    // The extension block that holds it.
    uint32_t block = 0;
    // The section's version byte: 0x10 to 0x1F for 1.x, 0x20 on for 2.x.
    uint32_t version = 0;
    // The section's product type (1.x) or primary use case (2.x) code.
    uint32_t productType = 0;
    // The section's own checksum.
    bool checksumValid = false;
    // The names of its data blocks, in order.
    std::vector<std::string> dataBlocks;
    // The timings that are not detailed timings (types III, IV, VIII, IX,
    // DMT and VIC bitmaps), as modes.
    std::vector<ModeTiming> otherTimings;
};

// The first tiled display topology data block.
struct DisplayIdTiledTopology {
    uint32_t tilesH = 0;
    uint32_t tilesV = 0;
    uint32_t tileX = 0;
    uint32_t tileY = 0;
    uint32_t tileWidth = 0;
    uint32_t tileHeight = 0;
};

// One adaptive sync range.
struct DisplayIdAdaptiveSync {
    uint32_t minHz = 0;
    uint32_t maxHz = 0;
};
