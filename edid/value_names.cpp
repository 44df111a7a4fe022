#include "moniquet/value_names.h"

#include "moniquet/info_displayid.h"
#include "moniquet/info_modes.h"

#include <array>
#include <utility>

namespace moniquet {

namespace {

// The name of `value` in a table of flag bits and their names.
template <std::size_t N>
std::optional<std::string_view>
FlagName(const std::array<std::pair<uint32_t, std::string_view>, N>& names, uint32_t value) {
    for (const auto& [flag, name] : names) {
        if (flag == value) {
            return name;
        }
    }
    return std::nullopt;
}

// The entry `index` of `names`, or "reserved" past them: enums kept in the
// records are always in range, but a caller may have built one otherwise.
template <std::size_t N>
std::string_view Entry(const std::array<std::string_view, N>& names, uint32_t index) {
    return index < N ? names[index] : "reserved";
}

} // namespace

std::optional<std::string_view> DigitalInterfaceName(uint32_t interface) {
    static constexpr std::array<std::string_view, 6> kNames = {"",       "dvi",  "hdmi-a",
                                                               "hdmi-b", "mddi", "displayport"};
    if (interface == 0 || interface >= kNames.size()) {
        return std::nullopt;
    }
    return kNames[interface];
}

std::string_view ColorTypeName(uint32_t colorType) {
    static constexpr std::array<std::string_view, 4> kNames = {"monochrome", "rgb", "non-rgb",
                                                               "undefined"};
    return kNames[colorType & 3];
}

std::string_view StandardAspectName(const StandardTiming& timing) {
    static constexpr std::array<std::string_view, 4> kNames = {"16:10", "4:3", "5:4", "16:9"};
    return timing.squareAspect ? "1:1" : kNames[timing.aspect & 3];
}

std::string_view DescriptorContentName(DescriptorContent content) {
    switch (content) {
    case DescriptorContent::Timing:
        return "timing";
    case DescriptorContent::Serial:
        return "serial";
    case DescriptorContent::DataString:
        return "data_string";
    case DescriptorContent::RangeLimits:
        return "range_limits";
    case DescriptorContent::ProductName:
        return "product_name";
    case DescriptorContent::ColorPoint:
        return "color_point";
    case DescriptorContent::StandardTimings:
        return "standard_timings";
    case DescriptorContent::Dcm:
        return "dcm";
    case DescriptorContent::Cvt:
        return "cvt";
    case DescriptorContent::EstablishedIii:
        return "established_iii";
    case DescriptorContent::Dummy:
        return "dummy";
    case DescriptorContent::Manufacturer:
        return "manufacturer";
    case DescriptorContent::Unused:
        break;
    }
    return "unused";
}

std::string_view RangeSubtypeName(RangeSubtype subtype) {
    switch (subtype) {
    case RangeSubtype::Gtf:
        return "gtf";
    case RangeSubtype::RangeOnly:
        return "range_only";
    case RangeSubtype::SecondaryGtf:
        return "secondary_gtf";
    case RangeSubtype::Cvt:
        return "cvt";
    case RangeSubtype::Reserved:
        break;
    }
    return "reserved";
}

std::string_view VendorKindName(CtaVendorKind kind) {
    static constexpr std::array<std::string_view, 3> kNames = {"data", "video", "audio"};
    return Entry(kNames, static_cast<uint32_t>(kind));
}

std::string_view VerdictName(Verdict verdict) {
    static constexpr std::array<std::string_view, 3> kNames = {"pass", "warn", "fail"};
    return Entry(kNames, static_cast<uint32_t>(verdict));
}

std::optional<std::string_view> EotfName(uint32_t eotf) {
    static constexpr std::array<std::pair<uint32_t, std::string_view>, 4> kNames = {
        {{kEotfSdr, "sdr"}, {kEotfHdr, "hdr"}, {kEotfPq, "pq"}, {kEotfHlg, "hlg"}}};
    return FlagName(kNames, eotf);
}

std::optional<std::string_view> ModeSourceName(uint32_t source) {
    static constexpr std::array<std::pair<uint32_t, std::string_view>, 6> kNames = {{
        {kModeFromEstablished, "established"},
        {kModeFromStandard, "standard"},
        {kModeFromBase, "base"},
        {kModeFromCta, "cta-861"},
        {kModeFromDisplayId, "displayid"},
        {kModeFromVic, "vic"},
    }};
    return FlagName(kNames, source);
}

std::optional<std::string_view> DisplayIdProductTypeName(uint32_t version, uint32_t type) {
    static constexpr std::array<std::string_view, 7> kTypes1 = {
        "Extension Section",
        "Test Structure; test equipment only",
        "Display panel or other transducer, LCD or PDP module, etc.",
        "Standalone display device",
        "Television receiver",
        "Repeater/translator",
        "DIRECT DRIVE monitor"};
    static constexpr std::array<std::string_view, 9> kUseCases2 = {
        "Same primary use case as the base section",
        "Test Structure; test equipment only",
        "None of the listed primary use cases; generic display",
        "Television (TV) display",
        "Desktop productivity display",
        "Desktop gaming display",
        "Presentation display",
        "Head-mounted Virtual Reality (VR) display",
        "Head-mounted Augmented Reality (AR) display"};
    if (version >= kDisplayIdVersion2) {
        return type < kUseCases2.size() ? std::optional(kUseCases2[type]) : std::nullopt;
    }
    return type < kTypes1.size() ? std::optional(kTypes1[type]) : std::nullopt;
}

} // namespace moniquet
