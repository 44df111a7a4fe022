// The fields of DisplayID data blocks about the display's build and its
// interface: display device, power sequencing, transfer characteristics,
// display interface (1.x) and interface features (2.x), stereo and tiles.
#include "edid/bits.h"
#include "edid/displayid_fields.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

uint32_t Plus1(uint32_t stored) {
    return stored + 1;
}

// Bits of depth flags, 6 to 16 bpc (RGB and 4:4:4) or 8 to 16 (4:2:2,
// 4:2:0); a bit no depth has is given by its number.
void AddDepths(Fields& fields, std::string_view key, std::string_view label, uint8_t flags,
               bool from6) {
    static constexpr std::array<uint32_t, 6> kDepths = {6, 8, 10, 12, 14, 16};
    Field& list = AddList(fields, key, label);
    for (unsigned bit = 0; bit < 8; ++bit) {
        if (!Bit(flags, bit)) {
            continue;
        }
        const unsigned index = from6 ? bit : bit + 1;
        if (index < kDepths.size()) {
            AddUnsigned(list.items, "", "", kDepths[index]);
        } else {
            AddName(list.items, "", "", "bit " + std::to_string(bit));
        }
    }
}

// Codes whose meanings are many and rarely met are given as stored.
Fields DeviceFields(Bytes p) {
    Fields fields;
    if (p.size() < 13) {
        return fields;
    }
    AddName(fields, "technology", "Technology code", HexByteName(p[0]));
    AddUnsigned(fields, "operating_mode", "Operating mode", Bits(p[1], 7, 4));
    AddBool(fields, "backlight_switchable", "Backlight on/off", Bit(p[1], 3));
    AddBool(fields, "backlight_dimmable", "Backlight dimmable", Bit(p[1], 2));
    const uint32_t w = Le16(p, 2);
    const uint32_t h = Le16(p, 4);
    AddUnsigned(fields, "native_width", "Native width", w == 0 ? 0 : Plus1(w));
    AddUnsigned(fields, "native_height", "Native height", h == 0 ? 0 : Plus1(h));
    AddFixed(fields, "aspect_ratio", "Aspect ratio", (p[6] + 100) / 100.0, 2);
    AddUnsigned(fields, "orientation", "Orientation code", Bits(p[7], 7, 6));
    AddUnsigned(fields, "rotation", "Rotation code", Bits(p[7], 5, 4));
    AddUnsigned(fields, "zero_pixel", "Zero pixel code", Bits(p[7], 3, 2));
    AddUnsigned(fields, "scan_direction", "Scan direction code", Bits(p[7], 1, 0));
    AddUnsigned(fields, "sub_pixel_layout", "Sub-pixel code", p[8]);
    AddFixed(fields, "h_pitch_mm", "H pitch", p[9] / 100.0, 2, " mm");
    AddFixed(fields, "v_pitch_mm", "V pitch", p[10] / 100.0, 2, " mm");
    AddUnsigned(fields, "colour_bit_depth", "Colour bit depth", Bits(p[11], 3, 0));
    AddBool(fields, "response_white_to_black", "White to black", Bit(p[12], 7));
    AddUnsigned(fields, "response_time_ms", "Response time", Bits(p[12], 6, 0), " ms");
    return fields;
}

Fields PowerFields(Bytes p) {
    Fields fields;
    if (p.size() < 6) {
        return fields;
    }
    AddFixed(fields, "t1_min_ms", "T1 minimum", Bits(p[0], 7, 4) / 10.0, 1, " ms");
    AddUnsigned(fields, "t1_max_ms", "T1 maximum", Bits(p[0], 3, 0) * 2, " ms");
    AddUnsigned(fields, "t2_max_ms", "T2 maximum", Bits(p[1], 5, 0) * 2, " ms");
    AddUnsigned(fields, "t3_max_ms", "T3 maximum", Bits(p[2], 5, 0) * 2, " ms");
    AddUnsigned(fields, "t4_min_ms", "T4 minimum", Bits(p[3], 6, 0) * 10, " ms");
    AddUnsigned(fields, "t5_min_ms", "T5 minimum", Bits(p[4], 5, 0) * 10, " ms");
    AddUnsigned(fields, "t6_min_ms", "T6 minimum", Bits(p[5], 5, 0) * 10, " ms");
    return fields;
}

