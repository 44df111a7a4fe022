// The fields of the HDMI vendor-specific data block: physical address, deep
// colour, TMDS clock, latencies and the HDMI video formats, 3D among them.
#include "edid/bits.h"
#include "edid/cta_fields_vendor.h"

#include <algorithm>
#include <array>
#include <string>

namespace moniquet {

namespace {

// A latency byte: 0 unknown, 255 no such stream, else 2 × (byte − 1) ms.
void AddLatency(Fields& fields, std::string_view key, std::string_view label, uint8_t code) {
    if (code == 0) {
        AddName(fields, key, label, "unknown");
    } else if (code == 0xFF) {
        AddName(fields, key, label, "not supported");
    } else {
        AddUnsigned(fields, key, label, 2u * (code - 1u), " ms");
    }
}

std::string ImageSizeName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"no information", "aspect ratio",
                                                               "1 cm units", "5 cm units"};
    return std::string(kNames[code]);
}

std::string MultiName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"none", "all VICs", "VIC mask",
                                                               "reserved"};
    return std::string(kNames[code]);
}

// 3D_Structure_X codes, which the bits of 3D_Structure_ALL follow.
std::string StructureName(uint32_t code) {
    static constexpr std::array<std::string_view, 9> kNames = {
        "frame packing",    "field alternative",
        "line alternative", "side-by-side full",
        "L + depth",        "L + depth + graphics + graphics-depth",
        "top-and-bottom",   "",
        "side-by-side half"};
    return code < kNames.size() && !kNames[code].empty()
               ? std::string(kNames[code])
               : "reserved (" + std::to_string(code) + ")";
}

// 3D_Detail_X of side-by-side half: which subsampling.
std::string DetailName(uint32_t code) {
    static constexpr std::array<std::string_view, 11> kNames = {"any subsampling",
                                                                "horizontal",
                                                                "",
                                                                "",
                                                                "",
                                                                "",
                                                                "all quincunx",
                                                                "quincunx odd/left odd/right",
                                                                "quincunx odd/left even/right",
                                                                "quincunx even/left odd/right",
                                                                "quincunx even/left even/right"};
    return code < kNames.size() && !kNames[code].empty()
               ? std::string(kNames[code])
               : "reserved (" + std::to_string(code) + ")";
}

// 3D_Structure_ALL: bit 15 side-by-side half with quincunx, bit 8 with
// horizontal subsampling, bits 6 to 0 the structures of those codes.
void AddAllStructures(Field& list, uint8_t high, uint8_t low) {
    if (Bit(high, 7)) {
        AddName(list.items, "", "", "side-by-side half quincunx");
    }
    if (Bit(high, 0)) {
        AddName(list.items, "", "", "side-by-side half horizontal");
    }
    for (unsigned bit = 7; bit-- > 0;) {
        if (Bit(low, bit)) {
            AddName(list.items, "", "", StructureName(bit));
        }
    }
}

