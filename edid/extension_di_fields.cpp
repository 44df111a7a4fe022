// The fields of a display information block: the digital interface (bytes
// 2 to 13), the display device (14 to 19), its capabilities (20 to 38) and
// its transfer characteristic (81 to 126).
#include "edid/bits.h"
#include "edid/extension_fields.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

// The name of `code` in `names`, else "reserved (0x..)".
template <std::size_t N>
std::string NameOf(const std::array<const char*, N>& names, uint32_t code) {
    return code < N ? names[code] : "reserved (" + HexByteName(code) + ")";
}

std::string TwoNumbers(uint32_t a, uint32_t b) {
    return std::to_string(a) + "." + std::to_string(b);
}

void AddMhz(Fields& f, std::string_view key, std::string_view label, uint32_t value) {
    if (value == 0) {
        AddNull(f, key, label);
    } else {
        AddUnsigned(f, key, label, value, " MHz");
    }
}

void AddFlags(Fields& f, std::string_view key, std::string_view label, uint32_t bits,
              std::span<const char* const> names) {
    Field& list = AddList(f, key, label);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if ((bits >> (names.size() - 1 - i) & 1u) != 0) {
            AddName(list.items, "", "", names[i]);
        }
    }
}

Fields InterfaceFields(ExtensionBlock b) {
    static constexpr std::array<const char*, 11> kInterfaces = {"analog",
                                                                "DVI",
                                                                "DVI single link",
                                                                "DVI dual link, high resolution",
                                                                "DVI dual link, high colour",
                                                                "DVI for consumer electronics",
                                                                "plug and display",
                                                                "DFP",
                                                                "OpenLDI single link",
                                                                "OpenLDI dual link",
                                                                "OpenLDI for consumer electronics"};
    Fields f;
    AddName(f, "interface", "Interface", NameOf(kInterfaces, b[2]));
    // An analog interface leaves the rest of the digital part unused.
    if (b[2] == 0) {
        return f;
    }
    switch (Bits(b[3], 7, 6)) {
    case 1:
        AddName(f, "standard_version", "Standard version", TwoNumbers(Bits(b[3], 5, 0), b[4]));
        AddName(f, "standard_release", "Standard release", TwoNumbers(b[5], b[6]));
        break;
    case 2:
        AddText(f, "standard_letter", "Standard letter", std::u16string(1, b[4]));
        break;
    case 3: {
        Field& date = AddObject(f, "standard_date", "Standard date");
        AddUnsigned(date.items, "year", "Year", 1990u + b[4]);
        AddUnsigned(date.items, "month", "Month", b[5]);
        AddUnsigned(date.items, "day", "Day", b[6]);
        break;
    }
    default:
        break;
    }
    const uint8_t v = b[7];
    AddBool(f, "data_enable", "Data enable", Bit(v, 7));
    if (Bit(v, 7)) {
        AddBool(f, "data_enable_high", "Data enable high", Bit(v, 6));
    } else {
        AddNull(f, "data_enable_high", "Data enable high");
    }
    static constexpr std::array<const char*, 4> kEdges = {"not given", "rising", "falling", "both"};
    AddName(f, "shift_clock_edge", "Shift clock edge", kEdges[Bits(v, 5, 4)]);
    AddBool(f, "hdcp", "HDCP", Bit(v, 3));
    AddBool(f, "double_clocking", "Double clocking", Bit(v, 2));
    AddBool(f, "packetized_video", "Packetized video", Bit(v, 1));
    std::string format;
    switch (b[8]) {
    case 0x15:
        format = "8-bit over 8-bit RGB";
        break;
    case 0x19:
        format = "12-bit over 12-bit RGB";
        break;
    case 0x24:
        format = "24-bit MSB-aligned RGB, single link";
        break;
    case 0x48:
        format = "48-bit MSB-aligned RGB, dual link, high resolution";
        break;
    case 0x49:
        format = "48-bit MSB-aligned RGB, dual link, high colour";
        break;
    default:
        format = "reserved (" + HexByteName(b[8]) + ")";
        break;
    }
    AddName(f, "data_format", "Data format", format);
    AddMhz(f, "min_pixel_clock", "Least clock per link", b[9]);
    AddMhz(f, "max_pixel_clock", "Most clock per link", b[10] | b[11] << 8);
    // 0xFFFF: no crossover, one link only.
    const uint32_t crossover = b[12] | b[13] << 8;
    AddBool(f, "single_link", "Single link", crossover == 0xFFFF);
    AddMhz(f, "crossover", "Crossover", crossover == 0xFFFF ? 0 : crossover);
    return f;
}

