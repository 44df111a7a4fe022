// The fields of DisplayID timing data blocks: detailed timings (types I,
// II, VI, VII), formula-based ones (types III, V, IX, X) and codes (type IV,
// type VIII, the DMT and VIC bitmaps). Each timing is given as stored;
// what a formula makes of it is left to the reader.
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

std::string AspectName(uint32_t code) {
    static constexpr std::array<std::string_view, 9> kNames = {
        "1:1", "5:4", "4:3", "15:9", "16:9", "16:10", "64:27", "256:135", "undefined"};
    return code < kNames.size() ? std::string(kNames[code]) : "reserved";
}

std::string StereoName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"none", "stereo", "user-action",
                                                               "reserved"};
    return std::string(kNames[code & 3]);
}

// One direction of a detailed timing, in pixels or lines as stored: a
// frame's, interlaced or not.
struct Axis {
    uint32_t active = 0;
    uint32_t blank = 0;
    uint32_t front = 0;
    uint32_t sync = 0;
    bool positive = false;
};

void AddAxis(Fields& fields, bool horizontal, const Axis& a) {
    AddUnsigned(fields, horizontal ? "h_active" : "v_active", horizontal ? "H active" : "V active",
                a.active);
    AddUnsigned(fields, horizontal ? "h_blank" : "v_blank", horizontal ? "H blank" : "V blank",
                a.blank);
    AddUnsigned(fields, horizontal ? "h_front_porch" : "v_front_porch",
                horizontal ? "H front porch" : "V front porch", a.front);
    AddUnsigned(fields, horizontal ? "h_sync" : "v_sync", horizontal ? "H sync" : "V sync", a.sync);
    AddBool(fields, horizontal ? "h_sync_positive" : "v_sync_positive",
            horizontal ? "H sync positive" : "V sync positive", a.positive);
}

void AddDetailed(Fields& fields, uint32_t clockKHz, bool interlaced, const Axis& h, const Axis& v) {
    AddUnsigned(fields, "pixel_clock_khz", "Pixel clock", clockKHz, " kHz");
    AddBool(fields, "interlaced", "Interlaced", interlaced);
    AddAxis(fields, true, h);
    AddAxis(fields, false, v);
}

// Types I and VII; from revision 2 on, bit 7 of byte 3 flags YCbCr 4:2:0
// instead of the preferred timing.
void Type1Or7(Bytes d, uint32_t clockUnitKHz, uint32_t revision, Fields& t) {
    const bool flag = Bit(d[3], 7);
    AddBool(t, "preferred", "Preferred", revision < 2 && flag);
    AddName(t, "aspect", "Aspect", AspectName(Bits(d[3], 3, 0)));
    AddName(t, "stereo", "Stereo", StereoName(Bits(d[3], 6, 5)));
    AddBool(t, "ycbcr420", "YCbCr 4:2:0", revision >= 2 && flag);
    AddDetailed(t, Plus1(Le24(d, 0)) * clockUnitKHz, Bit(d[3], 4),
                {Plus1(Le16(d, 4)), Plus1(Le16(d, 6)), Plus1(Le16(d, 8) & 0x7FFF),
                 Plus1(Le16(d, 10)), Bit(d[9], 7)},
                {Plus1(Le16(d, 12)), Plus1(Le16(d, 14)), Plus1(Le16(d, 16) & 0x7FFF),
                 Plus1(Le16(d, 18)), Bit(d[17], 7)});
}

// Type II: horizontal values in cells of 8 pixels.
void Type2(Bytes d, Fields& t) {
    constexpr uint32_t kCell = 8;
    AddBool(t, "preferred", "Preferred", Bit(d[3], 7));
    AddName(t, "stereo", "Stereo", StereoName(Bits(d[3], 6, 5)));
    AddDetailed(t, Plus1(Le24(d, 0)) * 10, Bit(d[3], 4),
                {kCell * Plus1(d[4] | (d[5] & 1u) << 8), kCell * Plus1(Bits(d[5], 7, 1)),
                 kCell * Plus1(Bits(d[6], 7, 4)), kCell * Plus1(Bits(d[6], 3, 0)), Bit(d[3], 3)},
                {Plus1(d[7] | Bits(d[8], 3, 0) << 8), Plus1(d[9]), Plus1(Bits(d[10], 7, 4)),
                 Plus1(Bits(d[10], 3, 0)), Bit(d[3], 2)});
}

