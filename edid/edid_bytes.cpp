#include "moniquet/edid_bytes.h"

#include <algorithm>

namespace moniquet {

EdidBlock BlockFromEdid(std::span<const uint8_t> edid) {
    EdidBlock block{};
    std::copy_n(edid.begin(), std::min(edid.size(), block.size()), block.begin());
    return block;
}

} // namespace moniquet
