// Any bytes as a string-table block, looked up with any id: the walk must
// stay inside the block, and a text it finds must be one of the block's
// entries, its count and code units whole inside the block.
//
// Input: a little-endian 32-bit id, then the block.
#include "strings/string_block.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace moniquet;

namespace {

void AppendUnit(std::vector<uint8_t>& bytes, char16_t unit) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
}

// Whether the block holds `text` as an entry after the counts of the
// `index` entries before it: its count, then its code units, on a unit
// boundary.
bool HoldsEntry(const std::vector<uint8_t>& block, unsigned index, const std::u16string& text) {
    std::vector<uint8_t> entry;
    AppendUnit(entry, static_cast<char16_t>(text.size()));
    for (char16_t unit : text) {
        AppendUnit(entry, unit);
    }
    auto from = block.begin() + std::min<size_t>(2 * index, block.size());
    while (true) {
        from = std::search(from, block.end(), entry.begin(), entry.end());
        if (from == block.end()) {
            return false;
        }
        if ((from - block.begin()) % 2 == 0) {
            return true;
        }
        ++from;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const unsigned id =
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<unsigned>(data[3]) << 24;
    // A buffer of its own, so that a read on either side of the block is
    // caught.
    const std::vector<uint8_t> block(data + 4, data + size);

    const unsigned index = StringIndexInBlock(id);
    const uint16_t number = StringBlockNumber(id);
    if (index >= kStringsPerBlock || (number == 0) != (id > 0xFFFF) ||
        (number != 0 && (number - 1u) * kStringsPerBlock + index != id)) {
        std::abort();
    }

    // The id itself as an index: past the sixteenth entry there is nothing.
    if (id >= kStringsPerBlock && !FindStringInBlock(block, id).empty()) {
        std::abort();
    }

    const std::u16string text = FindStringInBlock(block, index);
    if (!text.empty() && !HoldsEntry(block, index, text)) {
        std::abort();
    }
    return 0;
}
