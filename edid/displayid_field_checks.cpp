// The rules of each kind of DisplayID data block but the timings': product
// identification, display parameters and device, colour and transfer
// characteristics, tiled topology, range limits, interface features,
// adaptive sync, the VESA vendor block. Offsets name bytes from a data
// block's tag byte.
#include "edid/bits.h"
#include "edid/displayid_check_words.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;
using std::to_string;

// A DisplayID 1.x product text fits in the block after its 15 header bytes.
constexpr std::size_t kMaxProductText = 113;

void Reserved(const DiagnosticSink& sink, uint8_t tag, std::size_t offset,
              const std::string& what) {
    Fail(sink, DiagnosticCode::DisplayIdReservedValue, offset, DidBlockLabel(tag) + ": " + what);
}

void SetNativeFormat(uint32_t width, uint32_t height, uint8_t tag, std::size_t offset,
                     DisplayIdScratch& scratch, const DiagnosticSink& sink) {
    const std::string size = to_string(width) + "x" + to_string(height);
    if (scratch.nativeWidth != 0 &&
        (scratch.nativeWidth != width || scratch.nativeHeight != height)) {
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatMismatch, offset,
             DidBlockLabel(tag) + ": the native pixel format " + size + " differs from the " +
                 to_string(scratch.nativeWidth) + "x" + to_string(scratch.nativeHeight) +
                 " of an earlier block");
        return;
    }
    if ((width == 0) != (height == 0)) {
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatInvalid, offset,
             DidBlockLabel(tag) + ": the native pixel format " + size +
                 " has one dimension 0, where both or neither are");
    } else if (width != 0) {
        scratch.nativeWidth = width;
        scratch.nativeHeight = height;
    }
}

} // namespace

void CheckDidProductId(const DisplayIdDataBlock& b, uint32_t sections, DisplayIdScratch& scratch,
                       const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    scratch.productId = true;
    if (sections != 1 || scratch.baseDataBlocks != 1) {
        Fail(sink, DiagnosticCode::DisplayIdProductIdNotFirst, 0,
             DidBlockLabel(b.tag) +
                 " is not the first data block of the base section, where it belongs");
    }
    if (p.size() < kDidProductMinSize) {
        DidPayloadWithin(b, kDidProductMinSize, kDidMaxPayload, sink);
        return;
    }
    if (p[kDidProductTextLengthOffset] >= kMaxProductText) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid,
             kDidHeader + kDidProductTextLengthOffset,
             DidBlockLabel(b.tag) + ": byte 14 gives a product text of " +
                 to_string(p[kDidProductTextLengthOffset]) + " bytes, more than the block holds");
        return;
    }
    constexpr uint8_t kModelYear = 0xFF;
    constexpr uint8_t kLastWeek = 52;
    // Model years count from 2015 (0x0F).
    constexpr uint8_t kFirstModelYear = 0x0F;
    const uint8_t week = p[kDidProductWeekOffset];
    if (week != 0 && week != kModelYear && week > kLastWeek) {
        Fail(sink, DiagnosticCode::DisplayIdProductDateInvalid, kDidHeader + kDidProductWeekOffset,
             DidBlockLabel(b.tag) + ": the week of manufacture (byte 12) is " + to_string(week) +
                 ", where 0, 1 to 52 or 0xFF (a model year) are allowed");
    }
    if (week == kModelYear && p[kDidProductYearOffset] < kFirstModelYear) {
        Fail(sink, DiagnosticCode::DisplayIdProductDateInvalid, kDidHeader + kDidProductYearOffset,
             DidBlockLabel(b.tag) + ": byte 13 gives model year " +
                 to_string(kDidFirstYear + p[kDidProductYearOffset]) +
                 ", where model years start at 2015 (0x0F)");
    }
}