// Type VI: the clock in kHz; 3 more bytes give the image's size when bit 6
// of byte 2 says so.
void Type6(Bytes d, Fields& t) {
    AddBool(t, "preferred", "Preferred", Bit(d[2], 7));
    AddName(t, "stereo", "Stereo", StereoName(Bits(d[13], 6, 5)));
    AddDetailed(t, Plus1(Le16(d, 0) | Bits(d[2], 5, 0) << 16), Bit(d[13], 7),
                {Plus1(d[3] | Bits(d[4], 5, 0) << 8), Plus1(d[7] | Bits(d[9], 3, 0) << 8),
                 Plus1(d[8] | Bits(d[9], 7, 4) << 8), Plus1(d[10]), Bit(d[4], 7)},
                {Plus1(d[5] | Bits(d[6], 5, 0) << 8), Plus1(d[11]), Plus1(d[12]),
                 Plus1(Bits(d[13], 3, 0)), Bit(d[6], 7)});
    if (d.size() >= kDidType6Size + kDidType6ImageSize) {
        // The height in units of 1 to 16 mm, the width as an aspect ratio
        // of it in 256ths of 3.
        const uint32_t height = Plus1(Bits(d[16], 7, 4)) * Plus1(d[15] | Bits(d[16], 3, 0) << 8);
        AddUnsigned(t, "image_width_mm", "Image width",
                    static_cast<uint32_t>(height * (d[14] * 3.0 / 256.0)), " mm");
        AddUnsigned(t, "image_height_mm", "Image height", height, " mm");
    }
}

void AddSize(Fields& t, Bytes d, std::size_t at) {
    AddUnsigned(t, "width", "Width", Plus1(Le16(d, at)));
    AddUnsigned(t, "height", "Height", Plus1(Le16(d, at + 2)));
}

std::string FormulaName(uint32_t code, uint32_t last) {
    static constexpr std::array<std::string_view, 4> kNames = {
        "standard", "reduced-blanking-1", "reduced-blanking-2", "reduced-blanking-3"};
    return code <= last ? std::string(kNames[code]) : "reserved";
}

// Type III: a width and an aspect ratio, CVT with or without reduced
// blanking.
void Type3(Bytes d, Fields& t) {
    AddBool(t, "preferred", "Preferred", Bit(d[0], 7));
    AddName(t, "formula", "Formula", Bits(d[0], 6, 4) == 1 ? "reduced-blanking-1" : "standard");
    AddName(t, "aspect", "Aspect", AspectName(Bits(d[0], 3, 0)));
    AddUnsigned(t, "width", "Width", 8 * Plus1(d[1]));
    AddBool(t, "interlaced", "Interlaced", Bit(d[2], 7));
    AddUnsigned(t, "refresh_hz", "Refresh", Plus1(Bits(d[2], 6, 0)), " Hz");
}

// Types V and IX: the size, the rate and the formula.
void Type5Or9(Bytes d, bool type5, Fields& t) {
    if (type5) {
        AddBool(t, "preferred", "Preferred", Bit(d[0], 7));
    }
    AddName(t, "stereo", "Stereo", StereoName(Bits(d[0], 6, 5)));
    AddBool(t, "ntsc_rate", "Rate x 1000/1001", Bit(d[0], 4));
    AddName(t, "formula", "Formula", FormulaName(type5 ? Bits(d[0], 1, 0) : Bits(d[0], 2, 0), 2));
    AddSize(t, d, type5 ? 2 : 1);
    AddUnsigned(t, "refresh_hz", "Refresh", Plus1(d[type5 ? 6 : 5]), " Hz");
}

// Type X: descriptors longer than 6 bytes add 2 bits to the rate and the
// blanking a third version of reduced blanking may add; an 8th byte may ask
// for the shorter minimum vertical blanking.
void Type10(Bytes d, Fields& t) {
    AddBool(t, "ycbcr420", "YCbCr 4:2:0", Bit(d[0], 7));
    AddName(t, "stereo", "Stereo", StereoName(Bits(d[0], 6, 5)));
    AddBool(t, "alternative", "Alternative blank", Bit(d[0], 4));
    AddBool(t, "early_vsync", "Early vsync", Bit(d[0], 3));
    AddName(t, "formula", "Formula", FormulaName(Bits(d[0], 2, 0), 3));
    AddSize(t, d, 1);
    const uint32_t high = d.size() > 6 ? Bits(d[6], 1, 0) << 8 : 0;
    AddUnsigned(t, "refresh_hz", "Refresh", Plus1(d[5] | high), " Hz");
    if (d.size() > 6) {
        AddUnsigned(t, "h_blank_delta", "H blank delta", Bits(d[6], 4, 2));
        AddUnsigned(t, "v_blank_extra", "V blank extra", Bits(d[6], 7, 5));
    }
    if (d.size() > 7) {
        AddBool(t, "short_min_v_blank", "Short V blank", Bit(d[7], 0));
    }
}

