// What the display is: its video input (byte 20), screen size (21, 22),
// gamma and features (23, 24), colour (25 to 34), and the preferred timing
// that byte 24 promises in the first descriptor.
#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <array>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

// Bytes 25 to 34 of a base block whose primaries and white point are
// sRGB's (BT.709 primaries, D65), rounded to 10 bits.
constexpr std::array<uint8_t, 10> kSrgbChromaticity = {0xEE, 0x91, 0xA3, 0x54, 0x4C,
                                                       0x99, 0x26, 0x0F, 0x50, 0x54};
// sRGB's gamma of 2.2, as byte 23 stores it.
constexpr uint8_t kSrgbGamma = 120;
// A screen under 10 cm across is a watch, not a monitor: the bytes are
// likely an aspect ratio or garbage.
constexpr uint8_t kSmallestScreenCm = 10;
constexpr uint32_t kLastInterface = 5; // DisplayPort
constexpr uint32_t kReservedDepth = 7;

void CheckVideoInput(uint8_t input, uint32_t revision, const DiagnosticSink& sink) {
    if (!Bit(input, 7)) {
        return;
    }
    if (revision >= 4) {
        if (Bits(input, 6, 4) == kReservedDepth) {
            Fail(sink, DiagnosticCode::ColorDepthReserved, kVideoInputOffset,
                 "byte 20 bits 6 to 4 give the reserved colour depth code 7");
        }
        if (Bits(input, 3, 0) > kLastInterface) {
            Fail(sink, DiagnosticCode::VideoInterfaceReserved, kVideoInputOffset,
                 "byte 20 bits 3 to 0 give the reserved interface code " +
                     to_string(Bits(input, 3, 0)) + " (1 to 5 name DVI to DisplayPort)");
        }
        return;
    }
    // Before EDID 1.4 a digital input has no other bits than bit 0, which
    // EDID 1.2 and 1.3 give to DFP 1.x compatibility.
    const uint8_t reserved = input & (revision >= 2 ? 0x7E : 0x7F);
    if (reserved != 0) {
        Fail(sink, DiagnosticCode::VideoInterfaceReserved, kVideoInputOffset,
             "byte 20 sets the reserved bits " + ByteHex(reserved) +
                 " of a digital input of EDID 1." + to_string(revision));
    }
}

void CheckScreenSize(WholeBlock block, const DiagnosticSink& sink) {
    const uint8_t width = block[kScreenWidthOffset];
    const uint8_t height = block[kScreenHeightOffset];
    if (width != 0 && height != 0 && (width < kSmallestScreenCm || height < kSmallestScreenCm)) {
        Warn(sink, DiagnosticCode::ScreenSizeDubious, kScreenWidthOffset,
             "bytes 21 and 22 give a screen of " + to_string(width) + "x" + to_string(height) +
                 " cm, under 10 cm in a direction");
    }
}

void CheckSrgb(WholeBlock block, const DiagnosticSink& sink) {
    const bool srgb = std::equal(kSrgbChromaticity.begin(), kSrgbChromaticity.end(),
                                 block.begin() + kChromaticityOffset);
    if (!Bit(block[kFeaturesOffset], 2)) {
        if (srgb) {
            Fail(sink, DiagnosticCode::SrgbFlagMissing, kFeaturesOffset,
                 "bytes 25 to 34 give sRGB's primaries and white point, but byte 24 bit 2 does "
                 "not flag sRGB as the default colour space");
        }
        return;
    }
    if (!srgb) {
        Fail(sink, DiagnosticCode::SrgbChromaticityMismatch, kChromaticityOffset,
             "byte 24 flags sRGB as the default colour space, but the primaries and white "
             "point of bytes 25 to 34 are not sRGB's");
    }
    if (block[kGammaOffset] != kSrgbGamma) {
        Warn(sink, DiagnosticCode::SrgbGammaMismatch, kGammaOffset,
             "byte 24 flags sRGB as the default colour space, but byte 23 gives a gamma of " +
                 (block[kGammaOffset] == 0xFF ? std::string("0xFF (elsewhere)")
                                              : to_string(block[kGammaOffset] + 100)) +
                 " hundredths, not sRGB's 2.20");
    }
}

// EDID 1.3 requires byte 24 bit 1; EDID 1.4 reads the first descriptor as
// the preferred timing whatever the bit says.
void CheckPreferredTiming(WholeBlock block, uint32_t revision, const DiagnosticSink& sink) {
    const bool flagged = Bit(block[kFeaturesOffset], 1);
    if (revision == 3 && !flagged) {
        Fail(sink, DiagnosticCode::PreferredTimingBitMissing, kFeaturesOffset,
             "byte 24 bit 1 is 0, but EDID 1.3 requires the first detailed timing to be the "
             "preferred one");
    }
    const bool promised = revision >= 4 || flagged;
    if (promised && block[kFirstDescriptorOffset] == 0 && block[kFirstDescriptorOffset + 1] == 0) {
        Fail(sink, DiagnosticCode::PreferredTimingMissing, kFirstDescriptorOffset,
             "the first descriptor (byte 54) is a display descriptor, but " +
                 std::string(revision >= 4 ? "EDID 1.4 requires" : "byte 24 bit 1 promises") +
                 " a preferred detailed timing there");
    }
}

} // namespace

void CheckDisplayParameters(WholeBlock block, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    const uint32_t revision = block[kVersionOffset] == 1 ? block[kRevisionOffset] : 0;
    CheckVideoInput(block[kVideoInputOffset], revision, sink);
    CheckScreenSize(block, sink);
    CheckSrgb(block, sink);
    CheckPreferredTiming(block, revision, sink);
}

} // namespace moniquet
