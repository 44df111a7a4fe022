// The fields of CTA-861 vendor-specific data blocks (video, audio and data)
// and of the HDMI Forum's own blocks.
#include "edid/bits.h"
#include "edid/block_fields.h"

std::optional<Fields> CtaVendorFields(uint8_t, std::optional<uint8_t>, std::span<const uint8_t>) {
    return std::nullopt;
}
