// The rules of DisplayID sections and data blocks, as the decoder reads
// them. Offsets name bytes from a data block's tag byte (its payload starts
// at byte 3), as the tables of DisplayID number them.
#include "edid/displayid_checks.h"

#include "edid/bits.h"
#include "edid/cta_names.h"
#include "edid/displayid_names.h"
#include "edid/displayid_timings.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>

namespace {

using Bytes = std::span<const uint8_t>;
using std::to_string;

constexpr std::size_t kHeader = kDisplayIdDataBlockHeaderSize;
// Versions 0x10 to 0x1F are DisplayID 1.x.
constexpr uint32_t kVersion2 = 0x20;
// A data block's payload cannot be longer than a section's.
constexpr std::size_t kMaxPayload = 248;
// The section's length byte: an EDID block holds at most 121 bytes of it.
constexpr std::size_t kMaxSectionLength = 121;
// A DisplayID 1.x product text fits in the block after its 15 header bytes.
constexpr std::size_t kMaxProductText = 113;
constexpr uint32_t kMaxPixelClockKHz = 16777216;
constexpr uint32_t kVesaOui = 0x3A0292;
// Tags of another DisplayID data block kind than their own.
constexpr uint8_t kTagArvrHmd = 0x2C;
constexpr uint8_t kTagArvrLayer = 0x2D;
constexpr uint8_t kTagBrightness = 0x2E;

// The data block's name, as the decoded sections list it; the blocks of
// DisplayID 2.1 that they do not name yet are named here.
std::string Name(uint8_t tag) {
    switch (tag) {
    case kTagArvrHmd:
        return "AR/VR head-mounted display data block (0x2C)";
    case kTagArvrLayer:
        return "AR/VR layer data block (0x2D)";
    case kTagBrightness:
        return "Brightness luminance range data block (0x2E)";
    default:
        return DisplayIdBlockName(tag, std::nullopt);
    }
}

std::string Version(uint32_t version) {
    return to_string(version >> 4) + "." + to_string(version & 0xF);
}

uint32_t BigEndian24(Bytes p) {
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

uint32_t Reversed(uint32_t oui) {
    return (oui & 0xFF) << 16 | (oui & 0xFF00) | oui >> 16;
}

bool Known(uint32_t oui) {
    return VendorName(oui).has_value();
}

bool AllZero(Bytes bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// The revision a kind of data block has, and the bits besides bits 2 to 0
// of its revision byte that it defines; empty for kinds that define none.
struct RevisionRule {
    uint8_t revision = 0;
    uint8_t flags = 0;
};

std::optional<RevisionRule> RevisionRuleOf(uint8_t tag, uint8_t revisionByte, bool vesa) {
    const uint8_t revision = revisionByte & 7;
    switch (tag) {
    case kDidType1:
    case kDidType3:
        // Revisions 0 and 1 both exist.
        return RevisionRule{static_cast<uint8_t>(revision & 1), 0};
    case 0x02:
        // Bit 7: CIE 1976; bits 6 to 3: the transfer characteristics' ID.
        return RevisionRule{1, 0xF8};
    case kDidType4:
        // Bits 7 and 6: the table the codes name.
        return RevisionRule{1, 0xC0};
    case 0x0E:
        // Bits 7 to 4: the block's identifier.
        return RevisionRule{1, 0xF0};
    case 0x10:
    case 0x27:
        // Bits 7 and 6: which timings the stereo formats apply to.
        return RevisionRule{1, 0xC0};
    case kDidParameters2:
        // Bit 7: the image size in whole mm.
        return RevisionRule{static_cast<uint8_t>(revision >= 1 ? 1 : 0), 0x80};
    case kDidType7:
        // Bit 3: DSC pass-through, from revision 1 on.
        return revision >= 2   ? RevisionRule{2, 0x08}
               : revision == 1 ? RevisionRule{1, 0x08}
                               : RevisionRule{0, 0};
    case kDidType8:
        // Bits 7 and 6: the code table; bit 3: two-byte codes; bit 5, from
        // revision 1 on: YCbCr 4:2:0.
        return revision >= 1 ? RevisionRule{1, 0xE8} : RevisionRule{0, 0xC8};
    case 0x25:
        return RevisionRule{static_cast<uint8_t>(revision == 1 ? 1 : 0), 0};
    case kDidType10:
    case kDidAdaptiveSync:
        // Bits 6 to 4: bytes added to each descriptor.
        return RevisionRule{0, 0x70};
    case kDidVendor2:
        return vesa ? std::optional(RevisionRule{0, 0}) : std::nullopt;
    case kDidVendor:
        return std::nullopt;
    default:
        if (tag <= 0x13 || (tag >= 0x20 && tag <= 0x2E) || tag == kDidCta) {
            return RevisionRule{0, 0};
        }
        return std::nullopt;
    }
}

void CheckRevision(const DisplayIdDataBlock& b, bool vesa, const DiagnosticSink& sink) {
    const std::optional<RevisionRule> rule = RevisionRuleOf(b.tag, b.revision, vesa);
    if (!rule) {
        return;
    }
    const uint32_t revision = b.revision & 7;
    if (revision != rule->revision) {
        Warn(sink, DiagnosticCode::DisplayIdBlockRevisionUnknown, 1,
             Name(b.tag) + ": bits 2 to 0 of byte 1 give revision " + to_string(revision) +
                 ", where this kind of block has revision " + to_string(rule->revision));
    }
    if (const uint32_t unknown = b.revision & ~7u & ~uint32_t{rule->flags}; unknown != 0) {
        Warn(sink, DiagnosticCode::DisplayIdBlockFlagsUnknown, 1,
             Name(b.tag) + ": byte 1 sets bits " + ByteHex(unknown) +
                 " that this kind and revision of block does not define");
    }
}

// The payload length a kind of block requires, from `low` to `high` bytes.
bool LengthWithin(const DisplayIdDataBlock& b, std::size_t low, std::size_t high,
                  const DiagnosticSink& sink) {
    const std::size_t length = b.payload.size();
    if (length >= low && length <= high) {
        return true;
    }
    Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
         Name(b.tag) + ": byte 2 gives a payload of " + to_string(length) + " bytes, where " +
             (low == high    ? to_string(low)
              : length < low ? "at least " + to_string(low)
                             : "at most " + to_string(high)) +
             " are required");
    return false;
}

void Reserved(const DiagnosticSink& sink, uint8_t tag, std::size_t offset,
              const std::string& what) {
    Fail(sink, DiagnosticCode::DisplayIdReservedValue, offset, Name(tag) + ": " + what);
}

// The vendor ID of a product identification or vendor-specific block: PNP
// ID letters in the DisplayID 1.x ones, an IEEE OUI (big-endian) in the 2.x
// ones. Only an OUI whose maker is known tells the two apart.
void CheckVendorId(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool pnp = b.tag == kDidProductId || b.tag == kDidVendor;
    if (p.size() < kOuiSize) {
        // A 1.x product block of zeros holds no vendor to speak of.
        if (b.tag != kDidProductId || !AllZero(p)) {
            Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
                 Name(b.tag) + ": a payload of " + to_string(p.size()) +
                     " bytes (byte 2) cannot hold the 3-byte vendor ID");
        }
        return;
    }
    const uint32_t oui = BigEndian24(p);
    const bool letters = std::all_of(p.begin(), p.begin() + kOuiSize,
                                     [](uint8_t c) { return c >= 'A' && c <= 'Z'; });
    const bool reversed = !Known(oui) && Known(Reversed(oui));
    if (Known(oui) || reversed) {
        if (pnp && !letters) {
            Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kHeader,
                 Name(b.tag) + ": bytes 3 to 5 hold a known IEEE OUI where this DisplayID 1.x "
                               "block holds three PNP ID letters");
        }
        if (reversed) {
            Fail(sink, DiagnosticCode::DisplayIdOuiByteOrder, kHeader,
                 Name(b.tag) + ": bytes 3 to 5 hold a known IEEE OUI least significant byte "
                               "first, where it is stored most significant byte first");
        }
    } else if (!pnp && oui == 0) {
        Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kHeader,
             Name(b.tag) + ": the IEEE OUI of bytes 3 to 5 is 00-00-00, which names no maker");
    } else if (!pnp && letters) {
        Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kHeader,
             Name(b.tag) +
                 ": bytes 3 to 5 are three capital letters, a PNP ID, where this DisplayID 2.x "
                 "block holds an IEEE OUI");
    }
}

