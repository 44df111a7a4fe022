// The conformity checks, one function per kind of rule. Each reads the
// EDID's bytes as given and what DecodeEdidInfo made of them (every field
// but `conformity`), and returns the rules broken, in the order found. None
// reads past the end of `edid` or of a block.
#pragma once

#include "edid/edid_info.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using ConformityResults = std::vector<ConformityResult>;

// Header, checksums, extension count, version, block map, reserved bits of
// the base block.
ConformityResults CheckStructure(std::span<const uint8_t> edid, const EdidInfo& info);
// What the base block's version requires of its descriptors and features,
// and the detailed timings of every block.
ConformityResults CheckBaseBlock(std::span<const uint8_t> edid, const EdidInfo& info);
// The CTA-861 blocks and their data blocks.
ConformityResults CheckCta(std::span<const uint8_t> edid, const EdidInfo& info);
// The DisplayID sections.
ConformityResults CheckDisplayId(std::span<const uint8_t> edid, const EdidInfo& info);

// All of the above, in that order.
ConformityResults CheckConformity(std::span<const uint8_t> edid, const EdidInfo& info);

// "0x0A": a byte as the messages name it.
std::string ByteHex(uint32_t value);

// The whole blocks of `edid` that the base block's extension count covers,
// `index` 0 to the count; empty past the bytes given.
std::span<const uint8_t> CountedBlock(std::span<const uint8_t> edid, const EdidInfo& info,
                                      uint32_t index);
