// The order of the bytes inside a dump's groups of digits. xxd writes
// "00ff ffff" as the bytes are stored, xxd -e writes "ffffff00" for the
// same four bytes read as a little-endian word, and od -x and hexdump write
// 2-byte words as the machine holds them: little-endian on every PC.
#pragma once

#include "cli/hex_dump.h"

#include <cstdint>
#include <string>
#include <vector>

namespace moniquet {

enum class GroupOrder {
    AsWritten, // the first digits are the first byte
    Reversed,  // each group's last digits are its first byte
};

// The order of the groups of `dump`, whose first line has the offset
// column `style`. Groups of one byte have none to tell. Otherwise, first
// xxd's text column, which shows the bytes as stored, then the EDID header
// at the start of the bytes, then the tool: xxd as written, od and hexdump
// reversed. A BadText error for groups of a dump without offsets that
// nothing tells the order of.
Result<GroupOrder> DecideGroupOrder(const std::vector<DumpLine>& dump, OffsetStyle style);

// The bytes of `line` in `order`.
std::vector<uint8_t> BytesInOrder(const HexLine& line, GroupOrder order);

} // namespace moniquet
