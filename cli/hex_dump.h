// The lines of a hex dump (cli/hex_line.h) put together: their offsets
// checked, the lines a "*" stands for filled in, each group's bytes in the
// order the tool that wrote them meant.
#pragma once

#include "cli/hex_line.h"
#include "moniquet/edid_bytes.h"
#include "moniquet/result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

// Where the bytes of one line of a hex text start, so that a refusal about
// a byte can name its line.
struct HexLineSpan {
    std::size_t firstByte = 0;
    // 0 for the text's first line.
    std::size_t line = 0;
};

// What a hex text holds: its bytes, where each line's bytes start, and what
// the reader is to be told of it (empty when nothing).
struct HexTextBytes {
    EdidBytes bytes;
    std::vector<HexLineSpan> spans;
    std::string warning;
};

// One line of a dump and where it is in the text.
struct DumpLine {
    std::size_t index = 0;
    HexLine line;
};

// The bytes of the dump in `lines`, as cli/hex_text.h says; a BadText error
// whose reason names the line when its lines do not run on
// (an offset that is not where the line before it ends, a line without the
// offset column the others have), or when a line of edid-decode's dump
// would put more or fewer than 128 bytes in a block.
Result<HexTextBytes> ReadDump(const std::vector<std::string_view>& lines);

// The text's line `index` named for a message: "line 7: REASON".
std::string LineError(std::size_t index, const std::string& reason);

// The error of hex text that breaks its form's rules.
Error TextError(std::string reason);

} // namespace moniquet