void CheckProductId(const DisplayIdDataBlock& b, uint32_t sections, DisplayIdScratch& scratch,
                    const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    scratch.productId = true;
    if (sections != 1 || scratch.baseDataBlocks != 1) {
        Fail(sink, DiagnosticCode::DisplayIdProductIdNotFirst, 0,
             Name(b.tag) + " is not the first data block of the base section, where it belongs");
    }
    if (p.size() < kDidProductMinSize) {
        LengthWithin(b, kDidProductMinSize, kMaxPayload, sink);
        return;
    }
    if (p[kDidProductTextLengthOffset] >= kMaxProductText) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid,
             kHeader + kDidProductTextLengthOffset,
             Name(b.tag) + ": byte 14 gives a product text of " +
                 to_string(p[kDidProductTextLengthOffset]) + " bytes, more than the block holds");
        return;
    }
    constexpr uint8_t kModelYear = 0xFF;
    constexpr uint8_t kLastWeek = 52;
    // Model years count from 2015 (0x0F).
    constexpr uint8_t kFirstModelYear = 0x0F;
    const uint8_t week = p[kDidProductWeekOffset];
    if (week != 0 && week != kModelYear && week > kLastWeek) {
        Fail(sink, DiagnosticCode::DisplayIdProductDateInvalid, kHeader + kDidProductWeekOffset,
             Name(b.tag) + ": the week of manufacture (byte 12) is " + to_string(week) +
                 ", where 0, 1 to 52 or 0xFF (a model year) are allowed");
    }
    if (week == kModelYear && p[kDidProductYearOffset] < kFirstModelYear) {
        Fail(sink, DiagnosticCode::DisplayIdProductDateInvalid, kHeader + kDidProductYearOffset,
             Name(b.tag) + ": byte 13 gives model year " +
                 to_string(kDidFirstYear + p[kDidProductYearOffset]) +
                 ", where model years start at 2015 (0x0F)");
    }
}

