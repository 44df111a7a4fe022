#include "edid/block_fields.h"

namespace moniquet {

std::optional<Fields> CtaDataBlockFields(uint8_t tag, std::optional<uint8_t> extendedTag,
                                         std::span<const uint8_t> body) {
    for (const auto part : {CtaFormatFields, CtaColourFields, CtaVendorFields}) {
        if (std::optional<Fields> fields = part(tag, extendedTag, body)) {
            return fields;
        }
    }
    return std::nullopt;
}

} // namespace moniquet
