// The parts of DecodeEdidInfo: one decoder per kind of block, and what they
// share, the 18-byte descriptors that both the base block and the CTA-861
// blocks hold. Each takes one whole 128-byte block, and reports the rules
// its bytes break as it reads them.
#pragma once

#include "edid/diagnostics.h"
#include "edid/edid_layout.h"
#include "edid/walk.h"
#include "moniquet/edid_bytes.h"
#include "moniquet/edid_info.h"

#include <cstdint>
#include <span>

namespace moniquet {

using WholeBlock = std::span<const uint8_t, kEdidBlockLength>;
using Descriptor = std::span<const uint8_t, kDescriptorSize>;

// A descriptor whose bytes 0 and 1 are zero; any other is a detailed timing.
bool IsDisplayDescriptor(Descriptor descriptor);

// Byte 3 of a display descriptor.
uint8_t DisplayDescriptorTag(Descriptor descriptor);

// Adds what any block's descriptor holds to the walk's EdidInfo: a detailed
// timing to its list, or the text of a serial number (0xFF) or product name
// (0xFC) display descriptor where it has none yet. `source` is the kind of
// the block at `blockIndex`; `offset` is where the descriptor starts in it.
void AddDescriptor(Descriptor descriptor, uint32_t blockIndex, std::size_t offset, BlockType source,
                   Walk& walk);

// The text of a display descriptor: bytes 5 to 17 up to the first line feed,
// one code unit per byte, trailing spaces removed.
std::u16string DescriptorTextOf(Descriptor descriptor);

// Everything of block 0 but the list of blocks and what the walk reads of
// its framing (version, revision, extension count) before.
void DecodeBaseBlock(WholeBlock block, Walk& walk);

// A block of tag 0x02 at `blockIndex`: its detailed timings and texts, and
// its data blocks into `info.cta`, which it creates.
void DecodeCtaBlock(WholeBlock block, uint32_t blockIndex, Walk& walk);

// A run of CTA-861 data blocks (of a CTA-861 block at `blockIndex`, or
// embedded in the DisplayID section there) into `info.cta`, which it
// creates. `area` holds whole data blocks but the last, which may be cut:
// nothing past its end is read. `sink` names offsets of `area`.
void DecodeCtaDataBlocks(std::span<const uint8_t> area, uint32_t blockIndex,
                         const DiagnosticSink& sink, Walk& walk);

// A block of tag 0x70 at `blockIndex`: its DisplayID section into
// `info.displayId`, its timings into `info.detailedTimings` and its CTA-861
// data blocks into `info.cta`.
void DecodeDisplayIdBlock(WholeBlock block, uint32_t blockIndex, Walk& walk);

// From the first detailed timing's image size, else from the screen size.
std::optional<double> DiagonalInches(const EdidInfo& info);

// Every mode of the decoded `info`, merged and sorted (info.modes).
std::vector<ModeInfo> ModesOf(const EdidInfo& info);

} // namespace moniquet
