// Block 0: identity, display parameters, colour, and every way it names a
// timing.
#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/dmt_table.h"
#include "edid/edid_layout.h"
#include "edid/info_blocks.h"
#include "edid/timing_checks.h"
#include "makers/maker_names.h"
#include "moniquet/decode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kRangeFlagsOffset = 4;
constexpr std::size_t kRangeSubtypeOffset = 10;
constexpr std::size_t kStandardTimingsInDescriptor = 6;
constexpr double kMmPerInch = 25.4;

bool IsEdid14(WholeBlock block) {
    return block[kVersionOffset] == 1 && block[kRevisionOffset] >= 4;
}

Descriptor DescriptorAt(WholeBlock block, std::size_t n) {
    return block.subspan(kFirstDescriptorOffset + n * kDescriptorSize).first<kDescriptorSize>();
}

// Limits above 255 exist from EDID 1.4 on: flags in byte 4 add 255 to a
// maximum, and to its minimum only together with the maximum.
RangeLimits RangeLimitsOf(Descriptor d, bool hasOffsets) {
    const uint8_t flags = hasOffsets ? d[kRangeFlagsOffset] : 0;
    const bool maxV = Bit(flags, 1);
    const bool minV = maxV && Bit(flags, 0);
    const bool maxH = Bit(flags, 3);
    const bool minH = maxH && Bit(flags, 2);
    RangeLimits limits;
    limits.minVHz = d[5] + (minV ? 255u : 0u);
    limits.maxVHz = d[6] + (maxV ? 255u : 0u);
    limits.minHKHz = d[7] + (minH ? 255u : 0u);
    limits.maxHKHz = d[8] + (maxH ? 255u : 0u);
    if (d[9] != 0) {
        limits.maxPixelClockMHz = d[9] * 10u;
    }
    switch (d[kRangeSubtypeOffset]) {
    case 0x00:
        limits.subtype = RangeSubtype::Gtf;
        break;
    case 0x01:
        limits.subtype = RangeSubtype::RangeOnly;
        break;
    case 0x02:
        limits.subtype = RangeSubtype::SecondaryGtf;
        break;
    case 0x04:
        limits.subtype = RangeSubtype::Cvt;
        break;
    default:
        limits.subtype = RangeSubtype::Reserved;
    }
    return limits;
}

void DecodeManufactureDate(WholeBlock block, EdidInfo& info) {
    const uint8_t week = block[kWeekOffset];
    const uint32_t year = kFirstYear + block[kYearOffset];
    if (week == kWeekIsModelYear) {
        info.modelYear = year;
        return;
    }
    info.manufactureYear = year;
    if (week != 0) {
        info.manufactureWeek = week;
    }
}

VideoInput VideoInputOf(WholeBlock block) {
    const uint8_t input = block[kVideoInputOffset];
    VideoInput v;
    v.digital = Bit(input, 7);
    if (!v.digital) {
        v.separateSync = Bit(input, 3);
        v.compositeSync = Bit(input, 2);
        v.syncOnGreen = Bit(input, 1);
    } else if (IsEdid14(block)) {
        const uint32_t depth = Bits(input, 6, 4);
        if (depth >= 1 && depth <= 6) {
            v.bitDepth = 4 + 2 * depth;
        }
        const uint32_t interface = Bits(input, 3, 0);
        if (interface >= 1 && interface <= 5) {
            v.interface = interface;
        }
    }
    return v;
}

Features FeaturesOf(WholeBlock block) {
    const uint8_t f = block[kFeaturesOffset];
    Features features;
    features.gamma = GammaOf(block[kGammaOffset]);
    features.standby = Bit(f, 7);
    features.suspend = Bit(f, 6);
    features.activeOff = Bit(f, 5);
    const bool edid14 = IsEdid14(block);
    if (edid14 && Bit(block[kVideoInputOffset], 7)) {
        features.colorFormats = Bits(f, 4, 3);
    } else {
        features.colorType = Bits(f, 4, 3);
    }
    features.srgbDefault = Bit(f, 2);
    features.firstTimingPreferred = Bit(f, 1);
    (edid14 ? features.continuousFrequency : features.gtfSupported) = Bit(f, 0);
    return features;
}

Chromaticity ChromaticityOf(WholeBlock block) {
    const auto c = block.subspan(kChromaticityOffset).first<10>();
    // Each value is 10 bits: 8 high bits of its own, 2 low bits packed into
    // bytes 25 (red, green) and 26 (blue, white).
    const auto value = [c](std::size_t high, std::size_t lowByte, unsigned lowBit) {
        return ((c[high] << 2) | Bits(c[lowByte], lowBit + 1, lowBit)) / 1024.0;
    };
    return {{value(2, 0, 6), value(3, 0, 4)},
            {value(4, 0, 2), value(5, 0, 0)},
            {value(6, 1, 6), value(7, 1, 4)},
            {value(8, 1, 2), value(9, 1, 0)}};
}

