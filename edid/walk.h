// One walk of DecodeEdidInfo over an EDID's blocks: what the block decoders
// share besides the EdidInfo they fill. Private to the decoders.
#pragma once

#include "edid/base_check_state.h"
#include "edid/cta_check_state.h"
#include "edid/diagnostics.h"
#include "edid/displayid_checks.h"
#include "edid/timing_rates.h"
#include "moniquet/edid_info.h"

#include <array>
#include <cstdint>
#include <optional>

namespace moniquet {

// What the checks of timings gather as the walk reads the blocks, for the
// rules that need every block (edid/timing_checks.h).
struct TimingsSeen {
    // The base block's range limits say CVT (EDID 1.4): standard timings
    // outside DMT are CVT's, and GTF's for the sources of EDID 1.3.
    bool cvtOffered = false;
    // The base block's first detailed timing in full, as a source reads
    // it; empty without one, or below 10 MHz.
    std::optional<TableMode> firstDtd;
    // Detailed timings identical to a VIC: the block, the descriptor's
    // offset and the VIC, of the first kDtdsAsVic.
    struct DtdAsVic {
        uint32_t block = 0;
        uint32_t offset = 0;
        uint32_t vic = 0;
    };
    static constexpr std::size_t kDtdsAsVic = 8;
    std::array<DtdAsVic, kDtdsAsVic> dtdsAsVic{};
    std::size_t dtdAsVicCount = 0;
    // The first VIC of the video data blocks that the table defines: the
    // data block's block and the code's offset in it, and whether the base
    // block's first detailed timing is that VIC's timing (empty without
    // such a timing).
    struct FirstVic {
        uint32_t block = 0;
        uint32_t offset = 0;
        uint32_t vic = 0;
        std::optional<bool> isFirstDtd;
    };
    std::optional<FirstVic> firstVic;
    // A video data block of the first CTA-861 block lists VIC 1.
    bool vic1 = false;
    // YCbCr 4:2:0 timings below HDMI's least 4:2:0 rate were reported.
    bool ycbcr420BelowRateReported = false;
};

struct Walk {
    EdidInfo& info;
    // Where the diagnostics go: info.diagnostics, or nowhere when the
    // checks are off.
    Diagnostics* diagnostics = nullptr;
    // The rates of every timing listed so far whose rates are known, for
    // the check against the range limits once every block is read.
    RateSpan listedRates;
    // What the base block's and the descriptors' checks carry along.
    BaseCheckState base;
    // What the DisplayID rules of the whole EDID need of its sections.
    DisplayIdScratch displayId;
    // What the checks of CTA-861 data carry from one data block to the next.
    CtaCheckState cta;
    // The timings read so far, for the rules that weigh them.
    TimingsSeen timings;
    // Whether the data blocks get their fields (DecodeOptions::fields).
    bool fields = true;
};

// A walk that fills `info`, reporting to `diagnostics` (none: checks off).
inline Walk StartWalk(EdidInfo& info, Diagnostics* diagnostics) {
    return {info, diagnostics, {}, {}, {}, {}, {}, true};
}

// `walk` carried on over `info`, a copy of the EdidInfo it filled.
inline Walk CarryWalk(const Walk& walk, EdidInfo& info) {
    return {info,           walk.diagnostics, walk.listedRates, walk.base,
            walk.displayId, walk.cta,         walk.timings,     walk.fields};
}

// Where the decoder of block `block` reports.
inline DiagnosticSink SinkOf(Walk& walk, uint32_t block) {
    return {walk.diagnostics, block, 0};
}

// Where the checks of the EDID as a whole report, about `block` or, when
// empty, about no one block.
inline DiagnosticSink WholeSinkOf(Walk& walk, std::optional<uint32_t> block) {
    return {walk.diagnostics, block, 0};
}

} // namespace moniquet