template <typename Decode>
void Descriptors(Fields& fields, Bytes payload, std::size_t size, Decode decode) {
    Field& list = AddList(fields, "timings", "Timing");
    for (std::size_t at = 0; size != 0 && payload.size() - at >= size; at += size) {
        decode(payload.subspan(at, size), AddObject(list.items, "", "").items);
    }
}

std::string CodeTypeName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"dmt", "vic", "hdmi-vic",
                                                               "reserved"};
    return std::string(kNames[code & 3]);
}

Fields CodeFields(uint8_t revision, Bytes payload, bool twoByte) {
    Fields fields;
    AddName(fields, "code_type", "Codes of", CodeTypeName(Bits(revision, 7, 6)));
    Field& codes = AddList(fields, "codes", "Code");
    const std::size_t size = twoByte ? 2 : 1;
    for (std::size_t at = 0; payload.size() - at >= size; at += size) {
        AddUnsigned(codes.items, "", "", twoByte ? Le16(payload, at) : payload[at]);
    }
    return fields;
}

Fields BitmapFields(Bytes payload, std::size_t size, std::string_view key, std::string_view label) {
    Fields fields;
    Field& codes = AddList(fields, key, label);
    const Bytes bits = payload.first(std::min(payload.size(), size));
    for (std::size_t bit = 0; bit < 8 * bits.size(); ++bit) {
        if (Bit(bits[bit / 8], bit % 8)) {
            AddUnsigned(codes.items, "", "", bit + 1);
        }
    }
    return fields;
}

Fields Type6Fields(Bytes payload) {
    Fields fields;
    Field& list = AddList(fields, "timings", "Timing");
    for (std::size_t at = 0; payload.size() - at >= kDidType6Size;) {
        const std::size_t size = kDidType6Size + (Bit(payload[at + 2], 6) ? kDidType6ImageSize : 0);
        if (payload.size() - at < size) {
            break;
        }
        Type6(payload.subspan(at, size), AddObject(list.items, "", "").items);
        at += size;
    }
    return fields;
}

} // namespace

std::optional<Fields> DisplayIdTimingFields(uint8_t tag, uint8_t revision, Bytes payload) {
    const uint32_t blockRevision = Bits(revision, 2, 0);
    // Types VII and X grow their descriptors by bits 6 to 4 of the revision.
    const std::size_t extra = Bits(revision, 6, 4);
    Fields fields;
    switch (tag) {
    case kDidType1:
        Descriptors(fields, payload, kDidType1Size,
                    [&](Bytes d, Fields& t) { Type1Or7(d, 10, blockRevision, t); });
        return fields;
    case kDidType7:
        AddBool(fields, "dsc_passthrough", "DSC pass-through",
                blockRevision >= 1 && Bit(revision, 3));
        Descriptors(fields, payload, kDidType1Size + extra,
                    [&](Bytes d, Fields& t) { Type1Or7(d, 1, blockRevision, t); });
        return fields;
    case kDidType2:
        Descriptors(fields, payload, kDidType2Size, Type2);
        return fields;
    case kDidType6:
        return Type6Fields(payload);
    case kDidType3:
        Descriptors(fields, payload, kDidType3Size, Type3);
        return fields;
    case kDidType5:
        Descriptors(fields, payload, kDidType5Size,
                    [](Bytes d, Fields& t) { Type5Or9(d, true, t); });
        return fields;
    case kDidType9:
        Descriptors(fields, payload, kDidType9Size,
                    [](Bytes d, Fields& t) { Type5Or9(d, false, t); });
        return fields;
    case kDidType10:
        Descriptors(fields, payload, kDidType10Size + extra, Type10);
        return fields;
    case kDidType4:
        return CodeFields(revision, payload, false);
    case kDidType8:
        // Bit 3 of the revision byte: two-byte codes.
        return CodeFields(revision, payload, Bit(revision, 3));
    case kDidDmtBitmap:
        return BitmapFields(payload, kDidDmtBitmapSize, "dmt_ids", "DMT ID");
    case kDidVicBitmap:
        return BitmapFields(payload, kDidVicBitmapSize, "vics", "VIC");
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
