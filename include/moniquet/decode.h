// Decoding of the identification and the four 18-byte descriptors of an
// EDID base block. Every block decodes: nothing here checks the header, the
// version, the extension count or the checksum. Each operation resets its
// output first, then fills it.
#pragma once

#include "moniquet/monitor_record.h"

#include <cstdint>
#include <span>
#include <string>

namespace moniquet {

// The record of a monitor whose source holds `edid`: the whole EDID kept as
// it is, its first 256 bytes (zero-padded) as the block, and the summary
// decoded from that block. `active` is false and `source` empty, for the
// scan to set.
MonitorRecord DecodeMonitorRecord(std::span<const uint8_t> edid);

// `block` is the whole 256-byte block (a shorter span decodes as if padded
// with zeros). Fills every field of `summary` but `active`, which is left
// false for the caller to set.
void DecodeEdidBlock(std::span<const uint8_t> block, EdidSummary& summary);

// Reads bytes 8 to 11 of `block`.
void DecodeVendorId(std::span<const uint8_t> block, VendorId& vendor);

// `descriptor` is one 18-byte descriptor, of which bytes 0 to 16 are read.
void DecodeDetailedTiming(std::span<const uint8_t> descriptor, DetailedTiming& timing);

// `textField` is the 13-byte text field of a display descriptor (its bytes 5
// to 17). The text ends at the first 0x0A; every other byte, 0x00 included,
// becomes one code unit of the same value.
void DecodeDescriptorText(std::span<const uint8_t> textField, std::u16string& text);

} // namespace moniquet
