// `moniquet-cli info --json`: one JSON object holding every field of
// EdidInfo, each key always present and always in the same order (README.md
// lists them with their meanings; cli/info_describe*.cpp writes them). null
// where the EDID gives nothing; counts and sizes are integers, refresh rates
// and luminances have 6 decimals, pixel clocks 2 (the EDID's unit is 10
// kHz), whatever the locale. Text is UTF-8, each EDID byte one code point
// from U+0000 to U+00FF, control characters escaped as \u00XX.
//
// The layout is for a reader, and the same for every EDID: one top-level key
// per line indented by two spaces, each entry of the lists of blocks,
// timings and modes on a line of its own, `cta` with one key per line, every
// other object and array on one line.
#pragma once

#include "cli/json_writer.h"
#include "moniquet/edid_info.h"
#include "moniquet/json.h"

#include <string>

namespace moniquet {

// The object as the next value of `w`, laid out as above at any depth: the
// whole of FormatInfoJson, or one entry's "info" in `list --json`.
void WriteInfoJson(JsonWriter& w, const EdidInfo& info);

// `info --json FILE...`: for each file one line of JSON Lines, appended to
// `w`, which is `compact`. An EDID's line is the object above on one line,
// with "file" (the name as given) as its first key; a file that gives no
// EDID gets {"file": ..., "error": REASON}, the reason the command prints
// after the name on standard error.
void WriteInfoJsonLine(JsonWriter& w, const std::string& file, const EdidInfo& info);
void WriteErrorJsonLine(JsonWriter& w, const std::string& file, const std::string& error);

} // namespace moniquet
