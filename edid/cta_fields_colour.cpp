// The fields of CTA-861 data blocks of colour and display devices:
// colorimetry, HDR static and dynamic metadata, video capability, the VESA
// display device and transfer characteristics blocks.
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/cta_fields_display_device.h"
#include "edid/edid_layout.h"
#include "moniquet/cta_names.h"

#include <array>
#include <cmath>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

inline constexpr uint8_t kCtaTagTransferCharacteristics = 5;
inline constexpr uint8_t kCtaExtVesaDisplayDevice = 0x02;
inline constexpr uint8_t kCtaExtVesaTimingExtension = 0x03;

Fields VideoCapabilityFields(Bytes body) {
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    const uint8_t byte = body[0];
    AddBool(fields, "ycbcr_quantization_selectable", "YCbCr range selectable", Bit(byte, 7));
    AddBool(fields, "rgb_quantization_selectable", "RGB range selectable", Bit(byte, 6));
    AddName(fields, "pt_scan", "PT scan", std::string(ScanBehaviourName("PT", Bits(byte, 5, 4))));
    AddName(fields, "it_scan", "IT scan", std::string(ScanBehaviourName("IT", Bits(byte, 3, 2))));
    AddName(fields, "ce_scan", "CE scan", std::string(ScanBehaviourName("CE", Bits(byte, 1, 0))));
    return fields;
}

// The second byte's bits 0 to 3 were four gamut metadata profiles; only P0
// (MD0) is left, the other three are reserved now.
Fields ColorimetryFields(Bytes body) {
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    Field& list = AddList(fields, "colorimetry", "Colorimetry");
    const uint32_t bits = body.size() >= 2 ? Le16(body, 0) : body[0];
    for (unsigned bit = 0; bit < 16; ++bit) {
        if ((bits >> bit & 1u) != 0) {
            if (const auto name = ColorimetryName(bit)) {
                AddName(list.items, "", "", std::string(*name));
            }
        }
    }
    if (body.size() >= 2) {
        AddBool(fields, "gamut_metadata_p0", "Gamut metadata P0", Bit(body[1], 0));
        AddUnsigned(fields, "reserved_f41_f43", "Reserved F41-F43", Bits(body[1], 3, 1));
    }
    return fields;
}

// Luminance codes: the maxima are 50 × 2^(code/32) cd/m2, the minimum a
// fraction of the maximum, (code/255)² / 100 of it.
double MaxLuminance(uint8_t code) {
    return 50.0 * std::pow(2.0, code / 32.0);
}

void AddLuminance(Fields& fields, std::string_view key, std::string_view label, uint8_t code,
                  double cdm2) {
    Field& luminance = AddObject(fields, key, label);
    AddUnsigned(luminance.items, "code", "Code", code);
    AddFixed(luminance.items, "cd_m2", "Luminance", cdm2, 3, " cd/m2");
}

Fields HdrStaticFields(Bytes body) {
    static constexpr std::array<std::string_view, 6> kEotfs = {"traditional gamma (SDR)",
                                                               "traditional gamma (HDR)",
                                                               "SMPTE ST 2084",
                                                               "HLG",
                                                               "ET_4",
                                                               "ET_5"};
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    Field& eotfs = AddList(fields, "eotfs", "EOTFs");
    for (unsigned bit = 0; bit < kEotfs.size(); ++bit) {
        if (Bit(body[0], bit)) {
            AddName(eotfs.items, "", "", std::string(kEotfs[bit]));
        }
    }
    if (body.size() < 2) {
        return fields;
    }
    // Bit n flags static metadata type n + 1.
    Field& types = AddList(fields, "metadata_types", "Metadata types");
    for (unsigned bit = 0; bit < 8; ++bit) {
        if (Bit(body[1], bit)) {
            AddUnsigned(types.items, "", "", bit + 1);
        }
    }
    if (body.size() >= 3) {
        AddLuminance(fields, "max_luminance", "Max luminance", body[2], MaxLuminance(body[2]));
    }
    if (body.size() >= 4) {
        AddLuminance(fields, "max_frame_average_luminance", "Max frame average", body[3],
                     MaxLuminance(body[3]));
    }
    if (body.size() >= 5) {
        const double fraction = body[4] / 255.0;
        AddLuminance(fields, "min_luminance", "Min luminance", body[4],
                     MaxLuminance(body[2]) * fraction * fraction / 100.0);
    }
    return fields;
}

