// The fields of DisplayID data blocks, versions 1.x and 2.x: the product,
// the display's parameters and colour, ranges, strings and the vendors'
// blocks here; timings, interfaces and head-mounted displays in files of
// their own.
#include "edid/displayid_fields.h"

#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint32_t kOuiVesa = 0x3A0292;

uint32_t Plus1(uint32_t stored) {
    return stored + 1;
}

uint32_t Be24(Bytes p) {
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

uint32_t Le32(Bytes p, std::size_t at) {
    return Le16(p, at) | Le16(p, at + 2) << 16;
}

std::u16string TextOf(Bytes bytes) {
    return {bytes.begin(), bytes.end()};
}

// Text ends at a newline; a NUL or 0xFF byte ends it too, as padding.
std::u16string StringOf(Bytes bytes) {
    std::u16string text;
    for (const uint8_t byte : bytes) {
        if (byte == 0x0A || byte == 0 || byte == 0xFF) {
            break;
        }
        text += static_cast<char16_t>(byte);
    }
    return text;
}

// Tag 0x00 names the maker by PNP ID letters, tag 0x20 by OUI.
Fields ProductFields(uint8_t tag, Bytes p) {
    Fields fields;
    if (p.size() < kDidVendorSize) {
        return fields;
    }
    if (tag == kDidProductId) {
        AddText(fields, "vendor", "Vendor", TextOf(p.first(kDidVendorSize)));
    } else {
        AddName(fields, "vendor", "Vendor", OuiName(Be24(p)));
    }
    if (p.size() < kDidProductMinSize) {
        return fields;
    }
    AddUnsigned(fields, "product_code", "Product code", Le16(p, kDidProductCodeOffset));
    if (const uint32_t serial = Le32(p, kDidProductSerialOffset); serial != 0) {
        AddUnsigned(fields, "serial_number", "Serial number", serial);
    } else {
        AddNull(fields, "serial_number", "Serial number");
    }
    constexpr uint8_t kModelYear = 0xFF;
    constexpr uint8_t kLastWeek = 54;
    const uint8_t week = p[kDidProductWeekOffset];
    if (week >= 1 && week <= kLastWeek) {
        AddUnsigned(fields, "week", "Week", week);
    } else {
        AddNull(fields, "week", "Week");
    }
    AddBool(fields, "model_year", "Model year", week == kModelYear);
    AddUnsigned(fields, "year", "Year", kDidFirstYear + p[kDidProductYearOffset]);
    const Bytes text = p.subspan(kDidProductMinSize);
    AddText(fields, "product_text", "Product",
            TextOf(text.first(std::min<std::size_t>(p[kDidProductTextLengthOffset], text.size()))));
    return fields;
}

void AddGamma(Fields& fields, std::string_view key, std::string_view label, uint8_t stored) {
    if (stored == 0xFF) {
        AddNull(fields, key, label);
    } else {
        AddFixed(fields, key, label, (stored + 100) / 100.0, 2);
    }
}

Fields Parameters1Fields(Bytes p) {
    static constexpr std::array<std::string_view, 8> kFeatures = {
        "deinterlacing",         "acp-isrc-packets",        "fixed-pixel-format",
        "fixed-timing",          "power-management",        "audio-input-override",
        "separate-audio-inputs", "audio-on-video-interface"};
    Fields fields;
    if (p.size() < kDidParametersSize) {
        return fields;
    }
    AddFixed(fields, "image_width_mm", "Image width", Le16(p, 0) / 10.0, 1, " mm");
    AddFixed(fields, "image_height_mm", "Image height", Le16(p, 2) / 10.0, 1, " mm");
    AddUnsigned(fields, "native_width", "Native width", Le16(p, 4));
    AddUnsigned(fields, "native_height", "Native height", Le16(p, 6));
    Field& features = AddList(fields, "features", "Features");
    for (unsigned bit = 0; bit < 8; ++bit) {
        if (Bit(p[8], bit)) {
            AddName(features.items, "", "", std::string(kFeatures[bit]));
        }
    }
    AddGamma(fields, "gamma", "Gamma", p[9]);
    AddFixed(fields, "aspect_ratio", "Aspect ratio", (p[10] + 100) / 100.0, 2);
    AddUnsigned(fields, "dynamic_bpc_native", "Dynamic bpc, native", Plus1(Bits(p[11], 3, 0)));
    AddUnsigned(fields, "dynamic_bpc_overall", "Dynamic bpc, all", Plus1(Bits(p[11], 7, 4)));
    return fields;
}

Fields Parameters2Fields(uint8_t revision, Bytes p) {
    static constexpr std::array<std::string_view, 8> kScans = {
        "left-right-top-bottom", "right-left-top-bottom", "top-bottom-right-left",
        "bottom-top-right-left", "right-left-bottom-top", "left-right-bottom-top",
        "bottom-top-left-right", "top-bottom-left-right"};
    static constexpr std::array<std::string_view, 4> kLuminance = {"minimum", "guidance",
                                                                   "reserved", "reserved"};
    static constexpr std::array<uint32_t, 8> kDepths = {0, 6, 8, 10, 12, 16, 0, 0};
    static constexpr std::array<std::string_view, 8> kTechnologies = {
        "unspecified", "lcd-active-matrix", "oled",     "reserved",
        "reserved",    "reserved",          "reserved", "reserved"};
    Fields fields;
    if (p.size() < kDidParameters2Size) {
        return fields;
    }
    // Bit 7 of the revision byte: whole mm rather than tenths.
    const bool wholeMm = Bit(revision, 7);
    const double unit = wholeMm ? 1.0 : 0.1;
    AddFixed(fields, "image_width_mm", "Image width", Le16(p, 0) * unit, wholeMm ? 0 : 1, " mm");
    AddFixed(fields, "image_height_mm", "Image height", Le16(p, 2) * unit, wholeMm ? 0 : 1, " mm");
    AddUnsigned(fields, "native_width", "Native width", Le16(p, 4));
    AddUnsigned(fields, "native_height", "Native height", Le16(p, 6));
    const uint8_t flags = p[8];
    AddName(fields, "scan_orientation", "Scan", std::string(kScans[Bits(flags, 2, 0)]));
    AddName(fields, "luminance_information", "Luminances are",
            std::string(kLuminance[Bits(flags, 4, 3)]));
    AddUnsigned(fields, "cie_year", "CIE coordinates of", Bit(flags, 6) ? 1976 : 1931);
    AddBool(fields, "speakers_integrated", "Speakers integrated", !Bit(flags, 7));
    Field& primaries = AddList(fields, "primaries", "Primary");
    for (std::size_t at = 9; at < 18; at += 3) {
        AddDisplayIdPoint(primaries.items, "", "", p, at);
    }
    AddDisplayIdPoint(fields, "white_point", "White point", p, 18);
    AddDisplayIdLuminance(fields, "max_luminance_full", "Maximum, full area", Le16(p, 21));
    AddDisplayIdLuminance(fields, "max_luminance_10_percent", "Maximum, 10% area", Le16(p, 23));
    AddDisplayIdLuminance(fields, "min_luminance", "Minimum luminance", Le16(p, 25));
    const uint8_t device = p[27];
    const uint32_t depth = Bits(device, 2, 0);
    if (depth >= 1 && depth <= 5) {
        AddUnsigned(fields, "colour_depth_bpc", "Colour depth", kDepths[depth], " bpc");
    } else {
        AddNull(fields, "colour_depth_bpc", "Colour depth");
    }
    AddName(fields, "technology", "Technology", std::string(kTechnologies[Bits(device, 6, 4)]));
    if (Bits(revision, 2, 0) >= 1) {
        AddBool(fields, "dark_theme_preferred", "Dark theme preferred", Bit(device, 7));
    }
    AddGamma(fields, "gamma", "Gamma", p[28]);
    return fields;
}

// Primaries and white points follow the counts of byte 0; with no
// primaries, byte 1 names a standard colour space instead.
Fields ColourFields(uint8_t revision, Bytes p) {
    static constexpr std::array<std::string_view, 9> kSpaces = {
        "srgb", "bt601", "bt709", "adobe-rgb", "dci-p3", "ntsc", "ebu", "adobe-wide-gamut-rgb",
        "dicom"};
    Fields fields;
    AddUnsigned(fields, "cie_year", "CIE coordinates of", Bit(revision, 7) ? 1976 : 1931);
    AddUnsigned(fields, "transfer_id", "Transfer curves", Bits(revision, 6, 3));
    if (p.empty()) {
        return fields;
    }
    AddBool(fields, "temporal", "Temporal colour", Bit(p[0], 7));
    const uint32_t primaries = Bits(p[0], 6, 4);
    const uint32_t whites = Bits(p[0], 3, 0);
    std::size_t at = 1;
    if (primaries == 0 && p.size() > 1) {
        AddName(fields, "colour_space", "Colour space",
                p[1] < kSpaces.size() ? std::string(kSpaces[p[1]]) : "reserved");
        ++at;
    }
    const auto addPoints = [&](uint32_t count, std::string_view key, std::string_view label) {
        Field& list = AddList(fields, key, label);
        for (uint32_t i = 0; i < count && at < p.size() && p.size() - at >= 3; ++i, at += 3) {
            AddDisplayIdPoint(list.items, "", "", p, at);
        }
    };
    addPoints(primaries, "primaries", "Primary");
    addPoints(whites, "white_points", "White point");
    return fields;
}

Fields RangeFields(Bytes p) {
    Fields fields;
    if (p.size() < 15) {
        return fields;
    }
    AddUnsigned(fields, "min_pixel_clock_khz", "Minimum pixel clock", Plus1(Le24(p, 0)) * 10,
                " kHz");
    AddUnsigned(fields, "max_pixel_clock_khz", "Maximum pixel clock", Plus1(Le24(p, 3)) * 10,
                " kHz");
    AddUnsigned(fields, "min_h_rate_khz", "Minimum H rate", p[6], " kHz");
    AddUnsigned(fields, "max_h_rate_khz", "Maximum H rate", p[7], " kHz");
    AddUnsigned(fields, "min_h_blank", "Minimum H blank", Le16(p, 8), " pixels");
    AddUnsigned(fields, "min_v_rate_hz", "Minimum V rate", p[10], " Hz");
    AddUnsigned(fields, "max_v_rate_hz", "Maximum V rate", p[11], " Hz");
    AddUnsigned(fields, "min_v_blank", "Minimum V blank", Le16(p, 12), " lines");
    AddBool(fields, "interlaced", "Interlaced", Bit(p[14], 7));
    AddBool(fields, "cvt", "CVT", Bit(p[14], 6));
    AddBool(fields, "cvt_reduced_blanking", "CVT reduced blanking", Bit(p[14], 5));
    AddBool(fields, "discrete", "Discrete frequencies", Bit(p[14], 4));
    return fields;
}

// From revision 1 on, the maximum rate has 2 more bits.
Fields DynamicRangeFields(uint8_t revision, Bytes p) {
    Fields fields;
    if (p.size() < 9) {
        return fields;
    }
    AddUnsigned(fields, "min_pixel_clock_khz", "Minimum pixel clock", Plus1(Le24(p, 0)), " kHz");
    AddUnsigned(fields, "max_pixel_clock_khz", "Maximum pixel clock", Plus1(Le24(p, 3)), " kHz");
    AddUnsigned(fields, "min_v_rate_hz", "Minimum V rate", p[6], " Hz");
    const uint32_t high = Bits(revision, 2, 0) != 0 ? Bits(p[8], 1, 0) << 8 : 0;
    AddUnsigned(fields, "max_v_rate_hz", "Maximum V rate", p[7] | high, " Hz");
    AddBool(fields, "seamless", "Seamless", Bit(p[8], 7));
    return fields;
}

std::string ContainerIdName(Bytes p) {
    std::string text;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += HexByteName(p[i]).substr(2);
    }
    return text;
}

