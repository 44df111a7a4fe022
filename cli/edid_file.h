// Reading a saved EDID: the whole file, every block, as raw bytes.
#pragma once

#include "edid/edid_bytes.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// Checks that `input` is the size of an EDID (kMinimumEdidSize to
// kMaximumEdidSize bytes) and keeps all of it in `edid`. `wholeSize` is the
// size of the whole input when only its start was read (0 when unknown or
// when `input` is all of it). Returns false, with `error` set, otherwise.
bool EdidFromInput(std::span<const uint8_t> input, uint64_t wholeSize, EdidBytes& edid,
                   std::string& error);

// Reads `stream` to its end, but never more than one byte past the largest
// EDID, so that an endless input is refused rather than read whole. Returns
// false, with `error` set to the reason, on a read error or an input that is
// not the size of an EDID.
bool ReadEdidStream(std::FILE* stream, EdidBytes& edid, std::string& error);

// Opens `path` ("-" for standard input) and reads it with ReadEdidStream.
bool ReadEdidFile(const std::string& path, EdidBytes& edid, std::string& error);
