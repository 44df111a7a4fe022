// The kinds of 128-byte block an EDID holds, with the tag that marks each
// and the name every output gives it.
#pragma once

#include <cstdint>
#include <string_view>

namespace moniquet {

// What a 128-byte block is, from its position and its first byte: an
// extension block's type is valued by its tag; the two that no tag marks lie
// above them.
enum class BlockType : uint32_t {
    Cta861 = 0x02,
    Vtb = 0x10,  // video timing block
    Di = 0x40,   // display information
    Ls = 0x50,   // localised strings
    Dpvl = 0x60, // digital packet video link
    DisplayId = 0x70,
    BlockMap = 0xF0,
    Base = 0x100,    // block 0, whatever it holds
    Unknown = 0x101, // an extension block of any other tag
};

// The type of the block at `index` whose first byte is `tag`.
BlockType BlockTypeOf(uint32_t index, uint8_t tag);

// "base", "cta-861", "displayid", "block-map", "vtb", "di", "ls", "dpvl",
// "unknown".
std::string_view BlockTypeName(BlockType type);

} // namespace moniquet
