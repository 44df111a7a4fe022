// The fields of the HDMI Forum's sink capabilities (in its vendor-specific
// data block or its sink capability data block) and of its source-based
// tone mapping data block.
#include "edid/bits.h"
#include "edid/cta_fields_vendor.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace moniquet {

namespace {

// A fixed rate link code: lanes and the fastest rate per lane, codes 1 to
// 6 each adding a rate to those before; 0 none.
void AddFrl(Fields& fields, std::string_view key, std::string_view label, uint32_t code) {
    static constexpr std::array<std::pair<uint32_t, uint32_t>, 7> kRates = {
        {{0, 0}, {3, 3}, {3, 6}, {4, 6}, {4, 8}, {4, 10}, {4, 12}}};
    if (code == 0) {
        AddName(fields, key, label, "none");
        return;
    }
    if (code >= kRates.size()) {
        AddName(fields, key, label, "reserved (" + std::to_string(code) + ")");
        return;
    }
    Field& rate = AddObject(fields, key, label);
    AddUnsigned(rate.items, "lanes", "Lanes", kRates[code].first);
    AddUnsigned(rate.items, "gbps_per_lane", "Per lane", kRates[code].second, " Gbps");
}

// DSC slices and the pixel clock per slice of codes 1 to 7; codes 8 and up
// are reserved, and read as code 7.
void AddDscSlices(Fields& fields, uint32_t code) {
    static constexpr std::array<std::pair<uint32_t, uint32_t>, 8> kSlices = {
        {{0, 0}, {1, 340}, {2, 340}, {4, 340}, {8, 340}, {8, 400}, {12, 400}, {12, 600}}};
    const auto& [slices, mhz] = kSlices[std::min<uint32_t>(code, kSlices.size() - 1)];
    Field& max = AddObject(fields, "dsc_max_slices", "DSC slices");
    AddUnsigned(max.items, "slices", "Slices", slices);
    AddUnsigned(max.items, "mhz_per_slice", "Per slice", mhz, " MHz");
    AddBool(max.items, "reserved_code", "Reserved code", code >= kSlices.size());
}

void AddChromaticity(Fields& fields, std::string_view key, std::string_view label, VendorBytes xy) {
    Field& point = AddObject(fields, key, label);
    AddFixed(point.items, "x", "x", (xy[0] | xy[1] << 8) * 0.00002, 5);
    AddFixed(point.items, "y", "y", (xy[2] | xy[3] << 8) * 0.00002, 5);
}

// A percentage code: a mantissa of six bits over 64 and a decimal exponent
// of two, negated.
double Percentage(uint8_t code) {
    double value = 100.0 * Bits(code, 7, 2) / 64.0;
    for (uint32_t e = Bits(code, 1, 0); e > 0; --e) {
        value /= 10.0;
    }
    return value;
}

std::string GrdmName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"none", "SDR range", "HDR range",
                                                               "reserved"};
    return std::string(kNames[code]);
}

std::string GamutName(uint32_t code) {
    static constexpr std::array<std::string_view, 4> kNames = {"explicit", "BT.709", "ST 2113",
                                                               "BT.2020"};
    return std::string(kNames[code]);
}

} // namespace

