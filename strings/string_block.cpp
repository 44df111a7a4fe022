#include "strings/string_block.h"

#include <cstddef>

namespace moniquet {

namespace {

uint16_t ReadUnit(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

} // namespace

uint16_t StringBlockNumber(unsigned id) {
    // A larger id would wrap onto the block of a smaller one and return an
    // unrelated text.
    if (id > 0xFFFF) {
        return 0;
    }
    return static_cast<uint16_t>((id >> 4) + 1);
}

unsigned StringIndexInBlock(unsigned id) {
    return id & (kStringsPerBlock - 1);
}

std::u16string FindStringInBlock(std::span<const uint8_t> block, unsigned index) {
    if (index >= kStringsPerBlock) {
        return {};
    }
    // The block comes from the module's resources; a damaged one must not
    // make the walk read beyond its end.
    size_t offset = 0;
    for (unsigned i = 0; i < kStringsPerBlock; ++i) {
        if (block.size() - offset < 2) {
            return {};
        }
        const size_t count = ReadUnit(block, offset);
        offset += 2;
        if (count > (block.size() - offset) / 2) {
            return {};
        }
        if (i == index) {
            std::u16string text(count, u'\0');
            for (size_t k = 0; k < count; ++k) {
                text[k] = static_cast<char16_t>(ReadUnit(block, offset + 2 * k));
            }
            return text;
        }
        offset += 2 * count;
    }
    return {};
}

} // namespace moniquet
