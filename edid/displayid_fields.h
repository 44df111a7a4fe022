// The parts of DisplayIdDataBlockFields, by file: the timing blocks
// (displayid_fields_timings.cpp), the blocks on the display's interface and
// build (displayid_fields_interface.cpp) and the head-mounted display blocks
// of 2.1 (displayid_fields_arvr.cpp). Each gives nothing for a tag another
// decodes. Private to the decoders.
#pragma once

#include "moniquet/fields.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace moniquet {

std::optional<Fields> DisplayIdTimingFields(uint8_t tag, uint8_t revision,
                                            std::span<const uint8_t> payload);
std::optional<Fields> DisplayIdInterfaceFields(uint8_t tag, uint8_t revision,
                                               std::span<const uint8_t> payload);
std::optional<Fields> DisplayIdArVrFields(uint8_t tag, uint8_t revision,
                                          std::span<const uint8_t> payload);

// A chromaticity coordinate stored in 12 bits, a fraction of 4096.
double DisplayIdCoordinate(uint32_t stored);
// Adds `key` as {x, y} from the three bytes at `at` of `p` (x in the low 12
// bits, y in the high 12).
void AddDisplayIdPoint(Fields& fields, std::string_view key, std::string_view label,
                       std::span<const uint8_t> p, std::size_t at);
// Adds a luminance stored as an IEEE 754 half float: cd/m2, or a name for
// the reserved and "not given" codes.
void AddDisplayIdLuminance(Fields& fields, std::string_view key, std::string_view label,
                           uint32_t stored);

} // namespace moniquet
