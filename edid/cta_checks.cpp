// The rules of a CTA-861 block's header and layout, and those every data
// block answers to whatever its kind (its length, how often it may appear,
// the basic audio flag), with the small blocks of colour, HDR and speakers.
#include "edid/cta_checks.h"
#include "edid/displayid_checks.h"
#include "moniquet/fields.h"

#include "edid/bits.h"
#include "moniquet/cta_names.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kRevisionOffset = 1;
constexpr std::size_t kTimingsOffsetOffset = 2;
constexpr std::size_t kFlagsOffset = 3;
constexpr std::size_t kFirstDataBlock = 4;
constexpr std::size_t kChecksum = 127;
constexpr std::size_t kDescriptor = 18;
constexpr uint8_t kUnderscanBit = 0x80;
constexpr uint8_t kBasicAudioBit = 0x40;
constexpr uint8_t kYcbcrBits = 0x30;

// A data block's kind: its tag, or 0x700 and its extended tag.
constexpr uint32_t kExtended = 0x700;
constexpr uint32_t kAudio = 0x01;
constexpr uint32_t kVideo = 0x02;
constexpr uint32_t kVendor = 0x03;
constexpr uint32_t kSpeakers = 0x04;
constexpr uint32_t kTransfer = 0x05;
constexpr uint32_t kVideoFormats = 0x06;
constexpr uint32_t kExtendedTruncated = 0x07;
constexpr uint32_t kVideoCapability = 0x700;
constexpr uint32_t kVendorVideo = 0x701;
constexpr uint32_t kDisplayDevice = 0x702;
constexpr uint32_t kColorimetry = 0x705;
constexpr uint32_t kHdrStatic = 0x706;
constexpr uint32_t kHdrDynamic = 0x707;
constexpr uint32_t kNativeResolution = 0x708;
constexpr uint32_t kFormatPreference = 0x70D;
constexpr uint32_t kYcbcr420Video = 0x70E;
constexpr uint32_t kYcbcr420Map = 0x70F;
constexpr uint32_t kVendorAudio = 0x711;
constexpr uint32_t kHdmiAudio = 0x712;
constexpr uint32_t kRoomConfiguration = 0x713;
constexpr uint32_t kSpeakerLocation = 0x714;
constexpr uint32_t kInfoFrames = 0x720;
constexpr uint32_t kProductInformation = 0x721;
constexpr uint32_t kTypeVii = 0x722;
constexpr uint32_t kTypeViii = 0x723;
constexpr uint32_t kTypeX = 0x72A;
constexpr uint32_t kOverride = 0x778;
constexpr uint32_t kSinkCapability = 0x779;
constexpr uint32_t kToneMapping = 0x77A;

constexpr uint32_t kOuiHdmi = 0x000C03;
constexpr uint32_t kOuiHdmiForum = 0xC45DD8;
// Vendors the decoder names nowhere, whose OUIs still show one stored the
// wrong way round.
constexpr uint32_t kOuiThx = 0x0012FA;
constexpr uint32_t kOuiUhda = 0x1ABBFB;

// The kinds CTA-861 allows once per EDID; bit n of onceSeen is kind n.
constexpr std::array<uint32_t, 15> kOnce = {
    kSpeakers,          kTransfer,           kVideoCapability,  kDisplayDevice,  kColorimetry,
    kHdrStatic,         kNativeResolution,   kFormatPreference, kYcbcr420Map,    kHdmiAudio,
    kRoomConfiguration, kProductInformation, kOverride,         kSinkCapability, kToneMapping};

bool IsKnownKind(uint32_t kind) {
    if (kind < kExtended) {
        return kind != 0;
    }
    const uint32_t ext = kind & 0xFF;
    return ext <= 0x08 || (ext >= 0x0D && ext <= 0x14) || (ext >= 0x20 && ext <= 0x23) ||
           ext == 0x2A || (ext >= 0x78 && ext <= 0x7A);
}

