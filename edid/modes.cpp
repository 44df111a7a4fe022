// One list of every mode the EDID names, from every kind of timing.
#include "edid/info_blocks.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <cmath>

namespace moniquet {

namespace {

// Rates that differ by less than this are one mode named twice (a table's
// exact rate and a timing's rounded clock).
constexpr double kSameRateHz = 0.01;

void Add(std::vector<ModeInfo>& modes, const ModeTiming& m, uint32_t source) {
    modes.push_back({m.width, m.height, m.refreshHz, m.interlaced, source, false, false});
}

uint32_t SourceOf(BlockType type) {
    return type == BlockType::Base     ? kModeFromBase
           : type == BlockType::Cta861 ? kModeFromCta
                                       : kModeFromDisplayId;
}

void AddVic(std::vector<ModeInfo>& modes, uint32_t vic, bool native) {
    if (const std::optional<ModeTiming> mode = FindVicMode(vic)) {
        Add(modes, *mode, kModeFromVic);
        modes.back().native = native;
    }
}

// Width, height, progressive first, rate (none last), the first three
// descending.
bool Before(const ModeInfo& a, const ModeInfo& b) {
    if (a.width != b.width) {
        return a.width > b.width;
    }
    if (a.height != b.height) {
        return a.height > b.height;
    }
    if (a.interlaced != b.interlaced) {
        return !a.interlaced;
    }
    if (a.refreshHz.has_value() != b.refreshHz.has_value()) {
        return a.refreshHz.has_value();
    }
    return a.refreshHz.value_or(0) > b.refreshHz.value_or(0);
}

bool SameMode(const ModeInfo& a, const ModeInfo& b) {
    if (a.width != b.width || a.height != b.height || a.interlaced != b.interlaced ||
        a.refreshHz.has_value() != b.refreshHz.has_value()) {
        return false;
    }
    return !a.refreshHz || std::fabs(*a.refreshHz - *b.refreshHz) < kSameRateHz;
}

// How many modes ModesOf gathers before it merges those named twice.
std::size_t ModesNamed(const EdidInfo& info) {
    std::size_t count =
        info.establishedTimings.size() + info.standardTimings.size() + info.detailedTimings.size();
    if (info.cta) {
        count +=
            info.cta->video.size() + info.cta->ycbcr420OnlyVics.size() + info.cta->hdmiVics.size();
    }
    for (const DisplayIdInfo& section : info.displayId) {
        count += section.otherTimings.size();
    }
    return count;
}

} // namespace

std::vector<ModeInfo> ModesOf(const EdidInfo& info) {
    std::vector<ModeInfo> all;
    all.reserve(ModesNamed(info));
    for (const ModeTiming& m : info.establishedTimings) {
        Add(all, m, kModeFromEstablished);
    }
    for (const StandardTiming& t : info.standardTimings) {
        Add(all,
            t.dmt.value_or(
                ModeTiming{t.width, t.height, false, static_cast<double>(t.refreshHzNominal)}),
            kModeFromStandard);
    }
    const uint32_t nativeDtds = info.cta ? info.cta->nativeDtds.value_or(0) : 0;
    uint32_t counted = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        all.push_back(
            {t.width, t.height, t.refreshHz, t.interlaced, SourceOf(t.source), t.preferred, false});
        if (t.source != BlockType::DisplayId) {
            all.back().native = counted++ < nativeDtds;
        }
    }
    if (info.cta) {
        for (const CtaVideo& video : info.cta->video) {
            AddVic(all, video.vic, video.native.value_or(false));
        }
        for (const uint32_t vic : info.cta->ycbcr420OnlyVics) {
            AddVic(all, vic, false);
        }
        for (const uint32_t vic : info.cta->hdmiVics) {
            AddVic(all, vic, false);
        }
    }
    for (const DisplayIdInfo& section : info.displayId) {
        for (const ModeTiming& m : section.otherTimings) {
            Add(all, m, kModeFromDisplayId);
        }
    }
    std::sort(all.begin(), all.end(), Before);
    std::vector<ModeInfo> modes;
    modes.reserve(all.size());
    for (const ModeInfo& mode : all) {
        if (!modes.empty() && SameMode(modes.back(), mode)) {
            ModeInfo& kept = modes.back();
            kept.sources |= mode.sources;
            kept.preferred = kept.preferred || mode.preferred;
            kept.native = kept.native || mode.native;
        } else {
            modes.push_back(mode);
        }
    }
    return modes;
}

} // namespace moniquet