void AddHdmiForumFields(Fields& fields, VendorBytes body) {
    const auto at = [&](std::size_t offset) { return offset < body.size(); };
    if (!at(0)) {
        return;
    }
    AddUnsigned(fields, "version", "Version", body[0]);
    if (!at(1)) {
        return;
    }
    AddUnsigned(fields, "max_tmds_mhz", "Maximum TMDS character rate", body[1] * 5u, " MHz");
    if (!at(2)) {
        return;
    }
    static constexpr std::array<FlagBit, 8> kScdc = {
        {{"scdc", "SCDC"},
         {"scdc_read_request", "SCDC read request"},
         {"cable_status", "Cable status"},
         {"ccbpci", "Colour content bits indication"},
         {"scrambling_340", "Scrambling at 340 Mcsc or less"},
         {"independent_view_3d", "3D independent view"},
         {"dual_view_3d", "3D dual view"},
         {"osd_disparity_3d", "3D OSD disparity"}}};
    AddFlags(fields, body[2], kScdc);
    if (!at(3)) {
        return;
    }
    AddFrl(fields, "max_frl", "Maximum FRL", Bits(body[3], 7, 4));
    static constexpr std::array<FlagBit, 8> kDeepColour = {
        {{},
         {},
         {},
         {},
         {"uhd_vic", "UHD VIC"},
         {"dc_48bit_420", "Deep colour 48 bits in 4:2:0"},
         {"dc_36bit_420", "Deep colour 36 bits in 4:2:0"},
         {"dc_30bit_420", "Deep colour 30 bits in 4:2:0"}}};
    AddFlags(fields, body[3], kDeepColour);
    if (!at(4)) {
        return;
    }
    static constexpr std::array<FlagBit, 8> kFeatures = {
        {{"fapa_end_extended", "FAPA end extended"},
         {"qms", "QMS"},
         {"mdelta", "M delta"},
         {"cinema_vrr", "Cinema VRR"},
         {"negative_mvrr", "Negative M VRR"},
         {"fast_vactive", "Fast Vactive"},
         {"allm", "Auto low-latency mode"},
         {"fapa_start_location", "FAPA after the first active line"}}};
    AddFlags(fields, body[4], kFeatures);
    if (!at(5)) {
        return;
    }
    AddUnsigned(fields, "vrr_min_hz", "VRR minimum", Bits(body[5], 5, 0), " Hz");
    if (!at(6)) {
        return;
    }
    AddUnsigned(fields, "vrr_max_hz", "VRR maximum", Bits(body[5], 7, 6) << 8 | body[6], " Hz");
    if (!at(7)) {
        return;
    }
    static constexpr std::array<FlagBit, 8> kDsc = {{{"dsc_12a", "DSC 1.2a"},
                                                     {"dsc_native_420", "DSC in 4:2:0"},
                                                     {"qms_tfr_max", "QMS TFR maximum"},
                                                     {"qms_tfr_min", "QMS TFR minimum"},
                                                     {"dsc_all_bpp", "DSC at any 1/16 bpp"},
                                                     {"dsc_16bpc", "DSC 16 bpc"},
                                                     {"dsc_12bpc", "DSC 12 bpc"},
                                                     {"dsc_10bpc", "DSC 10 bpc"}}};
    AddFlags(fields, body[7], kDsc);
    if (!at(8)) {
        return;
    }
    AddDscSlices(fields, Bits(body[8], 3, 0));
    AddFrl(fields, "dsc_max_frl", "DSC maximum FRL", Bits(body[8], 7, 4));
    if (!at(9)) {
        return;
    }
    AddUnsigned(fields, "dsc_total_chunk_bytes", "DSC bytes of a line of chunks",
                1024u * (1 + Bits(body[9], 5, 0)), " bytes");
}

Fields ToneMappingFields(VendorBytes body) {
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    AddUnsigned(fields, "version", "Version", Bits(body[0], 3, 0));
    AddName(fields, "grdm", "General RDM", GrdmName(Bits(body[0], 6, 5)));
    const bool drdm = Bit(body[0], 7);
    AddBool(fields, "drdm", "D-RDM", drdm);
    if (!drdm || body.size() < 2) {
        return fields;
    }
    const uint8_t flags = body[1];
    AddBool(fields, "use_hgig_drdm", "Use HGIG D-RDM", Bit(flags, 4));
    static constexpr std::array<uint32_t, 5> kPeakNits = {0, 600, 1000, 4000, 10000};
    const uint32_t hgig = Bits(flags, 2, 0);
    if (hgig < kPeakNits.size()) {
        AddUnsigned(fields, "hgig_peak_nits", "HGIG peak", kPeakNits[hgig], " cd/m2");
    } else {
        AddName(fields, "hgig_peak_nits", "HGIG peak", "reserved (" + std::to_string(hgig) + ")");
    }
    AddBool(fields, "max_rgb", "MaxRGB", Bit(flags, 5));
    const uint32_t gamut = Bits(flags, 7, 6);
    AddName(fields, "gamut", "Gamut", GamutName(gamut));
    std::size_t pos = 2;
    if (gamut == 0) {
        if (body.size() < pos + 16) {
            return fields;
        }
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kPoints = {
            {{"red", "Red"}, {"green", "Green"}, {"blue", "Blue"}, {"white", "White"}}};
        for (const auto& [key, label] : kPoints) {
            AddChromaticity(fields, key, label, body.subspan(pos, 4));
            pos += 4;
        }
    }
    // The luminance levels follow only where no HGIG code stands for them.
    if (hgig != 0 || body.size() < pos + 2) {
        return fields;
    }
    AddFixed(fields, "min_brightness_10", "Minimum brightness 10",
             PqNits((body[pos] << 1) / 4095.0), 8, " cd/m2");
    AddUnsigned(fields, "peak_brightness_100", "Peak brightness 100",
                static_cast<uint64_t>(PqNits((body[pos + 1] << 4) / 4095.0)), " cd/m2");
    pos += 2;
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kLevels = {
        {{"p0", "P0"}, {"p1", "P1"}, {"p2", "P2"}, {"p3", "P3"}}};
    Field& levels = AddList(fields, "levels", "Levels");
    for (std::size_t i = 0; i < kLevels.size() && pos + 2 <= body.size(); ++i, pos += 2) {
        Field& level = AddObject(levels.items, "", "");
        AddFixed(level.items, "percentage", "Percentage", Percentage(body[pos]), 2, "%");
        AddFixed(level.items, "peak", "Peak", PqNits((body[pos + 1] << 1) / 4095.0), 8, " cd/m2");
    }
    return fields;
}

} // namespace moniquet
