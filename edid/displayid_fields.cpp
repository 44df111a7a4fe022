// The fields of DisplayID data blocks, versions 1.x and 2.x.
#include "edid/bits.h"
#include "edid/block_fields.h"

std::optional<Fields> DisplayIdDataBlockFields(uint8_t, uint8_t, std::span<const uint8_t>,
                                               uint32_t) {
    return std::nullopt;
}
