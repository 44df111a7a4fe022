// DisplayID timings: detailed (types I, II, VI, VII), formula-based (types
// III, V, IX, X) and coded (type IV, type VIII, DMT and VIC bitmaps).
#include "edid/displayid_timings.h"
#include "edid/edid_layout.h"

#include "edid/bits.h"
#include "edid/detailed_timing_rules.h"
#include "edid/displayid_checks.h"
#include "edid/dmt_table.h"
#include "edid/timing_formulas.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

// Stored values are one less than what they count.
uint32_t Plus1(uint32_t stored) {
    return stored + 1;
}

// One direction of a detailed timing, in pixels or lines.
struct Axis {
    uint32_t active = 0;
    uint32_t blank = 0;
    uint32_t front = 0;
    uint32_t sync = 0;
    bool positive = false;
};

struct Detailed {
    uint32_t clockKHz = 0;
    // The unit the clock is stored in, which TimingInfo keeps.
    uint32_t clockStepKHz = 10;
    Axis h;
    Axis v;
    bool interlaced = false;
    bool preferred = false;
};

// Below 0 when the front porch and sync overrun the blanking.
int32_t BackPorch(const Axis& a) {
    return static_cast<int32_t>(a.blank) - static_cast<int32_t>(a.front + a.sync);
}

TimingInfo TimingOf(const Detailed& d, uint32_t blockIndex) {
    TimingInfo t;
    t.block = blockIndex;
    t.source = BlockType::DisplayId;
    t.preferred = d.preferred;
    t.width = d.h.active;
    // DisplayID stores a frame's lines and blanking, interlaced or not.
    t.height = d.v.active;
    t.interlaced = d.interlaced;
    t.pixelClockKHz = d.clockKHz;
    t.pixelClockStepKHz = d.clockStepKHz;
    t.hFrontPorch = d.h.front;
    t.hSync = d.h.sync;
    t.hBackPorch = BackPorch(d.h);
    // A field has half of the frame's vertical blanking.
    const uint32_t fieldDivisor = d.interlaced ? 2 : 1;
    t.vFrontPorch = d.v.front / fieldDivisor;
    t.vSync = d.v.sync / fieldDivisor;
    t.vBackPorch = BackPorch(d.v) / static_cast<int32_t>(fieldDivisor);
    t.hSyncPositive = d.h.positive;
    t.vSyncPositive = d.v.positive;
    const double frameRate =
        d.clockKHz * 1000.0 /
        (static_cast<double>(d.h.active + d.h.blank) * (d.v.active + d.v.blank));
    t.refreshHz = d.interlaced ? 2 * frameRate : frameRate;
    return t;
}

// The rules of every detailed timing, on what an interlaced timing sends,
// a field: DisplayID stores the frame's vertical values.
void CheckDetailed(const Detailed& d, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    const uint32_t fieldDivisor = d.interlaced ? 2 : 1;
    DetailedTiming t;
    t.pixelClockKHz = d.clockKHz;
    t.hAddressable = d.h.active;
    t.hBlanking = d.h.blank;
    t.hFrontPorch = d.h.front;
    t.hSyncWidth = d.h.sync;
    t.vAddressable = d.v.active / fieldDivisor;
    t.vFrontPorch = d.v.front / fieldDivisor;
    t.vSyncWidth = d.v.sync / fieldDivisor;
    // A back porch below 0 is none: the rules see it as such.
    t.vBlanking = t.vFrontPorch + t.vSyncWidth +
                  static_cast<uint32_t>(std::max(BackPorch(d.v), 0)) / fieldDivisor;
    std::string wrong;
    NoteDetailedTimingFaults(t, d.interlaced, wrong);
    if (!wrong.empty()) {
        Fail(sink, DiagnosticCode::InvalidDetailedTiming, 0,
             "the DisplayID detailed timing of " + std::to_string(d.h.active) + "x" +
                 std::to_string(d.v.active) + " has " + wrong);
    }
}