// Each curve: its count of samples, then the samples as steps from the
// one before, in 1023rds; the last, 1023, is not stored. Four-parameter
// curves hold 5 bytes instead.
Fields TransferFields(uint8_t revision, Bytes p) {
    Fields fields;
    AddUnsigned(fields, "transfer_id", "Identifier", Bits(revision, 7, 4));
    if (p.empty()) {
        return fields;
    }
    const bool fourParameters = Bit(p[0], 5);
    AddBool(fields, "first_is_white", "First is white", Bit(p[0], 7));
    AddBool(fields, "individual", "Individual curves", Bit(p[0], 6));
    AddBool(fields, "four_parameters", "Four parameters", fourParameters);
    Field& curves = AddList(fields, "curves", "Curve");
    std::size_t at = 1;
    while (at < p.size()) {
        const std::size_t left = p.size() - at;
        std::size_t samples = std::max<uint8_t>(p[at], 1);
        samples = fourParameters ? 5 : samples - 1;
        if (samples + 1 > left) {
            break;
        }
        Fields& curve = AddObject(curves.items, "", "").items;
        const Bytes s = p.subspan(at + 1, samples);
        if (fourParameters) {
            AddUnsigned(curve, "a0", "A0", s[0]);
            AddUnsigned(curve, "a1", "A1", s[1]);
            AddUnsigned(curve, "a2", "A2", s[2]);
            AddUnsigned(curve, "a3", "A3", s[3]);
            AddFixed(curve, "gamma", "Gamma", (s[4] + 100) / 100.0, 2);
        } else {
            Field& points = AddList(curve, "percent", "Points");
            double sum = 0;
            for (std::size_t i = 0; i + 1 < s.size(); ++i) {
                sum += s[i];
                AddFixed(points.items, "", "", sum * 100.0 / 1023.0, 2, "%");
            }
        }
        at += samples + 1;
    }
    return fields;
}

std::string InterfaceName(uint8_t byte) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "analog",        "lvds",   "tmds",   "rsds", "dvi-d",       "dvi-i-analog",
        "dvi-i-digital", "hdmi-a", "hdmi-b", "mddi", "displayport", "proprietary"};
    const uint32_t kind = Bits(byte, 7, 4);
    if (kind == 0) {
        static constexpr std::array<std::string_view, 3> kAnalog = {"vga", "navi-v", "navi-d"};
        const uint32_t sub = Bits(byte, 3, 0);
        return sub < kAnalog.size() ? std::string(kAnalog[sub]) : "reserved";
    }
    return kind < kNames.size() ? std::string(kNames[kind]) : "reserved";
}

std::string VersionName(uint8_t byte) {
    return std::to_string(Bits(byte, 7, 4)) + "." + std::to_string(Bits(byte, 3, 0));
}

