// DecodeEdidInfo on EDIDs cut at every length and on blocks whose layout
// bytes point anywhere. What it decodes from whole samples is checked by the
// golden files (tests/cli/info_golden_test.cpp).
#include "edid/info_blocks.h"
#include "moniquet/edid_info.h"
#include "samples.h"

#include <gtest/gtest.h>

using namespace moniquet;

namespace {

std::vector<uint8_t> Base(uint8_t version, uint8_t revision, uint8_t extensions) {
    std::vector<uint8_t> edid(128);
    std::fill(edid.begin() + 1, edid.begin() + 7, 0xFF);
    edid[18] = version;
    edid[19] = revision;
    edid[126] = extensions;
    return edid;
}

// Each prefix is copied to a buffer of exactly its size, so that
// AddressSanitizer stops any read past its end.
TEST(DecodeEdidInfo, EveryPrefixDecodesItsWholeBlocksAndNothingElse) {
    for (const std::string& name : SampleNames()) {
        const std::string file = ReadWhole(SamplePath(name, ".bin"));
        const std::vector<uint8_t> bytes(file.begin(), file.end());
        const EdidInfo whole = DecodeEdidInfo(bytes);
        for (std::size_t length = 0; length <= bytes.size(); ++length) {
            const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
            const EdidInfo info = DecodeEdidInfo(prefix);
            SCOPED_TRACE(name + " cut to " + std::to_string(length));
            const std::size_t blocks = length / 128;
            EXPECT_EQ(info.sizeBytes, length);
            EXPECT_EQ(info.blocks.size(), blocks);
            EXPECT_EQ(info.truncated, length < 128u * (1u + bytes[126]));
            EXPECT_EQ(info.headerValid, length >= 8 && whole.headerValid);
            EXPECT_EQ(info.productName, blocks > 0 ? whole.productName : std::nullopt);
            std::size_t timings = 0;
            for (const TimingInfo& t : whole.detailedTimings) {
                timings += t.block < blocks ? 1 : 0;
            }
            EXPECT_EQ(info.detailedTimings.size(), timings);
        }
    }
}

TEST(DecodeEdidInfo, CtaTimingsAndDataBlocksStayInsideTheirBlock) {
    // Every byte 0x47: a timing wherever one is read, and a video data block
    // of seven VICs (71) wherever a data block is. An offset past the block
    // leaves its data blocks unread too.
    struct Case {
        uint8_t timingsOffset;
        std::size_t timings;
        std::size_t vics;
    };
    const Case cases[] = {
        {0, 0, 0},    {3, 0, 0},     {4, 6, 0},   {20, 5, 14}, {22, 5, 15}, {109, 1, 91},
        {110, 0, 92}, {127, 0, 107}, {128, 0, 0}, {200, 0, 0}, {255, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> edid = Base(1, 3, 1);
        edid.insert(edid.end(), 128, 0x47);
        edid[128] = 0x02;
        edid[129] = 3;
        edid[130] = c.timingsOffset;
        const EdidInfo info = DecodeEdidInfo(edid);
        SCOPED_TRACE(static_cast<int>(c.timingsOffset));
        EXPECT_EQ(info.detailedTimings.size(), c.timings);
        ASSERT_TRUE(info.cta.has_value());
        EXPECT_EQ(info.cta->vics, std::vector<uint32_t>(c.vics, 71));
    }
}

// As a DisplayID section hands them over: cut anywhere, each prefix copied
// to a buffer of exactly its size for AddressSanitizer. Each data block
// whose header is inside counts, with the index given, and the CTA-861
// block header's flags stay empty.
TEST(DecodeCtaDataBlocks, ReadOnlyTheAreaGivenWhereverItIsCut) {
    const std::vector<uint8_t> area = {
        0x43, 0x10, 0x84, 0x04, 0x23, 0x09, 0x07, 0x07, 0x6A, 0x03, 0x0C, 0x00, 0x10, 0x00,
        0xB8, 0x3C, 0x20, 0x00, 0x01, 0x6B, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x63, 0x02,
        0x45, 0x10, 0x80, 0xE6, 0x06, 0x05, 0x01, 0x5A, 0x3C, 0x28, 0xE3, 0x05, 0xC0, 0x00,
        0xE2, 0x0F, 0x03, 0xEF, 0x07, 0x04, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02, 0x00, 0x00};
    const std::size_t headers[] = {0, 4, 8, 19, 31, 38, 42, 45};
    for (std::size_t length = 0; length <= area.size(); ++length) {
        const std::vector<uint8_t> prefix(area.begin(), area.begin() + length);
        EdidInfo info;
        Walk walk = StartWalk(info, &info.diagnostics);
        DecodeCtaDataBlocks(prefix, 5, SinkOf(walk, 5), walk);
        SCOPED_TRACE(length);
        ASSERT_TRUE(info.cta.has_value());
        std::size_t inside = 0;
        for (const std::size_t header : headers) {
            inside += header < length ? 1 : 0;
        }
        ASSERT_EQ(info.cta->dataBlocks.size(), inside);
        for (const CtaDataBlock& block : info.cta->dataBlocks) {
            EXPECT_EQ(block.block, 5u);
        }
        EXPECT_FALSE(info.cta->revision || info.cta->underscan || info.cta->nativeDtds);
    }
}

TEST(DecodeEdidInfo, RangeLimitOffsetsOnlyFromEdid14On) {
    struct Case {
        uint8_t version, revision, flags;
        RangeLimits expected;
    };
    const Case cases[] = {
        {1, 4, 0x00, {10, 20, 30, 40, {}}},   {1, 4, 0x02, {10, 275, 30, 40, {}}},
        {1, 4, 0x01, {10, 20, 30, 40, {}}},   {1, 4, 0x03, {265, 275, 30, 40, {}}},
        {1, 4, 0x08, {10, 20, 30, 295, {}}},  {1, 4, 0x04, {10, 20, 30, 40, {}}},
        {1, 5, 0x0C, {10, 20, 285, 295, {}}}, {1, 3, 0x0F, {10, 20, 30, 40, {}}},
        {2, 4, 0x0F, {10, 20, 30, 40, {}}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> edid = Base(c.version, c.revision, 0);
        const uint8_t descriptor[] = {0, 0, 0, 0xFD, c.flags, 10, 20, 30, 40};
        std::copy(std::begin(descriptor), std::end(descriptor), edid.begin() + 72);
        const EdidInfo info = DecodeEdidInfo(edid);
        SCOPED_TRACE(static_cast<int>(c.flags));
        ASSERT_TRUE(info.rangeLimits.has_value());
        EXPECT_EQ(info.rangeLimits->minVHz, c.expected.minVHz);
        EXPECT_EQ(info.rangeLimits->maxVHz, c.expected.maxVHz);
        EXPECT_EQ(info.rangeLimits->minHKHz, c.expected.minHKHz);
        EXPECT_EQ(info.rangeLimits->maxHKHz, c.expected.maxHKHz);
        EXPECT_FALSE(info.rangeLimits->maxPixelClockMHz.has_value());
    }
}

} // namespace
