#include "edid/timing_checks.h"

#include "edid/bits.h"
#include "edid/edid_layout.h"
#include "edid/timing_formulas.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace moniquet {

namespace {

using std::to_string;

// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;
// HDMI 2.1 carries YCbCr 4:2:0 only for formats whose RGB clock reaches
// this.
constexpr uint32_t kHdmiYcbcr420MinKHz = 590000;
// A DTD holds a width and a height below 4096.
constexpr uint32_t kDtdSizeLimit = 4096;
constexpr std::size_t kFlagsOffset = 17;
// Byte 35 bit 5, 640x480 at 60 Hz, in the list of established timings.
constexpr std::size_t kEstablished640x480Index = 2;
// The range limits descriptor's byte 10 and its value for CVT.
constexpr std::size_t kRangeSubtypeOffset = 10;
constexpr uint8_t kRangeSubtypeCvt = 0x04;
constexpr std::size_t kStandardTimingsInDescriptor = 6;
// CTA-861 extended tags: native video resolution, video format preference.
constexpr uint8_t kCtaExtNativeResolution = 0x08;
constexpr uint8_t kCtaExtVideoFormatPreference = 0x0D;

// `value` with three decimals, rounded.
std::string Milli(double value) {
    const auto milli = static_cast<uint64_t>(value * 1000 + 0.5);
    std::string text = to_string(milli / 1000) + ".000";
    const std::string fraction = to_string(milli % 1000);
    return text.replace(text.size() - fraction.size(), fraction.size(), fraction);
}

std::string SizeOf(const TableMode& m) {
    return to_string(m.width) + "x" + to_string(m.height) + (m.interlaced ? "i" : "");
}

std::optional<uint32_t> FirstBlockOf(const EdidInfo& info, BlockType type) {
    for (const BlockInfo& b : info.blocks) {
        if (b.type == type) {
            return b.index;
        }
    }
    return std::nullopt;
}

// The VIC a short video descriptor names: codes 129 to 192 are VICs 1 to 64
// flagged native.
uint32_t VicOfCode(uint8_t code) {
    return code > 128 && code <= 192 ? code & 0x7Fu : code;
}

// A code of 0 (or 128) names no format and is passed over.
bool NamesNoFormat(uint8_t code) {
    return (code & 0x7F) == 0;
}

void AddVerticalRate(RateSpan& span, double hz) {
    span.any = true;
    span.min.vHz = std::min(span.min.vHz, hz);
    span.max.vHz = std::max(span.max.vHz, hz);
}

// A YCbCr 4:2:0 timing carries two pixels a clock: half the line rate and
// clock of its RGB timing, which is what a link sees.
void AddYcbcr420Rates(RateSpan& span, const TableMode& m) {
    Rates r = RatesOf(m);
    r.hKHz /= 2;
    r.clockMHz = (m.pixelClockKHz / 2) / 1000.0;
    AddRates(span, r);
}

// Picture aspect ratios of DTDs are those of their size, 16:10 named so.
std::pair<uint32_t, uint32_t> ReducedAspect(uint32_t width, uint32_t height) {
    const uint32_t d = std::gcd(width, height);
    if (d == 0) {
        return {0, 0};
    }
    if (width / d == 8 && height / d == 5) {
        return {16, 10};
    }
    return {width / d, height / d};
}

inline bool SameBlanking(const TableBlanking& a, const TableBlanking& b) {
    return a.frontPorch == b.frontPorch && a.sync == b.sync && a.backPorch == b.backPorch &&
           a.syncPositive == b.syncPositive;
}

inline uint32_t BlankingOf(const TableBlanking& b) {
    return b.frontPorch + b.sync + b.backPorch;
}

// Every field a source sends the same, the picture aspect ratio included.
inline bool Identical(const TableMode& a, const TableMode& b) {
    return a.width == b.width && a.height == b.height && a.interlaced == b.interlaced &&
           a.pixelClockKHz == b.pixelClockKHz && SameBlanking(a.h, b.h) && SameBlanking(a.v, b.v) &&
           a.aspectH == b.aspectH && a.aspectV == b.aspectV;
}

// The same size, clock and blanking totals, but other porches, syncs or
// polarities; borders make the porches ambiguous, so neither has any.
inline bool Near(const TableMode& a, const TableMode& b) {
    if (a.h.border != 0 || a.v.border != 0 || b.h.border != 0 || b.v.border != 0) {
        return false;
    }
    return a.width == b.width && a.height == b.height && a.interlaced == b.interlaced &&
           a.pixelClockKHz == b.pixelClockKHz && BlankingOf(a.h) == BlankingOf(b.h) &&
           BlankingOf(a.v) == BlankingOf(b.v) &&
           !(SameBlanking(a.h, b.h) && SameBlanking(a.v, b.v));
}

// A detailed timing as a source sends it: a field's vertical blanking, the
// sync polarities of digital sync (composite sync has no vertical one). A
// back porch the blanking leaves no room for is 0, which no table's is.
TableMode ModeOfDetailed(Descriptor d, const DetailedTiming& t) {
    const uint8_t flags = d[kFlagsOffset];
    const int64_t hBack =
        int64_t{t.hBlanking} - 2 * int64_t{t.hBorder} - t.hFrontPorch - t.hSyncWidth;
    const int64_t vBack =
        int64_t{t.vBlanking} - 2 * int64_t{t.vBorder} - t.vFrontPorch - t.vSyncWidth;
    TableMode m;
    m.interlaced = Bit(flags, 7);
    m.width = t.hAddressable;
    m.height = m.interlaced ? 2 * t.vAddressable : t.vAddressable;
    m.pixelClockKHz = t.pixelClockKHz;
    const uint32_t sync = Bits(flags, 4, 3);
    m.h = {t.hFrontPorch, t.hSyncWidth, static_cast<uint32_t>(std::max<int64_t>(hBack, 0)),
           t.hBorder, sync >= 2 && Bit(flags, 1)};
    m.v = {t.vFrontPorch, t.vSyncWidth, static_cast<uint32_t>(std::max<int64_t>(vBack, 0)),
           t.vBorder, sync == 3 && Bit(flags, 2)};
    std::tie(m.aspectH, m.aspectV) = ReducedAspect(m.width, m.height);
    return m;
}

// The rates a sink syncs to of every timing the CVT formula gives for a
// CVT 3-byte code.
void AddCvtCodeRates(std::span<const uint8_t> code, RateSpan& rates) {
    if (std::all_of(code.begin(), code.end(), [](uint8_t b) { return b == 0; })) {
        return;
    }
    const uint32_t height = ((Bits(code[1], 7, 4) << 8 | code[0]) + 1) * 2;
    static constexpr std::pair<uint32_t, uint32_t> kAspects[] = {
        {4, 3}, {16, 9}, {16, 10}, {15, 9}};
    const auto [across, down] = kAspects[Bits(code[1], 3, 2)];
    const uint32_t width = 8 * (height * across / down / 8);
    static constexpr std::pair<unsigned, uint32_t> kRates[] = {{4, 50}, {3, 60}, {2, 75}, {1, 85}};
    for (const auto& [bit, hz] : kRates) {
        if (Bit(code[2], bit)) {
            AddRates(rates, RatesOf(CvtMode(width, height, hz, CvtBlanking::Normal)));
        }
    }
    if (Bit(code[2], 0)) {
        AddRates(rates, RatesOf(CvtMode(width, height, 60, CvtBlanking::Reduced1)));
    }
}

// A table's entries ordered by pixel clock, for the few of a detailed
// timing's clock: built once, on first use.
template <typename Entry> struct ByClock {
    std::vector<std::pair<uint32_t, const Entry*>> entries;
};

template <typename Entry>
ByClock<Entry> IndexByClock(std::span<const Entry> table, uint32_t (*clockOf)(const Entry&)) {
    ByClock<Entry> index;
    for (const Entry& e : table) {
        index.entries.emplace_back(clockOf(e), &e);
    }
    // Stable: entries of one clock keep the table's order, which decides
    // the one named.
    std::stable_sort(index.entries.begin(), index.entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return index;
}

const ByClock<VicEntry>& VicsByClock() {
    static const ByClock<VicEntry> index = IndexByClock<VicEntry>(
        VicEntries(), [](const VicEntry& e) { return e.format.pixelClockKHz; });
    return index;
}

const ByClock<DmtEntry>& DmtsByClock() {
    static const ByClock<DmtEntry> index = IndexByClock<DmtEntry>(
        DmtEntries(), [](const DmtEntry& e) { return e.mode.pixelClockKHz; });
    return index;
}

// The entries of `index` whose clock is `clockKHz`, in table order.
template <typename Entry>
std::span<const std::pair<uint32_t, const Entry*>> ModesOfClock(const ByClock<Entry>& index,
                                                                uint32_t clockKHz) {
    const auto [low, high] =
        std::equal_range(index.entries.begin(), index.entries.end(),
                         std::pair<uint32_t, const Entry*>(clockKHz, nullptr),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    return {low, high};
}

// ---- the checks of the whole EDID ----

// Rounding the limits to whole Hz and kHz, and the clock up to 10 MHz,
// moves them by less than one unit; timings outside by less are named so.
// EDID 1.4 lets listed timings lie outside the limits, which bound only
// what a source derives itself, and older sources seldom heed them: a
// warning.
void CheckRanges(Walk& walk) {
    const EdidInfo& info = walk.info;
    const RateSpan& span = walk.listedRates;
    if (!info.rangeLimits || !span.any) {
        return;
    }
    const RangeLimits& limits = *info.rangeLimits;
    // Line rates are whole Hz, pixel clocks whole kHz, as a sink counts them.
    const double minH = std::floor(span.min.hKHz * 1000) / 1000;
    const double maxH = std::floor(span.max.hKHz * 1000) / 1000;
    const int64_t maxClockKHz = std::llround(span.max.clockMHz * 1000);
    std::string outside;
    bool beyondRounding = false;
    const auto compare = [&](const char* what, double low, double high, double min, double max,
                             const char* unit) {
        const bool belowLow = min + 0.5 < low;
        const bool aboveHigh = high != 0 && max >= high + 0.5;
        if (!belowLow && !aboveHigh) {
            return;
        }
        beyondRounding |= min + 1 <= low || (high != 0 && max >= high + 1);
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
    compare("horizontal", limits.minHKHz, limits.maxHKHz, minH, maxH, " kHz");
    if (limits.maxPixelClockMHz && maxClockKHz > int64_t{*limits.maxPixelClockMHz} * 1000) {
        beyondRounding |= maxClockKHz >= (int64_t{*limits.maxPixelClockMHz} + 10) * 1000;
        outside += outside.empty() ? "" : "; ";
        outside += "pixel clock up to ";
        outside += Milli(maxClockKHz / 1000.0);
        outside += " MHz against ";
        outside += to_string(*limits.maxPixelClockMHz);
        outside += " MHz";
    }
    if (outside.empty()) {
        return;
    }
    Warn(WholeSinkOf(walk, 0), DiagnosticCode::TimingsOutOfRange, std::nullopt,
         "listed timings lie outside the range limits (descriptor 0xFD): " + outside +
             (beyondRounding ? "" : " (by no more than the limits' rounding)"));
}

// The 4:2:0 capability map flags short video descriptors (of every video
// data block, in order) whose formats a sink also takes in YCbCr 4:2:0.
void CheckYcbcr420Capable(Walk& walk) {
    const CtaInfo& cta = *walk.info.cta;
    if (!cta.ycbcr420CapabilityMap) {
        return;
    }
    const std::vector<uint8_t>& map = *cta.ycbcr420CapabilityMap;
    std::optional<uint32_t> slow;
    for (std::size_t i = 0; i < 8 * map.size(); ++i) {
        if (!Bit(map[i / 8], i % 8) || i >= cta.svdBytes.size()) {
            continue;
        }
        const uint8_t code = cta.svdBytes[i];
        const uint32_t vic = (code & 0x7F) <= 64 ? code & 0x7Fu : code;
        if (const std::optional<TableMode> m = FindVicTableMode(vic)) {
            AddYcbcr420Rates(walk.listedRates, *m);
            if (m->pixelClockKHz < kHdmiYcbcr420MinKHz && !slow) {
                slow = vic;
            }
        }
    }
    if (!slow || walk.timings.ycbcr420BelowRateReported) {
        return;
    }
    const auto mapBlock =
        std::find_if(cta.dataBlocks.begin(), cta.dataBlocks.end(), [](const CtaDataBlock& b) {
            return b.tag == kCtaTagExtended && b.extendedTag == kCtaExtYcbcr420CapabilityMap;
        });
    walk.timings.ycbcr420BelowRateReported = true;
    Warn(WholeSinkOf(walk, mapBlock != cta.dataBlocks.end() ? mapBlock->block : 0),
         DiagnosticCode::CtaYcbcr420BelowHdmiRate, std::nullopt,
         "the YCbCr 4:2:0 capability map flags VIC " + to_string(*slow) +
             ", whose pixel clock is below the 590 MHz from which HDMI 2.1 carries YCbCr 4:2:0");
}

// Where an HDMI source may not go: the HDMI block's TMDS clock, raised by
// the HDMI Forum's; a fixed-rate link lifts the bound.
void CheckHdmiClock(Walk& walk) {
    const CtaInfo& cta = *walk.info.cta;
    uint32_t limitMHz = cta.hdmi ? cta.hdmi->maxTmdsMHz.value_or(0) : 0;
    if (cta.hdmiForum) {
        if (cta.hdmiForum->maxTmdsMHz && *cta.hdmiForum->maxTmdsMHz >= limitMHz) {
            limitMHz = *cta.hdmiForum->maxTmdsMHz;
        }
        if (cta.hdmiForum->maxFrlGbps) {
            limitMHz = 0;
        }
    }
    const int64_t maxClockKHz = std::llround(walk.listedRates.max.clockMHz * 1000);
    if (limitMHz != 0 && maxClockKHz > int64_t{limitMHz} * 1000) {
        Fail(WholeSinkOf(walk, std::nullopt), DiagnosticCode::HdmiTmdsClockExceeded, std::nullopt,
             "listed timings reach a pixel clock of " + Milli(maxClockKHz / 1000.0) +
                 " MHz, above the " + to_string(limitMHz) +
                 " MHz maximum TMDS clock of the HDMI vendor-specific data blocks");
    }
}

// CTA-861 requires 640x480 at 60 Hz of every sink: established timing byte
// 35 bit 5, or VIC 1.
void CheckRequiredTiming(Walk& walk, uint32_t firstCta) {
    const EdidInfo& info = walk.info;
    const TableMode& vga = EstablishedModes()[kEstablished640x480Index];
    const ModeTiming named = ModeOf(vga);
    const bool established = std::any_of(
        info.establishedTimings.begin(), info.establishedTimings.end(), [&](const ModeTiming& m) {
            return m.width == named.width && m.height == named.height &&
                   m.refreshHz == named.refreshHz && !m.interlaced;
        });
    if (!established && !walk.timings.vic1) {
        Fail(WholeSinkOf(walk, firstCta), DiagnosticCode::RequiredTimingMissing, std::nullopt,
             "neither established timing byte 35 bit 5 nor a video data block of this block "
             "lists 640x480 at 60 Hz (VIC 1), which every CTA-861 sink must take");
    }
}

// The first VIC is the preferred format when no detailed timing is counted
// native and no video format preference block says otherwise; it should
// then be the first detailed timing too.
void CheckFirstVic(Walk& walk) {
    const std::optional<TimingsSeen::FirstVic>& first = walk.timings.firstVic;
    const CtaInfo& cta = *walk.info.cta;
    if (!first || !first->isFirstDtd) {
        return;
    }
    const TableMode mode = FindVicTableMode(first->vic).value_or(TableMode{});
    const DiagnosticSink sink = WholeSinkOf(walk, first->block);
    const bool hasPreference =
        std::any_of(cta.dataBlocks.begin(), cta.dataBlocks.end(), [](const CtaDataBlock& b) {
            return b.tag == kCtaTagExtended && b.extendedTag == kCtaExtVideoFormatPreference;
        });
    if (!*first->isFirstDtd) {
        // A detailed timing cannot hold a size of 4096 or more; a video
        // format preference block can name such a preferred format.
        if (mode.width < kDtdSizeLimit && mode.height < kDtdSizeLimit) {
            Warn(sink, DiagnosticCode::CtaFirstVicNotFirstDtd, first->offset,
                 "the first VIC, " + to_string(first->vic) + " (" + SizeOf(mode) +
                     "), is not the base block's first detailed timing: sources take either "
                     "for the preferred format");
        } else if (!hasPreference) {
            Warn(sink, DiagnosticCode::CtaFirstVicNotFirstDtd, first->offset,
                 "the first VIC, " + to_string(first->vic) + " (" + SizeOf(mode) +
                     "), is larger than a detailed timing can be, and no video format "
                     "preference block names the preferred format");
        }
        return;
    }
    if (cta.nativeDtds == 0u && !hasPreference) {
        Warn(sink, DiagnosticCode::CtaPreferredVicHint, first->offset,
             "the first VIC, " + to_string(first->vic) +
                 ", is the first detailed timing, but byte 3 of the first CTA-861 block counts "
                 "no native detailed timing: counting 1 makes that timing the preferred one for "
                 "every source");
    }
}

// Visits the detailed timings that the first CTA-861 block counts native
// (byte 3 bits 3 to 0), in block order: their size, and whether they are
// interlaced. Those the count names beyond the ones with a clock are of no
// known size (0x0).
template <typename Visit> void ForEachNativeDtd(const EdidInfo& info, Visit visit) {
    const CtaInfo& cta = *info.cta;
    uint32_t dtds = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        dtds += t.source != BlockType::DisplayId;
    }
    const uint32_t counted = std::min(cta.nativeDtds.value_or(0), dtds);
    uint32_t visited = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        if (visited == counted) {
            break;
        }
        if (t.source == BlockType::DisplayId || t.pixelClockKHz < kMinPixelClockKHz) {
            continue;
        }
        visit(t.width, t.height, t.interlaced);
        ++visited;
    }
    for (; visited < counted; ++visited) {
        visit(0u, 0u, false);
    }
}

// Native formats: the detailed timings counted native and the VICs flagged
// native. A sink has one native format, progressive; interlaced ones need
// a progressive one beside them.
void CheckNativeTimings(Walk& walk) {
    const EdidInfo& info = walk.info;
    const CtaInfo& cta = *info.cta;
    if (!Checking(WholeSinkOf(walk, std::nullopt))) {
        return;
    }
    struct Kind {
        uint32_t count = 0;
        // The first one's size; a first of no known size gives way to the
        // next.
        uint32_t width = 0;
        uint32_t height = 0;
        bool mixed = false;
    };
    Kind progressive;
    Kind interlaced;
    const auto add = [&](uint32_t width, uint32_t height, bool interlace) {
        Kind& kind = interlace ? interlaced : progressive;
        ++kind.count;
        if (kind.width == 0) {
            kind.width = width;
            kind.height = height;
        } else if (width != kind.width || height != kind.height) {
            kind.mixed = true;
        }
    };
    ForEachNativeDtd(info, add);
    for (const CtaVideo& v : cta.video) {
        if (v.native.value_or(false)) {
            if (const std::optional<TableMode> m = FindVicTableMode(v.vic)) {
                add(m->width, m->height, m->interlaced);
            }
        }
    }
    const DiagnosticSink sink = WholeSinkOf(walk, std::nullopt);
    if (progressive.mixed) {
        Fail(sink, DiagnosticCode::NativeTimingsMixed, std::nullopt,
             to_string(progressive.count) +
                 " progressive timings of several sizes are native (byte 3 of the first "
                 "CTA-861 block, native VIC flags): a sink has one native size");
    } else if (progressive.count > 1) {
        Warn(sink, DiagnosticCode::NativeTimingsMixed, std::nullopt,
             to_string(progressive.count) +
                 " progressive timings, all of one size, are native (byte 3 of the first "
                 "CTA-861 block, native VIC flags)");
    }
    if (interlaced.mixed) {
        Fail(sink, DiagnosticCode::NativeInterlacedTiming, std::nullopt,
             "interlaced timings of several sizes are native");
    }
    if (interlaced.count != 0 && progressive.count == 0) {
        Fail(sink, DiagnosticCode::NativeInterlacedTiming, std::nullopt,
             "an interlaced timing is native, but no progressive one is");
    }
    if (!interlaced.mixed && interlaced.count > 1) {
        Warn(sink, DiagnosticCode::NativeInterlacedTiming, std::nullopt,
             to_string(interlaced.count) + " interlaced timings are native");
    }
    // The preferred formats: the base block's first detailed timing and the
    // first VIC. The native format should be no smaller than the largest.
    std::optional<TableMode> preferred[2];
    preferred[0] = walk.timings.firstDtd;
    if (walk.timings.firstVic) {
        preferred[1] = FindVicTableMode(walk.timings.firstVic->vic);
    }
    const auto larger = [](uint32_t w1, uint32_t h1, uint32_t w2, uint32_t h2) {
        return h1 > h2 || (h1 == h2 && w1 > w2);
    };
    for (const bool interlace : {false, true}) {
        const Kind& kind = interlace ? interlaced : progressive;
        if (kind.mixed || kind.height == 0) {
            continue;
        }
        const TableMode* largest = nullptr;
        for (const std::optional<TableMode>& p : preferred) {
            if (p && p->interlaced == interlace &&
                (largest == nullptr ||
                 !larger(largest->width, largest->height, p->width, p->height))) {
                largest = &*p;
            }
        }
        if (largest != nullptr &&
            larger(largest->width, largest->height, kind.width, kind.height)) {
            Warn(sink, DiagnosticCode::NativeSmallerThanPreferred, std::nullopt,
                 "the native " + to_string(kind.width) + "x" + to_string(kind.height) +
                     (interlace ? "i" : "") + " is smaller than the preferred " + SizeOf(*largest) +
                     ": a sink's preferred format is its native one");
        }
    }
}

// Detailed timings that are a VIC's timing should come with that VIC, so
// that sources know its picture aspect ratio and send the VIC in their
// infoframes.
void CheckDtdsAsVics(Walk& walk) {
    const TimingsSeen& seen = walk.timings;
    const CtaInfo& cta = *walk.info.cta;
    for (std::size_t i = 0; i < seen.dtdAsVicCount; ++i) {
        const TimingsSeen::DtdAsVic& d = seen.dtdsAsVic[i];
        if (std::find(cta.vics.begin(), cta.vics.end(), d.vic) != cta.vics.end()) {
            continue;
        }
        Warn(WholeSinkOf(walk, d.block), DiagnosticCode::DtdVicNotListed, d.offset,
             "the detailed timing at byte " + to_string(d.offset) + " is VIC " + to_string(d.vic) +
                 "'s (" + SizeOf(*FindVicTableMode(d.vic)) +
                 "), but no video data block lists VIC " + to_string(d.vic));
    }
}

// A digital display names the native format it is made for: the base
// block's first detailed timing flagged so (byte 24 bit 1), a DisplayID
// native format, native CTA-861 timings or a native video resolution block.
void CheckNativeDefined(Walk& walk, bool cta861) {
    const EdidInfo& info = walk.info;
    if (!info.digital.value_or(false)) {
        return;
    }
    if (walk.timings.firstDtd && info.features && info.features->firstTimingPreferred) {
        return;
    }
    const bool displayId =
        std::any_of(info.displayId.begin(), info.displayId.end(), [](const DisplayIdInfo& s) {
            return s.parameters && s.parameters->nativeWidth != 0 &&
                   s.parameters->nativeHeight != 0;
        });
    if (displayId) {
        return;
    }
    if (info.cta) {
        const CtaInfo& cta = *info.cta;
        bool sized = false;
        ForEachNativeDtd(info, [&sized](uint32_t width, uint32_t, bool) { sized |= width != 0; });
        const bool nativeVic =
            std::any_of(cta.video.begin(), cta.video.end(), [](const CtaVideo& v) {
                return v.native.value_or(false) && FindVicTableMode(v.vic) && v.vic != 0;
            });
        const bool resolutionBlock =
            std::any_of(cta.dataBlocks.begin(), cta.dataBlocks.end(), [](const CtaDataBlock& b) {
                return b.tag == kCtaTagExtended && b.extendedTag == kCtaExtNativeResolution;
            });
        if (sized || nativeVic || resolutionBlock) {
            return;
        }
    }
    Warn(WholeSinkOf(walk, std::nullopt), DiagnosticCode::NativeResolutionMissing, std::nullopt,
         std::string("no timing is named native: byte 24 bit 1 does not flag the first detailed "
                     "timing") +
             (cta861 ? ", and no CTA-861 timing is native (byte 3 bits 3 to 0 of the first "
                       "CTA-861 block, native VIC flags, a native video resolution block)"
                     : ""));
}

} // namespace

void NoteBaseBlockForTimings(WholeBlock block, Walk& walk) {
    if (block[kVersionOffset] != 1 || block[kRevisionOffset] < 4) {
        return;
    }
    for (std::size_t n = 0; n < kDescriptorCount; ++n) {
        const std::size_t at = kFirstDescriptorOffset + n * kDescriptorSize;
        if (block[at] == 0 && block[at + 1] == 0 && block[at + 3] == kTagRangeLimits &&
            block[at + kRangeSubtypeOffset] == kRangeSubtypeCvt) {
            walk.timings.cvtOffered = true;
        }
    }
}

void AddStandardTimingRates(uint8_t first, uint8_t second, Walk& walk) {
    if (first <= 0x01) {
        return;
    }
    RateSpan& rates = walk.listedRates;
    if (const std::optional<TableMode> dmt = FindDmtByStandardCode(first << 8 | second)) {
        AddRates(rates, RatesOf(*dmt));
        return;
    }
    const EdidInfo& info = walk.info;
    const uint32_t revision = info.version == 1u ? info.revision.value_or(0) : 0;
    const uint32_t width = (first + 31u) * 8u;
    static constexpr std::pair<uint32_t, uint32_t> kRatios[4] = {{16, 10}, {4, 3}, {5, 4}, {16, 9}};
    auto [across, down] = kRatios[Bits(second, 7, 6)];
    if (Bits(second, 7, 6) == 0 && revision < 3) {
        across = down = 1;
    }
    const uint32_t height = width * down / across;
    const uint32_t hz = Bits(second, 5, 0) + 60;
    if (revision >= 4) {
        // A source of EDID 1.3 derives the timing by GTF, of EDID 1.4 by CVT
        // where the range limits offer it: the monitor meets either.
        if (walk.timings.cvtOffered) {
            AddRates(rates, RatesOf(CvtMode(width, height, hz, CvtBlanking::Normal)));
        }
        AddRates(rates, RatesOf(GtfMode(width, height, hz)));
    } else if (revision >= 2) {
        AddRates(rates, RatesOf(GtfMode(width, height, hz)));
    } else {
        // Before EDID 1.2 no formula was named: only the rate is known.
        AddVerticalRate(rates, hz);
    }
}

void AddDisplayDescriptorRates(Descriptor d, BlockType source, Walk& walk) {
    switch (DisplayDescriptorTag(d)) {
    case kTagEstablishedIii: {
        const auto ids = EstablishedIiiDmtIds();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (Bit(d[6 + i / 8], 7 - i % 8)) {
                AddRates(walk.listedRates, RatesOf(*FindDmtTableModeById(ids[i])));
            }
        }
        break;
    }
    case kTagCvt:
        // Version 1 is the only one.
        if (d[5] == 1) {
            for (std::size_t at = 6; at + 3 <= d.size(); at += 3) {
                AddCvtCodeRates(d.subspan(at, 3), walk.listedRates);
            }
        }
        break;
    case kTagStandardTimings:
        // The base block's are read with its other standard timings.
        if (source != BlockType::Base) {
            for (std::size_t i = 0; i < kStandardTimingsInDescriptor; ++i) {
                AddStandardTimingRates(d[5 + 2 * i], d[6 + 2 * i], walk);
            }
        }
        break;
    default:
        break;
    }
}

