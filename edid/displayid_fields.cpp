// The fields of DisplayID data blocks, versions 1.x and 2.x.
#include "edid/bits.h"
#include "edid/block_fields.h"

std::optional<Fields> DisplayIdDataBlockFields(uint8_t tag, uint8_t,
                                               std::span<const uint8_t> payload, uint32_t) {
    return DisplayIdVendorFields(tag, payload);
}
