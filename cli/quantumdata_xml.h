// An EDID saved by a QuantumData generator or analyser as XML: inside
// <DATAOBJ>, one element per block, <BLOCK0> to <BLOCKn>, each holding the
// block's 128 bytes as 256 hex digits, which white space may break into lines.
#pragma once

#include "cli/hex_dump.h"
#include "moniquet/edid_bytes.h"

#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

// Whether `text` is markup (its first character past white space is '<')
// holding a <DATAOBJ> element.
bool IsQuantumDataXml(std::string_view text);

// The blocks of the <BLOCKn> elements of `text`, whose lines are `lines`
// (views into it); the spans give the line of each block's element. A
// BadText error, whose reason names the element and its line, when the elements do not run
// <BLOCK0>, <BLOCK1>... without a gap, one is not closed, or one holds anything but 256 hex digits
// and white space.
Result<HexTextBytes> ReadQuantumDataXml(std::string_view text,
                                        const std::vector<std::string_view>& lines);

} // namespace moniquet
