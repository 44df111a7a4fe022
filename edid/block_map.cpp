#include "edid/block_map.h"
#include "edid/edid_layout.h"

#include "moniquet/edid_bytes.h"

#include <string>

namespace moniquet {

void CheckBlockMap(std::span<const uint8_t> edid, uint32_t index, const DiagnosticSink& sink,
                   const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const std::span<const uint8_t> map = edid.subspan(std::size_t{index} * kEdidBlockLength);
    const uint32_t counted = info.extensionCount.value_or(0) + 1;
    for (uint32_t entry = 1; entry < kChecksumOffset; ++entry) {
        const uint32_t target = index + entry;
        const uint8_t listed = map[entry];
        const bool exists = target < counted && target < info.blocks.size();
        const uint8_t actual = exists ? edid[std::size_t{target} * kEdidBlockLength] : 0;
        if (exists && target % 128 == 0 && actual == kTagBlockMap) {
            break;
        }
        if (listed != actual) {
            Fail(sink, DiagnosticCode::BlockMapInvalid, entry,
                 "the block map lists tag " + ByteHex(listed) + " for block " +
                     std::to_string(target) + ", which " +
                     (exists ? "has tag " + ByteHex(actual) : std::string("is absent")));
            return;
        }
    }
}

} // namespace moniquet