void AddPitch(Fields& f, std::string_view key, std::string_view label, uint8_t hundredths) {
    if (hundredths == 0) {
        AddNull(f, key, label);
    } else {
        AddFixed(f, key, label, hundredths / 100.0, 2, " mm");
    }
}

Fields DeviceFields(ExtensionBlock b) {
    static constexpr std::array<const char*, 5> kLayouts = {
        "not given", "RGB", "BGR", "quad, green bottom left and top right",
        "quad, green bottom right and top left"};
    static constexpr std::array<const char*, 5> kConfigurations = {"not given", "delta", "stripe",
                                                                   "stripe offset", "quad"};
    static constexpr std::array<const char*, 6> kShapes = {"not given",   "round", "square",
                                                           "rectangular", "oval",  "elliptical"};
    static constexpr std::array<const char*, 4> kDirections = {"not given", "direct", "reflected",
                                                               "both"};
    static constexpr std::array<const char*, 4> kImplementations = {
        "not given", "large image for group viewing", "desktop or personal", "eyepiece personal"};
    Fields f;
    AddName(f, "sub_pixel_layout", "Sub-pixel layout", NameOf(kLayouts, b[0x0E]));
    AddName(f, "sub_pixel_configuration", "Sub-pixel configuration",
            NameOf(kConfigurations, b[0x0F]));
    AddName(f, "sub_pixel_shape", "Sub-pixel shape", NameOf(kShapes, b[0x10]));
    AddPitch(f, "h_pitch", "H pitch", b[0x11]);
    AddPitch(f, "v_pitch", "V pitch", b[0x12]);
    const uint8_t v = b[0x13];
    AddBool(f, "fixed_pixel_format", "Fixed pixel format", Bit(v, 7));
    AddName(f, "view_direction", "View direction", kDirections[Bits(v, 6, 5)]);
    AddBool(f, "transparent_background", "Transparent background", Bit(v, 4));
    AddName(f, "physical_implementation", "Physical implementation",
            kImplementations[Bits(v, 3, 2)]);
    AddBool(f, "ddc_ci", "DDC/CI", Bit(v, 1));
    return f;
}

// Hundredths of the unit; 0 gives none, 0xFFFF is reserved.
void AddFrequency(Fields& f, std::string_view key, std::string_view label, uint32_t value,
                  std::string_view unit) {
    if (value == 0) {
        AddNull(f, key, label);
    } else if (value == 0xFFFF) {
        AddName(f, key, label, "reserved");
    } else {
        AddFixed(f, key, label, value / 100.0, 2, unit);
    }
}

void AddBitDepth(Fields& f, std::string_view key, std::string_view label, uint8_t bits) {
    if (bits == 0) {
        AddNull(f, key, label);
    } else {
        AddUnsigned(f, key, label, bits, " bits");
    }
}