// Bits 6 to 4 of the revision byte lengthen each descriptor.
Fields AdaptiveSyncFields(uint8_t revision, Bytes p) {
    static constexpr std::array<std::string_view, 4> kVTotal = {
        "fixed-average", "fixed-average-and-adaptive", "reserved", "reserved"};
    Fields fields;
    Field& list = AddList(fields, "descriptors", "Descriptor");
    const std::size_t size = kDidAdaptiveSyncSize + Bits(revision, 6, 4);
    for (std::size_t at = 0; p.size() - at >= size; at += size) {
        const Bytes d = p.subspan(at, size);
        Fields& f = AddObject(list.items, "", "").items;
        AddBool(f, "native_range", "Native panel range", Bit(d[0], 0));
        AddName(f, "v_total", "V total", std::string(kVTotal[Bits(d[0], 3, 2)]));
        AddBool(f, "seamless", "Seamless transition", !Bit(d[0], 4));
        AddBool(f, "increase_without_jitter", "Increase, no jitter", Bit(d[0], 1));
        AddBool(f, "decrease_without_jitter", "Decrease, no jitter", Bit(d[0], 5));
        AddFixed(f, "max_increase_ms", "Maximum increase", d[1] / 4.0, 2, " ms");
        AddFixed(f, "max_decrease_ms", "Maximum decrease", d[5] / 4.0, 2, " ms");
        AddUnsigned(f, "min_refresh_hz", "Minimum refresh", d[2], " Hz");
        AddUnsigned(f, "max_refresh_hz", "Maximum refresh", Plus1(d[3] | Bits(d[4], 1, 0) << 8),
                    " Hz");
    }
    return fields;
}

