// DisplayID sections, one per extension block of tag 0x70.
#include "edid/info_blocks.h"

#include <algorithm>
#include <numeric>

void DecodeDisplayIdBlock(WholeBlock block, uint32_t blockIndex, EdidInfo& info) {
    // The section: version, payload length, product type, extension count,
    // the data blocks, then its own checksum byte; it ends before the
    // block's checksum.
    const auto section = block.subspan(kDisplayIdSectionOffset, kEdidBlockLength - 2);
    DisplayIdInfo id;
    id.block = blockIndex;
    id.version = section[0];
    id.productType = section[2];
    const std::size_t length =
        std::min<std::size_t>(section[1], section.size() - kDisplayIdHeaderSize);
    const auto whole = section.first(kDisplayIdHeaderSize + length);
    id.checksumValid = std::accumulate(whole.begin(), whole.end(), 0u) % 256 == 0;
    info.displayId.push_back(std::move(id));
}
