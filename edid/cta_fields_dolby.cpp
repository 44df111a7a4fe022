// The fields of Dolby's vendor-specific video data block, whose layout
// depends on the version in its first byte: version 0 gives primaries of 12
// bits, version 1 coarse ones or ones confined to a small region around
// each primary, version 2 the regions in finer steps.
#include "edid/bits.h"
#include "edid/cta_fields_vendor.h"

#include <string>
#include <utility>

namespace moniquet {

namespace {

void AddPoint(Fields& fields, std::string_view key, std::string_view label, double x, double y) {
    Field& point = AddObject(fields, key, label);
    AddFixed(point.items, "x", "x", x, 8);
    AddFixed(point.items, "y", "y", y, 8);
}

void AddPq(Fields& fields, std::string_view key, std::string_view label, uint32_t code,
           bool whole) {
    Field& level = AddObject(fields, key, label);
    AddUnsigned(level.items, "pq", "PQ", code);
    const double nits = PqNits(code / 4095.0);
    if (whole) {
        AddUnsigned(level.items, "nits", "Luminance", static_cast<uint64_t>(nits), " cd/m2");
    } else {
        AddFixed(level.items, "nits", "Luminance", nits, 8, " cd/m2");
    }
}

// Twelve bits: the high eight in their own byte, the low four in a nibble
// of a shared byte.
double Twelve(uint8_t high, uint32_t low) {
    return (high << 4 | low) / 4096.0;
}

void AddVersion0(Fields& fields, VendorBytes b) {
    AddBool(fields, "supports_2160p60", "2160p60", Bit(b[0], 1));
    AddBool(fields, "global_dimming", "Global dimming", Bit(b[0], 2));
    if (b.size() < 17) {
        return;
    }
    AddName(fields, "dm_version", "DM version",
            std::to_string(Bits(b[16], 7, 4)) + "." + std::to_string(Bits(b[16], 3, 0)));
    AddPq(fields, "target_min", "Target minimum", b[14] << 4 | Bits(b[13], 7, 4), false);
    AddPq(fields, "target_max", "Target maximum", b[15] << 4 | Bits(b[13], 3, 0), true);
    static constexpr std::pair<std::string_view, std::string_view> kPoints[] = {
        {"red", "Red"}, {"green", "Green"}, {"blue", "Blue"}, {"white", "White"}};
    std::size_t pos = 1;
    for (const auto& [key, label] : kPoints) {
        AddPoint(fields, key, label, Twelve(b[pos + 1], Bits(b[pos], 7, 4)),
                 Twelve(b[pos + 2], Bits(b[pos], 3, 0)));
        pos += 3;
    }
}

void AddVersion1(Fields& fields, VendorBytes b) {
    AddBool(fields, "supports_2160p60", "2160p60", Bit(b[0], 1));
    AddName(fields, "dm_version", "DM version", std::to_string(Bits(b[0], 4, 2) + 2) + ".x");
    if (b.size() < 4) {
        return;
    }
    AddBool(fields, "global_dimming", "Global dimming", Bit(b[1], 0));
    AddName(fields, "colorimetry", "Colorimetry", Bit(b[2], 0) ? "P3-D65" : "BT.709");
    AddName(fields, "interface", "Interface", Bit(b[3], 0) ? "standard, low latency" : "standard");
    const double min = Bits(b[2], 7, 1) / 127.0;
    AddFixed(fields, "target_min_nits", "Target minimum", min * min, 8, " cd/m2");
    AddUnsigned(fields, "target_max_nits", "Target maximum", 100 + Bits(b[1], 7, 1) * 50, " cd/m2");
    if (b.size() == 10) {
        AddPoint(fields, "red", "Red", b[4] / 256.0, b[5] / 256.0);
        AddPoint(fields, "green", "Green", b[6] / 256.0, b[7] / 256.0);
        AddPoint(fields, "blue", "Blue", b[8] / 256.0, b[9] / 256.0);
        return;
    }
    if (b.size() < 7) {
        return;
    }
    // Steps across each primary's region, from its corner.
    const uint32_t redY = Bits(b[6], 2, 0) << 2 | Bits(b[5], 0, 0) << 1 | Bits(b[4], 0, 0);
    AddPoint(fields, "red", "Red", 0.625 + (0.74609375 - 0.625) / 31.0 * Bits(b[6], 7, 3),
             0.25 + (0.37109375 - 0.25) / 31.0 * redY);
    AddPoint(fields, "green", "Green", 0.49609375 / 127.0 * Bits(b[4], 7, 1),
             0.5 + (0.99609375 - 0.5) / 127.0 * Bits(b[5], 7, 1));
    AddPoint(fields, "blue", "Blue", 0.125 + (0.15234375 - 0.125) / 7.0 * Bits(b[3], 7, 5),
             0.03125 + (0.05859375 - 0.03125) / 7.0 * Bits(b[3], 4, 2));
}

void AddVersion2(Fields& fields, VendorBytes b) {
    AddBool(fields, "backlight_control", "Backlight control", Bit(b[0], 1));
    AddName(fields, "dm_version", "DM version", std::to_string(Bits(b[0], 4, 2) + 2) + ".x");
    if (b.size() < 7) {
        return;
    }
    static constexpr std::string_view kInterfaces[] = {
        "low latency", "low latency, low latency HDMI", "standard, low latency",
        "standard, low latency, low latency HDMI"};
    static constexpr std::string_view kDepths[] = {"none", "10 bits", "12 bits", "reserved"};
    AddBool(fields, "global_dimming", "Global dimming", Bit(b[1], 2));
    AddUnsigned(fields, "backlight_min_nits", "Backlight minimum", 25 + Bits(b[1], 1, 0) * 25,
                " cd/m2");
    AddName(fields, "interface", "Interface", std::string(kInterfaces[Bits(b[2], 1, 0)]));
    AddName(fields, "yuv444_depth", "4:4:4 depth",
            std::string(kDepths[Bits(b[3], 0, 0) << 1 | Bits(b[4], 0, 0)]));
    AddPq(fields, "target_min", "Target minimum", 20 * Bits(b[1], 7, 3), false);
    AddPq(fields, "target_max", "Target maximum", 2055 + 65 * Bits(b[2], 7, 3), true);
    AddPoint(fields, "red", "Red", 0.625 + Bits(b[5], 7, 3) / 256.0,
             0.25 + Bits(b[6], 7, 3) / 256.0);
    AddPoint(fields, "green", "Green", Bits(b[3], 7, 1) / 256.0, 0.5 + Bits(b[4], 7, 1) / 256.0);
    AddPoint(fields, "blue", "Blue", 0.125 + Bits(b[5], 2, 0) / 256.0,
             0.03125 + Bits(b[6], 2, 0) / 256.0);
}

} // namespace

void AddDolbyVideoFields(Fields& fields, VendorBytes body) {
    if (body.empty()) {
        return;
    }
    const uint32_t version = Bits(body[0], 7, 5);
    AddUnsigned(fields, "version", "Version", version);
    AddBool(fields, "yuv422_12bit", "YUV 4:2:2 12 bits", Bit(body[0], 0));
    if (version == 0) {
        AddVersion0(fields, body);
    } else if (version == 1) {
        AddVersion1(fields, body);
    } else if (version == 2) {
        AddVersion2(fields, body);
    }
}

} // namespace moniquet
