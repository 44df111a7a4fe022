// The fields of CTA-861 vendor-specific data blocks (video, audio and data)
// and of the HDMI Forum's own blocks: which vendor, then what that vendor's
// bytes say, or the bytes themselves for a vendor whose layout is not known.
#include "edid/cta_fields_vendor.h"
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/edid_layout.h"
#include "moniquet/cta_names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace moniquet {

namespace {

constexpr uint32_t kOuiMicrosoft = 0xCA125C;
constexpr uint32_t kOuiDolby = 0x00D046;
constexpr uint32_t kOuiHdr10Plus = 0x90848B;
constexpr uint32_t kOuiThx = 0x0012FA;
constexpr uint32_t kOuiUhda = 0x1ABBFB;

constexpr uint8_t kExtHdmiForumOverride = 0x78;
constexpr uint8_t kExtHdmiForumToneMapping = 0x7A;

// The Microsoft block is read only at the one length its layout has: a
// version, a use case and a container ID.
constexpr std::size_t kMicrosoftLength = 18;

bool KnownVendor(uint32_t oui) {
    return VendorName(oui) || oui == kOuiThx || oui == kOuiUhda;
}

// Some blocks store the OUI most significant byte first; a vendor known
// only that way round is taken to be meant.
uint32_t VendorOui(VendorBytes payload) {
    const uint32_t oui = Le24(payload, 0);
    const uint32_t reversed = (oui >> 16) | (oui & 0xFF00u) | ((oui & 0xFFu) << 16);
    return !KnownVendor(oui) && KnownVendor(reversed) ? reversed : oui;
}

// Nothing where the OUI is all the block holds.
void AddPayload(Fields& fields, VendorBytes body) {
    if (!body.empty()) {
        AddName(fields, "payload", "Payload", HexBytes(body));
    }
}

// Brightness codes of AMD's block: 50 × 2^(code / 32) cd/m2 for the
// maximum, and the minimum a square fraction of its maximum.
double AmdMaxNits(uint8_t code) {
    return 50.0 * std::pow(2.0, code / 32.0);
}

double AmdMinNits(uint8_t maxCode, uint8_t code) {
    const double fraction = code / 255.0;
    return AmdMaxNits(maxCode) * fraction * fraction / 100.0;
}

void AddAmdLuminance(Fields& fields, std::string_view key, std::string_view label, uint8_t max,
                     uint8_t min) {
    Field& range = AddObject(fields, key, label);
    AddUnsigned(range.items, "max_code", "Maximum code", max);
    AddFixed(range.items, "max", "Maximum", AmdMaxNits(max), 3, " cd/m2");
    AddUnsigned(range.items, "min_code", "Minimum code", min);
    AddFixed(range.items, "min", "Minimum", AmdMinNits(max, min), 3, " cd/m2");
}

// AMD's FreeSync block, as drivers read it: versions 2 and 3 add HDR
// fields and a refresh rate of ten bits.
void AddAmdFields(Fields& fields, VendorBytes body) {
    const auto at = [&](std::size_t offset) { return offset < body.size(); };
    if (!at(0)) {
        return;
    }
    const uint32_t version = body[0];
    AddUnsigned(fields, "version", "Version", version);
    if (!at(1)) {
        return;
    }
    const uint8_t caps = body[1];
    AddName(fields, "feature_caps", "Feature caps", HexByteName(caps));
    const bool backlight = version > 1 && Bit(caps, 2);
    const bool dimming = version > 1 && Bit(caps, 3);
    if (version > 1) {
        AddBool(fields, "global_backlight_control", "Global backlight control", backlight);
        AddBool(fields, "local_dimming", "Local dimming", dimming);
    }
    if (version > 2) {
        AddBool(fields, "panel_replay", "Panel replay", Bit(caps, 6));
    }
    if (at(2)) {
        AddUnsigned(fields, "min_refresh_hz", "Minimum refresh", body[2], " Hz");
    }
    if (version > 2 && at(0xB)) {
        AddUnsigned(fields, "max_refresh_hz", "Maximum refresh",
                    Bits(body[0xB], 1, 0) << 8 | body[0xA], " Hz");
    } else if (at(3)) {
        AddUnsigned(fields, "max_refresh_hz", "Maximum refresh", body[3], " Hz");
    }
    if (at(4)) {
        AddName(fields, "flags_1", "Flags 1.x", HexByteName(body[4]));
        // Any of these bits: the range is switched over MCCS.
        AddBool(fields, "mccs", "MCCS", (body[4] & 0xE6) != 0);
    }
    if (version < 2 || !at(9)) {
        return;
    }
    const uint8_t flags = body[5];
    AddName(fields, "flags_2", "Flags 2.x", HexByteName(flags));
    if (!Bit(caps, 1)) {
        return;
    }
    // Drivers report HDR10 for any of bits 2, 4 and 5, and gamma 2.2 for
    // bit 2.
    const bool hdr10 = (flags & 0x34) != 0;
    AddBool(fields, "pq_eotf", "PQ EOTF", hdr10);
    AddBool(fields, "linear_eotf", "Linear EOTF", hdr10);
    AddBool(fields, "gamma_22_eotf", "Gamma 2.2 EOTF", Bit(flags, 2));
    AddBool(fields, "bt2020", "BT.2020 gamut", hdr10);
    const uint32_t panel = Bits(flags, 7, 5);
    AddBool(fields, "mini_led", "Mini LED", panel == 1);
    AddBool(fields, "oled", "OLED", panel == 2);
    AddAmdLuminance(fields, "luminance", "Luminance", body[6], body[7]);
    if (dimming || panel == 2) {
        AddAmdLuminance(fields, "luminance_without_local_dimming",
                        "Luminance without local dimming", body[8], body[9]);
    } else if (backlight) {
        AddAmdLuminance(fields, "luminance_at_min_backlight", "Luminance at minimum backlight",
                        body[8], body[9]);
    }
}

std::string UseCaseName(uint32_t code) {
    static constexpr std::pair<uint32_t, std::string_view> kCases[] = {
        {1, "test equipment"},
        {2, "generic display"},
        {3, "television"},
        {4, "desktop productivity"},
        {5, "desktop gaming"},
        {6, "presentation"},
        {7, "virtual reality headset"},
        {8, "augmented reality"},
        {16, "video wall"},
        {17, "medical imaging"},
        {18, "dedicated gaming"},
        {19, "dedicated video monitor"},
        {20, "accessory"},
    };
    for (const auto& [value, name] : kCases) {
        if (value == code) {
            return std::string(name);
        }
    }
    return "reserved (" + std::to_string(code) + ")";
}

// Windows' block for displays it keeps off the desktop (headsets and the
// like).
void AddMicrosoftFields(Fields& fields, VendorBytes body) {
    const uint32_t version = body[0];
    AddUnsigned(fields, "version", "Version", version);
    if (version > 2) {
        AddBool(fields, "desktop_usage", "Desktop usage", Bit(body[1], 6));
        AddBool(fields, "third_party_usage", "Third-party usage", Bit(body[1], 5));
    }
    AddName(fields, "primary_use_case", "Primary use case", UseCaseName(Bits(body[1], 4, 0)));
    // As a UUID is written: 8-4-4-4-12 hex digits.
    static constexpr char kHex[] = "0123456789abcdef";
    std::string id;
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            id += '-';
        }
        id += kHex[body[2 + i] >> 4];
        id += kHex[body[2 + i] & 0xF];
    }
    AddName(fields, "container_id", "Container ID", id);
}