void SetNativeFormat(uint32_t width, uint32_t height, uint8_t tag, std::size_t offset,
                     DisplayIdScratch& scratch, const DiagnosticSink& sink) {
    const std::string size = to_string(width) + "x" + to_string(height);
    if (scratch.nativeWidth != 0 &&
        (scratch.nativeWidth != width || scratch.nativeHeight != height)) {
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatMismatch, offset,
             Name(tag) + ": the native pixel format " + size + " differs from the " +
                 to_string(scratch.nativeWidth) + "x" + to_string(scratch.nativeHeight) +
                 " of an earlier block");
        return;
    }
    if ((width == 0) != (height == 0)) {
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatInvalid, offset,
             Name(tag) + ": the native pixel format " + size +
                 " has one dimension 0, where both or neither are");
    } else if (width != 0) {
        scratch.nativeWidth = width;
        scratch.nativeHeight = height;
    }
}

void CheckParameters(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                     const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool v2 = b.tag == kDidParameters2;
    const std::size_t size = v2 ? kDidParameters2Size : kDidParametersSize;
    if (!LengthWithin(b, size, size, sink)) {
        return;
    }
    if (scratch.parameters) {
        Fail(sink, DiagnosticCode::DisplayIdParametersDuplicate, 0,
             Name(b.tag) + " repeats the display parameters of an earlier block");
    }
    scratch.parameters = true;
    constexpr std::size_t kNative = 4;
    const uint32_t width = Le16(p, kNative);
    const uint32_t height = Le16(p, kNative + 2);
    SetNativeFormat(width, height, b.tag, kHeader + kNative, scratch, sink);
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
        Fail(sink, DiagnosticCode::DisplayIdLuminanceInfoInvalid, kHeader + kFeatures,
             Name(b.tag) + ": bits 4 and 3 of byte 11 (luminance information) hold the reserved " +
                 to_string(meaning));
    }
    for (const std::size_t at : {kMaxFull, kMaxTenth}) {
        if (Le16(p, at) == kNoLuminance && meaning != 0) {
            Fail(sink, DiagnosticCode::DisplayIdLuminanceInfoInvalid, kHeader + kFeatures,
                 Name(b.tag) + ": bits 4 and 3 of byte 11 describe a maximum luminance (bytes " +
                     to_string(kHeader + at) + " and " + to_string(kHeader + at + 1) +
                     ") given as -0, none; they are 0 then");
        }
    }
    if ((width == 0) != (height == 0) && scratch.nativeWidth != 0) {
        // SetNativeFormat named it when no earlier block had set a format.
        Fail(sink, DiagnosticCode::DisplayIdNativeFormatInvalid, kHeader + kNative,
             Name(b.tag) + ": the native pixel format " + to_string(width) + "x" +
                 to_string(height) + " has one dimension 0");
    }
}

