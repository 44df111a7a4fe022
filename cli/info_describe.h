// What `info` shows of an EdidInfo, described once for both of its outputs
// (cli/info_output.h). One function per part, in the order of the output;
// each file of cli/info_describe_*.cpp describes one kind of block.
#pragma once

#include "cli/info_output.h"
#include "moniquet/edid_info.h"

namespace moniquet {

// The version of the shape of `info --json` and `list --json`
// (schema/*.schema.json): raised whenever a key changes meaning or shape,
// or goes, so that readers can tell a version they do not know.
inline constexpr uint32_t kJsonSchemaVersion = 1;

// The whole of it: one JSON object, or the text's sections.
void DescribeInfo(InfoOutput& out, const EdidInfo& info);

// Size, header, version, blocks.
void DescribeValidity(InfoOutput& out, const EdidInfo& info);
// Maker, product, serials, texts, dates.
void DescribeIdentity(InfoOutput& out, const EdidInfo& info);
// Input, size, features, colour.
void DescribeDisplay(InfoOutput& out, const EdidInfo& info);
// Established, standard and detailed timings, descriptors, range limits.
void DescribeTimings(InfoOutput& out, const EdidInfo& info);
// The "cta" object.
void DescribeCta(InfoOutput& out, const std::optional<CtaInfo>& cta);
// "displayid", "displayid_tiled", "displayid_adaptive_sync".
void DescribeDisplayId(InfoOutput& out, const EdidInfo& info);
// The "conformity" object: the verdict, then the failures and warnings.
void DescribeConformity(InfoOutput& out, const EdidInfo& info);
// The "modes" list.
void DescribeModes(InfoOutput& out, const std::vector<ModeInfo>& modes);

// "1920x1080", "1920x1080i": the text's name of a size.
std::string SizeText(uint32_t width, uint32_t height, bool interlaced);

} // namespace moniquet
