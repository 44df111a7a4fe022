// The fields of CTA-861 data blocks that describe formats: video, audio,
// speakers and rooms, and the blocks that name formats by reference.
#include "edid/cta_fields_formats.h"
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/edid_layout.h"
#include "moniquet/info_displayid.h"

#include <array>
#include <utility>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint8_t kCtaTagVideoFormat = 6;
constexpr uint8_t kCtaExtNativeResolution = 0x08;
constexpr uint8_t kCtaExtHdmiVideoReserved = 0x04;
constexpr uint8_t kCtaExtVideoPreference = 0x0D;
constexpr uint8_t kCtaExtMiscAudioReserved = 0x10;
constexpr uint8_t kCtaExtHdmiAudio = 0x12;
constexpr uint8_t kCtaExtRoomConfiguration = 0x13;
constexpr uint8_t kCtaExtSpeakerLocation = 0x14;
constexpr uint8_t kCtaExtInfoFrame = 0x20;
constexpr uint8_t kCtaExtProductInformation = 0x21;
constexpr uint8_t kCtaExtTypeVii = 0x22;
constexpr uint8_t kCtaExtTypeViii = 0x23;
constexpr uint8_t kCtaExtTypeX = 0x2A;

// Short video descriptors, of the video data block and of the 4:2:0 one.
Fields VideoFields(Bytes body) {
    Fields fields;
    Field& svds = AddList(fields, "svds", "VIC");
    svds.items.reserve(body.size());
    for (const uint8_t code : body) {
        Field& svd = AddObject(svds.items, "", "");
        const std::optional<uint32_t> vic = SvdVic(code);
        if (vic) {
            AddUnsigned(svd.items, "vic", "VIC", *vic);
        } else {
            AddNull(svd.items, "vic", "VIC");
        }
        // The flag is bit 7 of a code that keeps its VIC in bits 6 to 0.
        AddBool(svd.items, "native", "Native", vic && *vic != code);
    }
    return fields;
}

// Bits 3 and 6 took new names with the room configuration block, which
// also took over every speaker from bit 7 on: a speaker allocation block
// that sets those is read, but they are deprecated there.
constexpr std::array<std::string_view, 21> kSpeakers = {
    "FL/FR",   "LFE1",        "FC",        "LS/RS", "BC",        "FLc/FRc",   "BL/BR",
    "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",      "TpBC",
    "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS", "LSd/RSd"};
constexpr unsigned kFirstDeprecatedSpeaker = 7;

Fields SpeakerFields(Bytes body) {
    Fields fields;
    uint32_t bits = 0;
    for (std::size_t i = 0; i < body.size() && i < kCtaSpeakersSize; ++i) {
        bits |= static_cast<uint32_t>(body[i]) << (8 * i);
    }
    const uint32_t reserved = AddSpeakerMask(fields, "speakers", "Speakers", bits, kSpeakers);
    const uint32_t deprecated = bits & ~((1u << kFirstDeprecatedSpeaker) - 1u) & ~reserved;
    AddSpeakerMask(fields, "deprecated", "Deprecated", deprecated, kSpeakers);
    Field& unnamed = AddList(fields, "reserved_bits", "Reserved bits");
    for (unsigned bit = 0; bit < 24; ++bit) {
        if ((reserved >> bit & 1u) != 0) {
            AddUnsigned(unnamed.items, "", "", bit);
        }
    }
    return fields;
}

// Blocks whose bytes no standard reads yet.
Fields RawFields(Bytes body) {
    Fields fields;
    AddName(fields, "bytes", "Bytes", HexBytes(body));
    return fields;
}

// The DisplayID 2 timing blocks carried whole, their revision byte first:
// the fields are DisplayID's, under the same tags.
Fields DisplayIdTimingFields(uint8_t extendedTag, Bytes body) {
    if (body.empty()) {
        return {};
    }
    std::optional<Fields> fields =
        DisplayIdDataBlockFields(extendedTag, body[0], body.subspan(1), kDisplayIdVersion2);
    return fields ? std::move(*fields) : RawFields(body);
}

std::optional<Fields> ExtendedFields(uint8_t extendedTag, Bytes body) {
    switch (extendedTag) {
    case kCtaExtHdmiVideoReserved:
    case kCtaExtMiscAudioReserved:
        return RawFields(body);
    case kCtaExtNativeResolution:
        return NativeResolutionFields(body);
    case kCtaExtVideoPreference:
        return VideoFormatPreferenceFields(body);
    case kCtaExtYcbcr420Video:
        return VideoFields(body);
    case kCtaExtYcbcr420CapabilityMap:
        return CapabilityMapFields(body);
    case kCtaExtHdmiAudio:
        return HdmiAudioFields(body);
    case kCtaExtRoomConfiguration:
        return RoomConfigurationFields(body);
    case kCtaExtSpeakerLocation:
        return SpeakerLocationFields(body);
    case kCtaExtInfoFrame:
        return InfoFrameFields(body);
    case kCtaExtProductInformation:
        return ProductInformationFields(body);
    case kCtaExtTypeVii:
    case kCtaExtTypeViii:
    case kCtaExtTypeX:
        return DisplayIdTimingFields(extendedTag, body);
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<uint32_t> SvdVic(uint8_t code) {
    constexpr uint8_t kNativeFlag = 0x80;
    constexpr uint8_t kLastNativeVic = 64;
    if (code == 0 || code == kNativeFlag) {
        return std::nullopt;
    }
    // Only VICs 1 to 64 have room for the native flag; 193 and up are VICs
    // of their own.
    return code > kNativeFlag && code <= kNativeFlag + kLastNativeVic ? code & 0x7Fu : code;
}

std::optional<Fields> CtaFormatFields(uint8_t tag, std::optional<uint8_t> extendedTag, Bytes body) {
    switch (tag) {
    case kCtaTagAudio:
        return AudioFields(body);
    case kCtaTagVideo:
        return VideoFields(body);
    case kCtaTagSpeakers:
        return SpeakerFields(body);
    case kCtaTagVideoFormat:
        return VideoFormatFields(body);
    case kCtaTagExtended:
        return extendedTag ? ExtendedFields(*extendedTag, body) : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
