#include "edid/cta_fields_display_device.h"

#include "edid/bits.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

// A name of `names` by its code; "reserved" past them.
template <std::size_t N>
std::string NameOf(const std::array<std::string_view, N>& names, uint32_t code) {
    return code < N ? std::string(names[code]) : "reserved";
}

// The interface: its kind in the high nibble of the first byte, and in the
// low nibble either the analog kind or the count of lanes or channels of
// the digital ones that have several.
void AddInterface(Fields& fields, uint8_t byte) {
    static constexpr std::array<std::string_view, 13> kKinds = {
        "analog", "LVDS", "RSDS",        "DVI-D",     "DVI-I analog", "DVI-I digital", "HDMI-A",
        "HDMI-B", "MDDI", "DisplayPort", "IEEE 1394", "M1 analog",    "M1 digital"};
    static constexpr std::array<std::string_view, 3> kAnalog = {"15HD/VGA", "NAVI-V (15HD)",
                                                                "NAVI-D"};
    const uint32_t kind = Bits(byte, 7, 4);
    const uint32_t low = Bits(byte, 3, 0);
    AddName(fields, "interface", "Interface", NameOf(kKinds, kind));
    if (kind == 0) {
        AddName(fields, "analog_kind", "Analog interface", NameOf(kAnalog, low));
    } else if (kind == 1 || kind == 2 || kind == 3 || kind == 5 || kind == 8 || kind == 9 ||
               kind == 12) {
        AddUnsigned(fields, "lanes", "Lanes", low);
    }
}

void AddPanel(Fields& fields, uint8_t byte) {
    static constexpr std::array<std::string_view, 4> kOrientations = {"landscape", "portrait",
                                                                      "not fixed", "undefined"};
    static constexpr std::array<std::string_view, 4> kRotations = {
        "none", "90 degrees clockwise", "90 degrees anticlockwise", "90 degrees either way"};
    static constexpr std::array<std::string_view, 4> kCorners = {"upper left", "upper right",
                                                                 "lower left", "lower right"};
    static constexpr std::array<std::string_view, 4> kScans = {
        "not defined", "fast along the long axis", "fast along the short axis", "reserved"};
    AddName(fields, "orientation", "Default orientation", NameOf(kOrientations, Bits(byte, 7, 6)));
    AddName(fields, "rotation", "Rotation", NameOf(kRotations, Bits(byte, 5, 4)));
    AddName(fields, "zero_pixel", "Zero pixel", NameOf(kCorners, Bits(byte, 3, 2)));
    AddName(fields, "scan_direction", "Scan direction", NameOf(kScans, Bits(byte, 1, 0)));
}

std::string SubpixelName(uint8_t code) {
    static constexpr std::array<std::string_view, 13> kLayouts = {
        "not defined",
        "RGB vertical stripes",
        "RGB horizontal stripes",
        "vertical stripes in primary order",
        "horizontal stripes in primary order",
        "quad, red top left",
        "quad, red bottom left",
        "delta (triad)",
        "mosaic",
        "quad, RGB and one more colour",
        "five, RGB and two more colours",
        "six, RGB and three more colours",
        "PenTile matrix"};
    return NameOf(kLayouts, code);
}

// Up to three primaries beyond red, green and blue: 10-bit coordinates of
// a high byte each and two low bits, x's above y's, in a nibble of byte
// 0x14 or 0x15.
void AddPrimaries(Fields& fields, Bytes body) {
    struct Primary {
        std::size_t high, packed;
        unsigned shift;
    };
    static constexpr std::array<Primary, 3> kPrimaries = {
        Primary{0x16, 0x14, 4}, Primary{0x18, 0x14, 0}, Primary{0x1A, 0x15, 4}};
    const uint32_t count = Bits(body[0x15], 1, 0);
    Field& list = AddList(fields, "additional_primaries", "Extra primary");
    for (uint32_t i = 0; i < count; ++i) {
        const Primary& p = kPrimaries[i];
        if (body.size() < p.high + 2) {
            break;
        }
        const uint32_t low = body[p.packed] >> p.shift;
        const uint32_t x = static_cast<uint32_t>(body[p.high]) << 2 | (low >> 2 & 3u);
        const uint32_t y = static_cast<uint32_t>(body[p.high + 1]) << 2 | (low & 3u);
        Field& primary = AddObject(list.items, "", "");
        AddFixed(primary.items, "x", "x", x / 1024.0, 4);
        AddFixed(primary.items, "y", "y", y / 1024.0, 4);
    }
}

void AddAudio(Fields& fields, Bytes body) {
    const auto has = [&](std::size_t i) { return body.size() > i; };
    if (has(0x0F)) {
        AddBool(fields, "audio", "Audio", Bit(body[0x0F], 7));
        AddBool(fields, "separate_audio_inputs", "Separate audio in", Bit(body[0x0F], 6));
        AddBool(fields, "audio_input_override", "Audio override", Bit(body[0x0F], 5));
    }
    if (has(0x10)) {
        // 2 ms steps, bit 7 set for audio behind video; 0 gives no delay.
        const uint8_t delay = body[0x10];
        if (delay == 0) {
            AddNull(fields, "audio_delay_ms", "Audio delay");
        } else {
            const int64_t ms = static_cast<int64_t>(Bits(delay, 6, 0)) * 2;
            AddSigned(fields, "audio_delay_ms", "Audio delay", Bit(delay, 7) ? ms : -ms, " ms");
        }
    }
}