std::vector<ModeTiming> EstablishedTimingsOf(WholeBlock block, RateSpan& rates) {
    std::vector<ModeTiming> modes;
    const auto table = EstablishedModes();
    modes.reserve(table.size());
    for (std::size_t n = 0; n < table.size(); ++n) {
        if (Bit(block[kEstablishedTimingsOffset + n / 8], 7 - n % 8)) {
            modes.push_back(ModeOf(table[n]));
            AddRates(rates, RatesOf(table[n]));
        }
    }
    return modes;
}

void AddStandardTiming(uint8_t first, uint8_t second, WholeBlock block, Walk& walk) {
    // 01 01 marks an unused entry; a first byte of 0 or 1 (a width of 248
    // or 256) is no mode either.
    if (first <= 0x01) {
        return;
    }
    StandardTiming t;
    t.width = (first + 31u) * 8u;
    t.aspect = Bits(second, 7, 6);
    t.squareAspect = t.aspect == 0 && block[kVersionOffset] == 1 && block[kRevisionOffset] < 3;
    static constexpr uint32_t kRatios[4][2] = {{10, 16}, {3, 4}, {4, 5}, {9, 16}};
    t.height = t.squareAspect ? t.width : t.width * kRatios[t.aspect][0] / kRatios[t.aspect][1];
    t.refreshHzNominal = Bits(second, 5, 0) + 60;
    t.dmt = FindDmtMode(t.width, t.height, t.refreshHzNominal);
    AddStandardTimingRates(first, second, walk);
    walk.info.standardTimings.push_back(t);
}

// The public values are the tags of the private layout.
constexpr bool ValuedByTag(DescriptorContent content, uint8_t tag) {
    return static_cast<uint32_t>(content) == tag;
}
static_assert(ValuedByTag(DescriptorContent::Serial, kTagSerialString) &&
              ValuedByTag(DescriptorContent::DataString, kTagDataString) &&
              ValuedByTag(DescriptorContent::RangeLimits, kTagRangeLimits) &&
              ValuedByTag(DescriptorContent::ProductName, kTagProductName) &&
              ValuedByTag(DescriptorContent::ColorPoint, kTagColorPoint) &&
              ValuedByTag(DescriptorContent::StandardTimings, kTagStandardTimings) &&
              ValuedByTag(DescriptorContent::Dcm, kTagDcm) &&
              ValuedByTag(DescriptorContent::Cvt, kTagCvt) &&
              ValuedByTag(DescriptorContent::EstablishedIii, kTagEstablishedIii) &&
              ValuedByTag(DescriptorContent::Dummy, kTagDummy));

DescriptorContent KindOf(Descriptor d) {
    if (!IsDisplayDescriptor(d)) {
        return DescriptorContent::Timing;
    }
    switch (DisplayDescriptorTag(d)) {
    case kTagSerialString:
        return DescriptorContent::Serial;
    case kTagDataString:
        return DescriptorContent::DataString;
    case kTagRangeLimits:
        return DescriptorContent::RangeLimits;
    case kTagProductName:
        return DescriptorContent::ProductName;
    case kTagColorPoint:
        return DescriptorContent::ColorPoint;
    case kTagStandardTimings:
        return DescriptorContent::StandardTimings;
    case kTagDcm:
        return DescriptorContent::Dcm;
    case kTagCvt:
        return DescriptorContent::Cvt;
    case kTagEstablishedIii:
        return DescriptorContent::EstablishedIii;
    case kTagDummy:
        return DescriptorContent::Dummy;
    default:
        return DisplayDescriptorTag(d) <= kLastManufacturerTag ? DescriptorContent::Manufacturer
                                                               : DescriptorContent::Unused;
    }
}