bool IsAudioKind(uint32_t kind) {
    return kind == kAudio || kind == kSpeakers || kind == kVendorAudio || kind == kHdmiAudio ||
           kind == kRoomConfiguration || kind == kSpeakerLocation;
}

bool IsKnownOui(uint32_t oui) {
    return VendorName(oui) || oui == kOuiThx || oui == kOuiUhda;
}

uint32_t Reversed(uint32_t oui) {
    return (oui >> 16) | (oui & 0xFF00u) | ((oui & 0xFFu) << 16);
}

// How the messages name a data block.
std::string KindName(uint32_t kind) {
    switch (kind) {
    case kAudio:
        return "audio data block";
    case kVideo:
        return "video data block";
    case kVendor:
        return "vendor-specific data block";
    case kSpeakers:
        return "speaker allocation data block";
    case kTransfer:
        return "VESA transfer characteristics data block";
    case kVideoFormats:
        return "video format data block";
    case kVideoCapability:
        return "video capability data block";
    case kDisplayDevice:
        return "VESA video display device data block";
    case kColorimetry:
        return "colorimetry data block";
    case kHdrStatic:
        return "HDR static metadata data block";
    case kHdrDynamic:
        return "HDR dynamic metadata data block";
    case kNativeResolution:
        return "native video resolution data block";
    case kFormatPreference:
        return "video format preference data block";
    case kYcbcr420Video:
        return "YCbCr 4:2:0 video data block";
    case kYcbcr420Map:
        return "YCbCr 4:2:0 capability map data block";
    case kHdmiAudio:
        return "HDMI audio data block";
    case kRoomConfiguration:
        return "room configuration data block";
    case kSpeakerLocation:
        return "speaker location data block";
    case kInfoFrames:
        return "InfoFrame data block";
    case kProductInformation:
        return "product information data block";
    case kTypeVii:
    case kTypeViii:
    case kTypeX:
        return "DisplayID timing data block (extended tag " + ByteHex(kind & 0xFF) + ")";
    case kOverride:
        return "HDMI Forum EDID extension override data block";
    case kSinkCapability:
        return "HDMI Forum sink capability data block";
    case kToneMapping:
        return "HDMI Forum source-based tone mapping data block";
    default:
        return "data block of extended tag " + ByteHex(kind & 0xFF);
    }
}

// Fails a block shorter than the least its kind holds.
bool TooShort(std::size_t length, std::size_t least, uint32_t kind, const DiagnosticSink& sink) {
    if (length >= least) {
        return false;
    }
    Fail(sink, DiagnosticCode::CtaDataBlockEmpty, 0,
         "the " + KindName(kind) + " holds " + to_string(length) + " bytes after its tag, fewer " +
             "than the " + to_string(least) + " its fields need");
    return true;
}

void LengthInvalid(uint32_t kind, std::size_t length, const std::string& rule,
                   const DiagnosticSink& sink) {
    Fail(sink, DiagnosticCode::CtaDataBlockLengthInvalid, 0,
         "the " + KindName(kind) + " holds " + to_string(length) + " bytes after its tag; " + rule);
}