void CheckDisplayDevice(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                        const DiagnosticSink& sink) {
    constexpr std::size_t kSize = 13;
    if (!LengthWithin(b, kSize, kSize, sink)) {
        return;
    }
    const Bytes p = b.payload;
    // Stored one less than they are, 0 when not given.
    const auto count = [](uint32_t stored) { return stored != 0 ? stored + 1 : 0; };
    SetNativeFormat(count(Le16(p, 2)), count(Le16(p, 4)), b.tag, kHeader + 2, scratch, sink);
    constexpr std::size_t kOrientation = 7;
    if (Bits(p[kOrientation], 1, 0) == 3) {
        Reserved(sink, b.tag, kHeader + kOrientation,
                 "bits 1 and 0 of byte 10 (scan direction) hold the reserved 3");
    }
}

// The curves of a transfer characteristics block: a sample count, then the
// samples (the last, always full scale, not stored), or 5 parameters.
void CheckTransferCurves(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool parameters = Bit(p[0], 5);
    std::size_t at = 1;
    std::size_t left = p.size() - 1;
    constexpr uint32_t kParameters = 5;
    while (left != 0) {
        uint32_t samples = p[at];
        const std::size_t offset = kHeader + at;
        if (samples == 0) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 Name(b.tag) + ": the curve at byte " + to_string(offset) + " has 0 samples");
            samples = 1;
        }
        if (!parameters) {
            --samples;
        } else if (samples != kParameters) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 Name(b.tag) + ": the curve at byte " + to_string(offset) + " has " +
                     to_string(samples) + " values, where a curve of parameters has 5");
            samples = kParameters;
        }
        if (samples + 1 > left) {
            Fail(sink, DiagnosticCode::DisplayIdTransferCurveInvalid, offset,
                 Name(b.tag) + ": the curve at byte " + to_string(offset) +
                     " runs past the end of the block");
            return;
        }
        at += samples + 1;
        left -= samples + 1;
    }
}

void CheckTiled(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                const DiagnosticSink& sink) {
    if (!LengthWithin(b, kDidTiledSize, kDidTiledSize, sink)) {
        return;
    }
    scratch.tiled = true;
    const Bytes p = b.payload;
    constexpr std::size_t kMultiplier = 8;
    constexpr std::size_t kSerial = 18;
    const bool bezels = Bit(p[0], 6);
    if (bezels != (p[kMultiplier] != 0)) {
        Fail(sink, DiagnosticCode::DisplayIdTiledBezelInconsistent, kHeader + kMultiplier,
             Name(b.tag) + (bezels ? ": bit 6 of byte 3 gives bezel sizes but the pixel "
                                     "multiplier (byte 11) is 0"
                                   : ": byte 11 holds a pixel multiplier for bezel sizes that "
                                     "bit 6 of byte 3 says are not given"));
    }
    if (AllZero(p.subspan(kSerial, 4))) {
        Fail(sink, DiagnosticCode::DisplayIdTiledSerialMissing, kHeader + kSerial,
             Name(b.tag) + ": the tiled display's serial number (bytes 21 to 24) is 0, which "
                           "leaves the tiles of two like displays indistinguishable");
    }
}

