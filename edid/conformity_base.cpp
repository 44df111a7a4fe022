#include "edid/conformity_checks.h"

#include "edid/decode.h"
#include "edid/dmt_table.h"
#include "edid/edid_bytes.h"
#include "edid/edid_layout.h"
#include "edid/info_blocks.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace {

using std::to_string;

// Bytes 25 to 34 of a base block whose primaries and white point are
// sRGB's (BT.709 primaries, D65), rounded to 10 bits.
constexpr std::array<uint8_t, 10> kSrgbChromaticity = {0xEE, 0x91, 0xA3, 0x54, 0x4C,
                                                       0x99, 0x26, 0x0F, 0x50, 0x54};
// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;
// Image sizes are in mm, the screen size in cm: a centimetre is rounding.
constexpr int kImageSizeSlackMm = 10;

// The EDID's own version is 1.3 or later: what 1.3 requires applies.
bool AtLeastRevision(const EdidInfo& info, uint32_t revision) {
    return info.version == 1u && info.revision.value_or(0) >= revision;
}

// `value` with three decimals, rounded.
std::string Milli(double value) {
    const auto milli = static_cast<uint64_t>(value * 1000 + 0.5);
    std::string text = to_string(milli / 1000) + ".000";
    const std::string fraction = to_string(milli % 1000);
    return text.replace(text.size() - fraction.size(), fraction.size(), fraction);
}

// Every detailed timing of the base block and of the CTA-861 blocks, as
// stored, with its block; the walk of DecodeBaseBlock and DecodeCtaBlock.
template <typename Visit>
void ForEachStoredTiming(std::span<const uint8_t> edid, const EdidInfo& info, Visit visit) {
    for (const BlockInfo& block : info.blocks) {
        const std::span<const uint8_t> bytes = CountedBlock(edid, info, block.index);
        if (bytes.empty()) {
            continue;
        }
        std::size_t offset = kFirstDescriptorOffset;
        std::size_t end = kFirstDescriptorOffset + kDescriptorCount * kDescriptorSize;
        if (block.type == BlockType::Cta861) {
            offset = bytes[kCtaTimingsOffsetOffset];
            end = kChecksumOffset;
            if (offset < kCtaFirstDataBlock) {
                continue;
            }
        } else if (block.type != BlockType::Base) {
            continue;
        }
        for (; offset + kDescriptorSize <= end; offset += kDescriptorSize) {
            const Descriptor d = bytes.subspan(offset).first<kDescriptorSize>();
            if (block.type == BlockType::Cta861 &&
                std::all_of(d.begin(), d.end(), [](uint8_t b) { return b == 0; })) {
                break;
            }
            if (!IsDisplayDescriptor(d)) {
                visit(d, block.index);
            }
        }
    }
}

void CheckDetailedTiming(Descriptor d, uint32_t block, ConformityResults& results) {
    DetailedTiming t;
    DecodeDetailedTiming(d, t);
    std::string wrong;
    const auto note = [&wrong](const char* what) {
        wrong += wrong.empty() ? "" : ", ";
        wrong += what;
    };
    if (t.pixelClockKHz < kMinPixelClockKHz) {
        note("a pixel clock below 10 MHz");
    }
    if (std::all_of(d.begin(), d.end(), [&d](uint8_t b) { return b == d[0]; })) {
        note("every byte the same");
    }
    if (t.hAddressable == 0 || t.vAddressable == 0) {
        note("no active pixels or lines");
    }
    if (t.hBlanking == 0 || t.vBlanking == 0 || t.hSyncWidth == 0 || t.vSyncWidth == 0) {
        note("a blanking or sync width of 0");
    }
    if (t.hFrontPorch == 0) {
        note("a horizontal front porch of 0");
    }
    if (t.hFrontPorch + t.hSyncWidth >= t.hBlanking) {
        note("a horizontal back porch of 0 or less");
    }
    if (t.vFrontPorch + t.vSyncWidth >= t.vBlanking) {
        note("a vertical back porch of 0 or less");
    }
    if (!wrong.empty()) {
        results.push_back({"invalid-detailed-timing", Severity::Failure, block,
                           "a detailed timing of " + to_string(t.hAddressable) + "x" +
                               to_string(t.vAddressable) + " has " + wrong});
    }
}

// The horizontal rate, vertical rate and pixel clock of one timing.
struct Rates {
    double hKHz = 0;
    double vHz = 0;
    double clockMHz = 0;
};