// The UHD Alliance's block for filmmaker mode.
void AddUhdaFields(Fields& fields, VendorBytes body) {
    if (!body.empty()) {
        AddUnsigned(fields, "content_type", "Content type", body[0]);
    }
    if (body.size() > 1) {
        AddUnsigned(fields, "content_subtype", "Content subtype", body[1]);
    }
}

void AddHdr10PlusFields(Fields& fields, VendorBytes body) {
    if (body.empty()) {
        return;
    }
    AddUnsigned(fields, "application_version", "Application version", Bits(body[0], 1, 0));
    AddUnsigned(fields, "full_frame_peak_luminance_index", "Full-frame peak luminance index",
                Bits(body[0], 3, 2));
    AddUnsigned(fields, "peak_luminance_index", "Peak luminance index", Bits(body[0], 7, 4));
    AddPayload(fields, body.subspan(1));
}

void AddDolbyAudioFields(Fields& fields, VendorBytes body) {
    if (body.empty()) {
        return;
    }
    AddUnsigned(fields, "version", "Version", 1 + Bits(body[0], 2, 0));
    static constexpr std::array<FlagBit, 8> kZones = {{{"headphone_only", "Headphones only"},
                                                       {"height_zone", "Height speaker zone"},
                                                       {"surround_zone", "Surround speaker zone"},
                                                       {"center_zone", "Center speaker zone"}}};
    AddFlags(fields, body[0], kZones);
    if (body.size() > 1) {
        AddBool(fields, "mat_pcm_48k_only", "MAT PCM at 48 kHz only", Bit(body[1], 0));
    }
}

