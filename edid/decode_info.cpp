#include "edid/conformity_checks.h"
#include "edid/info_blocks.h"

#include <algorithm>
#include <numeric>

namespace {

bool ChecksumValid(WholeBlock block) {
    return std::accumulate(block.begin(), block.end(), 0u) % 256 == 0;
}

} // namespace

EdidInfo DecodeEdidInfo(std::span<const uint8_t> edid) {
    EdidInfo info;
    info.sizeBytes = edid.size();
    info.headerValid = edid.size() >= kEdidHeader.size() &&
                       std::equal(kEdidHeader.begin(), kEdidHeader.end(), edid.begin());
    const std::size_t wholeBlocks = edid.size() / kEdidBlockLength;
    if (wholeBlocks == 0) {
        info.truncated = true;
        info.conformity = CheckConformity(edid, info);
        return info;
    }
    const std::size_t announced = 1 + edid[kExtensionCountOffset];
    info.truncated = wholeBlocks < announced;
    info.blocks.reserve(wholeBlocks);
    for (std::size_t i = 0; i < wholeBlocks; ++i) {
        const WholeBlock block = edid.subspan(i * kEdidBlockLength).first<kEdidBlockLength>();
        const uint32_t index = static_cast<uint32_t>(i);
        const BlockType type = BlockTypeOf(index, block[0]);
        // Captures often repeat a block past the count: it is not part of
        // the EDID the monitor announced.
        const bool beyondCount = i >= announced;
        info.blocks.push_back({index, type, ChecksumValid(block), beyondCount});
        if (beyondCount) {
            continue;
        }
        if (type == BlockType::Base) {
            DecodeBaseBlock(block, info);
        } else if (type == BlockType::Cta861) {
            DecodeCtaBlock(block, index, info);
        } else if (type == BlockType::DisplayId) {
            DecodeDisplayIdBlock(block, index, info);
        }
    }
    info.diagonalInches = DiagonalInches(info);
    info.modes = ModesOf(info);
    info.conformity = CheckConformity(edid, info);
    return info;
}
