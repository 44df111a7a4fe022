// An EDID written as hex text, as people paste it from other tools: the EDID
// lines of `xrandr --verbose`, an `xxd -p` dump, a C array, the hex block at
// the top of edid-decode's output.
#pragma once

#include "edid/edid_bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Hex text longer than this is not read: room for the hex of the largest
// EDID many times over, with whatever was pasted around it.
inline constexpr std::size_t kMaximumHexTextSize = 1 << 20;

// Whether `input` is to be read as hex text: not empty, not starting with
// the EDID header (00 FF FF FF FF FF FF 00), and all ASCII text (printable
// characters, tabs, CR and LF), after a UTF-8 byte order mark if any.
bool IsHexText(std::span<const uint8_t> input);

// The bytes written in `text`. A hex line holds only hex digit pairs, each
// run of them optionally prefixed with "0x" and separated from the next by
// spaces, tabs or commas; lines end with LF or CR LF. Lines before the first
// hex line are skipped; the bytes run from it to the first line after it
// that is neither hex nor blank, and nothing after that is read. Returns
// false, with `error` set and `bytes` untouched, when a line up to there has
// an odd number of hex digits ("line 7: odd number of hex digits") or when
// there is no hex line.
bool ParseHexText(std::span<const uint8_t> text, EdidBytes& bytes, std::string& error);