Fields InterfaceFields(Bytes p) {
    static constexpr std::array<std::string_view, 4> kProtection = {"none", "hdcp", "dtcp", "dpcp"};
    static constexpr std::array<std::string_view, 4> kSpread = {"none", "down", "center",
                                                                "reserved"};
    Fields fields;
    if (p.size() < 10) {
        return fields;
    }
    AddName(fields, "interface", "Interface", InterfaceName(p[0]));
    if (Bits(p[0], 7, 4) != 0) {
        AddUnsigned(fields, "links", "Links", Bits(p[0], 3, 0));
    }
    AddName(fields, "version", "Version", VersionName(p[1]));
    AddDepths(fields, "rgb_bpc", "RGB", p[2], true);
    AddDepths(fields, "ycbcr444_bpc", "YCbCr 4:4:4", p[3], true);
    AddDepths(fields, "ycbcr422_bpc", "YCbCr 4:2:2", p[4], false);
    const uint32_t protection = Bits(p[5], 3, 0);
    AddName(fields, "content_protection", "Protection",
            protection < kProtection.size() ? std::string(kProtection[protection]) : "reserved");
    if (protection != 0) {
        AddName(fields, "content_protection_version", "Protection version", VersionName(p[6]));
    }
    AddName(fields, "spread_spectrum", "Spread spectrum", std::string(kSpread[Bits(p[7], 7, 6)]));
    AddFixed(fields, "spread_percent", "Spread", Bits(p[7], 3, 0) / 10.0, 1, "%");
    // The last two bytes are the interface's own: LVDS's and a
    // proprietary interface's signals.
    const uint32_t kind = Bits(p[0], 7, 4);
    constexpr uint32_t kLvds = 1;
    constexpr uint32_t kProprietary = 0x0B;
    if (kind == kLvds) {
        AddBool(fields, "lvds_6bit_compatible", "6-bit compatible", Bit(p[8], 4));
        static constexpr std::array<std::string_view, 4> kVolts = {"3.3V", "5V", "12V", "2.8V"};
        Field& volts = AddList(fields, "lvds_voltages", "Voltages");
        for (unsigned bit = 4; bit-- > 0;) {
            if (Bit(p[8], bit)) {
                AddName(volts.items, "", "", std::string(kVolts[bit]));
            }
        }
    }
    if (kind == kLvds || kind == kProprietary) {
        const uint8_t signals = kind == kLvds ? p[9] : p[8];
        AddBool(fields, "fixed_mode", "Fixed mode", Bit(signals, 2));
        AddBool(fields, "signal_low", "Low level or DE", Bit(signals, 1));
        AddBool(fields, "strobe_rising", "Strobe on rising", Bit(signals, 0));
    }
    return fields;
}

// 2.x: as many bytes as it has, each one more kind of support.
Fields FeatureFields(Bytes p) {
    static constexpr std::array<std::string_view, 3> kAudio = {"32", "44.1", "48"};
    static constexpr std::array<std::string_view, 7> kCombinations = {
        "srgb", "bt601", "bt709-bt1886", "adobe-rgb", "dci-p3", "bt2020", "bt2020-st2084"};
    static constexpr std::array<std::string_view, 8> kSpaces = {
        "undefined", "srgb", "bt601", "bt709", "adobe-rgb", "dci-p3", "bt2020", "custom"};
    static constexpr std::array<std::string_view, 11> kEotfs = {
        "undefined", "srgb",  "bt601",        "bt1886",     "adobe-rgb", "dci-p3",
        "bt2020",    "gamma", "smpte-st2084", "hybrid-log", "custom"};
    Fields fields;
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kDepthKeys = {
        {{"rgb_bpc", "RGB"},
         {"ycbcr444_bpc", "YCbCr 4:4:4"},
         {"ycbcr422_bpc", "YCbCr 4:2:2"},
         {"ycbcr420_bpc", "YCbCr 4:2:0"}}};
    for (std::size_t i = 0; i < kDepthKeys.size() && i < p.size(); ++i) {
        AddDepths(fields, kDepthKeys[i].first, kDepthKeys[i].second, p[i], i < 2);
    }
    if (p.size() > 4) {
        if (p[4] != 0) {
            AddFixed(fields, "ycbcr420_min_mhz", "YCbCr 4:2:0 from", 74.25 * p[4], 3, " MHz");
        } else {
            AddNull(fields, "ycbcr420_min_mhz", "YCbCr 4:2:0 from");
        }
    }
    if (p.size() > 5) {
        // Rates from bit 7 down.
        Field& rates = AddList(fields, "audio_rates_khz", "Audio rates");
        for (unsigned i = 0; i < 8; ++i) {
            if (Bit(p[5], 7 - i)) {
                AddName(rates.items, "", "",
                        i < kAudio.size() ? std::string(kAudio[i])
                                          : "bit " + std::to_string(7 - i));
            }
        }
    }
    if (p.size() > 6) {
        Field& list = AddList(fields, "colour_eotf", "Colour and EOTF");
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (Bit(p[6], bit)) {
                AddName(list.items, "", "",
                        bit < kCombinations.size() ? std::string(kCombinations[bit])
                                                   : "bit " + std::to_string(bit));
            }
        }
    }
    if (p.size() > 7) {
        Field& list = AddList(fields, "colour_eotf_2", "Colour and EOTF, 2");
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (Bit(p[7], bit)) {
                AddName(list.items, "", "", "bit " + std::to_string(bit));
            }
        }
    }
    if (p.size() > 8) {
        Field& list = AddList(fields, "additional", "Additional");
        for (std::size_t i = 0; i < p[8] && 9 + i < p.size(); ++i) {
            Fields& pair = AddObject(list.items, "", "").items;
            const uint32_t space = Bits(p[9 + i], 7, 4);
            const uint32_t eotf = Bits(p[9 + i], 3, 0);
            AddName(pair, "colour_space", "Colour space",
                    space < kSpaces.size() ? std::string(kSpaces[space]) : "reserved");
            AddName(pair, "eotf", "EOTF",
                    eotf < kEotfs.size() ? std::string(kEotfs[eotf]) : "reserved");
        }
    }
    return fields;
}

