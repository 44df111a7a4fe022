// The fields of the head-mounted display blocks of DisplayID 2.1: the
// headset (tag 0x2C) and each of its layers (tag 0x2D), given only when
// the block holds all the bytes of its kind.
#include "edid/bits.h"
#include "edid/displayid_fields.h"

#include <array>
#include <bit>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr std::size_t kHmdSize = 79;
constexpr std::size_t kLayerSize = 20;

uint32_t Le32(Bytes p, std::size_t at) {
    return Le16(p, at) | Le16(p, at + 2) << 16;
}

template <std::size_t N>
void AddCode(Fields& fields, std::string_view key, std::string_view label,
             const std::array<std::string_view, N>& names, uint32_t code) {
    AddName(fields, key, label, code < N ? std::string(names[code]) : "reserved");
}

// Lengths and angles in a fixed point of 13 fraction bits: cm or radians.
void AddFraction13(Fields& fields, std::string_view key, std::string_view label, Bytes p,
                   std::size_t at, std::string_view unit) {
    AddFixed(fields, key, label, Le16(p, at) / 8192.0, 4, unit);
}

void AddHmdLayout(Fields& f, Bytes p) {
    static constexpr std::array<std::string_view, 4> kDual = {"none", "interleaving",
                                                              "extended-frame", "both"};
    static constexpr std::array<std::string_view, 3> kExtended = {
        "side-by-side-layers-side-by-side", "stacked-layers-side-by-side",
        "side-by-side-layers-stacked"};
    static constexpr std::array<std::string_view, 4> kMetadata = {"none", "first-line", "sdp",
                                                                  "first-line-and-sdp"};
    static constexpr std::array<uint32_t, 4> kReplication = {1, 4, 8, 16};
    AddCode(f, "dual_layer_sst", "Two layers, 1 stream", kDual, Bits(p[0], 1, 0));
    if (Bit(p[0], 0)) {
        AddBool(f, "interleaving_stacked", "Interleaved stacked", Bit(p[0], 4));
    }
    if (Bit(p[0], 1)) {
        AddCode(f, "extended_frame", "Extended frame", kExtended, Bits(p[0], 6, 5));
    }
    // Counts are stored one less than they are.
    AddUnsigned(f, "displays", "Displays", Bits(p[1], 3, 0) + 1);
    AddUnsigned(f, "streams", "Streams", Bits(p[1], 7, 4) + 1);
    AddUnsigned(f, "layers", "Layers", Bits(p[2], 3, 0) + 1);
    AddCode(f, "layer_metadata", "Layer metadata", kMetadata, Bits(p[2], 5, 4));
    if (Bit(p[2], 4)) {
        AddUnsigned(f, "replication_factor", "Replication", kReplication[Bits(p[2], 7, 6)]);
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kArea = {{
        {"right_low_distortion_x", "Right clear area x"},
        {"right_low_distortion_y", "Right clear area y"},
        {"left_low_distortion_x", "Left clear area x"},
        {"left_low_distortion_y", "Left clear area y"},
        {"low_distortion_width", "Clear area width"},
        {"low_distortion_height", "Clear area height"},
    }};
    for (std::size_t i = 0; i < kArea.size(); ++i) {
        AddUnsigned(f, kArea[i].first, kArea[i].second, Le16(p, 3 + 2 * i));
    }
    AddUnsigned(f, "right_eye_orientation", "Right eye rotation", Bits(p[15], 2, 0));
    AddUnsigned(f, "left_eye_orientation", "Left eye rotation", Bits(p[15], 6, 4));
}

void AddHmdOptics(Fields& f, Bytes p) {
    static constexpr std::array<std::string_view, 3> kMotion = {"not-straight", "together",
                                                                "lenses-only"};
    AddFraction13(f, "right_lens_diameter_cm", "Right lens", p, 16, " cm");
    AddFraction13(f, "left_lens_diameter_cm", "Left lens", p, 18, " cm");
    AddFraction13(f, "interocular_angle_rad", "Interocular angle", p, 20, " rad");
    const bool adjustable = Bit(p[22], 0);
    AddBool(f, "lens_adjustable", "Lenses adjustable", adjustable);
    AddCode(f, "lens_motion", "Lens motion", kMotion, Bits(p[22], 2, 1));
    if (adjustable) {
        AddBool(f, "lens_distance_available", "Lens distance", Bit(p[22], 3));
    }
    AddBool(f, "ipd_useful", "IPD useful", Bit(p[22], 4));
    AddFraction13(f, "lens_adjust_min_cm", "Lens from", p, 23, " cm");
    AddFraction13(f, "lens_adjust_range_cm", "Lens range", p, 25, " cm");
    AddFixed(f, "ipd_center_offset_cm", "IPD centre offset",
             static_cast<int16_t>(Le16(p, 27)) / 8192.0, 4, " cm");
    AddFraction13(f, "ipd_min_cm", "IPD from", p, 29, " cm");
    AddFraction13(f, "ipd_range_cm", "IPD range", p, 31, " cm");
    AddBool(f, "right_display_distance", "Right display dist.", Bit(p[33], 0));
    AddBool(f, "left_display_distance", "Left display dist.", Bit(p[33], 1));
    AddBool(f, "right_eye_distance", "Right eye distance", Bit(p[33], 2));
    AddBool(f, "left_eye_distance", "Left eye distance", Bit(p[33], 3));
}

void AddHmdView(Fields& f, Bytes p) {
    static constexpr std::array<std::string_view, 4> kFoveated = {"none", "single", "dual",
                                                                  "single-or-dual"};
    static constexpr std::array<std::string_view, 4> kStreams = {"none", "one", "two",
                                                                 "one-or-two"};
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kFov = {{
        {"h_fov_rad", "H field of view"},
        {"right_fov_right_rad", "Right eye, right"},
        {"right_fov_left_rad", "Right eye, left"},
        {"right_fov_up_rad", "Right eye, up"},
        {"right_fov_down_rad", "Right eye, down"},
        {"left_fov_right_rad", "Left eye, right"},
        {"left_fov_left_rad", "Left eye, left"},
        {"left_fov_up_rad", "Left eye, up"},
        {"left_fov_down_rad", "Left eye, down"},
    }};
    AddCode(f, "foveated", "Foveated", kFoveated, Bits(p[34], 1, 0));
    for (std::size_t i = 0; i < kFov.size(); ++i) {
        AddFraction13(f, kFov[i].first, kFov[i].second, p, 35 + 2 * i, " rad");
    }
    // Focal lengths in 16.16 fixed point, centres of projection as IEEE
    // 754 single floats.
    AddFixed(f, "right_focal_length", "Right focal length", Le32(p, 53) / 65536.0, 4,
             " pixels/rad");
    AddFixed(f, "left_focal_length", "Left focal length", Le32(p, 57) / 65536.0, 4, " pixels/rad");
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kCentres = {{
        {"right_projection_y", "Right centre y"},
        {"right_projection_x", "Right centre x"},
        {"left_projection_y", "Left centre y"},
        {"left_projection_x", "Left centre x"},
    }};
    for (std::size_t i = 0; i < kCentres.size(); ++i) {
        AddFixed(f, kCentres[i].first, kCentres[i].second,
                 std::bit_cast<float>(Le32(p, 61 + 4 * i)), 4);
    }
    AddCode(f, "layer0_streams", "Layer 0 streams", kStreams, Bits(p[77], 1, 0));
    AddCode(f, "layer1_streams", "Layer 1 streams", kStreams, Bits(p[77], 3, 2));
}

Fields HmdFields(Bytes p) {
    Fields fields;
    if (p.size() >= kHmdSize) {
        AddHmdLayout(fields, p);
        AddHmdOptics(fields, p);
        AddHmdView(fields, p);
    }
    return fields;
}

Fields LayerFields(Bytes p) {
    static constexpr std::array<std::string_view, 3> kLens = {"none", "chromatic",
                                                              "distortion-and-chromatic"};
    static constexpr std::array<std::string_view, 3> kLensConfig = {"none", "chromatic", "both"};
    static constexpr std::array<std::string_view, 3> kAsync = {"none", "3dof", "3dof-and-6dof"};
    static constexpr std::array<std::string_view, 4> kAsyncConfig = {"none", "3dof", "6dof",
                                                                     "both"};
    static constexpr std::array<std::string_view, 8> kFeatures = {
        "gamma", "gamma_configurable", "degamma", "degamma_configurable",
        "mura",  "mura_configurable",  "vbi",     "vbi_configurable"};
    static constexpr std::array<std::string_view, 7> kScales = {"2x", "3x", "4x",   "5x",
                                                                "6x", "8x", "other"};
    Fields f;
    if (p.size() < kLayerSize) {
        return f;
    }
    AddName(f, "vendor", "Vendor",
            OuiName(static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2]));
    AddUnsigned(f, "product_code", "Product code", Le16(p, 3));
    if (const uint32_t serial = Le32(p, 5); serial != 0) {
        AddUnsigned(f, "serial_number", "Serial number", serial);
    } else {
        AddNull(f, "serial_number", "Serial number");
    }
    AddUnsigned(f, "layer", "Layer", Bits(p[9], 3, 0));
    AddBool(f, "configurable", "Configurable", Bit(p[9], 4));
    AddBool(f, "cropping", "Cropping", Bit(p[9], 5));
    AddCode(f, "lens_distortion", "Lens correction", kLens, Bits(p[11], 1, 0));
    AddCode(f, "lens_distortion_configurable", "Correction settable", kLensConfig,
            Bits(p[11], 3, 2));
    Field& features = AddList(f, "features", "Features");
    for (unsigned bit = 0; bit < kFeatures.size(); ++bit) {
        if (Bit(p[12], bit)) {
            AddName(features.items, "", "", std::string(kFeatures[bit]));
        }
    }
    AddCode(f, "async_reprojection", "Async reprojection", kAsync, Bits(p[13], 1, 0));
    AddCode(f, "async_configurable", "Can disable", kAsyncConfig, Bits(p[13], 3, 2));
    Field& scales = AddList(f, "scaling", "Scaling");
    for (unsigned bit = 0; bit < kScales.size(); ++bit) {
        if (Bit(p[14], bit)) {
            AddName(scales.items, "", "", std::string(kScales[bit]));
        }
    }
    AddBool(f, "scaling_configurable", "Scaling configurable", Bit(p[14], 7));
    // Other factors in 3.5 fixed point.
    Field& others = AddList(f, "scaling_other", "Other scaling");
    for (std::size_t i = 15; i < 19; ++i) {
        AddFixed(others.items, "", "", p[i] / 32.0, 5);
    }
    AddBool(f, "stereo_side_by_side", "Stereo side by side", Bit(p[19], 0));
    AddBool(f, "stereo_stacked", "Stereo stacked", Bit(p[19], 1));
    return f;
}

} // namespace

std::optional<Fields> DisplayIdArVrFields(uint8_t tag, uint8_t, Bytes payload) {
    switch (tag) {
    case 0x2C:
        return HmdFields(payload);
    case 0x2D:
        return LayerFields(payload);
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
