#include "edid/whole_edid_checks.h"

#include "edid/checks_base.h"
#include "edid/cta_checks.h"
#include "edid/displayid_whole_checks.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using std::to_string;

// `value` with three decimals, rounded.
std::string Milli(double value) {
    const auto milli = static_cast<uint64_t>(value * 1000 + 0.5);
    std::string text = to_string(milli / 1000) + ".000";
    const std::string fraction = to_string(milli % 1000);
    return text.replace(text.size() - fraction.size(), fraction.size(), fraction);
}

std::optional<uint32_t> FirstBlockOf(const EdidInfo& info, BlockType type) {
    for (const BlockInfo& b : info.blocks) {
        if (b.type == type) {
            return b.index;
        }
    }
    return std::nullopt;
}

// Rounding the limits to whole Hz and kHz, and the clock up to 10 MHz,
// moves them by less than one unit; a timing outside by less than that is
// only a warning.
void CheckRanges(Walk& walk) {
    const EdidInfo& info = walk.info;
    const RateSpan& span = walk.listedRates;
    if (!info.rangeLimits || !span.any) {
        return;
    }
    const RangeLimits& limits = *info.rangeLimits;
    std::string outside;
    bool beyondRounding = false;
    const auto compare = [&](const char* what, double low, double high, double min, double max,
                             const char* unit) {
        // Limits are whole units: half a unit is rounding, a whole one is not.
        if (!(min + 0.5 < low || max >= high + 0.5)) {
            return;
        }
        beyondRounding |= min + 1 <= low || max >= high + 1;
        outside += outside.empty() ? "" : "; ";
        outside += what;
        outside += ' ';
        outside += Milli(min);
        outside += " to ";
        outside += Milli(max);
        outside += unit;
        outside += " against ";
        outside += to_string(static_cast<uint32_t>(low));
        outside += " to ";
        outside += to_string(static_cast<uint32_t>(high));
        outside += unit;
    };
    compare("vertical", limits.minVHz, limits.maxVHz, span.min.vHz, span.max.vHz, " Hz");
    compare("horizontal", limits.minHKHz, limits.maxHKHz, span.min.hKHz, span.max.hKHz, " kHz");
    if (limits.maxPixelClockMHz && span.max.clockMHz > *limits.maxPixelClockMHz) {
        beyondRounding |= span.max.clockMHz >= *limits.maxPixelClockMHz + 10.0;
        outside += outside.empty() ? "" : "; ";
        outside += "pixel clock up to ";
        outside += Milli(span.max.clockMHz);
        outside += " MHz against ";
        outside += to_string(*limits.maxPixelClockMHz);
        outside += " MHz";
    }
    if (outside.empty()) {
        return;
    }
    // EDID 1.4 lets listed timings lie outside the limits, which then bound
    // only the timings a source derives itself.
    const bool edid14 = info.version == 1u && info.revision.value_or(0) >= 4;
    const std::string message = "listed timings lie outside the range limits: " + outside +
                                (beyondRounding ? "" : " (by no more than rounding)");
    const DiagnosticSink sink = WholeSinkOf(walk, 0);
    if (beyondRounding && !edid14) {
        Fail(sink, DiagnosticCode::TimingsOutOfRange, std::nullopt, message);
    } else {
        Warn(sink, DiagnosticCode::TimingsOutOfRange, std::nullopt, message);
    }
}

// Native formats: the detailed timings the first CTA-861 block counts as
// native and the VICs flagged native. Progressive ones of several sizes
// leave the sink's native format unknown.
void CheckNativeTimings(Walk& walk) {
    const EdidInfo& info = walk.info;
    const CtaInfo& cta = *info.cta;
    std::vector<std::pair<uint32_t, uint32_t>> sizes;
    uint32_t counted = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        if (t.source != BlockType::DisplayId && counted++ < cta.nativeDtds.value_or(0) &&
            !t.interlaced) {
            sizes.emplace_back(t.width, t.height);
        }
    }
    for (const CtaVideo& v : cta.video) {
        if (v.native.value_or(false) && v.mode && !v.mode->interlaced) {
            sizes.emplace_back(v.mode->width, v.mode->height);
        }
    }
    if (sizes.size() < 2) {
        return;
    }
    const bool mixed = std::any_of(sizes.begin(), sizes.end(),
                                   [&sizes](const auto& s) { return s != sizes.front(); });
    const std::string message = to_string(sizes.size()) +
                                " progressive timings are flagged native" +
                                (mixed ? ", of several sizes" : ", all of one size");
    const DiagnosticSink sink = WholeSinkOf(walk, std::nullopt);
    if (mixed) {
        Fail(sink, DiagnosticCode::NativeTimingsMixed, std::nullopt, message);
    } else {
        Warn(sink, DiagnosticCode::NativeTimingsMixed, std::nullopt, message);
    }
}

void CheckCta(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (!info.cta || !FirstBlockOf(info, BlockType::Cta861)) {
        return;
    }
    CheckCtaWholeEdid(walk);
    CheckNativeTimings(walk);
}

} // namespace

void CheckWholeEdid(Walk& walk) {
    CheckBaseWholeEdid(walk);
    CheckRanges(walk);
    CheckCta(walk);
    CheckDisplayIdWhole(walk);
}