std::string SideName(uint8_t byte) {
    return Bit(byte, 0) ? "right" : "left";
}

// Byte 0 counts the format's parameters; bit 6 of the revision byte says
// groups of timing codes follow them.
Fields StereoFields(uint8_t revision, Bytes p) {
    static constexpr std::array<std::string_view, 4> kScopes = {"explicit", "explicit-and-codes",
                                                                "all", "codes-only"};
    static constexpr std::array<std::string_view, 4> kMirroring = {"none", "left-right",
                                                                   "top-bottom", "reserved"};
    Fields fields;
    AddName(fields, "scope", "Timings", std::string(kScopes[Bits(revision, 7, 6)]));
    if (p.size() < 2) {
        return fields;
    }
    const uint8_t format = p[1];
    const Bytes params = p.subspan(2, std::min<std::size_t>(p[0], p.size() - 2));
    // A format's parameters past the block's end are left out.
    const auto has = [&](std::size_t n) { return params.size() >= n; };
    switch (format) {
    case 0x00:
        AddName(fields, "format", "Format", "field-sequential");
        if (has(1)) {
            AddBool(fields, "left_on_1", "Left when 1", Bit(params[0], 0));
        }
        break;
    case 0x01:
    case 0x05:
        AddName(fields, "format", "Format", format == 1 ? "side-by-side" : "stacked");
        if (has(1)) {
            AddName(fields, "first_half", "First half", SideName(params[0]));
        }
        break;
    case 0x02: {
        AddName(fields, "format", "Format", "pixel-interleaved");
        Field& pattern = AddList(fields, "pattern", "Pattern");
        for (std::size_t i = 0; i < 8 && i < params.size(); ++i) {
            AddName(pattern.items, "", "", HexByteName(params[i]));
        }
        break;
    }
    case 0x03:
        AddName(fields, "format", "Format", "dual-interface");
        if (has(1)) {
            AddName(fields, "carries", "Carries", SideName(params[0]));
            AddName(fields, "mirroring", "Mirroring",
                    std::string(kMirroring[Bits(params[0], 2, 1)]));
        }
        break;
    case 0x04:
        AddName(fields, "format", "Format", "multi-view");
        if (has(2)) {
            AddUnsigned(fields, "views", "Views", params[0]);
            AddUnsigned(fields, "interleaving", "Interleaving", params[1]);
        }
        break;
    case 0xFF:
        AddName(fields, "format", "Format", "proprietary");
        break;
    default:
        AddName(fields, "format", "Format", "reserved");
        break;
    }
    if (!Bit(revision, 6) || p.size() < 1 + std::size_t{p[0]}) {
        return fields;
    }
    static constexpr std::array<std::string_view, 4> kCodeTypes = {"dmt", "vic", "hdmi-vic",
                                                                   "reserved"};
    Field& groups = AddList(fields, "code_groups", "Codes");
    Bytes rest = p.subspan(1 + std::size_t{p[0]});
    while (!rest.empty() && rest.size() >= 1 + std::size_t{Bits(rest[0], 4, 0)}) {
        const std::size_t count = Bits(rest[0], 4, 0);
        Fields& group = AddObject(groups.items, "", "").items;
        AddName(group, "code_type", "Of", std::string(kCodeTypes[Bits(rest[0], 7, 6)]));
        Field& codes = AddList(group, "codes", "Code");
        for (std::size_t i = 1; i <= count; ++i) {
            AddUnsigned(codes.items, "", "", rest[i]);
        }
        rest = rest.subspan(1 + count);
    }
    return fields;
}

