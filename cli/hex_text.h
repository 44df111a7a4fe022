// An EDID written as hex text, as people paste it from other tools: the EDID
// lines of `xrandr --verbose`, a dump of xxd, hexdump -C or od, a C array,
// the hex block at the top of edid-decode's output, a registry export, a
// QuantumData XML file, an X server log.
#pragma once

#include "cli/hex_dump.h"
#include "moniquet/edid_bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace moniquet {

// Hex text longer than this is not read: room for the hex of the largest
// EDID many times over, with whatever was pasted around it.
inline constexpr std::size_t kMaximumHexTextSize = 1 << 20;

// Whether `input` is to be read as hex text: not empty (nor only 0 bytes), not starting with
// the EDID header, and text (cli/text_input.h):
// UTF-8 or UTF-16 with a byte order mark, any line ends, no control
// character but the white space ones.
bool IsHexText(std::span<const uint8_t> input);

// The bytes written in `input` (decoded as cli/text_input.h says). Lines end
// with LF, CR LF or CR; each is read as cli/hex_line.h says. The bytes run
// from the first hex line (a lone decimal number such as a year, or a line
// of column numbers "00 01 02 ... 0f", does not start it) to the first line
// after it that is neither hex nor blank, or to a "}". In a dump with an
// offset column each line must start where the one before it ended; "*"
// stands for copies of the line before up to the next offset, and an offset
// alone ends the dump where it says. Groups of more than one byte are read
// in the order the tool that wrote them meant (cli/hex_byte_order.h), and
// the blocks of edid-decode's dump must hold 128 bytes each. A registry
// export (its first line "Windows Registry Editor Version 5.00" or
// "REGEDIT4") gives the value "EDID"=hex:... with its continuation lines,
// and nothing else; a QuantumData XML file its <BLOCKn> elements
// (cli/quantumdata_xml.h); an X server log the first EDID it shows
// (cli/xorg_log.h), with a warning that says how many it holds when more
// than one. A BadText error when a line up to there breaks those rules or
// has an odd number of hex digits ("line 7: odd number of hex digits"), or
// there is no hex line.
Result<HexTextBytes> ParseHexText(std::span<const uint8_t> input);

// The line (0 for the first) that byte `byte` of ParseHexText's bytes was
// read from.
std::size_t LineOfByte(const std::vector<HexLineSpan>& spans, std::size_t byte);

} // namespace moniquet