void CheckDynamicRange(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    constexpr std::size_t kSize = 9;
    if (!LengthWithin(b, kSize, kSize, sink)) {
        return;
    }
    const Bytes p = b.payload;
    const uint32_t minClock = Le24(p, 0) + 1;
    const uint32_t maxClock = Le24(p, 3) + 1;
    const uint32_t minRate = p[6];
    // Revision 1 adds two high bits to the maximum rate.
    const uint32_t maxRate = p[7] | ((b.revision & 7) != 0 ? Bits(p[8], 1, 0) << 8 : 0);
    if (minClock > maxClock) {
        Fail(sink, DiagnosticCode::DisplayIdRangeInverted, kHeader,
             Name(b.tag) + ": the minimum pixel clock " + to_string(minClock) +
                 " kHz is above the maximum " + to_string(maxClock) + " kHz");
    }
    if (minRate > maxRate) {
        Fail(sink, DiagnosticCode::DisplayIdRangeInverted, kHeader + 6,
             Name(b.tag) + ": the minimum refresh rate " + to_string(minRate) +
                 " Hz is above the maximum " + to_string(maxRate) + " Hz");
    }
}

// The fixed 9 bytes, then as many colour space and EOTF pairs (at most 7)
// as byte 11 counts.
void CheckInterfaceFeatures(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                            const DiagnosticSink& sink) {
    constexpr std::size_t kFixed = 9;
    constexpr std::size_t kMaxPairs = 7;
    if (!LengthWithin(b, kFixed, kMaxPayload, sink)) {
        return;
    }
    scratch.interfaceFeatures = true;
    const std::size_t length = b.payload.size();
    const std::size_t pairs =
        std::min({std::size_t{b.payload[kFixed - 1]}, kMaxPairs, length - kFixed});
    if (length != kFixed + pairs) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
             Name(b.tag) + ": byte 2 gives a payload of " + to_string(length) + " bytes, where " +
                 to_string(kFixed) + " and " + to_string(pairs) +
                 " colour space and EOTF pairs (byte 11, at most 7) make " +
                 to_string(kFixed + pairs));
    }
}

void CheckAdaptiveSync(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const std::size_t size = kDidAdaptiveSyncSize + Bits(b.revision, 6, 4);
    const Bytes p = b.payload;
    if (p.size() % size != 0) {
        Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
             Name(b.tag) + ": byte 2 gives a payload of " + to_string(p.size()) +
                 " bytes, not a whole number of " + to_string(size) + "-byte descriptors");
    }
    for (std::size_t at = 0; p.size() - at >= size; at += size) {
        if (const uint32_t mode = Bits(p[at], 3, 2); mode > 1) {
            Reserved(sink, b.tag, kHeader + at,
                     "bits 3 and 2 of byte " + to_string(kHeader + at) +
                         " (the refresh behaviour) hold the reserved " + to_string(mode));
        }
    }
}

