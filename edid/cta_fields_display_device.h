// The fields of the VESA video display device data block (CTA-861 extended
// tag 0x02): the panel behind the interface, its timing, audio and colour.
#pragma once

#include "moniquet/fields.h"

#include <cstdint>
#include <span>

namespace moniquet {

// `body` follows the extended tag; 30 bytes in full.
Fields VesaDisplayDeviceFields(std::span<const uint8_t> body);

} // namespace moniquet
