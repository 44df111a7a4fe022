// The rates a sink syncs to for a timing, and their extremes over many
// timings: what range limits bound.
#pragma once

#include "edid/dmt_table.h"

#include <algorithm>
#include <cmath>

namespace moniquet {

struct Rates {
    // Line rate, kHz.
    double hKHz = 0;
    // Frames per second, or fields per second of an interlaced timing.
    double vHz = 0;
    double clockMHz = 0;
};

struct RateSpan {
    bool any = false;
    Rates min{1e12, 1e12, 0};
    Rates max{0, 0, 0};
};

// A timing of no pixels or lines a line (a formula fed a size of 0) has no
// rates to add.
inline void AddRates(RateSpan& span, const Rates& r) {
    if (!std::isfinite(r.hKHz) || !std::isfinite(r.vHz)) {
        return;
    }
    span.any = true;
    span.min.hKHz = std::min(span.min.hKHz, r.hKHz);
    span.min.vHz = std::min(span.min.vHz, r.vHz);
    span.max.hKHz = std::max(span.max.hKHz, r.hKHz);
    span.max.vHz = std::max(span.max.vHz, r.vHz);
    span.max.clockMHz = std::max(span.max.clockMHz, r.clockMHz);
}

// The rates of a table's mode (a field's half of the lines when
// interlaced).
inline Rates RatesOf(const TableMode& mode) {
    const double hKHz = static_cast<double>(mode.pixelClockKHz) / HTotal(mode);
    return {hKHz, hKHz * 1000.0 / FieldLines(mode), mode.pixelClockKHz / 1000.0};
}

} // namespace moniquet