void CheckDidParameters(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                        const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool v2 = b.tag == kDidParameters2;
    const std::size_t size = v2 ? kDidParameters2Size : kDidParametersSize;
    if (!DidPayloadWithin(b, size, size, sink)) {
        return;
    }
    if (scratch.parameters) {
        Fail(sink, DiagnosticCode::DisplayIdParametersDuplicate, 0,
             DidBlockLabel(b.tag) + " repeats the display parameters of an earlier block");
    }
    scratch.parameters = true;
    constexpr std::size_t kNative = 4;
    const uint32_t width = Le16(p, kNative);
    const uint32_t height = Le16(p, kNative + 2);
    SetNativeFormat(width, height, b.tag, kDidHeader + kNative, scratch, sink);
    if (!v2) {
        return;
    }
    // Bits 4 and 3 of byte 11 say what the luminances mean: 0 and 1 only.
    constexpr std::size_t kFeatures = 8;
    constexpr std::size_t kMaxFull = 21;
    constexpr std::size_t kMaxTenth = 23;
    // A luminance of -0 stands for "not given".
    constexpr uint32_t kNoLuminance = 0x8000;
    const uint32_t meaning = Bits(p[kFeatures], 4, 3);
    if (meaning > 1) {
        Fail(sink, DiagnosticCode::DisplayIdLuminanceInfoInvalid, kDidHeader + kFeatures,
             DidBlockLabel(b.tag) +
                 ": bits 4 and 3 of byte 11 (luminance information) hold the reserved " +
                 to_string(meaning));
    }
    for (const std::size_t at : {kMaxFull, kMaxTenth}) {
        if (Le16(p, at) == kNoLuminance && meaning != 0) {
            Fail(sink, DiagnosticCode::DisplayIdLuminanceInfoInvalid, kDidHeader + kFeatures,
                 DidBlockLabel(b.tag) +
                     ": bits 4 and 3 of byte 11 describe a maximum luminance (bytes " +
                     to_string(kDidHeader + at) + " and " + to_string(kDidHeader + at + 1) +
                     ") given as -0, none; they are 0 then");
        }
    }
    if ((width == 0) != (height == 0) && scratch.nativeWidth != 0) {
        // SetNativeFormat named it when no earlier block had set a format.
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatInvalid, kDidHeader + kNative,
             DidBlockLabel(b.tag) + ": the native pixel format " + to_string(width) + "x" +
                 to_string(height) + " has one dimension 0");
    }
}

void CheckDidDisplayDevice(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                           const DiagnosticSink& sink) {
    constexpr std::size_t kSize = 13;
    if (!DidPayloadWithin(b, kSize, kSize, sink)) {
        return;
    }
    const Bytes p = b.payload;
    // Stored one less than they are, 0 when not given.
    const auto count = [](uint32_t stored) { return stored != 0 ? stored + 1 : 0; };
    SetNativeFormat(count(Le16(p, 2)), count(Le16(p, 4)), b.tag, kDidHeader + 2, scratch, sink);
    constexpr std::size_t kOrientation = 7;
    if (Bits(p[kOrientation], 1, 0) == 3) {
        Reserved(sink, b.tag, kDidHeader + kOrientation,
                 "bits 1 and 0 of byte 10 (scan direction) hold the reserved 3");
    }
}

// The curves of a transfer characteristics block: a sample count, then the
// samples (the last, always full scale, not stored), or 5 parameters.
void CheckDidTransferCurves(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool parameters = Bit(p[0], 5);
    std::size_t at = 1;
    std::size_t left = p.size() - 1;
    constexpr uint32_t kParameters = 5;
    while (left != 0) {
        uint32_t samples = p[at];
        const std::size_t offset = kDidHeader + at;
        if (samples == 0) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 DidBlockLabel(b.tag) + ": the curve at byte " + to_string(offset) +
                     " has 0 samples");
            samples = 1;
        }
        if (!parameters) {
            --samples;
        } else if (samples != kParameters) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 DidBlockLabel(b.tag) + ": the curve at byte " + to_string(offset) + " has " +
                     to_string(samples) + " values, where a curve of parameters has 5");
            samples = kParameters;
        }
        if (samples + 1 > left) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 DidBlockLabel(b.tag) + ": the curve at byte " + to_string(offset) +
                     " runs past the end of the block");
            return;
        }
        at += samples + 1;
        left -= samples + 1;
    }
}

void CheckDidTiled(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                   const DiagnosticSink& sink) {
    if (!DidPayloadWithin(b, kDidTiledSize, kDidTiledSize, sink)) {
        return;
    }
    scratch.tiled = true;
    const Bytes p = b.payload;
    constexpr std::size_t kMultiplier = 8;
    constexpr std::size_t kSerial = 18;
    const bool bezels = Bit(p[0], 6);
    if (bezels != (p[kMultiplier] != 0)) {
        Fail(sink, DiagnosticCode::DisplayIdTiledBezelInconsistent, kDidHeader + kMultiplier,
             DidBlockLabel(b.tag) +
                 (bezels ? ": bit 6 of byte 3 gives bezel sizes but the pixel "
                           "multiplier (byte 11) is 0"
                         : ": byte 11 holds a pixel multiplier for bezel sizes that "
                           "bit 6 of byte 3 says are not given"));
    }
    if (DidAllZero(p.subspan(kSerial, 4))) {
        Fail(sink, DiagnosticCode::DisplayIdTiledSerialMissing, kDidHeader + kSerial,
             DidBlockLabel(b.tag) +
                 ": the tiled display's serial number (bytes 21 to 24) is 0, which "
                 "leaves the tiles of two like displays indistinguishable");
    }
}