// Counts and positions keep their low 4 bits in bytes 1 and 2 and their
// high 2 bits in byte 3; a 1.x block names the maker by PNP ID letters, a
// 2.x one by OUI.
Fields TiledFields(bool v2, Bytes p) {
    static constexpr std::array<std::string_view, 8> kSingle = {
        "undefined", "at-location", "scaled",   "cloned",
        "reserved",  "reserved",    "reserved", "reserved"};
    static constexpr std::array<std::string_view, 4> kSome = {"undefined", "at-location",
                                                              "reserved", "reserved"};
    Fields fields;
    if (p.size() < kDidTiledSize) {
        return fields;
    }
    const uint8_t caps = p[0];
    AddName(fields, "single_tile", "If alone", std::string(kSingle[Bits(caps, 2, 0)]));
    AddName(fields, "some_tiles", "If some tiles", std::string(kSome[Bits(caps, 4, 3)]));
    AddBool(fields, "single_enclosure", "One enclosure", Bit(caps, 7));
    AddUnsigned(fields, "tiles_h", "Tiles across", Plus1(Bits(p[1], 7, 4) | Bits(p[3], 7, 6) << 4));
    AddUnsigned(fields, "tiles_v", "Tiles down", Plus1(Bits(p[1], 3, 0) | Bits(p[3], 5, 4) << 4));
    AddUnsigned(fields, "tile_x", "Column", Bits(p[2], 7, 4) | Bits(p[3], 3, 2) << 4);
    AddUnsigned(fields, "tile_y", "Row", Bits(p[2], 3, 0) | Bits(p[3], 1, 0) << 4);
    AddUnsigned(fields, "tile_width", "Tile width", Plus1(Le16(p, 4)));
    AddUnsigned(fields, "tile_height", "Tile height", Plus1(Le16(p, 6)));
    if (Bit(caps, 6)) {
        // Bezels in tenths of the pixel multiplier of byte 8.
        Field& bezel = AddObject(fields, "bezel_pixels", "Bezels");
        static constexpr std::array<std::string_view, 4> kSides = {"top", "bottom", "right",
                                                                   "left"};
        for (std::size_t i = 0; i < kSides.size(); ++i) {
            AddFixed(bezel.items, kSides[i], kSides[i], p[8] * p[9 + i] / 10.0, 1);
        }
    }
    if (v2) {
        AddName(fields, "vendor", "Vendor",
                OuiName(static_cast<uint32_t>(p[13]) << 16 | static_cast<uint32_t>(p[14]) << 8 |
                        p[15]));
    } else {
        AddText(fields, "vendor", "Vendor", std::u16string(p.begin() + 13, p.begin() + 16));
    }
    AddUnsigned(fields, "product_code", "Product code", Le16(p, 16));
    AddUnsigned(fields, "serial_number", "Serial number", Le16(p, 18) | Le16(p, 20) << 16);
    return fields;
}

} // namespace

std::optional<Fields> DisplayIdInterfaceFields(uint8_t tag, uint8_t revision, Bytes payload) {
    switch (tag) {
    case 0x0C:
        return DeviceFields(payload);
    case 0x0D:
        return PowerFields(payload);
    case 0x0E:
        return TransferFields(revision, payload);
    case 0x0F:
        return InterfaceFields(payload);
    case 0x10:
    case 0x27:
        return StereoFields(revision, payload);
    case kDidTiled:
    case kDidTiled2:
        return TiledFields(tag == kDidTiled2, payload);
    case 0x26:
        return FeatureFields(payload);
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
