#include "moniquet/block_types.h"

#include "edid/edid_layout.h"

namespace moniquet {

namespace {

struct BlockKind {
    BlockType type;
    uint8_t tag;
    std::string_view name;
};

constexpr BlockKind kKinds[] = {
    {BlockType::Cta861, kTagCta861, "cta-861"},
    {BlockType::DisplayId, kTagDisplayId, "displayid"},
    {BlockType::BlockMap, kTagBlockMap, "block-map"},
    {BlockType::Vtb, kTagVtb, "vtb"},
    {BlockType::Di, kTagDi, "di"},
    {BlockType::Ls, kTagLs, "ls"},
    {BlockType::Dpvl, kTagDpvl, "dpvl"},
};

constexpr bool ValuedByTags() {
    for (const BlockKind& kind : kKinds) {
        if (static_cast<uint32_t>(kind.type) != kind.tag) {
            return false;
        }
    }
    return true;
}
static_assert(ValuedByTags(), "an extension block's type is valued by its tag");

} // namespace

BlockType BlockTypeOf(uint32_t index, uint8_t tag) {
    if (index == 0) {
        return BlockType::Base;
    }
    for (const BlockKind& kind : kKinds) {
        if (kind.tag == tag) {
            return kind.type;
        }
    }
    return BlockType::Unknown;
}

std::string_view BlockTypeName(BlockType type) {
    if (type == BlockType::Base) {
        return "base";
    }
    for (const BlockKind& kind : kKinds) {
        if (kind.type == type) {
            return kind.name;
        }
    }
    return "unknown";
}

} // namespace moniquet