void CheckDidDynamicRange(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    constexpr std::size_t kSize = 9;
    if (!DidPayloadWithin(b, kSize, kSize, sink)) {
        return;
    }
    const Bytes p = b.payload;
    const uint32_t minClock = Le24(p, 0) + 1;
    const uint32_t maxClock = Le24(p, 3) + 1;
    const uint32_t minRate = p[6];
    // Revision 1 adds two high bits to the maximum rate.
    const uint32_t maxRate = p[7] | ((b.revision & 7) != 0 ? Bits(p[8], 1, 0) << 8 : 0);
    if (minClock > maxClock) {
        Fail(sink, DiagnosticCode::DisplayIdRangeInverted, kDidHeader,
             DidBlockLabel(b.tag) + ": the minimum pixel clock " + to_string(minClock) +
                 " kHz is above the maximum " + to_string(maxClock) + " kHz");
    }
    if (minRate > maxRate) {
        Fail(sink, DiagnosticCode::DisplayIdRangeInverted, kDidHeader + 6,
             DidBlockLabel(b.tag) + ": the minimum refresh rate " + to_string(minRate) +
                 " Hz is above the maximum " + to_string(maxRate) + " Hz");
    }
}

// The fixed 9 bytes, then as many colour space and EOTF pairs (at most 7)
// as byte 11 counts.
void CheckDidInterfaceFeatures(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                               const DiagnosticSink& sink) {
    constexpr std::size_t kFixed = 9;
    constexpr std::size_t kMaxPairs = 7;
    if (!DidPayloadWithin(b, kFixed, kDidMaxPayload, sink)) {
        return;
    }
    scratch.interfaceFeatures = true;
    const std::size_t length = b.payload.size();
    const std::size_t pairs =
        std::min({std::size_t{b.payload[kFixed - 1]}, kMaxPairs, length - kFixed});
    if (length != kFixed + pairs) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
             DidBlockLabel(b.tag) + ": byte 2 gives a payload of " + to_string(length) +
                 " bytes, where " + to_string(kFixed) + " and " + to_string(pairs) +
                 " colour space and EOTF pairs (byte 11, at most 7) make " +
                 to_string(kFixed + pairs));
    }
}

void CheckDidAdaptiveSync(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const std::size_t size = kDidAdaptiveSyncSize + Bits(b.revision, 6, 4);
    const Bytes p = b.payload;
    if (p.size() % size != 0) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
             DidBlockLabel(b.tag) + ": byte 2 gives a payload of " + to_string(p.size()) +
                 " bytes, not a whole number of " + to_string(size) + "-byte descriptors");
    }
    for (std::size_t at = 0; p.size() - at >= size; at += size) {
        if (const uint32_t mode = Bits(p[at], 3, 2); mode > 1) {
            Reserved(sink, b.tag, kDidHeader + at,
                     "bits 3 and 2 of byte " + to_string(kDidHeader + at) +
                         " (the refresh behaviour) hold the reserved " + to_string(mode));
        }
    }
}

// The VESA vendor block of DisplayPort and eDP panels: bytes 6 and 7.
void CheckDidVesa(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    if (!DidPayloadWithin(b, 5, 7, sink)) {
        return;
    }
    const Bytes p = b.payload;
    const auto reserved = [&](std::size_t at, const std::string& what) {
        Warn(sink, DiagnosticCode::DisplayIdVesaFieldReserved, kDidHeader + at,
             "VESA vendor-specific data block: " + what);
    };
    if (Bits(p[3], 6, 3) != 0) {
        reserved(3, "bits 6 to 3 of byte 6 are reserved but hold " + to_string(Bits(p[3], 6, 3)));
    }
    if (Bits(p[4], 3, 0) > 8) {
        reserved(4, "bits 3 to 0 of byte 7 give " + to_string(Bits(p[4], 3, 0)) +
                        " pixels overlapping the next panel, more than 8");
    }
    if (Bit(p[4], 4)) {
        reserved(4, "bit 4 of byte 7 is reserved but set");
    }
    if (Bits(p[4], 6, 5) == 3) {
        reserved(4, "bits 6 and 5 of byte 7 (multi-SST operation) hold the reserved 3");
    }
    if (Bit(p[4], 7)) {
        reserved(4, "bit 7 of byte 7 is reserved but set");
    }
}

void NoteDidColorIds(const DisplayIdDataBlock& b, uint32_t blockIndex, DisplayIdScratch& scratch) {
    const auto block = static_cast<uint8_t>(blockIndex);
    if (b.tag == 0x02) {
        const uint32_t id = Bits(b.revision, 6, 3);
        scratch.colorIds |= 1u << id;
        if (id != 0 && !(scratch.colorNamesTransfer >> id & 1)) {
            scratch.colorNamesTransfer |= 1u << id;
            scratch.colorNamingBlock[id] = block;
        }
    } else {
        const uint32_t id = Bits(b.revision, 7, 4);
        scratch.transferIds |= 1u << id;
        if (id != 0 && !(scratch.transferNamesColor >> id & 1)) {
            scratch.transferNamesColor |= 1u << id;
            scratch.transferNamingBlock[id] = block;
        }
    }
}

} // namespace moniquet