// Types I and VII: the clock in units of 10 kHz (I) or 1 kHz (VII).
Detailed Type1Or7(Bytes d, uint32_t clockUnitKHz, bool hasPreferredFlag) {
    Detailed t;
    t.clockKHz = Plus1(Le24(d, 0)) * clockUnitKHz;
    t.clockStepKHz = clockUnitKHz;
    t.preferred = hasPreferredFlag && Bit(d[3], 7);
    t.interlaced = Bit(d[3], 4);
    t.h = {Plus1(Le16(d, 4)), Plus1(Le16(d, 6)), Plus1(Le16(d, 8) & 0x7FFF), Plus1(Le16(d, 10)),
           Bit(d[9], 7)};
    t.v = {Plus1(Le16(d, 12)), Plus1(Le16(d, 14)), Plus1(Le16(d, 16) & 0x7FFF), Plus1(Le16(d, 18)),
           Bit(d[17], 7)};
    return t;
}

// Type II: horizontal values in units of 8 pixels.
Detailed Type2(Bytes d) {
    constexpr uint32_t kCell = 8;
    Detailed t;
    t.clockKHz = Plus1(Le24(d, 0)) * 10;
    t.preferred = Bit(d[3], 7);
    t.interlaced = Bit(d[3], 4);
    t.h = {kCell * Plus1(d[4] | (d[5] & 1u) << 8), kCell * Plus1(Bits(d[5], 7, 1)),
           kCell * Plus1(Bits(d[6], 7, 4)), kCell * Plus1(Bits(d[6], 3, 0)), Bit(d[3], 3)};
    t.v = {Plus1(d[7] | Bits(d[8], 3, 0) << 8), Plus1(d[9]), Plus1(Bits(d[10], 7, 4)),
           Plus1(Bits(d[10], 3, 0)), Bit(d[3], 2)};
    return t;
}

// Type VI: the clock in kHz.
Detailed Type6(Bytes d) {
    Detailed t;
    t.clockKHz = Plus1(Le16(d, 0) | Bits(d[2], 5, 0) << 16);
    t.clockStepKHz = 1;
    t.preferred = Bit(d[2], 7);
    t.interlaced = Bit(d[13], 7);
    t.h = {Plus1(d[3] | Bits(d[4], 5, 0) << 8), Plus1(d[7] | Bits(d[9], 3, 0) << 8),
           Plus1(d[8] | Bits(d[9], 7, 4) << 8), Plus1(d[10]), Bit(d[4], 7)};
    t.v = {Plus1(d[5] | Bits(d[6], 5, 0) << 8), Plus1(d[11]), Plus1(d[12]),
           Plus1(Bits(d[13], 3, 0)), Bit(d[6], 7)};
    return t;
}

// Type III: a width and an aspect ratio, bits 3 to 0 of byte 0.
std::optional<ModeTiming> Type3(Bytes d) {
    static constexpr std::array<std::pair<uint32_t, uint32_t>, 8> kAspects = {
        {{1, 1}, {5, 4}, {4, 3}, {15, 9}, {16, 9}, {16, 10}, {64, 27}, {256, 135}}};
    const uint32_t aspect = Bits(d[0], 3, 0);
    if (aspect >= kAspects.size()) {
        return std::nullopt;
    }
    const uint32_t width = 8 * Plus1(d[1]);
    const auto [across, down] = kAspects[aspect];
    return ModeTiming{width, width * down / across, Bit(d[2], 7),
                      static_cast<double>(Plus1(Bits(d[2], 6, 0)))};
}

// Types V, IX and X: width and height, then the rate (X: 10 bits when its
// descriptors are longer than 6 bytes).
ModeTiming SizedFormula(Bytes d, std::size_t sizeOffset, std::size_t rateOffset, bool tenBitRate) {
    const uint32_t rate = d[rateOffset] | (tenBitRate ? Bits(d[rateOffset + 1], 1, 0) << 8 : 0);
    return {Plus1(Le16(d, sizeOffset)), Plus1(Le16(d, sizeOffset + 2)), false,
            static_cast<double>(Plus1(rate))};
}

