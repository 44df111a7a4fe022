#include "edid/block_fields.h"

std::optional<Fields> CtaDataBlockFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                         std::span<const uint8_t> body) {
    if (std::optional<Fields> fields = CtaFormatFields(tag, extendedTag, body)) {
        return fields;
    }
    return CtaVendorFields(tag, extendedTag, body);
}
