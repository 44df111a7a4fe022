// The fields of the head-mounted display blocks of DisplayID 2.1.
#include "edid/displayid_fields.h"

std::optional<Fields> DisplayIdArVrFields(uint8_t, uint8_t, std::span<const uint8_t>) {
    return std::nullopt;
}