// The VESA vendor block of DisplayPort and eDP panels: bytes 6 and 7.
void CheckVesa(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    if (!LengthWithin(b, 5, 7, sink)) {
        return;
    }
    const Bytes p = b.payload;
    const auto reserved = [&](std::size_t at, const std::string& what) {
        Warn(sink, DiagnosticCode::DisplayIdVesaFieldReserved, kHeader + at,
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

void NoteColorIds(const DisplayIdDataBlock& b, uint32_t blockIndex, DisplayIdScratch& scratch) {
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

void CheckTagVersion(const DisplayIdDataBlock& b, uint32_t version, const DiagnosticSink& sink) {
    const bool tag1 = b.tag < 0x20 || b.tag == kDidVendor;
    const bool tag2 = b.tag >= 0x20 && b.tag < kDidVendor;
    if ((version >= kVersion2 && tag1) || (version < kVersion2 && tag2)) {
        Fail(sink, DiagnosticCode::DisplayIdTagWrongVersion, 0,
             Name(b.tag) + ": tag " + ByteHex(b.tag) + " is a DisplayID " + (tag1 ? "1.x" : "2.x") +
                 " tag, in a DisplayID " + Version(version) + " section");
    }
}

void CheckTimingBlock(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    if (b.tag == kDidType10) {
        constexpr std::size_t kLargest = 8;
        if (const std::size_t size = kDidType10Size + Bits(b.revision, 6, 4); size > kLargest) {
            Fail(sink, DiagnosticCode::DisplayIdTimingReserved, 1,
                 Name(b.tag) + ": bits 6 to 4 of byte 1 give " + to_string(size) +
                     "-byte descriptors, where 6 to 8 are defined");
        }
    }
}

} // namespace

void CheckDisplayIdSectionHeader(Bytes section, uint32_t block, const DiagnosticSink& sink,
                                 DisplayIdScratch& scratch) {
    const bool base = scratch.sections++ == 0;
    if (!Checking(sink)) {
        return;
    }
    const uint32_t version = section[0];
    const uint32_t type = section[2];
    const uint32_t count = section[3];
    // Offsets in the block: the section starts at byte 1.
    constexpr std::size_t kAt = kDisplayIdSectionOffset;
    if (section[1] > kMaxSectionLength) {
        Fail(sink, DiagnosticCode::DisplayIdSectionLengthInvalid, kAt + 1,
             "the DisplayID section's length (byte 2) is " + to_string(section[1]) +
                 ", more than the 121 bytes a block holds");
    }
    if (base) {
        scratch.baseBlock = block;
        scratch.baseVersion = version;
        scratch.baseExtensionCount = count;
        // Product types (1.x) 2, 3, 4 and 6 are displays, 1 is test
        // equipment, 5 a repeater; primary use cases (2.x) 2 to 8 are
        // displays, 7 and 8 head-mounted.
        const bool v2 = version >= kVersion2;
        scratch.display = v2 ? type >= 2 && type <= 8 : type >= 2 && type <= 6 && type != 5;
        scratch.headMounted = v2 && (type == 7 || type == 8);
        if (type > (v2 ? 8u : 6u)) {
            Fail(sink, DiagnosticCode::DisplayIdReservedValue, kAt + 2,
                 std::string("the base DisplayID section's ") +
                     (v2 ? "primary use case" : "product type") + " (byte 3) is the reserved " +
                     ByteHex(type));
        }
        return;
    }
    if (type != 0) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt + 2,
             "an extension DisplayID section's product type (byte 3) is " + ByteHex(type) +
                 ", where only the base section gives one");
    }
    if (count != 0) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt + 3,
             "an extension DisplayID section's extension count (byte 4) is " + to_string(count) +
                 ", where only the base section counts them");
    }
    if (version != scratch.baseVersion) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt,
             "an extension DisplayID section's version (byte 1) is " + Version(version) +
                 ", the base section's " + Version(scratch.baseVersion));
    }
}