Fields VendorFields(uint8_t kind, VendorBytes payload) {
    Fields fields;
    if (payload.size() < kOuiSize) {
        return fields;
    }
    const uint32_t oui = VendorOui(payload);
    AddName(fields, "oui", "OUI", OuiName(oui));
    const VendorBytes body = payload.subspan(kOuiSize);
    if (kind == kCtaTagVendor && oui == kOuiHdmi) {
        AddHdmiFields(fields, body);
    } else if (kind == kCtaTagVendor && oui == kOuiHdmiForum) {
        AddHdmiForumFields(fields, body);
    } else if (kind == kCtaTagVendor && oui == kOuiAmd) {
        AddAmdFields(fields, body);
    } else if (kind == kCtaTagVendor && oui == kOuiMicrosoft && body.size() == kMicrosoftLength) {
        AddMicrosoftFields(fields, body);
    } else if (kind == kCtaTagVendor && oui == kOuiUhda) {
        AddUhdaFields(fields, body);
    } else if (kind == kCtaExtVendorVideo && oui == kOuiHdr10Plus) {
        AddHdr10PlusFields(fields, body);
    } else if (kind == kCtaExtVendorVideo && oui == kOuiDolby) {
        AddDolbyVideoFields(fields, body);
    } else if (kind == kCtaExtVendorAudio && oui == kOuiDolby) {
        AddDolbyAudioFields(fields, body);
    } else {
        AddPayload(fields, body);
    }
    return fields;
}

} // namespace

void AddFlags(Fields& fields, uint8_t byte, std::span<const FlagBit, 8> bits) {
    for (unsigned i = 0; i < bits.size(); ++i) {
        if (!bits[i].key.empty()) {
            AddBool(fields, bits[i].key, bits[i].label, Bit(byte, 7 - i));
        }
    }
}

// SMPTE ST 2084's curve from code to luminance.
double PqNits(double fraction) {
    constexpr double m1 = 2610.0 / 16384.0;
    constexpr double m2 = 128.0 * 2523.0 / 4096.0;
    constexpr double c1 = 3424.0 / 4096.0;
    constexpr double c2 = 32.0 * 2413.0 / 4096.0;
    constexpr double c3 = 32.0 * 2392.0 / 4096.0;
    const double e = std::pow(fraction, 1.0 / m2);
    const double v = std::max(e - c1, 0.0) / (c2 - c3 * e);
    return std::pow(v, 1.0 / m1) * 10000.0;
}

std::optional<Fields> CtaVendorFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                      std::span<const uint8_t> body) {
    if (tag == kCtaTagVendor) {
        return VendorFields(kCtaTagVendor, body);
    }
    if (tag != kCtaTagExtended || !extendedTag) {
        return std::nullopt;
    }
    switch (*extendedTag) {
    case kCtaExtVendorVideo:
    case kCtaExtVendorAudio:
        return VendorFields(*extendedTag, body);
    case kExtHdmiForumOverride: {
        Fields fields;
        if (!body.empty()) {
            AddUnsigned(fields, "extension_count", "Extension blocks", body[0]);
        }
        return fields;
    }
    case kCtaExtHdmiForumSink: {
        Fields fields;
        if (body.size() >= 2) {
            AddBool(fields, "reserved_set", "Reserved bytes set", body[0] != 0 || body[1] != 0);
            AddHdmiForumFields(fields, body.subspan(2));
        }
        return fields;
    }
    case kExtHdmiForumToneMapping:
        return ToneMappingFields(body);
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