void CheckVideoCapability(std::span<const uint8_t> payload, const DiagnosticSink& sink,
                          const Walk& walk) {
    if (TooShort(payload.size(), 1, kVideoCapability, sink)) {
        return;
    }
    const DiagnosticSink at = Within(sink, 2);
    const uint8_t d = payload[0];
    const uint8_t flags = walk.cta.flags;
    if (!Bit(d, 6)) {
        Fail(at, DiagnosticCode::CtaRgbQuantizationFixed, 0,
             "bit 6 (QS) of the video capability data block is 0: a source cannot select the "
             "RGB quantization range, which sinks must let it do");
    }
    if ((flags & kYcbcrBits) != 0 && !Bit(d, 7)) {
        Warn(at, DiagnosticCode::CtaYcbcrQuantizationFixed, 0,
             "bit 7 (QY) of the video capability data block is 0 though byte 3 of the CTA-861 "
             "header supports YCbCr: a source cannot select the YCbCr quantization range");
    }
    const uint32_t pt = Bits(d, 5, 4);
    const uint32_t it = Bits(d, 3, 2);
    const uint32_t ce = Bits(d, 1, 0);
    const bool underscan = (flags & kUnderscanBit) != 0;
    if ((it == 1 && underscan) || (it == 2 && !underscan)) {
        Fail(at, DiagnosticCode::CtaItScanMismatch, 0,
             std::string("the video capability data block says IT formats are always ") +
                 (it == 1 ? "overscanned" : "underscanned") + ", but bit 7 of byte 3 of the " +
                 "CTA-861 header says they are " + (underscan ? "underscanned" : "overscanned"));
    }
    if (it < 2) {
        Warn(at, DiagnosticCode::CtaItUnderscanUnsupported, 0,
             "the IT scan behaviour of the video capability data block (S_IT = " + to_string(it) +
                 ") does not include underscan, which computer formats need to be shown whole");
    }
    if (ce == 0) {
        Warn(at, DiagnosticCode::CtaScanBehaviourRedundant, 0,
             "the CE scan behaviour of the video capability data block (S_CE) is 0, which "
             "would mean CE formats are not supported, though the sink lists them");
    } else if (pt == it && pt == ce) {
        Warn(at, DiagnosticCode::CtaScanBehaviourRedundant, 0,
             "the preferred-format scan behaviour of the video capability data block (S_PT = " +
                 to_string(pt) + ") repeats S_IT and S_CE; it should then be 0");
    }
}

void CheckColorimetry(std::span<const uint8_t> payload, const DiagnosticSink& sink,
                      const Walk& walk) {
    if (TooShort(payload.size(), 2, kColorimetry, sink)) {
        return;
    }
    const DiagnosticSink at = Within(sink, 2);
    // Bit 0 (MD0) flags the gamut boundary description metadata profile
    // P0; bits 1 to 3 are still reserved.
    if ((payload[1] & 0x0E) != 0) {
        Fail(at, DiagnosticCode::ReservedBitsSet, 1,
             "bits 1 to 3 of the colorimetry data block's second byte are reserved but hold " +
                 ByteHex(payload[1] & 0x0E));
    }
    if (!Bit(payload[1], 5) && !UsesSrgbColour(walk.info)) {
        Warn(at, DiagnosticCode::CtaSrgbColorimetryMissing, 1,
             "the colorimetry data block does not set bit 5 of its second byte (sRGB), and the "
             "base block does not say sRGB: sources cannot tell that RGB means sRGB");
    }
}

void CheckHdrStatic(std::span<const uint8_t> payload, const DiagnosticSink& sink) {
    if (TooShort(payload.size(), 2, kHdrStatic, sink)) {
        return;
    }
    const uint32_t unknown = Bits(payload[0], 5, 4);
    if (unknown != 0) {
        Fail(Within(sink, 2), DiagnosticCode::CtaHdrEotfUnknown, 0,
             "the HDR static metadata data block sets bit" +
                 std::string(unknown == 3   ? "s 4 and 5"
                             : unknown == 1 ? " 4"
                                            : " 5") +
                 " of its EOTF byte, which name no transfer function");
    }
}

void CheckSpeakers(std::span<const uint8_t> payload, const DiagnosticSink& sink) {
    if (TooShort(payload.size(), 3, kSpeakers, sink)) {
        return;
    }
    const uint32_t speakers = payload[0] | payload[1] << 8 | payload[2] << 16;
    // Speakers past the first seven belong in a room configuration block.
    if ((speakers & ~0x7Fu) != 0) {
        Warn(Within(sink, 1), DiagnosticCode::CtaSpeakersDeprecated, 0,
             "the speaker allocation data block flags speakers past bit 6 of its first byte, "
             "which CTA-861 deprecates here in favour of the room configuration data block");
    }
}

