// The fields of the extension blocks that hold no data blocks: the video
// timing block, display information, localized strings and the block map.
#include "edid/bits.h"
#include "edid/block_fields.h"

std::optional<Fields> ExtensionBlockFields(BlockType, std::span<const uint8_t, 128>) {
    return std::nullopt;
}
