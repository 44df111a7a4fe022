// The kinds of 128-byte block an EDID holds, with the tag that marks each
// and the name every output gives it.
#pragma once

#include <cstdint>
#include <string_view>

namespace moniquet {

// What a 128-byte block is, from its position and its first byte.
enum class BlockType : uint32_t {
    Base,      // block 0, whatever it holds
    Cta861,    // tag 0x02
    DisplayId, // tag 0x70
    BlockMap,  // tag 0xF0
    Vtb,       // tag 0x10, video timing block
    Di,        // tag 0x40, display information
    Ls,        // tag 0x50, localised strings
    Dpvl,      // tag 0x60, digital packet video link
    Unknown,   // any other tag
};

// The type of the block at `index` whose first byte is `tag`.
BlockType BlockTypeOf(uint32_t index, uint8_t tag);

// "base", "cta-861", "displayid", "block-map", "vtb", "di", "ls", "dpvl",
// "unknown".
std::string_view BlockTypeName(BlockType type);

} // namespace moniquet