// The HDMI video part: flags, the HDMI VICs, then 3D: structures for all
// VICs or for the VICs of a mask, then structures VIC by VIC.
void AddHdmiVideo(Fields& fields, VendorBytes body, std::size_t pos) {
    if (pos >= body.size()) {
        return;
    }
    Field& video = AddObject(fields, "hdmi_video", "HDMI video");
    const uint8_t flags = body[pos];
    const uint32_t multi = Bits(flags, 6, 5);
    AddBool(video.items, "present_3d", "3D", Bit(flags, 7));
    AddName(video.items, "multi_3d", "3D for", MultiName(multi));
    AddName(video.items, "image_size", "Image size", ImageSizeName(Bits(flags, 4, 3)));
    if (++pos >= body.size()) {
        return;
    }
    const std::size_t vicCount = Bits(body[pos], 7, 5);
    std::size_t length3d = Bits(body[pos], 4, 0);
    ++pos;
    Field& vics = AddList(video.items, "hdmi_vics", "HDMI VICs");
    for (std::size_t i = 0; i < vicCount && pos < body.size(); ++i, ++pos) {
        AddUnsigned(vics.items, "", "", body[pos]);
    }
    if (length3d == 0) {
        return;
    }
    const std::size_t end = std::min(body.size(), pos + length3d);
    if ((multi == 1 || multi == 2) && pos + 2 <= end) {
        Field& all = AddList(video.items, "structures_3d", "3D structures");
        AddAllStructures(all, body[pos], body[pos + 1]);
        pos += 2;
    }
    if (multi == 2 && pos + 2 <= end) {
        // The mask's low byte comes second.
        Field& mask = AddList(video.items, "mask_3d", "3D VIC indices");
        for (unsigned i = 0; i < 16; ++i) {
            if (Bit(body[i < 8 ? pos + 1 : pos], i % 8)) {
                AddUnsigned(mask.items, "", "", i);
            }
        }
        pos += 2;
    }
    if (pos >= end) {
        return;
    }
    Field& each = AddList(video.items, "vics_3d", "3D by VIC");
    while (pos < end) {
        const uint8_t entry = body[pos];
        const uint32_t structure = Bits(entry, 3, 0);
        Field& vic = AddObject(each.items, "", "");
        AddUnsigned(vic.items, "index", "Index", Bits(entry, 7, 4));
        AddName(vic.items, "structure", "Structure", StructureName(structure));
        // Codes 8 and up carry a detail byte.
        if (structure >= 8) {
            if (++pos < end) {
                AddName(vic.items, "detail", "Detail", DetailName(Bits(body[pos], 7, 4)));
            }
        }
        ++pos;
    }
}

} // namespace

void AddHdmiFields(Fields& fields, VendorBytes body) {
    if (body.size() >= 2) {
        const std::string hex = "0123456789abcdef";
        std::string address;
        for (const uint8_t byte : body.first(2)) {
            for (const uint32_t nibble : {Bits(byte, 7, 4), Bits(byte, 3, 0)}) {
                address += address.empty() ? "" : ".";
                address += hex[nibble];
            }
        }
        AddName(fields, "physical_address", "Physical address", address);
    }
    if (body.size() < 3) {
        return;
    }
    static constexpr std::array<FlagBit, 8> kFlags = {{{"supports_ai", "Supports AI"},
                                                       {"dc_48bit", "Deep colour 48 bits"},
                                                       {"dc_36bit", "Deep colour 36 bits"},
                                                       {"dc_30bit", "Deep colour 30 bits"},
                                                       {"dc_y444", "Deep colour in YCbCr 4:4:4"},
                                                       {},
                                                       {},
                                                       {"dvi_dual", "Dual-link DVI"}}};
    AddFlags(fields, body[2], kFlags);
    if (body.size() < 4) {
        return;
    }
    AddUnsigned(fields, "max_tmds_mhz", "Maximum TMDS clock", body[3] * 5u, " MHz");
    if (body.size() < 5) {
        return;
    }
    const uint8_t flags = body[4];
    Field& types = AddList(fields, "content_types", "Content types");
    static constexpr std::array<std::string_view, 4> kTypes = {"graphics", "photo", "cinema",
                                                               "game"};
    for (unsigned bit = 0; bit < kTypes.size(); ++bit) {
        if (Bit(flags, bit)) {
            AddName(types.items, "", "", std::string(kTypes[bit]));
        }
    }
    std::size_t pos = 5;
    if (Bit(flags, 7)) {
        if (pos + 1 < body.size()) {
            AddLatency(fields, "video_latency", "Video latency", body[pos]);
            AddLatency(fields, "audio_latency", "Audio latency", body[pos + 1]);
        }
        pos += 2;
        if (Bit(flags, 6)) {
            if (pos + 1 < body.size()) {
                AddLatency(fields, "interlaced_video_latency", "Interlaced video latency",
                           body[pos]);
                AddLatency(fields, "interlaced_audio_latency", "Interlaced audio latency",
                           body[pos + 1]);
            }
            pos += 2;
        }
    }
    if (Bit(flags, 5)) {
        AddHdmiVideo(fields, body, pos);
    }
}

} // namespace moniquet