void CheckDetailedTimingAgainstTables(Descriptor descriptor, const DetailedTiming& timing,
                                      uint32_t blockIndex, std::size_t offset,
                                      const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink) || timing.pixelClockKHz < kMinPixelClockKHz) {
        return;
    }
    const std::optional<TableMode> dtd = ModeOfDetailed(descriptor, timing);
    if (blockIndex == 0 && walk.info.detailedTimings.size() == 1) {
        walk.timings.firstDtd = dtd;
    }
    // Near and identical both need the same clock, size and scan; few
    // table modes have a DTD's clock.
    const auto candidate = [&dtd](const TableMode& m) {
        return m.width == dtd->width && m.height == dtd->height && m.interlaced == dtd->interlaced;
    };
    std::optional<uint32_t> nearVic;
    std::optional<uint32_t> sameVic;
    for (const auto& [clock, e] : ModesOfClock(VicsByClock(), dtd->pixelClockKHz)) {
        if (!candidate(e->format)) {
            continue;
        }
        if (!nearVic && Near(*dtd, e->format)) {
            nearVic = e->vic;
        }
        if (!sameVic && Identical(*dtd, e->format)) {
            sameVic = e->vic;
        }
    }
    const auto named = [&dtd] {
        return "the detailed timing " + SizeOf(*dtd) + " at " + Milli(dtd->pixelClockKHz / 1000.0) +
               " MHz";
    };
    if (nearVic) {
        Warn(sink, DiagnosticCode::DtdNearStandardTiming, 0,
             named() + " has the size, clock and totals of VIC " + to_string(*nearVic) +
                 ", but other porches, syncs or polarities");
    } else {
        for (const auto& [clock, e] : ModesOfClock(DmtsByClock(), dtd->pixelClockKHz)) {
            if (candidate(e->mode) && Near(*dtd, e->mode)) {
                char id[8];
                std::snprintf(id, sizeof id, "0x%02X", e->id);
                Warn(sink, DiagnosticCode::DtdNearStandardTiming, 0,
                     named() + " has the size, clock and totals of DMT ID " + id +
                         ", but other porches, syncs or polarities");
                break;
            }
        }
    }
    TimingsSeen& seen = walk.timings;
    if (sameVic && seen.dtdAsVicCount < seen.dtdsAsVic.size()) {
        seen.dtdsAsVic[seen.dtdAsVicCount++] = {blockIndex, static_cast<uint32_t>(offset),
                                                *sameVic};
    }
}

