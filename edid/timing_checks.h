// The checks that weigh timings against each other, against the tables of
// the standards and against the EDID's own limits. The block decoders call
// the ones of the walk as they read the timings; CheckTimings runs with the
// other rules of the whole EDID, on the decoded model and what the walk
// gathered (Walk::listedRates, Walk::timings). Private to the decoders.
#pragma once

#include "edid/diagnostics.h"
#include "edid/info_blocks.h"
#include "moniquet/monitor_record.h"

#include <cstdint>
#include <span>

namespace moniquet {

// Before the base block's timings: what of its descriptors the rates of its
// standard timings depend on.
void NoteBaseBlockForTimings(WholeBlock block, Walk& walk);

// Adds the rates of a standard timing code (bytes 38 to 53, or of a
// descriptor 0xFA): DMT's mode of that code, else the formulas' of the
// size and rate it names, as the EDID's version and range limits say.
void AddStandardTimingRates(uint8_t first, uint8_t second, Walk& walk);

// Adds the rates of the modes that display descriptors 0xF7 (established
// timings III), 0xF8 (CVT 3-byte codes) and, outside the base block, 0xFA
// name.
void AddDisplayDescriptorRates(Descriptor descriptor, BlockType source, Walk& walk);

// A detailed timing weighed against DMT and the VICs: one that differs from
// a table's mode in its porches, syncs or polarities only is reported to
// `sink` (the descriptor's); one identical to a VIC is kept for
// CheckTimings, which looks for that VIC in the video data blocks. `offset`
// is the descriptor's in block `blockIndex`.
void CheckDetailedTimingAgainstTables(Descriptor descriptor, const DetailedTiming& timing,
                                      uint32_t blockIndex, std::size_t offset,
                                      const DiagnosticSink& sink, Walk& walk);

// A video data block of block `blockIndex` (`sink` naming offsets of its
// payload): the order of its VICs, and its first VIC against the base
// block's first detailed timing.
void CheckVideoDataBlockTimings(std::span<const uint8_t> payload, uint32_t blockIndex,
                                const DiagnosticSink& sink, Walk& walk);

// A YCbCr 4:2:0 video data block: its VICs' rates, and those too slow for
// HDMI's 4:2:0.
void CheckYcbcr420VideoTimings(std::span<const uint8_t> payload, const DiagnosticSink& sink,
                               Walk& walk);

// After every block: the listed timings against the range limits and the
// HDMI clock, the formats CTA-861 requires, the native and preferred
// formats, the detailed timings identical to VICs no block lists.
void CheckTimings(Walk& walk);

} // namespace moniquet
