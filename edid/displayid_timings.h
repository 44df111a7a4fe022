// The timings of DisplayID data blocks, for displayid_block.cpp.
#pragma once

#include "edid/diagnostics.h"
#include "edid/info_blocks.h"
#include "edid/timing_rates.h"

#include <cstdint>
#include <span>

namespace moniquet {

// One data block: its tag, its revision byte and its payload, cut to the
// bytes the section holds.
struct DisplayIdDataBlock {
    uint8_t tag = 0;
    uint8_t revision = 0;
    std::span<const uint8_t> payload;
};

// Adds the timings of a timing data block (types I to X, DMT and VIC
// bitmaps): detailed ones to `info.detailedTimings` with the block index
// `blockIndex`, the others to `section.otherTimings`. Any other data block
// adds nothing. A timing cut short by the payload's end is left out. The
// rates of every timing go to `rates`. Each descriptor is checked as it is
// read, into `sink`, which names offsets of the payload.
void AddDisplayIdTimings(const DisplayIdDataBlock& block, uint32_t blockIndex,
                         DisplayIdInfo& section, EdidInfo& info, RateSpan& rates,
                         const DiagnosticSink& sink, DisplayIdScratch& scratch);

} // namespace moniquet