void CheckVideoDataBlockTimings(std::span<const uint8_t> payload, uint32_t blockIndex,
                                const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    TimingsSeen& seen = walk.timings;
    if (blockIndex == FirstBlockOf(walk.info, BlockType::Cta861)) {
        seen.vic1 |= std::any_of(payload.begin(), payload.end(),
                                 [](uint8_t c) { return !NamesNoFormat(c) && VicOfCode(c) == 1; });
    }
    if (!seen.firstVic) {
        for (std::size_t i = 0; i < payload.size(); ++i) {
            if (NamesNoFormat(payload[i])) {
                continue;
            }
            const uint32_t vic = VicOfCode(payload[i]);
            if (const std::optional<TableMode> m = FindVicTableMode(vic)) {
                std::optional<bool> isFirstDtd;
                if (seen.firstDtd) {
                    isFirstDtd = Identical(*seen.firstDtd, *m);
                }
                seen.firstVic = {blockIndex, sink.origin + static_cast<uint32_t>(i), vic,
                                 isFirstDtd};
                break;
            }
        }
    }
    if (!Checking(sink)) {
        return;
    }
    // VICs 1 to 4 in front and larger ones behind, all ascending, looks like
    // a list sorted by number, whose first VIC then is the preferred format
    // by accident.
    bool ascending = true;
    std::optional<uint32_t> firstVic;
    bool beyond4 = false;
    uint32_t last = 0;
    std::size_t codes = 0;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        if (NamesNoFormat(payload[i])) {
            continue;
        }
        const uint32_t vic = VicOfCode(payload[i]);
        if (i == 0) {
            firstVic = vic;
        }
        ++codes;
        beyond4 |= vic > 4;
        ascending &= vic >= last;
        last = vic;
    }
    if (payload.size() > 1 && ascending && firstVic && *firstVic <= 4 && beyond4) {
        Warn(sink, DiagnosticCode::CtaVicsAscending, 0,
             "the video data block lists its " + to_string(codes) +
                 " VICs in ascending order from VIC " + to_string(*firstVic) +
                 ", which makes that first one the preferred format");
    }
}

