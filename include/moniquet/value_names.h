// The names `info` gives the values of the decoded records, in its JSON and
// its text alike: short, lower-case words for machine readers (JSON values
// that callers may match on), and edid-decode's own words where a person
// reads them. Each is stable within a major version, as the JSON Schema is.
#pragma once

#include "moniquet/diagnostics.h"
#include "moniquet/info_base.h"
#include "moniquet/info_cta.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace moniquet {

// The digital interface of VideoInput::interface: 1 "dvi", 2 "hdmi-a",
// 3 "hdmi-b", 4 "mddi", 5 "displayport"; empty for any other value.
std::optional<std::string_view> DigitalInterfaceName(uint32_t interface);

// Features::colorType 0 to 3: "monochrome", "rgb", "non-rgb", "undefined"
// (bits above 1 are not looked at).
std::string_view ColorTypeName(uint32_t colorType);

// The aspect ratio of a standard timing: "16:10", "4:3", "5:4", "16:9", or
// "1:1" before EDID 1.3.
std::string_view StandardAspectName(const StandardTiming& timing);

// "timing", "serial", "data_string", "range_limits", "product_name",
// "color_point", "standard_timings", "dcm", "cvt", "established_iii",
// "dummy", "manufacturer", "unused".
std::string_view DescriptorContentName(DescriptorContent content);

// "gtf", "range_only", "secondary_gtf", "cvt", "reserved".
std::string_view RangeSubtypeName(RangeSubtype subtype);

// "data", "video", "audio".
std::string_view VendorKindName(CtaVendorKind kind);

// "pass", "warn", "fail".
std::string_view VerdictName(Verdict verdict);

// One kEotf* bit of HdrStaticMetadata::eotfs: "sdr", "hdr", "pq", "hlg";
// empty for any other value.
std::optional<std::string_view> EotfName(uint32_t eotf);

// One kModeFrom* bit of ModeInfo::sources: "established", "standard",
// "base", "cta-861", "displayid", "vic"; empty for any other value.
std::optional<std::string_view> ModeSourceName(uint32_t source);

// The product type of a DisplayID 1.x section, or the primary use case of a
// 2.x one (`version` 0x20 and on), as edid-decode names them, e.g.
// "Standalone display device" or "Desktop gaming display"; empty for a
// reserved value.
std::optional<std::string_view> DisplayIdProductTypeName(uint32_t version, uint32_t type);

} // namespace moniquet