Rates RatesOf(const TableMode& mode) {
    const double lines = mode.interlaced ? mode.vTotal / 2.0 : mode.vTotal;
    const double hKHz = static_cast<double>(mode.pixelClockKHz) / mode.hTotal;
    return {hKHz, hKHz * 1000.0 / lines, mode.pixelClockKHz / 1000.0};
}

// The extremes of every timing the EDID lists whose rates are known:
// established, standard timings of DMT, detailed timings, VICs.
struct RateSpan {
    bool any = false;
    Rates min{1e12, 1e12, 0};
    Rates max{0, 0, 0};

    void Add(const Rates& r) {
        any = true;
        min.hKHz = std::min(min.hKHz, r.hKHz);
        min.vHz = std::min(min.vHz, r.vHz);
        max.hKHz = std::max(max.hKHz, r.hKHz);
        max.vHz = std::max(max.vHz, r.vHz);
        max.clockMHz = std::max(max.clockMHz, r.clockMHz);
    }
};

RateSpan ListedRates(std::span<const uint8_t> edid, const EdidInfo& info) {
    RateSpan span;
    const std::span<const uint8_t> base = CountedBlock(edid, info, 0);
    const auto established = EstablishedModes();
    for (std::size_t bit = 0; bit < established.size(); ++bit) {
        if (base[kEstablishedTimingsOffset + bit / 8] >> (7 - bit % 8) & 1) {
            span.Add(RatesOf(established[bit]));
        }
    }
    for (const StandardTiming& s : info.standardTimings) {
        if (!s.dmt) {
            continue;
        }
        if (const auto mode = FindDmtTableMode(s.width, s.height, s.refreshHzNominal)) {
            span.Add(RatesOf(*mode));
        }
    }
    for (const TimingInfo& t : info.detailedTimings) {
        if (!t.refreshHz || t.pixelClockKHz < kMinPixelClockKHz) {
            continue;
        }
        // The rate of a field of an interlaced timing, the frame's of a
        // progressive one: the vertical rate a sink syncs to either way.
        const uint32_t hTotal = t.width + t.hFrontPorch + t.hSync + t.hBackPorch + 2 * t.hBorder;
        if (hTotal != 0) {
            span.Add({static_cast<double>(t.pixelClockKHz) / hTotal, *t.refreshHz,
                      t.pixelClockKHz / 1000.0});
        }
    }
    if (info.cta) {
        for (const auto* vics : {&info.cta->vics, &info.cta->hdmiVics}) {
            for (const uint32_t vic : *vics) {
                if (const auto mode = FindVicTableMode(vic)) {
                    span.Add(RatesOf(*mode));
                }
            }
        }
        // YCbCr 4:2:0 carries half the pixels a clock of the link, the
        // rate the limit is about; its rates are those of the wider link.
        for (const uint32_t vic : info.cta->ycbcr420OnlyVics) {
            if (const auto mode = FindVicTableMode(vic)) {
                span.max.clockMHz = std::max(span.max.clockMHz, mode->pixelClockKHz / 2000.0);
            }
        }
    }
    return span;
}

// Rounding the limits to whole Hz and kHz, and the clock up to 10 MHz,
// moves them by less than one unit; a timing outside by less than that is
// only a warning.
void CheckRanges(std::span<const uint8_t> edid, const EdidInfo& info, ConformityResults& results) {
    if (!info.rangeLimits) {
        return;
    }
    const RangeLimits& limits = *info.rangeLimits;
    const RateSpan span = ListedRates(edid, info);
    if (!span.any) {
        return;
    }
    std::string outside;
    outside.reserve(160);
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
    if (!outside.empty()) {
        // EDID 1.4 lets listed timings lie outside the limits, which then
        // bound only the timings a source derives itself.
        const bool failure = beyondRounding && !AtLeastRevision(info, 4);
        results.push_back({"timings-out-of-range", failure ? Severity::Failure : Severity::Warning,
                           0,
                           "listed timings lie outside the range limits: " + outside +
                               (beyondRounding ? "" : " (by no more than rounding)")});
    }
}

