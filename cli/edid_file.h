// Reading a saved EDID: the whole file, every block, as raw bytes or as hex text.
#pragma once

#include "moniquet/edid_bytes.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace moniquet {

// The EDID that `input` holds: its bytes as they are, or the bytes written in
// it when it is hex text (cli/hex_text.h); from kMinimumEdidSize to
// kMaximumEdidSize bytes. `input` may be only the start of a longer input,
// whose whole size is `wholeSize` (0 when not known). Returns false, with
// `error` set, otherwise, and for hex text that stops short of the blocks
// its EDID announces or holds bytes past its last whole 128-byte block.
// Bytes that do not start with the EDID header (random bytes, a compressed
// file, hex text of something else) are still taken, with `warning`, when
// given, set to say so (and, for hex text, whether they are whole blocks),
// and so is it for an X server log that holds more than one EDID; it is
// left alone otherwise.
bool EdidFromInput(std::span<const uint8_t> input, uint64_t wholeSize, EdidBytes& edid,
                   std::string& error, std::string* warning = nullptr);

// Reads `stream` to its end and takes the EDID it holds (EdidFromInput), but
// reads never more than one byte past the largest EDID, or past the largest
// hex text, so that an endless input is refused rather than read whole. Returns
// false, with `error` set to the reason, on a read error or an input that is
// not the size of an EDID.
bool ReadEdidStream(std::FILE* stream, EdidBytes& edid, std::string& error,
                    std::string* warning = nullptr);

// Opens `path` ("-" for standard input) and reads it with ReadEdidStream.
bool ReadEdidFile(const std::string& path, EdidBytes& edid, std::string& error,
                  std::string* warning = nullptr);

} // namespace moniquet
