// `moniquet-cli info`: a summary of EdidInfo for a reader, in five groups
// (identity, validity, display, timings, extensions) of "key : value"
// lines, the colons aligned. A value the EDID does not give is "-".
#pragma once

#include "edid/edid_info.h"

#include <string>

// UTF-8, each line ending with a line feed. Texts from the EDID show each
// control character as \xNN and a backslash as \\, so that what a monitor
// stores cannot drive the terminal.
std::string FormatInfoText(const EdidInfo& info);
