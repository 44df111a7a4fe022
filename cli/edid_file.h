// Reading a saved EDID: the whole file, every block, as raw bytes or as hex text.
#pragma once

#include "moniquet/edid_bytes.h"
#include "moniquet/result.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace moniquet {

// An EDID as read, and what the reader is to be told of it (empty when
// nothing).
struct EdidRead {
    EdidBytes bytes;
    std::string warning;
};

// The EDID that `input` holds: its bytes as they are, or the bytes written in
// it when it is hex text (cli/hex_text.h); from kMinimumEdidSize to
// kMaximumEdidSize bytes. `input` may be only the start of a longer input,
// whose whole size is `wholeSize` (0 when not known). An error otherwise
// (TooShort, TooLong, or BadText for hex text that stops short of the blocks
// its EDID announces or holds bytes past its last whole 128-byte block).
// Bytes that do not start with the EDID header (random bytes, a compressed
// file, hex text of something else) are still taken, with a warning that
// says so (and, for hex text, whether they are whole blocks), and so is an
// X server log that holds more than one EDID.
Result<EdidRead> EdidFromInput(std::span<const uint8_t> input, uint64_t wholeSize);

// Reads `stream` to its end and takes the EDID it holds (EdidFromInput), but
// reads never more than one byte past the largest EDID, or past the largest
// hex text, so that an endless input is refused rather than read whole. An
// Unreadable error on a read error.
Result<EdidRead> ReadEdidStream(std::FILE* stream);

// Opens `path` ("-" for standard input) and reads it with ReadEdidStream.
Result<EdidRead> ReadEdidFile(const std::string& path);

} // namespace moniquet