void CheckOverride(std::span<const uint8_t> payload, const DiagnosticSink& sink, Walk& walk,
                   uint32_t block) {
    const DiagnosticSink at = Within(sink, 2);
    if (payload.size() != 1) {
        Fail(at, DiagnosticCode::HdmiEeodbInvalid, std::nullopt,
             "the EDID extension override data block holds " + to_string(payload.size()) +
                 " bytes after its tag instead of 1");
    }
    if (!payload.empty() && payload[0] <= 1) {
        Fail(at, DiagnosticCode::HdmiEeodbInvalid, 0,
             "the EDID extension override data block counts " + to_string(payload[0]) +
                 " extension blocks; it is for EDIDs of more than one");
    }
    if (block != 1) {
        Fail(sink, DiagnosticCode::HdmiEeodbInvalid, 0,
             "an EDID extension override data block in block " + to_string(block) +
                 "; it belongs in block 1 only");
    }
    if (walk.cta.dataBlocks > 0) {
        Fail(sink, DiagnosticCode::HdmiEeodbInvalid, 0,
             "the EDID extension override data block is not the first data block of the first "
             "CTA-861 block");
    }
}

void CheckSinkCapability(std::span<const uint8_t> payload, const DiagnosticSink& sink, Walk& walk,
                         uint32_t block) {
    CtaCheckState& st = walk.cta;
    if (!st.afterHdmiBlock) {
        Fail(sink, DiagnosticCode::CtaMissingHdmiVsdb, 0,
             "the HDMI Forum sink capability data block does not come right after an HDMI "
             "vendor-specific data block");
    }
    if (st.hdmiForumRead) {
        Fail(sink, DiagnosticCode::HdmiForumBlockRepeated, 0,
             "a second HDMI Forum block (vendor-specific or sink capability data block)");
    }
    if (block != 1) {
        Fail(sink, DiagnosticCode::HdmiScdbMisplaced, 0,
             "an HDMI Forum sink capability data block in block " + to_string(block) +
                 "; it belongs in block 1 only");
    }
    if (payload.size() < 2) {
        LengthInvalid(kSinkCapability, payload.size(), "its two reserved bytes need at least 2",
                      sink);
        return;
    }
    CheckHdmiForumFields(payload.subspan(2), Within(sink, 4), walk);
    st.hdmiForumRead = true;
}

// Vendor-specific blocks: the OUI, and what HDMI's and the HDMI Forum's
// hold. Returns the vendor's OUI (0 without one).
uint32_t CheckVendor(uint32_t kind, std::span<const uint8_t> payload, const DiagnosticSink& sink,
                     Walk& walk) {
    const std::size_t ouiAt = kind == kVendor ? 1 : 2;
    if (payload.size() < 3) {
        LengthInvalid(kind, payload.size(), "its OUI alone needs 3", sink);
        return 0;
    }
    uint32_t oui = payload[0] | payload[1] << 8 | payload[2] << 16;
    if (!IsKnownOui(oui) && IsKnownOui(Reversed(oui))) {
        oui = Reversed(oui);
        Fail(sink, DiagnosticCode::CtaOuiByteOrder, ouiAt,
             "the vendor-specific data block stores OUI " + OuiName(oui) +
                 " most significant byte first; OUIs are stored least significant byte first");
    }
    if (kind != kVendor) {
        if (kind == kVendorVideo && oui == 0x90848B && payload.size() == 3) {
            Fail(sink, DiagnosticCode::CtaDataBlockEmpty, 0,
                 "the HDR10+ vendor-specific video data block holds nothing after its OUI");
        }
        return oui;
    }
    const DiagnosticSink body = Within(sink, ouiAt + 3);
    CtaCheckState& st = walk.cta;
    if (oui == kOuiHdmi) {
        CheckHdmiBlock(payload.subspan(3), body, walk);
    } else if (oui == kOuiHdmiForum) {
        if (!st.afterHdmiBlock) {
            Fail(sink, DiagnosticCode::CtaMissingHdmiVsdb, 0,
                 "the HDMI Forum vendor-specific data block does not come right after an HDMI "
                 "vendor-specific data block");
        }
        if (st.hdmiForumRead) {
            Fail(sink, DiagnosticCode::HdmiForumBlockRepeated, 0,
                 "a second HDMI Forum block (vendor-specific or sink capability data block)");
        }
        CheckHdmiForumFields(payload.subspan(3), body, walk);
        st.hdmiForumRead = true;
    }
    return oui;
}

} // namespace

