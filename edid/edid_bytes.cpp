#include "edid/edid_bytes.h"

#include <algorithm>

EdidBlock BlockFromEdid(std::span<const uint8_t> edid) {
    EdidBlock block{};
    std::copy_n(edid.begin(), std::min(edid.size(), block.size()), block.begin());
    return block;
}

bool StartsWithEdidHeader(std::span<const uint8_t> bytes) {
    static constexpr std::array<uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF,
                                                       0xFF, 0xFF, 0xFF, 0x00};
    return bytes.size() >= kHeader.size() &&
           std::equal(kHeader.begin(), kHeader.end(), bytes.begin());
}
