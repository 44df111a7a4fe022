// The rules of DisplayID timing descriptors (types I to X) and of the
// blocks that hold them. Offsets name bytes from a descriptor's first byte,
// or from the data block's tag byte for the block's own fields.
#include "edid/bits.h"
#include "edid/displayid_check_words.h"
#include "edid/edid_layout.h"

#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;
using std::to_string;

constexpr uint32_t kMaxPixelClockKHz = 16777216;

} // namespace

void CheckDidTimingBlock(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    if (b.tag == kDidType10) {
        constexpr std::size_t kLargest = 8;
        if (const std::size_t size = kDidType10Size + Bits(b.revision, 6, 4); size > kLargest) {
            Fail(sink, DiagnosticCode::DisplayIdTimingReserved, 1,
                 DidBlockLabel(b.tag) + ": bits 6 to 4 of byte 1 give " + to_string(size) +
                     "-byte descriptors, where 6 to 8 are defined");
        }
    }
}

void CheckDisplayIdTiming(const DisplayIdDataBlock& b, Bytes d, const DiagnosticSink& sink,
                          DisplayIdScratch& scratch) {
    // The stereo field's byte and position, and the byte whose bit 7 flags
    // the preferred timing, by type; the aspect ratio's byte of types I,
    // III and VII.
    std::size_t stereoByte = 0;
    std::optional<std::size_t> preferredByte;
    std::optional<std::size_t> aspectByte;
    const uint32_t revision = b.revision & 7;
    switch (b.tag) {
    case kDidType1:
    case kDidType7: {
        scratch.type1Or7 = true;
        stereoByte = 3;
        aspectByte = 3;
        // From revision 2 on, bit 7 flags YCbCr 4:2:0 only instead.
        if (revision < 2) {
            preferredByte = 3;
        } else if (Bit(d[3], 7)) {
            scratch.ycbcr420 = true;
        }
        const uint32_t unitKHz = b.tag == kDidType1 ? 10 : 1;
        if (Checking(sink) && (Le24(d, 0) + uint64_t{1}) * unitKHz > kMaxPixelClockKHz) {
            Fail(sink, DiagnosticCode::DisplayIdTimingClockTooHigh, 0,
                 DidBlockLabel(b.tag) + ": a pixel clock of " +
                     to_string((Le24(d, 0) + uint64_t{1}) * unitKHz) +
                     " kHz (bytes 0 to 2 of a descriptor) is above 16777216 kHz");
        }
        break;
    }
    case kDidType2:
        stereoByte = 3;
        preferredByte = 3;
        break;
    case kDidType3:
        preferredByte = 0;
        aspectByte = 0;
        break;
    case kDidType5:
    case kDidType9:
    case kDidType10:
        stereoByte = 0;
        preferredByte = b.tag == kDidType5 ? std::optional<std::size_t>(0) : std::nullopt;
        break;
    case kDidType6:
        stereoByte = 13;
        preferredByte = 2;
        break;
    default:
        return;
    }
    if (preferredByte && Bit(d[*preferredByte], 7)) {
        scratch.preferred = true;
    }
    const uint32_t stereo = b.tag == kDidType3 ? 0 : Bits(d[stereoByte], 6, 5);
    scratch.stereo |= stereo == 1 || stereo == 2;
    if (b.tag == kDidType10 && Bit(d[0], 7)) {
        scratch.ycbcr420 = true;
    }
    if (!Checking(sink)) {
        return;
    }
    const auto reserved = [&](std::size_t at, const std::string& what) {
        Fail(sink, DiagnosticCode::DisplayIdTimingReserved, at,
             DidBlockLabel(b.tag) + ": byte " + to_string(at) + " of a descriptor " + what);
    };
    // Aspect ratios 0 to 7 are named, 8 is "undefined".
    if (aspectByte && Bits(d[*aspectByte], 3, 0) > 8) {
        reserved(*aspectByte,
                 "gives the reserved aspect ratio " + to_string(Bits(d[*aspectByte], 3, 0)));
    }
    if (stereo == 3) {
        reserved(stereoByte, "gives the reserved 3D stereo support 3 (bits 6 and 5)");
    }
    if (b.tag == kDidType5) {
        // Bits 1 and 0: the formula, CVT reduced blanking 2 (0) or custom (1).
        if (const uint32_t formula = Bits(d[0], 1, 0); formula > 1) {
            reserved(0, "gives the reserved timing formula " + to_string(formula));
        } else if (formula == 1) {
            Warn(sink, DiagnosticCode::DisplayIdTimingCustomBlanking, 0,
                 DidBlockLabel(b.tag) +
                     ": byte 0 of a descriptor asks for custom reduced blanking, "
                     "which a source cannot derive");
        }
    }
    if (b.tag == kDidType10) {
        // Bits 2 to 0: the formula, reduced blanking 1, 2 or 3 (or none);
        // bits 4 and 3, byte 6 bits 7 to 2 only apply to some of them.
        const uint32_t formula = Bits(d[0], 2, 0);
        if (Bit(d[0], 4) && formula != 2 && formula != 3) {
            reserved(0, "sets bit 4 (VR_HB), which only reduced blanking 2 and 3 define");
        }
        if (Bit(d[0], 3) && formula != 3) {
            reserved(0, "sets bit 3 (early vertical sync), which only reduced blanking 3 "
                        "defines");
        }
        if (d.size() > kDidType10Size && formula != 3 && Bits(d[6], 7, 2) != 0) {
            reserved(6, "gives added blanking (bits 7 to 2), which only reduced blanking 3 "
                        "defines");
        }
    }
}

} // namespace moniquet