void AddPending(Walk& walk, const DiagnosticSink& sink, std::size_t offset, CtaPendingKind kind,
                uint8_t value, uint8_t extra) {
    CtaCheckState& st = walk.cta;
    if (st.pendingCount < st.pending.size()) {
        st.pending[st.pendingCount++] = {kind, value, extra,
                                         static_cast<uint8_t>(sink.block.value_or(0)),
                                         static_cast<uint16_t>(sink.origin + offset)};
    }
}

// Revision 3 is CTA-861's since 2003; 2 is withdrawn, 0 none at all.
void CheckRevision(uint8_t revision, const DiagnosticSink& sink) {
    if (revision == 0 || revision == 2) {
        Fail(sink, DiagnosticCode::CtaRevisionInvalid, kRevisionOffset,
             revision == 0 ? std::string("byte 1 gives revision 0, which CTA-861 never had")
                           : std::string("byte 1 gives revision 2, which CTA-861 withdrew"));
    } else if (revision > 3) {
        Warn(sink, DiagnosticCode::CtaRevisionInvalid, kRevisionOffset,
             "byte 1 gives revision " + to_string(revision) + ", later than 3, the last known");
    }
}

void CheckCtaBlock(std::span<const uint8_t, 128> block, const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    const uint8_t revision = block[kRevisionOffset];
    const uint8_t flags = block[kFlagsOffset];
    const bool firstBlock = walk.cta.ctaBlocks++ == 0;
    CheckRevision(revision, sink);
    if (revision == 0) {
        return;
    }
    if (revision == 1 && flags != 0) {
        Fail(sink, DiagnosticCode::PaddingNonzero, kFlagsOffset,
             "byte 3 holds " + ByteHex(flags) +
                 ", but a revision 1 block has no flags and "
                 "keeps it 0");
    }
    if (revision >= 2) {
        if ((flags & kUnderscanBit) == 0) {
            Warn(sink, DiagnosticCode::CtaItOverscan, kFlagsOffset,
                 "byte 3 bit 7 says IT formats are overscanned by default; computer formats "
                 "are normally shown whole");
        }
        // The first block's flags hold for all, read before any data block.
        if (walk.cta.dataBlocks == 0) {
            walk.cta.flags = flags;
        }
        if (firstBlock) {
            walk.cta.firstFlags = flags;
        } else if (flags != walk.cta.firstFlags) {
            Fail(sink, DiagnosticCode::CtaHeaderInconsistent, kFlagsOffset,
                 "byte 3 holds " + ByteHex(flags) + ", where the first CTA-861 block's holds " +
                     ByteHex(walk.cta.firstFlags) + ": every CTA-861 block gives the same flags");
        }
    }
    const std::size_t offset = block[kTimingsOffsetOffset];
    const auto nonZero = [&](std::size_t from) {
        return std::find_if(block.begin() + from, block.begin() + kChecksum,
                            [](uint8_t b) { return b != 0; });
    };
    if (offset < kFirstDataBlock) {
        if (offset != 0) {
            Fail(sink, DiagnosticCode::CtaDtdOffsetInvalid, kTimingsOffsetOffset,
                 "byte 2 (where the detailed timings start) is " + to_string(offset) +
                     ": 0 says the block holds none, and they cannot start before byte 4");
        }
        const auto first = nonZero(kFirstDataBlock);
        if (first != block.begin() + kChecksum) {
            Fail(sink, DiagnosticCode::PaddingNonzero, first - block.begin(),
                 "byte 2 says the block holds no data blocks or timings, but byte " +
                     to_string(first - block.begin()) + " is not 0");
        }
        return;
    }
    if (offset > kChecksum) {
        Fail(sink, DiagnosticCode::CtaDtdOffsetInvalid, kTimingsOffsetOffset,
             "byte 2 puts the detailed timings at byte " + to_string(offset) +
                 ", past the block's last byte (127): neither its data blocks nor its timings "
                 "are read");
        return;
    }
    std::size_t end = offset;
    while (end + kDescriptor <= kChecksum &&
           std::any_of(block.begin() + end, block.begin() + end + kDescriptor,
                       [](uint8_t b) { return b != 0; })) {
        end += kDescriptor;
    }
    const auto first = nonZero(end);
    if (first != block.begin() + kChecksum) {
        Fail(sink, DiagnosticCode::PaddingNonzero, first - block.begin(),
             "byte " + to_string(first - block.begin()) + " is not 0, though it lies past the " +
                 "block's last detailed timing, where only padding belongs");
    }
}

