// The field-by-field content of each data block and extension block
// (moniquet/fields.h), as `info` shows it under the block. Each function reads
// only the bytes it is given; a block shorter than its kind needs gives the
// fields its bytes hold and no more. Private to the decoders.
#pragma once

#include "moniquet/block_types.h"
#include "moniquet/fields.h"

#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

// A CTA-861 data block (in an extension block of its own or in a DisplayID
// section): `tag` from bits 7 to 5 of its header; `body` what follows the
// header, and the extended tag (`extendedTag`) for tag 7. Empty for a
// kind the standards do not define (a reserved tag or extended tag).
std::optional<Fields> CtaDataBlockFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                         std::span<const uint8_t> body);

// The parts of CtaDataBlockFields, by file: the formats of video, audio and
// speakers (cta_fields_formats.cpp), colour, HDR and display devices
// (cta_fields_colour.cpp), and the vendor-specific blocks and the HDMI
// Forum's (cta_fields_vendor.cpp). Each gives nothing for a kind another
// decodes.
std::optional<Fields> CtaFormatFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                      std::span<const uint8_t> body);
std::optional<Fields> CtaColourFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                      std::span<const uint8_t> body);
std::optional<Fields> CtaVendorFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                      std::span<const uint8_t> body);

// A DisplayID data block: its tag, revision byte and payload (after the
// 3-byte header), in a section of version `version` (0x12, 0x20, ...).
// Empty for a tag the standards do not define.
std::optional<Fields> DisplayIdDataBlockFields(uint8_t tag, uint8_t revision,
                                               std::span<const uint8_t> payload, uint32_t version);

// An extension block of `type` (video timing, display information,
// localized string, block map), whole, at `index` in its EDID (which a
// block map's numbering follows). Empty for the other types.
std::optional<Fields> ExtensionBlockFields(BlockType type, std::span<const uint8_t, 128> block,
                                           uint32_t index);

} // namespace moniquet
