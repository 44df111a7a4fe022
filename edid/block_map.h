// Block maps (extension tag 0xF0): the tag of each block after one, 0 for
// none. In EDID 1.3 the map of block 1 covers blocks 2 to 127, a second map
// in block 128 the rest.
#pragma once

#include "edid/diagnostics.h"
#include "moniquet/edid_info.h"

#include <cstdint>
#include <span>

namespace moniquet {

// Reports the first entry of the map at block `index` that does not list
// the tag of its block.
void CheckBlockMap(std::span<const uint8_t> edid, uint32_t index, const DiagnosticSink& sink,
                   const EdidInfo& info);

} // namespace moniquet
