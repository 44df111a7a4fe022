#include "edid_mutator.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <vector>

namespace moniquet {

extern "C" std::size_t LLVMFuzzerMutate(uint8_t* data, std::size_t size, std::size_t maxSize);

namespace edid_mutator {
namespace {

using Bytes = std::vector<uint8_t>;
using Rng = std::minstd_rand;

constexpr std::size_t kBlock = 128;
constexpr std::size_t kChecksum = 127;
// Inputs stay small: the decoders see every kind of block within a few.
constexpr std::size_t kMostBlocks = 4;
constexpr std::array<uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

constexpr uint8_t kCtaTag = 0x02;
constexpr uint8_t kDisplayIdTag = 0x70;
constexpr std::size_t kCtaFirstDataBlock = 4;
// DisplayID: the section's version, length, product type and extension
// count follow the block's tag; its data blocks start after them.
constexpr std::size_t kSectionLengthAt = 2;
constexpr std::size_t kDidFirstDataBlock = 5;
constexpr std::size_t kDidDataBlockHeader = 3;

// Tags and extended tags of the CTA-861 data blocks the decoders read, and
// others; vendor OUIs whose blocks hold fields (HDMI, HDMI Forum, AMD), as
// stored, least significant byte first.
constexpr uint8_t kCtaTags[] = {1, 2, 3, 4, 5, 6, 7, 0};
constexpr uint8_t kCtaExtendedTags[] = {0x00, 0x01, 0x02, 0x05, 0x06, 0x07, 0x0D, 0x0E,
                                        0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x20, 0x22,
                                        0x78, 0x79, 0x7A, 0x7F, 0x80, 0xFF};
constexpr std::array<std::array<uint8_t, 3>, 4> kOuis = {
    {{0x03, 0x0C, 0x00}, {0xD8, 0x5D, 0xC4}, {0x1A, 0x00, 0x00}, {0x46, 0xD0, 0x00}}};
// DisplayID 1.x and 2.x data block tags, the CTA-861 one (0x81) included.
constexpr uint8_t kDidTags[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11,
                                0x12, 0x13, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26,
                                0x27, 0x28, 0x29, 0x2A, 0x2B, 0x7E, 0x7F, 0x81};
constexpr uint8_t kDidVersions[] = {0x10, 0x11, 0x12, 0x13, 0x20, 0x21};
// What a display descriptor of the base block may be.
constexpr uint8_t kDescriptorTags[] = {0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9,
                                       0xF8, 0xF7, 0x10, 0x00, 0x0F, 0x11};
// Extension block tags: CTA-861, DisplayID, block map, VTB, DI, LS, DPVL.
constexpr uint8_t kBlockTags[] = {kCtaTag, kDisplayIdTag, 0xF0, 0x10, 0x40, 0x50, 0x60, 0xFF};

template <typename T, std::size_t N> T Pick(Rng& rng, const T (&choices)[N]) {
    return choices[rng() % N];
}

bool OneIn(Rng& rng, unsigned n) {
    return rng() % n == 0;
}

std::size_t Below(Rng& rng, std::size_t n) {
    return n == 0 ? 0 : rng() % n;
}

std::size_t BlockCount(const Bytes& edid) {
    return edid.size() / kBlock;
}

uint8_t* BlockAt(Bytes& edid, std::size_t index) {
    return edid.data() + index * kBlock;
}

// libFuzzer's own mutations, on `size` bytes at `at`, their count kept.
void MutateInPlace(uint8_t* at, std::size_t size) {
    if (size == 0) {
        return;
    }
    Bytes copy(at, at + size);
    const std::size_t mutated = LLVMFuzzerMutate(copy.data(), copy.size(), copy.size());
    std::copy_n(copy.begin(), std::min(mutated, size), at);
}

void FillRandom(Rng& rng, uint8_t* at, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        at[i] = static_cast<uint8_t>(rng());
    }
}

// Inserts `count` zeros at `at` of a block's bytes up to `end`, pushing
// those after it towards `end`, where they fall off; or, for a negative
// count, takes bytes out, zeros coming in at `end`.
void Shift(uint8_t* block, std::size_t end, std::size_t at, long count) {
    if (at >= end) {
        return;
    }
    if (count > 0) {
        const std::size_t n = static_cast<std::size_t>(count);
        if (at + n < end) {
            std::copy_backward(block + at, block + end - n, block + end);
        }
        std::fill(block + at, block + std::min(at + n, end), 0);
    } else if (count < 0) {
        const std::size_t n = std::min(static_cast<std::size_t>(-count), end - at);
        std::copy(block + at + n, block + end, block + at);
        std::fill(block + end - n, block + end, 0);
    }
}

// A data block: where its first byte is, and its payload's length.
struct DataBlock {
    std::size_t at = 0;
    std::size_t length = 0;
};

// CTA-861: the data blocks from byte 4 to byte 2's offset.
std::size_t CtaDataEnd(const uint8_t* block) {
    const std::size_t offset = block[2];
    return offset < kCtaFirstDataBlock ? kCtaFirstDataBlock : std::min(offset, kChecksum);
}

std::vector<DataBlock> CtaDataBlocks(const uint8_t* block) {
    std::vector<DataBlock> blocks;
    const std::size_t end = CtaDataEnd(block);
    for (std::size_t at = kCtaFirstDataBlock; at < end; at += 1 + (block[at] & 0x1F)) {
        blocks.push_back({at, block[at] & 0x1Fu});
    }
    return blocks;
}

// A new data block's bytes: a tag, and a payload that the decoders of that
// tag read (an OUI, an extended tag) before random bytes.
Bytes NewCtaDataBlock(Rng& rng) {
    const uint8_t tag = Pick(rng, kCtaTags);
    Bytes payload(Below(rng, 32));
    FillRandom(rng, payload.data(), payload.size());
    if (tag == 3 && payload.size() >= 3) {
        const auto& oui = kOuis[Below(rng, kOuis.size())];
        std::copy(oui.begin(), oui.end(), payload.begin());
    } else if (tag == 7 && !payload.empty()) {
        payload[0] = Pick(rng, kCtaExtendedTags);
    } else if (tag == 1) {
        payload.resize(payload.size() / 3 * 3 + (OneIn(rng, 4) ? 1 : 0));
    }
    Bytes bytes{static_cast<uint8_t>(tag << 5 | payload.size())};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

void MutateCtaBlock(Rng& rng, uint8_t* block) {
    if (block[2] < kCtaFirstDataBlock && !OneIn(rng, 8)) {
        block[2] = kCtaFirstDataBlock; // room for data blocks, no timing yet
    }
    std::vector<DataBlock> blocks = CtaDataBlocks(block);
    const std::size_t end = CtaDataEnd(block);
    const bool none = blocks.empty();
    switch (none ? 0 : rng() % 7) {
    case 0: { // a data block added where one starts, or at the end
        const Bytes added = NewCtaDataBlock(rng);
        const std::size_t at = none || OneIn(rng, 3) ? end : blocks[Below(rng, blocks.size())].at;
        if (at + added.size() >= kChecksum) {
            return;
        }
        Shift(block, kChecksum, at, static_cast<long>(added.size()));
        std::copy(added.begin(), added.end(), block + at);
        if (block[2] >= at && block[2] <= kChecksum) {
            block[2] = static_cast<uint8_t>(std::min<std::size_t>(block[2] + added.size(), 127));
        }
        return;
    }
    case 1: { // a data block's payload
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        MutateInPlace(block + b.at + 1, std::min(b.length, kChecksum - b.at - 1));
        return;
    }
    case 2: { // a data block's length, its bytes and those after it moved
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        const long delta = static_cast<long>(Below(rng, 7)) - 3;
        const long length = std::clamp(static_cast<long>(b.length) + delta, 0L, 31L);
        const long change = length - static_cast<long>(b.length);
        const std::size_t payloadEnd = std::min(b.at + 1 + b.length, kChecksum);
        Shift(block, kChecksum, payloadEnd, change);
        block[b.at] = static_cast<uint8_t>((block[b.at] & 0xE0) | length);
        if (block[2] > b.at && block[2] <= kChecksum) {
            block[2] = static_cast<uint8_t>(std::clamp<long>(block[2] + change, 4, 127));
        }
        return;
    }
    case 3: { // a data block's tag, or its extended tag
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        const uint8_t tag = Pick(rng, kCtaTags);
        block[b.at] = static_cast<uint8_t>(tag << 5 | (block[b.at] & 0x1F));
        if (tag == 7 && b.length > 0 && b.at + 1 < kChecksum) {
            block[b.at + 1] = Pick(rng, kCtaExtendedTags);
        }
        return;
    }
    case 4: { // a data block taken out
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        const std::size_t size = std::min(1 + b.length, kChecksum - b.at);
        Shift(block, kChecksum, b.at, -static_cast<long>(size));
        if (block[2] > b.at && block[2] <= kChecksum) {
            block[2] = static_cast<uint8_t>(std::max<std::size_t>(block[2] - size, 4));
        }
        return;
    }
    case 5: // the header: revision, byte 2's offset (past the block too), flags
        block[1 + Below(rng, 3)] =
            static_cast<uint8_t>(OneIn(rng, 2) ? rng() : end + Below(rng, 4));
        return;
    default: // the detailed timings after the data blocks
        MutateInPlace(block + end, kChecksum - end);
        return;
    }
}

// DisplayID: the data blocks of the section, `length` bytes from byte 5.
std::size_t SectionEnd(const uint8_t* block) {
    return std::min<std::size_t>(kDidFirstDataBlock + block[kSectionLengthAt], kChecksum - 1);
}

std::vector<DataBlock> DisplayIdDataBlocks(const uint8_t* block) {
    std::vector<DataBlock> blocks;
    const std::size_t end = SectionEnd(block);
    for (std::size_t at = kDidFirstDataBlock; at + kDidDataBlockHeader <= end;
         at += kDidDataBlockHeader + block[at + 2]) {
        blocks.push_back({at, block[at + 2]});
    }
    return blocks;
}

// Moves the bytes after `at` by `change` and the section's length with
// them.
bool ResizeSection(uint8_t* block, std::size_t at, long change) {
    const long length = static_cast<long>(block[kSectionLengthAt]) + change;
    if (length < 0 || kDidFirstDataBlock + static_cast<std::size_t>(length) >= kChecksum) {
        return false;
    }
    Shift(block, kChecksum, at, change);
    block[kSectionLengthAt] = static_cast<uint8_t>(length);
    return true;
}

void MutateDisplayIdBlock(Rng& rng, uint8_t* block) {
    std::vector<DataBlock> blocks = DisplayIdDataBlocks(block);
    const bool none = blocks.empty();
    switch (none ? 0 : rng() % 6) {
    case 0: { // a data block added: a known tag, a revision, a payload
        const std::size_t size = Below(rng, 3) == 0 ? 20 * (1 + Below(rng, 2)) : Below(rng, 40);
        const std::size_t at = none ? SectionEnd(block) : blocks[Below(rng, blocks.size())].at;
        if (!ResizeSection(block, at, static_cast<long>(kDidDataBlockHeader + size))) {
            return;
        }
        block[at] = Pick(rng, kDidTags);
        block[at + 1] = static_cast<uint8_t>(OneIn(rng, 2) ? 0 : rng());
        block[at + 2] = static_cast<uint8_t>(size);
        FillRandom(rng, block + at + kDidDataBlockHeader, size);
        if (block[at] == 0x81 && size > 0) {
            block[at + kDidDataBlockHeader] = NewCtaDataBlock(rng)[0];
        }
        return;
    }
    case 1: { // a data block's payload
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        const std::size_t payload = b.at + kDidDataBlockHeader;
        MutateInPlace(block + payload, std::min(b.length, kChecksum - payload));
        return;
    }
    case 2: { // a data block's size, the section's bytes after it moved
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        const long change = static_cast<long>(Below(rng, 9)) - 4;
        const long size = static_cast<long>(b.length) + change;
        if (size >= 0 && size < 256 &&
            ResizeSection(block, b.at + kDidDataBlockHeader + b.length, change)) {
            block[b.at + 2] = static_cast<uint8_t>(size);
        }
        return;
    }
    case 3: { // a data block's tag or revision
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        block[b.at + (OneIn(rng, 3) ? 1 : 0)] = Pick(rng, kDidTags);
        return;
    }
    case 4: { // a data block taken out
        const DataBlock& b = blocks[Below(rng, blocks.size())];
        ResizeSection(block, b.at, -static_cast<long>(kDidDataBlockHeader + b.length));
        return;
    }
    default: // the section's version, product type or extension count
        block[OneIn(rng, 2) ? 1 : 3 + Below(rng, 2)] =
            OneIn(rng, 2) ? Pick(rng, kDidVersions) : static_cast<uint8_t>(Below(rng, 16));
        return;
    }
}

void MutateBaseDescriptor(Rng& rng, uint8_t* block) {
    uint8_t* d = block + 54 + 18 * Below(rng, 4);
    if (OneIn(rng, 2)) {
        MutateInPlace(d, 18);
        return;
    }
    std::fill(d, d + 5, 0);
    d[3] = Pick(rng, kDescriptorTags);
    FillRandom(rng, d + 5, 13);
}

Bytes NewBlock(Rng& rng, const Bytes& edid) {
    Bytes block(kBlock, 0);
    if (BlockCount(edid) > 1 && OneIn(rng, 3)) {
        const uint8_t* from = edid.data() + (1 + Below(rng, BlockCount(edid) - 1)) * kBlock;
        std::copy_n(from, kBlock, block.begin());
        return block;
    }
    block[0] = Pick(rng, kBlockTags);
    if (block[0] == kCtaTag) {
        block[1] = 3;
        block[2] = kCtaFirstDataBlock;
        block[3] = static_cast<uint8_t>(rng());
    } else if (block[0] == kDisplayIdTag) {
        block[1] = Pick(rng, kDidVersions);
    } else {
        FillRandom(rng, block.data() + 1, kBlock - 2);
    }
    return block;
}

void MutateBlocks(Rng& rng, Bytes& edid) {
    const std::size_t count = BlockCount(edid);
    switch (rng() % 3) {
    case 0:
        if (count < kMostBlocks) {
            const Bytes block = NewBlock(rng, edid);
            edid.insert(edid.begin() + static_cast<long>((1 + Below(rng, count)) * kBlock),
                        block.begin(), block.end());
        }
        return;
    case 1:
        if (count > 1) {
            const auto at = edid.begin() + static_cast<long>((1 + Below(rng, count - 1)) * kBlock);
            edid.erase(at, at + kBlock);
        }
        return;
    default:
        if (count > 2) {
            uint8_t* one = BlockAt(edid, 1 + Below(rng, count - 1));
            uint8_t* other = BlockAt(edid, 1 + Below(rng, count - 1));
            if (one != other) {
                std::swap_ranges(one, one + kBlock, other);
            }
        }
        return;
    }
}

// The blocks of one kind, by index.
std::vector<std::size_t> BlocksTagged(const Bytes& edid, uint8_t tag) {
    std::vector<std::size_t> found;
    for (std::size_t i = 1; i < BlockCount(edid); ++i) {
        if (edid[i * kBlock] == tag) {
            found.push_back(i);
        }
    }
    return found;
}

// One of the block's of `tag`, made as the last block when there is none.
uint8_t* SomeBlockTagged(Rng& rng, Bytes& edid, uint8_t tag) {
    const std::vector<std::size_t> found = BlocksTagged(edid, tag);
    if (!found.empty()) {
        return BlockAt(edid, found[Below(rng, found.size())]);
    }
    if (BlockCount(edid) >= kMostBlocks) {
        return nullptr;
    }
    edid.resize(edid.size() + kBlock, 0);
    uint8_t* block = BlockAt(edid, BlockCount(edid) - 1);
    block[0] = tag;
    block[1] = tag == kCtaTag ? 3 : Pick(rng, kDidVersions);
    block[2] = tag == kCtaTag ? kCtaFirstDataBlock : 0;
    return block;
}

void MendSection(uint8_t* block) {
    const std::size_t end = SectionEnd(block);
    block[end] = static_cast<uint8_t>(-std::accumulate(block + 1, block + end, 0u));
}

void MendBlock(uint8_t* block) {
    block[kChecksum] = static_cast<uint8_t>(-std::accumulate(block, block + kChecksum, 0u));
}

// What the decoders check first, mended, but now and then left as it is.
void Mend(Rng& rng, Bytes& edid) {
    if (!OneIn(rng, 64)) {
        std::copy(kHeader.begin(), kHeader.end(), edid.begin());
    }
    if (!OneIn(rng, 32)) {
        edid[126] = static_cast<uint8_t>(BlockCount(edid) - 1);
    }
    const std::size_t broken = OneIn(rng, 32) ? Below(rng, BlockCount(edid)) : SIZE_MAX;
    for (std::size_t i = 0; i < BlockCount(edid); ++i) {
        uint8_t* block = BlockAt(edid, i);
        if (i > 0 && block[0] == kDisplayIdTag) {
            MendSection(block);
        }
        if (i != broken) {
            MendBlock(block);
        }
    }
}

std::size_t Emit(const Bytes& edid, uint8_t* out, std::size_t maxSize) {
    const std::size_t size = std::min(edid.size(), maxSize);
    std::copy_n(edid.begin(), size, out);
    return size;
}

} // namespace

std::size_t Mutate(uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed) {
    Rng rng(seed);
    Bytes edid(data, data + size);
    // A whole number of blocks, one at least: whatever came, it is made an
    // EDID, but for one input in 16 mutated as bytes alone.
    if (OneIn(rng, 16)) {
        edid.resize(std::max(maxSize, size));
        edid.resize(LLVMFuzzerMutate(edid.data(), size, maxSize));
        return Emit(edid, data, maxSize);
    }
    edid.resize(std::clamp<std::size_t>((edid.size() + kBlock / 2) / kBlock, 1, kMostBlocks) *
                kBlock);
    switch (rng() % 8) {
    case 0:
    case 1:
        if (uint8_t* block = SomeBlockTagged(rng, edid, kCtaTag)) {
            MutateCtaBlock(rng, block);
        }
        break;
    case 2:
        if (uint8_t* block = SomeBlockTagged(rng, edid, kDisplayIdTag)) {
            MutateDisplayIdBlock(rng, block);
        }
        break;
    case 3:
        MutateBaseDescriptor(rng, edid.data());
        break;
    case 4:
        MutateBlocks(rng, edid);
        break;
    case 5: { // any bytes of one block
        uint8_t* block = BlockAt(edid, Below(rng, BlockCount(edid)));
        const std::size_t at = Below(rng, kBlock);
        MutateInPlace(block + at, std::min<std::size_t>(1 + Below(rng, 18), kBlock - at));
        break;
    }
    default: // the base block's bytes past the header
        MutateInPlace(edid.data() + kHeader.size(), kBlock - kHeader.size() - 1);
        break;
    }
    Mend(rng, edid);
    if (OneIn(rng, 64)) {
        edid.resize(Below(rng, edid.size()) + 1); // cut anywhere
    }
    return Emit(edid, data, maxSize);
}

std::size_t CrossOver(const uint8_t* first, std::size_t firstSize, const uint8_t* second,
                      std::size_t secondSize, uint8_t* out, std::size_t maxOutSize, unsigned seed) {
    Rng rng(seed);
    const std::size_t blocks = std::min(std::max(firstSize, secondSize) / kBlock, kMostBlocks);
    Bytes edid;
    for (std::size_t i = 0; i < blocks; ++i) {
        const bool fromFirst =
            (i + 1) * kBlock <= firstSize && ((i + 1) * kBlock > secondSize || OneIn(rng, 2));
        const uint8_t* from = (fromFirst ? first : second) + i * kBlock;
        edid.insert(edid.end(), from, from + kBlock);
    }
    if (edid.empty()) {
        return 0;
    }
    Mend(rng, edid);
    return Emit(edid, out, maxOutSize);
}

} // namespace edid_mutator

} // namespace moniquet
