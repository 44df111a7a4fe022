// The rules that need the whole EDID: timings against the range limits,
// native formats over every block, the blocks and data blocks an EDID
// requires. They read the decoded EdidInfo and what the walk gathered, never
// the bytes.
#pragma once

#include "edid/walk.h"

namespace moniquet {

// Adds what the EDID as a whole breaks to walk.info.diagnostics, after every
// block has been decoded.
void CheckWholeEdid(Walk& walk);

} // namespace moniquet
