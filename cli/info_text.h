// `moniquet-cli info`: what `info --json` gives, for a reader: sections of
// "key : value" lines (validity, identity, display, timings, CTA-861,
// DisplayID, modes), the colons aligned. A value the EDID does not give is
// "-".
#pragma once

#include "moniquet/edid_info.h"

#include <string>

namespace moniquet {

// UTF-8, each line ending with a line feed. Texts from the EDID show each
// control character as \xNN and a backslash as \\, so that what a monitor
// stores cannot drive the terminal. `withConformity` adds the section of
// the conformity checks at the end.
std::string FormatInfoText(const EdidInfo& info, bool withConformity = false);

} // namespace moniquet