void AddFrameRate(Fields& fields, Bytes body) {
    static constexpr std::array<std::string_view, 4> kConversions = {
        "none", "single buffering", "double buffering", "advanced"};
    const auto has = [&](std::size_t i) { return body.size() > i; };
    if (has(0x11)) {
        AddName(fields, "frame_rate_conversion", "Rate conversion",
                NameOf(kConversions, Bits(body[0x11], 7, 6)));
    }
    if (has(0x12)) {
        AddUnsigned(fields, "frame_rate_fps", "Frame rate", body[0x12], " fps");
        // 0 for a nominal rate, else how far either side of it.
        AddUnsigned(fields, "frame_rate_range_fps", "Frame rate range", Bits(body[0x11], 5, 0),
                    " fps");
    }
}

} // namespace

Fields VesaDisplayDeviceFields(Bytes body) {
    static constexpr std::array<std::string_view, 4> kProtections = {"none", "HDCP", "DTCP",
                                                                     "DPCP"};
    static constexpr std::array<std::string_view, 4> kDithering = {"none", "spatial", "temporal",
                                                                   "spatial and temporal"};
    Fields fields;
    const auto has = [&](std::size_t i) { return body.size() > i; };
    if (has(0)) {
        AddInterface(fields, body[0]);
    }
    if (has(1)) {
        Field& version = AddObject(fields, "interface_version", "Interface version");
        AddUnsigned(version.items, "major", "Major", Bits(body[1], 7, 4));
        AddUnsigned(version.items, "minor", "Minor", Bits(body[1], 3, 0));
    }
    if (has(2)) {
        AddName(fields, "content_protection", "Content protection", NameOf(kProtections, body[2]));
    }
    if (has(3)) {
        AddUnsigned(fields, "min_clock_mhz", "Minimum clock", Bits(body[3], 7, 2), " MHz");
    }
    if (has(4)) {
        AddUnsigned(fields, "max_clock_mhz", "Maximum clock", Bits(body[3], 1, 0) << 8 | body[4],
                    " MHz");
    }
    if (has(6)) {
        AddUnsigned(fields, "native_width", "Native width", Le16(body, 5), " pixels");
    }
    if (has(8)) {
        AddUnsigned(fields, "native_height", "Native height", Le16(body, 7), " pixels");
    }
    if (has(9)) {
        // The long side over the short, less 1, in hundredths.
        AddFixed(fields, "aspect_ratio", "Aspect ratio", (100 + body[9]) / 100.0, 2);
    }
    if (has(0x0A)) {
        AddPanel(fields, body[0x0A]);
    }
    if (has(0x0B)) {
        AddName(fields, "subpixel_layout", "Subpixel layout", SubpixelName(body[0x0B]));
    }
    if (has(0x0D)) {
        AddFixed(fields, "pixel_pitch_h_mm", "Pixel pitch across", body[0x0C] / 100.0, 2, " mm");
        AddFixed(fields, "pixel_pitch_v_mm", "Pixel pitch down", body[0x0D] / 100.0, 2, " mm");
    }
    if (has(0x0E)) {
        const uint8_t byte = body[0x0E];
        AddName(fields, "dithering", "Dithering", NameOf(kDithering, Bits(byte, 7, 6)));
        AddBool(fields, "direct_drive", "Direct drive", Bit(byte, 5));
        // The bit is set when overdrive is not recommended.
        AddBool(fields, "overdrive_recommended", "Overdrive advised", !Bit(byte, 4));
        AddBool(fields, "deinterlacing", "Deinterlacing", Bit(byte, 3));
    }
    AddAudio(fields, body);
    AddFrameRate(fields, body);
    if (has(0x13)) {
        AddUnsigned(fields, "interface_bit_depth", "Interface bit depth",
                    Bits(body[0x13], 7, 4) + 1);
        AddUnsigned(fields, "display_bit_depth", "Display bit depth", Bits(body[0x13], 3, 0) + 1);
    }
    if (has(0x15)) {
        AddPrimaries(fields, body);
    }
    if (has(0x1C)) {
        AddUnsigned(fields, "response_time_ms", "Response time", Bits(body[0x1C], 6, 0), " ms");
        AddBool(fields, "response_white_to_black", "Response to black", Bit(body[0x1C], 7));
    }
    if (has(0x1D)) {
        AddUnsigned(fields, "overscan_h_percent", "Overscan across", Bits(body[0x1D], 7, 4), " %");
        AddUnsigned(fields, "overscan_v_percent", "Overscan down", Bits(body[0x1D], 3, 0), " %");
    }
    return fields;
}

} // namespace moniquet
