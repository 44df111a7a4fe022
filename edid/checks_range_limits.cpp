// A range limits descriptor (0xFD) on its own: its class (byte 10), its
// limits, and what each class puts in bytes 11 to 17.
#include "edid/bits.h"
#include "edid/checks_base.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kFlagsOffset = 4;
constexpr std::size_t kClassOffset = 10;
constexpr uint8_t kGtf = 0x00;
constexpr uint8_t kRangeOnly = 0x01;
constexpr uint8_t kSecondaryGtf = 0x02;
constexpr uint8_t kCvt = 0x04;
// The CVT block's correction of the maximum pixel clock, in 0.25 MHz: from
// 10 MHz on the 10 MHz steps of byte 9 would have done.
constexpr uint32_t kLargestClockCorrection = 39;
constexpr uint32_t kLastPreferredAspect = 4; // 15:9

void Invalid(const DiagnosticSink& sink, std::size_t offset, const std::string& what) {
    Fail(sink, DiagnosticCode::RangeLimitsInvalid, offset, "the range limits descriptor " + what);
}

// EDID 1.4 deprecates GTF, and offers it only to continuous-frequency
// monitors.
void CheckGtf(const char* what, uint32_t revision, bool continuous, const DiagnosticSink& sink) {
    if (revision < 4) {
        return;
    }
    if (!continuous) {
        Fail(sink, DiagnosticCode::GtfWithoutContinuousFrequency, kClassOffset,
             std::string("the range limits (byte 10) offer ") + what +
                 " timings, but byte 24 bit 0 says the monitor is not continuous-frequency");
    }
    Warn(sink, DiagnosticCode::GtfDeprecated, kClassOffset,
         std::string("the range limits (byte 10) offer ") + what +
             " timings, which EDID 1.4 deprecates");
}

void CheckClass(Descriptor d, uint32_t revision, bool continuous, const DiagnosticSink& sink) {
    switch (d[kClassOffset]) {
    case kGtf:
        CheckGtf("GTF", revision, continuous, sink);
        break;
    case kSecondaryGtf:
        CheckGtf("secondary GTF", revision, continuous, sink);
        break;
    case kRangeOnly:
        if (revision < 4) {
            Invalid(sink, kClassOffset,
                    "gives class 1 (limits only) in byte 10, which EDID 1.4 "
                    "introduced");
        }
        break;
    case kCvt:
        if (revision < 4) {
            Invalid(sink, kClassOffset,
                    "gives class 4 (CVT) in byte 10, which EDID 1.4 introduced");
        } else if (!continuous) {
            Invalid(sink, kClassOffset,
                    "offers CVT timings (byte 10), but byte 24 bit 0 says the monitor is not "
                    "continuous-frequency");
        }
        break;
    default:
        Invalid(sink, kClassOffset,
                "gives the reserved class " + ByteHex(d[kClassOffset]) + " in byte 10");
    }
}

// EDID 1.4's flags of byte 4 add 255 to a maximum, and to its minimum
// only together with the maximum.
void CheckLimits(Descriptor d, uint32_t revision, const DiagnosticSink& sink) {
    const uint8_t flags = revision >= 4 ? d[kFlagsOffset] : 0;
    const auto offset = [flags](unsigned bit) { return Bit(flags, bit) ? 255u : 0u; };
    const uint32_t minV = d[5] + (Bit(flags, 1) ? offset(0) : 0);
    const uint32_t maxV = d[6] + offset(1);
    const uint32_t minH = d[7] + (Bit(flags, 3) ? offset(2) : 0);
    const uint32_t maxH = d[8] + offset(3);
    if (minV > maxV) {
        Invalid(sink, 5,
                "gives a minimum vertical rate of " + to_string(minV) +
                    " Hz above its maximum of " + to_string(maxV) + " Hz");
    }
    if (minH > maxH) {
        Invalid(sink, 7,
                "gives a minimum horizontal rate of " + to_string(minH) +
                    " kHz above its maximum of " + to_string(maxH) + " kHz");
    }
    if (revision >= 4 && d[9] == 0) {
        Invalid(sink, 9, "leaves the maximum pixel clock (byte 9) 0, which EDID 1.4 requires");
    }
}

void CheckSecondaryCurve(Descriptor d, const DiagnosticSink& sink) {
    if (d[11] != 0) {
        Invalid(sink, 11,
                "of a secondary GTF curve has " + ByteHex(d[11]) + " in byte 11, which must be 0");
    }
    if (std::all_of(d.begin() + 12, d.end(), [](uint8_t b) { return b == 0; })) {
        Invalid(sink, 12,
                "offers a secondary GTF curve whose parameters (bytes 12 to 17) are all 0");
    }
}

void CheckCvtBlock(Descriptor d, const DiagnosticSink& sink) {
    if (Bits(d[12], 7, 2) > kLargestClockCorrection) {
        Warn(sink, DiagnosticCode::RangeLimitsCvtDubious, 12,
             "the range limits' CVT block takes " + to_string(Bits(d[12], 7, 2) * 25) +
                 " hundredths of a MHz off the maximum pixel clock (byte 12), 10 MHz or more");
    }
    if ((d[14] & 0x07) != 0) {
        Invalid(sink, 14, "sets reserved bits 2 to 0 of byte 14 (CVT aspect ratios)");
    }
    if (Bits(d[15], 7, 5) > kLastPreferredAspect) {
        Invalid(sink, 15,
                "gives the reserved preferred aspect ratio code " + to_string(Bits(d[15], 7, 5)) +
                    " in byte 15 bits 7 to 5");
    }
    if ((d[15] & 0x07) != 0) {
        Invalid(sink, 15, "sets reserved bits 2 to 0 of byte 15 (CVT blanking)");
    }
    if ((d[16] & 0x0F) != 0) {
        Invalid(sink, 16, "sets reserved bits 3 to 0 of byte 16 (CVT scaling)");
    }
    if (d[17] == 0) {
        Warn(sink, DiagnosticCode::RangeLimitsCvtDubious, 17,
             "the range limits' CVT block names no preferred vertical rate (byte 17 is 0)");
    }
}

// Classes without data of their own end bytes 11 to 17 as a text does.
void CheckPadding(Descriptor d, const DiagnosticSink& sink) {
    if (d[11] != 0x0A) {
        Invalid(sink, 11,
                "has " + ByteHex(d[11]) + " in byte 11, where its class puts a line feed");
    }
    if (std::any_of(d.begin() + 12, d.end(), [](uint8_t b) { return b != 0x20; })) {
        Invalid(sink, 12, "has bytes 12 to 17 other than spaces, which its class requires");
    }
}

} // namespace

void CheckRangeLimitsDescriptor(Descriptor d, const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const uint32_t revision = RevisionOf(info);
    const bool continuous = info.features && info.features->continuousFrequency.value_or(false);
    CheckClass(d, revision, continuous, sink);
    CheckLimits(d, revision, sink);
    if (d[kClassOffset] == kSecondaryGtf) {
        CheckSecondaryCurve(d, sink);
    } else if (d[kClassOffset] == kCvt) {
        CheckCvtBlock(d, sink);
    } else {
        CheckPadding(d, sink);
    }
}

} // namespace moniquet
