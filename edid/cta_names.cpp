#include "moniquet/cta_names.h"

#include "edid/edid_layout.h"

#include <array>
#include <string>
#include <utility>

namespace moniquet {

namespace {

std::string Hex2(uint32_t value) {
    static constexpr char kHex[] = "0123456789abcdef";
    return {'0', 'x', kHex[value >> 4 & 0xF], kHex[value & 0xF]};
}

std::string_view ExtendedBlockName(uint32_t tag) {
    static constexpr std::pair<uint32_t, std::string_view> kNames[] = {
        {0x00, "Video Capability Data Block"},
        {0x01, "Vendor-Specific Video Data Block"},
        {0x02, "VESA Video Display Device Data Block"},
        {0x03, "VESA Video Timing Block Extension"},
        {0x04, "Reserved for HDMI Video Data Block"},
        {0x05, "Colorimetry Data Block"},
        {0x06, "HDR Static Metadata Data Block"},
        {0x07, "HDR Dynamic Metadata Data Block"},
        {0x08, "Native Video Resolution Data Block"},
        {0x0D, "Video Format Preference Data Block"},
        {0x0E, "YCbCr 4:2:0 Video Data Block"},
        {0x0F, "YCbCr 4:2:0 Capability Map Data Block"},
        {0x10, "Reserved for CTA-861 Miscellaneous Audio Fields"},
        {0x11, "Vendor-Specific Audio Data Block"},
        {0x12, "HDMI Audio Data Block"},
        {0x13, "Room Configuration Data Block"},
        {0x14, "Speaker Location Data Block"},
        {0x20, "InfoFrame Data Block"},
        {0x21, "Product Information Data Block"},
        {0x22, "DisplayID Type VII Video Timing Data Block"},
        {0x23, "DisplayID Type VIII Video Timing Data Block"},
        {0x2A, "DisplayID Type X Video Timing Data Block"},
        {0x78, "HDMI Forum EDID Extension Override Data Block"},
        {0x79, "HDMI Forum Sink Capability Data Block"},
        {0x7A, "HDMI Forum Source-Based Tone Mapping Data Block"},
    };
    for (const auto& [code, name] : kNames) {
        if (code == tag) {
            return name;
        }
    }
    return {};
}

// The unknown extended tags come in ranges kept for video, audio and HDMI.
std::string_view UnknownExtendedKind(uint32_t tag) {
    return tag < 0x10                    ? "Video-Related "
           : tag < 0x20                  ? "Audio-Related "
           : (tag >= 0x70 && tag < 0x80) ? "HDMI-Related "
                                         : "";
}

std::string_view StandardBlockName(uint32_t tag) {
    static constexpr std::array<std::string_view, 7> kNames = {
        "",
        "Audio Data Block",
        "Video Data Block",
        "Vendor-Specific Data Block",
        "Speaker Allocation Data Block",
        "VESA Display Transfer Characteristics Data Block",
        "Video Format Data Block"};
    return tag < kNames.size() ? kNames[tag] : std::string_view();
}

} // namespace

std::optional<std::string_view> VendorName(uint32_t oui) {
    static constexpr std::pair<uint32_t, std::string_view> kVendors[] = {
        {0x00001A, "AMD"},    {0x000C03, "HDMI"},       {0x00044B, "NVIDIA"},
        {0x000C6E, "ASUS"},   {0x0010FA, "Apple"},      {0x0014B9, "MSTAR"},
        {0x00D046, "Dolby"},  {0x00E047, "InFocus"},    {0x3A0292, "VESA"},
        {0x90848B, "HDR10+"}, {0xC45DD8, "HDMI Forum"}, {0xCA125C, "Microsoft"}};
    for (const auto& [code, name] : kVendors) {
        if (code == oui) {
            return name;
        }
    }
    return std::nullopt;
}

std::string CtaDataBlockName(const CtaDataBlock& block) {
    std::string name;
    if (block.tag != kCtaTagExtended) {
        name = StandardBlockName(block.tag);
        if (name.empty()) {
            return "Unknown CTA-861 Data Block (tag " + Hex2(block.tag) + ", length " +
                   std::to_string(block.length) + ")";
        }
    } else if (!block.extendedTag) {
        return "Unknown CTA-861 Data Block (extended tag truncated)";
    } else {
        name = ExtendedBlockName(*block.extendedTag);
        if (name.empty()) {
            // The length of what follows the extended tag.
            return "Unknown CTA-861 " + std::string(UnknownExtendedKind(*block.extendedTag)) +
                   "Data Block (extended tag " + Hex2(*block.extendedTag) + ", length " +
                   std::to_string(block.length - 1) + ")";
        }
    }
    if (const auto vendor = block.oui ? VendorName(*block.oui) : std::nullopt) {
        name += " (" + std::string(*vendor) + ")";
    }
    return name;
}

std::optional<std::string_view> AudioFormatName(const CtaAudio& audio) {
    static constexpr std::array<std::string_view, 15> kFormats = {
        "",      "LPCM",          "AC-3",   "MPEG-1", "MP3", "MPEG-2", "AAC LC", "DTS",
        "ATRAC", "One Bit Audio", "E-AC-3", "DTS-HD", "MAT", "DST",    "WMA Pro"};
    static constexpr std::array<std::string_view, 16> kExtended = {"",
                                                                   "HE AAC",
                                                                   "HE AAC v2",
                                                                   "MPEG Surround",
                                                                   "MPEG-4 HE AAC",
                                                                   "MPEG-4 HE AAC v2",
                                                                   "MPEG-4 AAC LC",
                                                                   "DRA",
                                                                   "MPEG-4 HE AAC + MPEG Surround",
                                                                   "",
                                                                   "MPEG-4 AAC LC + MPEG Surround",
                                                                   "MPEG-H 3D Audio",
                                                                   "AC-4",
                                                                   "L-PCM 3D Audio",
                                                                   "Auro-Cx",
                                                                   "MPEG-D USAC"};
    const std::string_view name =
        audio.extendedFormat
            ? (*audio.extendedFormat < kExtended.size() ? kExtended[*audio.extendedFormat] : "")
            : (audio.format < kFormats.size() ? kFormats[audio.format] : "");
    return name.empty() ? std::nullopt : std::optional(name);
}

std::optional<std::string_view> SpeakerName(unsigned bit) {
    static constexpr std::array<std::string_view, 21> kSpeakers = {
        "FL/FR",   "LFE1",        "FC",        "BL/BR", "BC",        "FLc/FRc",   "RLC/RRC",
        "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",      "TpBC",
        "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS", "LSd/RSd"};
    return bit < kSpeakers.size() ? std::optional(kSpeakers[bit]) : std::nullopt;
}

std::optional<std::string_view> ColorimetryName(unsigned bit) {
    static constexpr std::array<std::string_view, 16> kNames = {
        "xvYCC601",  "xvYCC709",  "sYCC601", "opYCC601", "opRGB", "BT2020cYCC",
        "BT2020YCC", "BT2020RGB", "",        "",         "",      "",
        "Default",   "sRGB",      "ICtCp",   "ST2113RGB"};
    return bit < kNames.size() && !kNames[bit].empty() ? std::optional(kNames[bit]) : std::nullopt;
}

std::string_view ScanBehaviourName(std::string_view kind, uint32_t value) {
    switch (value & 3) {
    case 1:
        return "Always Overscanned";
    case 2:
        return "Always Underscanned";
    case 3:
        return "Supports both over- and underscan";
    default:
        return kind == "IT"   ? "IT video formats not supported"
               : kind == "CE" ? "CE video formats not supported"
                              : "No Data";
    }
}

std::optional<uint32_t> SampleRateHz(unsigned bit) {
    static constexpr std::array<uint32_t, 7> kHz = {32000, 44100,  48000, 88200,
                                                    96000, 176400, 192000};
    return bit < kHz.size() ? std::optional(kHz[bit]) : std::nullopt;
}

std::optional<uint32_t> SampleSizeBits(unsigned bit) {
    static constexpr std::array<uint32_t, 3> kBits = {16, 20, 24};
    return bit < kBits.size() ? std::optional(kBits[bit]) : std::nullopt;
}

} // namespace moniquet
