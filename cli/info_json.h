// `moniquet-cli info --json`: one JSON object holding every field of
// EdidInfo, each key always present and always in this order:
//
//   size_bytes, header_valid, edid_version ("1.3"), extension_count,
//   truncated, blocks [{index, type, checksum_valid}], manufacturer_id,
//   manufacturer_name, product_code, serial_number, serial_string,
//   product_name, data_strings [...], manufacture_week, manufacture_year,
//   model_year, digital, screen_size_cm {width, height},
//   detailed_timings [{block, width, height, interlaced, refresh_hz,
//   pixel_clock_mhz, image_size_mm {width, height}}], range_limits
//   {min_v_hz, max_v_hz, min_h_khz, max_h_khz, max_pixel_clock_mhz},
//   cta {vics [...], hdr {eotfs [...], max_luminance_cd_m2,
//   max_frame_average_cd_m2, min_luminance_cd_m2}}
//
// null where the EDID gives nothing; counts and sizes are integers, refresh
// rates and luminances have 6 decimals, pixel clocks 2 (the EDID's unit is
// 10 kHz), whatever the locale. Text is UTF-8, each EDID byte one code point
// from U+0000 to U+00FF, control characters escaped as \u00XX.
//
// The layout is for a reader, and the same for every EDID: one top-level key
// per line indented by two spaces, each entry of `blocks` and of
// `detailed_timings` on a line of its own, `cta` with one key per line, every
// other object and array on one line.
#pragma once

#include "cli/json_writer.h"
#include "edid/edid_info.h"

#include <string>
#include <string_view>
#include <vector>

// The object, ending with a line feed.
std::string FormatInfoJson(const EdidInfo& info);

// The object as the next value of `w`, laid out as above at any depth: the
// whole of FormatInfoJson, or one entry's "info" in `list --json`.
void WriteInfoJson(JsonWriter& w, const EdidInfo& info);

// The names the JSON gives, which the text output shows too: "base",
// "cta-861", "displayid", "block-map", "vtb", "di", "ls", "dpvl", "unknown".
std::string_view BlockTypeName(BlockType type);

// "sdr", "hdr", "pq" and "hlg" for the kEotf* bits set in `eotfs`, in that
// order; other bits are left out.
std::vector<std::string_view> EotfNames(uint8_t eotfs);
