// The string-table resource format: entries are grouped in blocks of 16, each
// entry a little-endian 16-bit count followed by that many UTF-16 code units.
// Kept apart from the Win32 lookup so that it can be tested on any platform.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace moniquet {

inline constexpr unsigned kStringsPerBlock = 16;

// Resource name of the block that holds id (ids 0-15 are in block 1), or 0
// when id cannot be in a string table at all (ids are 16-bit).
uint16_t StringBlockNumber(unsigned id);

// Position of id inside its block, 0 to 15.
unsigned StringIndexInBlock(unsigned id);

// The text of entry index of block, or empty when the entry is absent, its
// count is 0, or the block ends before the entry is complete.
std::u16string FindStringInBlock(std::span<const uint8_t> block, unsigned index);

} // namespace moniquet