void CheckYcbcr420VideoTimings(std::span<const uint8_t> payload, const DiagnosticSink& sink,
                               Walk& walk) {
    std::optional<std::pair<std::size_t, uint32_t>> slow;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        if (NamesNoFormat(payload[i])) {
            continue;
        }
        const uint32_t vic = VicOfCode(payload[i]);
        if (const std::optional<TableMode> m = FindVicTableMode(vic)) {
            AddYcbcr420Rates(walk.listedRates, *m);
            if (m->pixelClockKHz < kHdmiYcbcr420MinKHz && !slow) {
                slow = std::pair(i, vic);
            }
        }
    }
    if (slow && !walk.timings.ycbcr420BelowRateReported && Checking(sink)) {
        walk.timings.ycbcr420BelowRateReported = true;
        Warn(sink, DiagnosticCode::CtaYcbcr420BelowHdmiRate, slow->first,
             "the YCbCr 4:2:0 video data block lists VIC " + to_string(slow->second) +
                 ", whose pixel clock is below the 590 MHz from which HDMI 2.1 carries YCbCr "
                 "4:2:0");
    }
}

void CheckTimings(Walk& walk) {
    const EdidInfo& info = walk.info;
    const std::optional<uint32_t> firstCta = FirstBlockOf(info, BlockType::Cta861);
    if (info.cta) {
        CheckYcbcr420Capable(walk);
    }
    CheckRanges(walk);
    if (firstCta && info.cta) {
        CheckRequiredTiming(walk, *firstCta);
        CheckFirstVic(walk);
        CheckHdmiClock(walk);
        CheckNativeTimings(walk);
        CheckDtdsAsVics(walk);
    }
    CheckNativeDefined(walk, firstCta.has_value());
}

} // namespace moniquet
