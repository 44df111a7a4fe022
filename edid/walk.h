// One walk of DecodeEdidInfo over an EDID's blocks: what the block decoders
// share besides the EdidInfo they fill. Private to the decoders.
#pragma once

#include "edid/base_check_state.h"
#include "edid/cta_check_state.h"
#include "edid/displayid_checks.h"
#include "edid/edid_info.h"
#include "edid/timing_rates.h"

#include <cstdint>

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
};

// A walk that fills `info`, reporting to `diagnostics` (none: checks off).
inline Walk StartWalk(EdidInfo& info, Diagnostics* diagnostics) {
    return {info, diagnostics, {}, {}, {}, {}};
}

// `walk` carried on over `info`, a copy of the EdidInfo it filled.
inline Walk CarryWalk(const Walk& walk, EdidInfo& info) {
    return {info, walk.diagnostics, walk.listedRates, walk.base, walk.displayId, walk.cta};
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