// DisplayID timing data blocks that CTA-861 data blocks carry: their
// revision byte comes first, and decides their size.
void CheckCarriedTimings(uint32_t kind, std::span<const uint8_t> payload,
                         const DiagnosticSink& sink) {
    if (!payload.empty()) {
        CheckCtaCarriedTimingRevision(static_cast<uint8_t>(kind & 0xFF), payload[0],
                                      Within(sink, 2));
    }
    const uint32_t grown = payload.empty() ? 0 : Bits(payload[0], 6, 4);
    const std::size_t least = kind == kTypeVii    ? 21 + grown
                              : kind == kTypeViii ? (!payload.empty() && Bit(payload[0], 3) ? 3 : 2)
                                                  : 7 + grown;
    TooShort(payload.size(), least, kind, sink);
}

void CheckCtaDataBlock(const CtaDataBlockView& view, const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    CtaCheckState& st = walk.cta;
    const uint32_t kind = view.extendedTag ? kExtended | *view.extendedTag : view.tag;
    const std::span<const uint8_t> payload = view.payload;
    if (!IsKnownKind(kind)) {
        Warn(sink, DiagnosticCode::CtaDataBlockUnknown, view.extendedTag ? 1 : 0,
             view.extendedTag
                 ? "extended tag " + ByteHex(*view.extendedTag) + " names no data block of CTA-861"
                 : std::string("data block tag 0 is reserved"));
    }
    // A native video resolution block is neither counted nor remembered
    // as the block before the next, nor as seen (edid-decode's reading).
    const bool counted = kind != kNativeResolution;
    const auto once = std::find(kOnce.begin(), kOnce.end(), kind);
    if (once != kOnce.end() && counted) {
        const uint32_t bit = 1u << (once - kOnce.begin());
        uint32_t& seen = st.onceSeen[view.inDisplayId ? 1 : 0];
        if ((seen & bit) != 0) {
            Fail(sink, DiagnosticCode::CtaDataBlockRepeated, 0,
                 "a second " + KindName(kind) + ", which may appear only once");
        }
        seen |= bit;
    }
    if (IsAudioKind(kind) && (st.flags & kBasicAudioBit) == 0) {
        Fail(sink, DiagnosticCode::CtaBasicAudioUnset, 0,
             "the " + KindName(kind) +
                 " describes audio, but bit 6 of byte 3 of the CTA-861 header says the sink "
                 "has no basic audio");
    }
    uint32_t oui = 0;
    switch (kind) {
    case kAudio:
        CheckShortAudio(payload, sink);
        break;
    case kVideo:
        CheckShortVideo(payload, false, view, sink, walk);
        break;
    case kVendor:
    case kVendorVideo:
    case kVendorAudio:
        oui = CheckVendor(kind, payload, sink, walk);
        break;
    case kSpeakers:
        CheckSpeakers(payload, sink);
        break;
    case kTransfer:
        if (payload.size() != 7 && payload.size() != 15 && payload.size() != 31) {
            LengthInvalid(kind, payload.size(), "it holds 7, 15 or 31", sink);
        }
        break;
    case kVideoFormats:
        CheckVideoFormats(payload, sink, walk, view.inDisplayId);
        break;
    case kExtendedTruncated:
        Fail(sink, DiagnosticCode::CtaDataBlockEmpty, 0,
             "a data block of tag 7 has length 0, leaving no byte for its extended tag");
        break;
    case kVideoCapability:
        CheckVideoCapability(payload, sink, walk);
        break;
    case kDisplayDevice:
        if (payload.size() != 30) {
            LengthInvalid(kind, payload.size(), "it holds 30", sink);
        }
        break;
    case kColorimetry:
        CheckColorimetry(payload, sink, walk);
        break;
    case kHdrStatic:
        CheckHdrStatic(payload, sink);
        break;
    case kHdrDynamic:
        TooShort(payload.size(), 3, kind, sink);
        break;
    case kNativeResolution:
        if (!TooShort(payload.size(), 1, kind, sink)) {
            CheckNativeResolution(payload, sink, walk);
        }
        break;
    case kFormatPreference:
        if (!TooShort(payload.size(), 1, kind, sink)) {
            CheckFormatPreference(payload, sink, walk);
        }
        break;
    case kYcbcr420Video:
        CheckShortVideo(payload, true, view, sink, walk);
        break;
    case kHdmiAudio:
        if (!TooShort(payload.size(), 2, kind, sink)) {
            CheckHdmiAudio(payload, sink);
        }
        break;
    case kRoomConfiguration:
        if (!TooShort(payload.size(), 4, kind, sink)) {
            CheckRoomConfiguration(payload, sink, walk);
        }
        break;
    case kSpeakerLocation:
        if (!TooShort(payload.size(), 2, kind, sink)) {
            CheckSpeakerLocation(payload, sink, walk);
        }
        break;
    case kInfoFrames:
        if (!TooShort(payload.size(), 2, kind, sink)) {
            CheckInfoFrames(payload, sink);
        }
        break;
    case kProductInformation:
        if (!TooShort(payload.size(), 4, kind, sink)) {
            CheckProductInformation(payload, sink);
        }
        break;
    case kTypeVii:
    case kTypeViii:
    case kTypeX:
        CheckCarriedTimings(kind, payload, sink);
        break;
    case kOverride:
        CheckOverride(payload, sink, walk, view.block);
        break;
    case kSinkCapability:
        CheckSinkCapability(payload, sink, walk, view.block);
        break;
    case kToneMapping:
        CheckToneMapping(payload, sink);
        break;
    default:
        break;
    }
    if (!view.inDisplayId) {
        // What the short video references and later rules need.
        if (kind == kNativeResolution) {
            st.nativeResolutionBlock = true;
        } else if (kind == kTypeVii) {
            ++st.displayIdTimings;
        } else if (kind == kTypeX && !payload.empty()) {
            st.displayIdTimings +=
                static_cast<uint32_t>((payload.size() - 1) / (6 + Bits(payload[0], 6, 4)));
        } else if (kind == kTypeViii) {
            st.typeViiiBlock = true;
        }
    }
    if (counted) {
        ++st.dataBlocks;
        st.afterHdmiBlock = kind == kVendor && oui == kOuiHdmi;
    }
}

} // namespace moniquet