Fields BrightnessFields(Bytes p) {
    Fields fields;
    if (p.size() < 6) {
        return fields;
    }
    AddDisplayIdLuminance(fields, "min_sdr", "SDR minimum", Le16(p, 0));
    AddDisplayIdLuminance(fields, "max_sdr", "SDR maximum", Le16(p, 2));
    AddDisplayIdLuminance(fields, "max_boost_sdr", "Boost SDR maximum", Le16(p, 4));
    return fields;
}

// VESA's block for embedded and external DisplayPort panels.
void AddVesa(Fields& fields, Bytes q) {
    static constexpr std::array<std::string_view, 4> kSst = {"none", "two-streams", "four-streams",
                                                             "reserved"};
    if (q.size() < 2) {
        return;
    }
    const uint32_t kind = Bits(q[0], 2, 0);
    AddName(fields, "interface", "Interface",
            kind == 0   ? "edp"
            : kind == 1 ? "dp"
                        : "reserved " + std::to_string(kind));
    AddBool(fields, "native_colour", "Native colour", Bit(q[0], 7));
    AddUnsigned(fields, "overlap_pixels", "Overlap", Bits(q[1], 3, 0));
    AddName(fields, "multi_sst", "Multi-SST", std::string(kSst[Bits(q[1], 6, 5)]));
    if (q.size() >= 4) {
        AddFixed(fields, "dsc_bits_per_pixel", "DSC bits per pixel",
                 Bits(q[2], 5, 0) + Bits(q[3], 3, 0) / 16.0, 4);
    }
}