Fields CapabilityFields(ExtensionBlock b) {
    static constexpr std::array<const char*, 4> kStereo = {
        "none", "field sequential by stereo sync", "auto-stereoscopic, column interleaved",
        "auto-stereoscopic, line interleaved"};
    static constexpr std::array<const char*, 4> kConversions = {
        "none", "vertical to one rate", "horizontal to one rate", "both to one rate each"};
    static constexpr std::array<const char*, 4> kOrientationTypes = {
        "not given", "fixed", "pivots, default orientation", "pivots, current orientation"};
    static constexpr std::array<const char*, 4> kZeroPixel = {"upper left", "upper right",
                                                              "lower left", "lower right"};
    static constexpr std::array<const char*, 4> kScans = {"not given", "fast on the long axis",
                                                          "fast on the short axis", "reserved"};
    // The capabilities' bits name the same decodings, "not given" aside.
    static constexpr std::array<const char*, 15> kDecodings = {"not given",
                                                               "BGR",
                                                               "Y/C NTSC",
                                                               "Y/C PAL",
                                                               "Y/C SECAM",
                                                               "YCrCb 4:4:4 (SMPTE 293M, 294M)",
                                                               "YCrCb 4:2:2 (SMPTE 293M, 294M)",
                                                               "YCrCb 4:2:0 (SMPTE 293M, 294M)",
                                                               "YCrCb (SMPTE 260M)",
                                                               "YPbPr (SMPTE 240M)",
                                                               "YCrCb (SMPTE 274M)",
                                                               "YPbPr (SMPTE 274M)",
                                                               "Y B-Y R-Y, BetaCam",
                                                               "Y B-Y R-Y, M-2",
                                                               "monochrome"};
    static constexpr std::array<const char*, 5> kDecoders = {"the default", "BGR", "Y/C",
                                                             "Yxx (SMPTE 2xxM)", "monochrome"};
    static constexpr std::array<const char*, 4> kAspectModes = {"full", "zoom", "squeeze",
                                                                "variable"};
    Fields f;
    uint8_t v = b[0x14];
    AddBool(f, "all_legacy_modes", "All legacy VGA/DOS modes", Bit(v, 7));
    AddName(f, "stereo", "Stereo", NameOf(kStereo, Bits(v, 6, 4)));
    AddBool(f, "scaler", "Scaler", Bit(v, 3));
    AddBool(f, "image_centering", "Image centering", Bit(v, 2));
    AddBool(f, "conditional_update", "Conditional update", Bit(v, 1));
    AddBool(f, "interlaced", "Interlaced", Bit(v, 0));
    v = b[0x15];
    AddBool(f, "frame_lock", "Frame lock", Bit(v, 7));
    AddName(f, "frame_rate_conversion", "Frame rate conversion", kConversions[Bits(v, 6, 5)]);
    AddFrequency(f, "vertical_rate", "Vertical rate", b[0x16] | b[0x17] << 8, " Hz");
    AddFrequency(f, "horizontal_rate", "Horizontal rate", b[0x18] | b[0x19] << 8, " kHz");
    v = b[0x1A];
    AddName(f, "orientation_type", "Orientation type", kOrientationTypes[Bits(v, 7, 6)]);
    AddBool(f, "portrait", "Portrait", Bit(v, 5));
    AddName(f, "zero_pixel", "Zero pixel", kZeroPixel[Bits(v, 4, 3)]);
    AddName(f, "scan_direction", "Scan direction", kScans[Bits(v, 2, 1)]);
    AddBool(f, "standalone_projector", "Standalone projector", Bit(v, 0));
    AddName(f, "default_decoding", "Default decoding", NameOf(kDecodings, b[0x1B]));
    AddName(f, "preferred_decoder", "Preferred decoder", NameOf(kDecoders, b[0x1C]));
    // Bits 7 to 0 of byte 0x1D, then 7 to 2 of 0x1E.
    AddFlags(f, "decoding_capabilities", "Decoding capabilities",
             static_cast<uint32_t>(b[0x1D]) << 6 | Bits(b[0x1E], 7, 2),
             std::span(kDecodings).subspan(1));
    AddBool(f, "dithering", "Dithering", Bit(b[0x1F], 7));
    AddBitDepth(f, "blue_depth", "Blue depth", b[0x20]);
    AddBitDepth(f, "green_depth", "Green depth", b[0x21]);
    AddBitDepth(f, "red_depth", "Red depth", b[0x22]);
    AddBitDepth(f, "cb_depth", "Cb/Pb depth", b[0x23]);
    AddBitDepth(f, "y_depth", "Y depth", b[0x24]);
    AddBitDepth(f, "cr_depth", "Cr/Pr depth", b[0x25]);
    AddFlags(f, "aspect_conversions", "Aspect conversions", Bits(b[0x26], 7, 4), kAspectModes);
    return f;
}

void AddCurve(Fields& f, std::string_view key, std::string_view label, ExtensionBlock b,
              std::size_t at, std::size_t count) {
    Field& curve = AddList(f, key, label);
    for (std::size_t i = 0; i < count; ++i) {
        AddUnsigned(curve.items, "", "", b[at + i]);
    }
}

// Byte 0x51: bits 7 and 6 the kind, 5 to 0 the entries of each curve
// (at most 45 for white, 15 for each of three channels).
Fields TransferFields(ExtensionBlock b) {
    static constexpr std::array<const char*, 4> kKinds = {"none", "white", "per channel",
                                                          "reserved"};
    constexpr std::size_t kCurves = 0x52;
    const uint32_t kind = Bits(b[0x51], 7, 6);
    const std::size_t entries = Bits(b[0x51], 5, 0);
    Fields f;
    AddName(f, "kind", "Kind", kKinds[kind]);
    if (kind == 1) {
        AddCurve(f, "white", "White", b, kCurves, std::min<std::size_t>(entries, 45));
    } else if (kind == 2) {
        const std::size_t n = std::min<std::size_t>(entries, 15);
        AddCurve(f, "blue", "Blue", b, kCurves, n);
        AddCurve(f, "green", "Green", b, kCurves + 15, n);
        AddCurve(f, "red", "Red", b, kCurves + 30, n);
    }
    return f;
}

} // namespace

Fields DiFields(ExtensionBlock block) {
    Fields fields;
    AddUnsigned(fields, "version", "Version", block[1]);
    AddObject(fields, "digital_interface", "Digital interface").items = InterfaceFields(block);
    AddObject(fields, "display_device", "Display device").items = DeviceFields(block);
    AddObject(fields, "capabilities", "Capabilities").items = CapabilityFields(block);
    AddObject(fields, "transfer", "Transfer characteristic").items = TransferFields(block);
    return fields;
}

} // namespace moniquet
