// The fields of the extension blocks that hold no data blocks: the video
// timing block, display information, localized strings and the block map.
#include "edid/extension_fields.h"
#include "edid/block_fields.h"
#include "moniquet/edid_bytes.h"

namespace moniquet {

namespace {

// Bytes 1 to 126 each give the tag of one block, 0 for none. The map in
// block 1 starts at block 2; any other map (EDID 1.3 allows a second, in
// block 128) starts at block 129.
Fields BlockMapFields(ExtensionBlock block, uint32_t index) {
    const uint32_t first = index == 1 ? 1 : 128;
    Fields fields;
    Field& blocks = AddList(fields, "blocks", "Entry");
    for (std::size_t i = 1; i < kEdidBlockLength - 1; ++i) {
        if (block[i] == 0) {
            continue;
        }
        Field& entry = AddObject(blocks.items, "", "");
        AddUnsigned(entry.items, "block", "Block", first + i);
        AddName(entry.items, "tag", "Tag", HexByteName(block[i]));
        AddName(entry.items, "kind", "Kind",
                std::string(BlockTypeName(BlockTypeOf(first + i, block[i]))));
    }
    return fields;
}

} // namespace

std::optional<Fields> ExtensionBlockFields(BlockType type, std::span<const uint8_t, 128> block,
                                           uint32_t index) {
    switch (type) {
    case BlockType::Vtb:
        return VtbFields(block);
    case BlockType::Di:
        return DiFields(block);
    case BlockType::Ls:
        return LsFields(block);
    case BlockType::BlockMap:
        return BlockMapFields(block, index);
    default:
        return std::nullopt;
    }
}

} // namespace moniquet