// One result per block, naming the first timing whose image size is off.
void CheckImageSizes(const EdidInfo& info, ConformityResults& results) {
    if (!info.screenSizeCm) {
        return;
    }
    const int width = static_cast<int>(info.screenSizeCm->width) * 10;
    const int height = static_cast<int>(info.screenSizeCm->height) * 10;
    std::optional<uint32_t> lastBlock;
    for (const TimingInfo& t : info.detailedTimings) {
        if (t.source == BlockType::DisplayId || t.pixelClockKHz < kMinPixelClockKHz ||
            lastBlock == t.block) {
            continue;
        }
        const int dw = static_cast<int>(t.imageWidthMm.value_or(0)) - width;
        const int dh = static_cast<int>(t.imageHeightMm.value_or(0)) - height;
        // Larger than the screen in either direction, or smaller in both.
        if (dw >= kImageSizeSlackMm || dh >= kImageSizeSlackMm ||
            (dw <= -kImageSizeSlackMm && dh <= -kImageSizeSlackMm)) {
            lastBlock = t.block;
            results.push_back({"image-size-mismatch", Severity::Failure, t.block,
                               "the " + to_string(t.width) + "x" + to_string(t.height) +
                                   " detailed timing's image size " +
                                   to_string(t.imageWidthMm.value_or(0)) + "x" +
                                   to_string(t.imageHeightMm.value_or(0)) +
                                   " mm is far from the screen size " + to_string(width) + "x" +
                                   to_string(height) + " mm"});
        }
    }
}

bool HasDescriptor(const EdidInfo& info, DescriptorContent content) {
    return std::find(info.descriptors.begin(), info.descriptors.end(), content) !=
           info.descriptors.end();
}

} // namespace

ConformityResults CheckBaseBlock(std::span<const uint8_t> edid, const EdidInfo& info) {
    ConformityResults results;
    results.reserve(8);
    if (CountedBlock(edid, info, 0).empty()) {
        return results;
    }
    const bool is13 = info.version == 1u && info.revision == 3u;
    const bool is14 = AtLeastRevision(info, 4);
    const bool continuous = info.features && info.features->continuousFrequency.value_or(false);
    if (AtLeastRevision(info, 3) && !HasDescriptor(info, DescriptorContent::ProductName)) {
        results.push_back({"missing-product-name", Severity::Failure, 0,
                           "EDID 1.3 and later need a product name descriptor (0xFC)"});
    }
    if (!info.rangeLimits && (is13 || (is14 && continuous))) {
        results.push_back(
            {"missing-range-limits", Severity::Failure, 0,
             is13 ? "EDID 1.3 needs a range limits descriptor (0xFD)"
                  : "a continuous-frequency EDID 1.4 needs a range limits descriptor (0xFD)"});
    }
    // CTA-861 asks for the ID serial number to be 0 when a serial number
    // descriptor holds it.
    const bool hasCta = std::any_of(info.blocks.begin(), info.blocks.end(), [](const BlockInfo& b) {
        return b.type == BlockType::Cta861 && !b.beyondCount;
    });
    if (hasCta && info.serialNumber && info.serialString) {
        results.push_back({"serial-number-with-serial-string", Severity::Warning, 0,
                           "bytes 12 to 15 hold serial number " + to_string(*info.serialNumber) +
                               " though a serial number descriptor (0xFF) is present"});
    }
    const std::span<const uint8_t> base = CountedBlock(edid, info, 0);
    if (info.features && info.features->srgbDefault &&
        !std::equal(kSrgbChromaticity.begin(), kSrgbChromaticity.end(),
                    base.begin() + kChromaticityOffset)) {
        results.push_back({"srgb-chromaticity-mismatch", Severity::Failure, 0,
                           "byte 24 flags sRGB as the default colour space, but the primaries and "
                           "white point of bytes 25 to 34 are not sRGB's"});
    }
    CheckRanges(edid, info, results);
    if (is14 && info.rangeLimits &&
        (info.rangeLimits->subtype == RangeSubtype::Gtf ||
         info.rangeLimits->subtype == RangeSubtype::SecondaryGtf)) {
        if (!continuous) {
            results.push_back({"gtf-without-continuous-frequency", Severity::Failure, 0,
                               "the range limits offer GTF timings, but byte 24 bit 0 says the "
                               "monitor is not continuous-frequency"});
        }
        results.push_back({"gtf-deprecated", Severity::Warning, 0,
                           "the range limits offer GTF timings, which EDID 1.4 deprecates"});
    }
    CheckImageSizes(info, results);
    ForEachStoredTiming(edid, info, [&results](Descriptor d, uint32_t block) {
        CheckDetailedTiming(d, block, results);
    });
    return results;
}