void DecodeBaseDescriptors(WholeBlock block, Walk& walk) {
    EdidInfo& info = walk.info;
    info.descriptors.reserve(kDescriptorCount);
    info.detailedTimings.reserve(kDescriptorCount);
    for (std::size_t n = 0; n < kDescriptorCount; ++n) {
        const Descriptor d = DescriptorAt(block, n);
        const std::size_t offset = kFirstDescriptorOffset + n * kDescriptorSize;
        const DescriptorContent kind = KindOf(d);
        info.descriptors.push_back(kind);
        AddDescriptor(d, 0, offset, BlockType::Base, walk);
        if (kind == DescriptorContent::DataString) {
            info.dataStrings.push_back(DescriptorTextOf(d));
        } else if (kind == DescriptorContent::RangeLimits && !info.rangeLimits) {
            info.rangeLimits = RangeLimitsOf(d, IsEdid14(block));
        } else if (kind == DescriptorContent::StandardTimings) {
            for (std::size_t i = 0; i < kStandardTimingsInDescriptor; ++i) {
                AddStandardTiming(d[5 + 2 * i], d[6 + 2 * i], block, walk);
            }
        }
    }
    if (info.features && info.features->firstTimingPreferred &&
        info.descriptors.front() == DescriptorContent::Timing) {
        info.detailedTimings.front().preferred = true;
    }
}

// The descriptors that EDID 1.3 and later require.
void CheckRequiredDescriptors(WholeBlock block, const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const bool is13 = block[kVersionOffset] == 1 && block[kRevisionOffset] == 3;
    const bool is14 = IsEdid14(block);
    const auto has = [&info](DescriptorContent content) {
        return std::find(info.descriptors.begin(), info.descriptors.end(), content) !=
               info.descriptors.end();
    };
    // EDID 1.4 only recommends it.
    if (is13 && !has(DescriptorContent::ProductName)) {
        Fail(sink, DiagnosticCode::MissingProductName, std::nullopt,
             "EDID 1.3 needs a product name descriptor (0xFC)");
    } else if (is14 && !has(DescriptorContent::ProductName)) {
        Warn(sink, DiagnosticCode::MissingProductName, std::nullopt,
             "no product name descriptor (0xFC), which EDID 1.4 recommends");
    }
    const bool continuous = info.features->continuousFrequency.value_or(false);
    if (!info.rangeLimits && (is13 || (is14 && continuous))) {
        Fail(sink, DiagnosticCode::MissingRangeLimits, std::nullopt,
             is13 ? "EDID 1.3 needs a range limits descriptor (0xFD)"
                  : "a continuous-frequency EDID 1.4 needs a range limits descriptor (0xFD)");
    }
}

} // namespace

void DecodeBaseBlock(WholeBlock block, Walk& walk) {
    EdidInfo& info = walk.info;
    const DiagnosticSink sink = SinkOf(walk, 0);
    VendorId vendor;
    DecodeVendorId(block, vendor);
    const std::u16string_view name = FindMakerName(vendor.manufacturer);
    if (!name.empty()) {
        info.manufacturerName = std::u16string(name);
    }
    info.manufacturerId = std::move(vendor.manufacturer);
    info.productCode = vendor.productCode;

    const uint32_t serial = Le16(block, kSerialNumberOffset) | Le16(block, kSerialNumberOffset + 2)
                                                                   << 16;
    if (serial != 0) {
        info.serialNumber = serial;
    }
    DecodeManufactureDate(block, info);
    info.videoInput = VideoInputOf(block);
    info.digital = info.videoInput->digital;
    if (block[kScreenWidthOffset] != 0 && block[kScreenHeightOffset] != 0) {
        info.screenSizeCm = ScreenSizeCm{block[kScreenWidthOffset], block[kScreenHeightOffset]};
    }
    info.features = FeaturesOf(block);
    info.chromaticity = ChromaticityOf(block);
    CheckIdentity(block, sink, walk);
    CheckDisplayParameters(block, sink);
    info.establishedTimings = EstablishedTimingsOf(block, walk.listedRates);
    NoteBaseBlockForTimings(block, walk);
    info.standardTimings.reserve(kStandardTimingCount);
    for (std::size_t i = 0; i < kStandardTimingCount; ++i) {
        const std::size_t offset = kStandardTimingsOffset + 2 * i;
        CheckStandardTimingCode(block.subspan(offset).first<2>(), offset, sink, info);
        AddStandardTiming(block[offset], block[offset + 1], block, walk);
    }
    walk.base.spwgPanel = IsSpwgPanel(block);
    DecodeBaseDescriptors(block, walk);
    CheckRequiredDescriptors(block, sink, info);
}

std::optional<double> DiagonalInches(const EdidInfo& info) {
    if (!info.detailedTimings.empty()) {
        const TimingInfo& t = info.detailedTimings.front();
        if (t.imageWidthMm.value_or(0) != 0 && t.imageHeightMm.value_or(0) != 0) {
            return std::hypot(*t.imageWidthMm, *t.imageHeightMm) / kMmPerInch;
        }
    }
    if (info.screenSizeCm) {
        return std::hypot(info.screenSizeCm->width, info.screenSizeCm->height) * 10 / kMmPerInch;
    }
    return std::nullopt;
}

} // namespace moniquet
