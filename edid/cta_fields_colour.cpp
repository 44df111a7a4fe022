// The fields of CTA-861 data blocks of colour and display devices:
// colorimetry, HDR static and dynamic metadata, video capability, the VESA
// display device and transfer characteristics blocks.
#include "edid/bits.h"
#include "edid/block_fields.h"

std::optional<Fields> CtaColourFields(uint8_t, std::optional<uint8_t>, std::span<const uint8_t>) {
    return std::nullopt;
}