Fields VendorFields(Bytes p) {
    Fields fields;
    if (p.size() < kOuiSize) {
        return fields;
    }
    const uint32_t oui = Be24(p);
    AddName(fields, "oui", "OUI", OuiName(oui));
    const Bytes rest = p.subspan(kOuiSize);
    if (oui == kOuiVesa) {
        AddVesa(fields, rest);
    } else {
        AddName(fields, "data", "Data", HexBytes(rest));
    }
    return fields;
}

} // namespace

double DisplayIdCoordinate(uint32_t stored) {
    return stored / 4096.0;
}

void AddDisplayIdPoint(Fields& fields, std::string_view key, std::string_view label, Bytes p,
                       std::size_t at) {
    Field& point = AddObject(fields, key, label);
    AddFixed(point.items, "x", "x", DisplayIdCoordinate(p[at] | Bits(p[at + 1], 3, 0) << 8), 6);
    AddFixed(point.items, "y", "y",
             DisplayIdCoordinate(Bits(p[at + 1], 7, 4) | static_cast<uint32_t>(p[at + 2]) << 4), 6);
}

void AddDisplayIdLuminance(Fields& fields, std::string_view key, std::string_view label,
                           uint32_t stored) {
    // A sign bit set: "not given" for -0, reserved for the rest.
    if (stored == 0x8000) {
        AddNull(fields, key, label);
    } else if ((stored & 0x8000) != 0) {
        AddName(fields, key, label, "reserved");
    } else {
        const int exponent = static_cast<int>(stored >> 10 & 0x1F) - 15;
        const double fraction = ((stored & 0x3FF) | 0x400) / 1024.0;
        AddFixed(fields, key, label, std::ldexp(fraction, exponent), 4, " cd/m2");
    }
}

std::optional<Fields> DisplayIdDataBlockFields(uint8_t tag, uint8_t revision, Bytes payload,
                                               uint32_t) {
    if (auto fields = DisplayIdTimingFields(tag, revision, payload)) {
        return fields;
    }
    if (auto fields = DisplayIdInterfaceFields(tag, revision, payload)) {
        return fields;
    }
    if (auto fields = DisplayIdArVrFields(tag, revision, payload)) {
        return fields;
    }
    switch (tag) {
    case kDidProductId:
    case kDidProductId2:
        return ProductFields(tag, payload);
    case kDidParameters:
        return Parameters1Fields(payload);
    case kDidParameters2:
        return Parameters2Fields(revision, payload);
    case 0x02:
        return ColourFields(revision, payload);
    case 0x09:
        return RangeFields(payload);
    case 0x0A:
    case 0x0B: {
        Fields fields;
        AddText(fields, "text", "Text", StringOf(payload));
        return fields;
    }
    case 0x25:
        return DynamicRangeFields(revision, payload);
    case 0x29: {
        Fields fields;
        if (payload.size() >= 16) {
            AddName(fields, "container_id", "Container ID", ContainerIdName(payload.first(16)));
        }
        return fields;
    }
    case kDidAdaptiveSync:
        return AdaptiveSyncFields(revision, payload);
    case 0x2E:
        return BrightnessFields(payload);
    case kDidVendor:
    case kDidVendor2:
        return VendorFields(payload);
    case kDidCta:
        // Its CTA-861 data blocks are entries of their own.
        return Fields{};
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
