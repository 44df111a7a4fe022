// An EDID written as hex text, as people paste it from other tools: the EDID
// lines of `xrandr --verbose`, a dump of xxd, hexdump -C or od, a C array,
// the hex block at the top of edid-decode's output, a registry export.
#pragma once

#include "edid/edid_bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Hex text longer than this is not read: room for the hex of the largest
// EDID many times over, with whatever was pasted around it.
inline constexpr std::size_t kMaximumHexTextSize = 1 << 20;

// The 8 bytes every EDID starts with: 00 FF FF FF FF FF FF 00.
bool StartsWithEdidHeader(std::span<const uint8_t> bytes);

// Whether `input` is to be read as hex text: not empty (nor only 0 bytes), not starting with
// the EDID header, and text (cli/text_input.h):
// UTF-8 or UTF-16 with a byte order mark, any line ends, no control
// character but the white space ones.
bool IsHexText(std::span<const uint8_t> input);

// The bytes written in `input` (decoded as cli/text_input.h says). Lines end
// with LF, CR LF or CR; each is read as cli/hex_line.h says. The bytes run
// from the first hex line (a lone decimal number such as a year does not
// start it) to the first line after it that is neither hex nor blank, or to
// a "}"; in a dump with an offset column, "*" stands for copies of the line
// before up to the next offset. A registry export (its first line
// "Windows Registry Editor Version 5.00" or "REGEDIT4") gives the value
// "EDID"=hex:... with its continuation lines, and nothing else. Returns
// false, with `error` set and `bytes` untouched, when a line up to there has
// an odd number of hex digits ("line 7: odd number of hex digits") or there
// is no hex line.
bool ParseHexText(std::span<const uint8_t> input, EdidBytes& bytes, std::string& error);