std::optional<std::string_view> DynamicMetadataStandard(uint32_t type) {
    static constexpr std::array<std::string_view, 4> kStandards = {
        "SMPTE ST 2094-10", "ETSI TS 103 433", "ITU-T H.265", "SMPTE ST 2094-40"};
    return type >= 1 && type <= kStandards.size() ? std::optional(kStandards[type - 1])
                                                  : std::nullopt;
}

// Descriptors of a length byte, a 16-bit type and the type's bytes; one
// that runs past the block, or fewer than 3 bytes left, ends the list.
Fields HdrDynamicFields(Bytes body) {
    Fields fields;
    Field& types = AddList(fields, "types", "Metadata type");
    std::size_t pos = 0;
    while (body.size() - pos >= 3) {
        const std::size_t length = body[pos];
        if (body.size() - pos < length + 1) {
            break;
        }
        const Bytes descriptor = body.subspan(pos + 1, length);
        pos += length + 1;
        Field& entry = AddObject(types.items, "", "");
        if (descriptor.size() < 2) {
            continue;
        }
        const uint32_t type = Le16(descriptor, 0);
        AddUnsigned(entry.items, "type", "Type", type);
        if (const auto standard = DynamicMetadataStandard(type)) {
            AddName(entry.items, "standard", "Standard", std::string(*standard));
        }
        // Types 1, 2 and 4 carry a version in their first byte; type 2's
        // version 1 and later flag the SL-HDR modes above it.
        if (descriptor.size() < 3 || (type != 1 && type != 2 && type != 4)) {
            continue;
        }
        const uint32_t version = Bits(descriptor[2], 3, 0);
        AddUnsigned(entry.items, "version", "Version", version);
        if (type == 2 && version >= 1) {
            AddBool(entry.items, "sl_hdr1", "SL-HDR1", Bit(descriptor[2], 4));
            AddBool(entry.items, "sl_hdr2", "SL-HDR2", Bit(descriptor[2], 5));
            AddBool(entry.items, "sl_hdr3", "SL-HDR3", Bit(descriptor[2], 6));
        }
    }
    return fields;
}

// A curve of one channel: the first byte's bits 5 to 0 the first level,
// each byte after an increment over the level before it.
Fields TransferCharacteristicsFields(Bytes body) {
    static constexpr std::array<std::string_view, 4> kChannels = {"white", "red", "green", "blue"};
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    AddName(fields, "channel", "Channel", std::string(kChannels[Bits(body[0], 7, 6)]));
    Field& levels = AddList(fields, "levels", "Levels");
    uint32_t level = Bits(body[0], 5, 0);
    AddUnsigned(levels.items, "", "", level);
    for (const uint8_t step : body.subspan(1)) {
        level += step;
        AddUnsigned(levels.items, "", "", level);
    }
    return fields;
}

// Carried as the bytes it holds: its layout is the VESA timing extension's.
Fields BytesFields(Bytes body) {
    Fields fields;
    Field& bytes = AddList(fields, "bytes", "Bytes");
    for (const uint8_t byte : body) {
        AddUnsigned(bytes.items, "", "", byte);
    }
    return fields;
}

} // namespace

std::optional<Fields> CtaColourFields(uint8_t tag, std::optional<uint8_t> extendedTag, Bytes body) {
    if (tag == kCtaTagTransferCharacteristics) {
        return TransferCharacteristicsFields(body);
    }
    if (tag != kCtaTagExtended || !extendedTag) {
        return std::nullopt;
    }
    switch (*extendedTag) {
    case kCtaExtVideoCapability:
        return VideoCapabilityFields(body);
    case kCtaExtVesaDisplayDevice:
        return VesaDisplayDeviceFields(body);
    case kCtaExtVesaTimingExtension:
        return BytesFields(body);
    case kCtaExtColorimetry:
        return ColorimetryFields(body);
    case kCtaExtHdrStatic:
        return HdrStaticFields(body);
    case kCtaExtHdrDynamic:
        return HdrDynamicFields(body);
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