// A code of type IV or VIII: bits 7 and 6 of the block's revision byte say
// which table it names.
std::optional<ModeTiming> CodedMode(uint32_t codeType, uint32_t code) {
    switch (codeType) {
    case 0:
        return FindDmtModeById(code);
    case 1:
        return FindVicMode(code);
    case 2:
        if (const std::optional<uint32_t> vic = VicOfHdmiVic(code)) {
            return FindVicMode(*vic);
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

template <typename Decode> void ForEachDescriptor(Bytes payload, std::size_t size, Decode decode) {
    for (std::size_t at = 0; size != 0 && payload.size() - at >= size; at += size) {
        decode(payload.subspan(at, size));
    }
}

void AddOther(std::optional<ModeTiming> mode, DisplayIdInfo& section) {
    if (mode) {
        section.otherTimings.push_back(*mode);
    }
}

void AddTableRates(const std::optional<TableMode>& mode, RateSpan& rates) {
    if (mode) {
        AddRates(rates, RatesOf(*mode));
    }
}

void AddBitmap(Bytes payload, std::size_t size, bool dmt, DisplayIdInfo& section, RateSpan& rates) {
    const Bytes bits = payload.first(std::min(payload.size(), size));
    for (std::size_t bit = 0; bit < 8 * bits.size(); ++bit) {
        if (Bit(bits[bit / 8], bit % 8)) {
            const auto code = static_cast<uint32_t>(bit + 1);
            AddOther(dmt ? FindDmtModeById(code) : FindVicMode(code), section);
            AddTableRates(dmt ? FindDmtTableModeById(code) : FindVicTableMode(code), rates);
        }
    }
}

// The table mode of a code of type IV or VIII, as CodedMode.
std::optional<TableMode> CodedTableMode(uint32_t codeType, uint32_t code) {
    switch (codeType) {
    case 0:
        return FindDmtTableModeById(code);
    case 1:
        return FindVicTableMode(code);
    case 2:
        if (const std::optional<uint32_t> vic = VicOfHdmiVic(code)) {
            return FindVicTableMode(*vic);
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

CvtBlanking BlankingOfCode(uint32_t code) {
    return code <= 3 ? static_cast<CvtBlanking>(code) : CvtBlanking::Normal;
}

// The CVT timing a formula-based descriptor (types III, V, IX, X) names,
// with the blanking and options it asks for; an aspect ratio of type III
// that is undefined or reserved is taken for 1:1.
TableMode FormulaMode(uint8_t tag, Bytes d) {
    switch (tag) {
    case kDidType3: {
        static constexpr std::pair<uint32_t, uint32_t> kAspects[] = {
            {1, 1}, {5, 4}, {4, 3}, {15, 9}, {16, 9}, {16, 10}, {64, 27}, {256, 135}};
        const uint32_t aspect = Bits(d[0], 3, 0);
        const auto [across, down] = aspect < std::size(kAspects) ? kAspects[aspect] : kAspects[0];
        const uint32_t width = 8 * Plus1(d[1]);
        return CvtMode(width, width * down / across, Plus1(Bits(d[2], 6, 0)),
                       Bits(d[0], 6, 4) == 1 ? CvtBlanking::Reduced1 : CvtBlanking::Normal);
    }
    case kDidType5:
        return CvtMode(Plus1(Le16(d, 2)), Plus1(Le16(d, 4)), Plus1(d[6]), CvtBlanking::Reduced2);
    case kDidType9: {
        const uint32_t code = Bits(d[0], 2, 0);
        return CvtMode(Plus1(Le16(d, 1)), Plus1(Le16(d, 3)), Plus1(d[5]),
                       code <= 2 ? BlankingOfCode(code) : CvtBlanking::Normal);
    }
    default: {
        // Type X: bit 4 asks for video-optimized rates (version 2) or a
        // blanking of 160 pixels (version 3); longer descriptors add to
        // version 3's blanking.
        const CvtBlanking blanking = BlankingOfCode(Bits(d[0], 2, 0));
        const bool v3 = blanking == CvtBlanking::Reduced3;
        CvtOptions options;
        options.alternative = Bit(d[0], 4);
        options.earlyVsync = v3 && Bit(d[0], 3);
        const bool shortVblank = d.size() >= 8 && Bit(d[7], 0);
        options.vBlankUs = shortVblank ? 300 : 460;
        options.hBlank = v3 ? (options.alternative ? 160 : 80) : 0;
        uint32_t rate = d[5];
        if (d.size() > 6) {
            rate |= Bits(d[6], 1, 0) << 8;
            if (v3) {
                const uint32_t delta = Bits(d[6], 4, 2);
                options.hBlank = options.hBlank == 80 ? 80 + 8 * delta
                                 : delta <= 5         ? 160 + 8 * delta
                                                      : 160 - (delta - 5) * 8;
                options.vBlankUs += Bits(d[6], 7, 5) * (shortVblank ? 20 : 35);
            }
        }
        return CvtMode(Plus1(Le16(d, 1)), Plus1(Le16(d, 3)), Plus1(rate), blanking, options);
    }
    }
}

} // namespace

void AddDisplayIdTimings(const DisplayIdDataBlock& block, uint32_t blockIndex,
                         DisplayIdInfo& section, EdidInfo& info, RateSpan& rates,
                         const DiagnosticSink& sink, DisplayIdScratch& scratch) {
    const Bytes payload = block.payload;
    // The checks of a descriptor name offsets from its first byte.
    const auto sinkOf = [&](Bytes d) {
        return Within(sink, static_cast<std::size_t>(d.data() - payload.data()));
    };
    const auto check = [&](Bytes d) { CheckDisplayIdTiming(block, d, sinkOf(d), scratch); };
    const auto addDetailed = [&](Bytes raw, const Detailed& d) {
        check(raw);
        CheckDetailed(d, sinkOf(raw));
        info.detailedTimings.push_back(TimingOf(d, blockIndex));
        const double hKHz = d.clockKHz / static_cast<double>(d.h.active + d.h.blank);
        AddRates(rates, {hKHz, *info.detailedTimings.back().refreshHz, d.clockKHz / 1000.0});
    };
    // Types VII and X grow their descriptors by bits 6 to 4 of the
    // revision byte; bits 2 to 0 are the block's revision.
    const std::size_t extra = Bits(block.revision, 6, 4);
    const uint32_t codeType = Bits(block.revision, 7, 6);
    switch (block.tag) {
    case kDidType1:
        ForEachDescriptor(payload, kDidType1Size,
                          [&](Bytes d) { addDetailed(d, Type1Or7(d, 10, true)); });
        break;
    case kDidType7:
        // From revision 2 on, bit 7 of byte 3 flags YCbCr 4:2:0 instead.
        ForEachDescriptor(payload, kDidType1Size + extra, [&](Bytes d) {
            addDetailed(d, Type1Or7(d, 1, Bits(block.revision, 2, 0) < 2));
        });
        break;
    case kDidType2:
        ForEachDescriptor(payload, kDidType2Size, [&](Bytes d) { addDetailed(d, Type2(d)); });
        break;
    case kDidType6:
        for (std::size_t at = 0; payload.size() - at >= kDidType6Size;) {
            const std::size_t size =
                kDidType6Size + (Bit(payload[at + 2], 6) ? kDidType6ImageSize : 0);
            if (payload.size() - at < size) {
                break;
            }
            addDetailed(payload.subspan(at, size), Type6(payload.subspan(at, size)));
            at += size;
        }
        break;
    case kDidType3:
        ForEachDescriptor(payload, kDidType3Size, [&](Bytes d) {
            check(d);
            AddOther(Type3(d), section);
            AddTableRates(FormulaMode(block.tag, d), rates);
        });
        break;
    case kDidType5:
        ForEachDescriptor(payload, kDidType5Size, [&](Bytes d) {
            check(d);
            AddOther(SizedFormula(d, 2, 6, false), section);
            AddTableRates(FormulaMode(block.tag, d), rates);
        });
        break;
    case kDidType9:
        ForEachDescriptor(payload, kDidType9Size, [&](Bytes d) {
            check(d);
            AddOther(SizedFormula(d, 1, 5, false), section);
            AddTableRates(FormulaMode(block.tag, d), rates);
        });
        break;
    case kDidType10:
        ForEachDescriptor(payload, kDidType10Size + extra, [&](Bytes d) {
            check(d);
            AddOther(SizedFormula(d, 1, 5, extra != 0), section);
            AddTableRates(FormulaMode(block.tag, d), rates);
        });
        break;
    case kDidType4:
        for (const uint8_t code : payload) {
            AddOther(CodedMode(codeType, code), section);
            AddTableRates(CodedTableMode(codeType, code), rates);
        }
        break;
    case kDidType8:
        // Bit 3 of the revision byte: two-byte codes.
        ForEachDescriptor(payload, Bit(block.revision, 3) ? 2 : 1, [&](Bytes d) {
            const uint32_t code = d.size() == 2 ? Le16(d, 0) : d[0];
            AddOther(CodedMode(codeType, code), section);
            AddTableRates(CodedTableMode(codeType, code), rates);
        });
        break;
    case kDidDmtBitmap:
        AddBitmap(payload, kDidDmtBitmapSize, true, section, rates);
        break;
    case kDidVicBitmap:
        AddBitmap(payload, kDidVicBitmapSize, false, section, rates);
        break;
    default:
        break;
    }
}

} // namespace moniquet