void CheckDisplayIdDataBlock(const DisplayIdDataBlock& b, uint32_t version, uint32_t blockIndex,
                             const DiagnosticSink& sink, DisplayIdScratch& scratch) {
    const uint32_t sections = scratch.sections;
    if (sections == 1) {
        ++scratch.baseDataBlocks;
    }
    if (!Checking(sink)) {
        return;
    }
    const Bytes p = b.payload;
    // The VESA block is known by its OUI, in either byte order.
    const bool vendor = b.tag == kDidVendor || b.tag == kDidVendor2;
    const bool vesa = b.tag == kDidVendor2 && p.size() >= kOuiSize &&
                      (BigEndian24(p) == kVesaOui || BigEndian24(p) == Reversed(kVesaOui));
    if (b.tag == 0x10 || b.tag == 0x27) {
        scratch.stereoInterface = true;
    }
    // Whatever its length, the last parameters block gives the image size.
    if ((b.tag == kDidParameters || b.tag == kDidParameters2) && p.size() >= 4) {
        const uint32_t scale = b.tag == kDidParameters2 && Bit(b.revision, 7) ? 10 : 1;
        scratch.imageSize = {Le16(p, 0) * scale, Le16(p, 2) * scale};
    }
    if (b.tag == kDidProductId || b.tag == kDidProductId2 || vendor) {
        CheckVendorId(b, sink);
    }
    CheckTagVersion(b, version, sink);
    if ((b.tag == kTagArvrHmd || b.tag == kTagArvrLayer) && scratch.headMounted) {
        Fail(sink, DiagnosticCode::DisplayIdArvrInExtension, 0,
             Name(b.tag) + " belongs in a DisplayID structure of its own, not in an EDID "
                           "extension");
    }
    CheckRevision(b, vesa, sink);
    switch (b.tag) {
    case kDidProductId:
    case kDidProductId2:
        CheckProductId(b, sections, scratch, sink);
        break;
    case kDidParameters:
    case kDidParameters2:
        CheckParameters(b, scratch, sink);
        break;
    case 0x02:
    case 0x0E:
        NoteColorIds(b, blockIndex, scratch);
        if (b.tag == 0x0E && LengthWithin(b, 1, kMaxPayload, sink)) {
            CheckTransferCurves(b, sink);
        }
        break;
    case 0x09:
        LengthWithin(b, 15, 15, sink);
        break;
    case 0x0C:
        CheckDisplayDevice(b, scratch, sink);
        break;
    case 0x0D:
        LengthWithin(b, 6, 6, sink);
        break;
    case 0x0F:
        if (LengthWithin(b, 10, 10, sink)) {
            scratch.interfaceFeatures = true;
        }
        break;
    case 0x10:
    case 0x27:
        // Bit 6 of byte 1: timing codes follow the stereo format's bytes,
        // whose count byte 3 gives.
        if (Bit(b.revision, 6) && !p.empty() && p.size() < p[0] + 1u) {
            Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
                 Name(b.tag) + ": a payload of " + to_string(p.size()) +
                     " bytes (byte 2) is shorter than the " + to_string(p[0] + 1u) +
                     " of its stereo format (byte 3)");
        }
        break;
    case kDidTiled:
    case kDidTiled2:
        CheckTiled(b, scratch, sink);
        break;
    case 0x25:
        CheckDynamicRange(b, sink);
        break;
    case 0x26:
        CheckInterfaceFeatures(b, scratch, sink);
        break;
    case 0x29:
        LengthWithin(b, 16, 16, sink);
        break;
    case kDidAdaptiveSync:
        CheckAdaptiveSync(b, sink);
        break;
    case kTagArvrHmd:
        if (LengthWithin(b, 79, 79, sink)) {
            CheckArvrHmd(p, sink);
        }
        break;
    case kTagArvrLayer:
        if (LengthWithin(b, 20, 20, sink)) {
            CheckArvrLayer(p, sink);
        }
        break;
    case kTagBrightness:
        LengthWithin(b, 6, 6, sink);
        break;
    default:
        if (vesa) {
            CheckVesa(b, sink);
        }
        CheckTimingBlock(b, sink);
        break;
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
                 Name(b.tag) + ": a pixel clock of " +
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
             Name(b.tag) + ": byte " + to_string(at) + " of a descriptor " + what);
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
                 Name(b.tag) + ": byte 0 of a descriptor asks for custom reduced blanking, "
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

void CheckDisplayIdFiller(Bytes rest, const DiagnosticSink& sink) {
    if (!Checking(sink) || rest.empty()) {
        return;
    }
    if (rest.size() >= kHeader && rest.size() - kHeader < rest[2]) {
        Fail(sink, DiagnosticCode::DisplayIdDataBlockOverrun, 2,
             "a DisplayID data block of tag " + ByteHex(rest[0]) + " gives a payload of " +
                 to_string(rest[2]) + " bytes (its byte 2), where " +
                 to_string(rest.size() - kHeader) + " remain in the section");
        return;
    }
    if (!AllZero(rest)) {
        Fail(sink, DiagnosticCode::DisplayIdPaddingNonzero, 0,
             "the " + to_string(rest.size()) +
                 " bytes after the DisplayID section's last data block are not all 0");
    }
}

void CheckDisplayIdPadding(Bytes padding, const DiagnosticSink& sink) {
    if (Checking(sink) && !AllZero(padding)) {
        Fail(sink, DiagnosticCode::DisplayIdPaddingNonzero, 0,
             "the " + to_string(padding.size()) +
                 " bytes between the DisplayID section's checksum and the block's are not all 0");
    }
}
