// Reading a saved EDID: raw bytes, of which the first 256 are the block.
#pragma once

#include "edid/edid_bytes.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// Builds the block from the start of `bytes`: 128 to 255 bytes are padded
// with zeros, more than 256 are cut. Returns false, with `error` set, for
// fewer than 128 bytes.
bool BlockFromBytes(std::span<const uint8_t> bytes, EdidBlock& block, std::string& error);

// Reads at most 256 bytes from `stream` and builds the block from them.
// Returns false, with `error` set to the reason, on a read error or a short
// file.
bool ReadEdidStream(std::FILE* stream, EdidBlock& block, std::string& error);

// Opens `path` ("-" for standard input) and reads it with ReadEdidStream.
bool ReadEdidFile(const std::string& path, EdidBlock& block, std::string& error);
