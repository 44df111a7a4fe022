// DisplayID sections of kinds the real samples lack; what the samples hold
// is checked against edid-decode (tests/differential/displayid_fields.py).
// The expected rates are edid-decode's for the same bytes.
#include "moniquet/edid_info.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace moniquet;

namespace {

// A base block announcing one extension, then a DisplayID block holding
// `version` and `payload`, its section length byte `length`.
std::vector<uint8_t> WithSection(uint8_t version, std::vector<uint8_t> payload, uint8_t length) {
    std::vector<uint8_t> edid(256);
    std::fill(edid.begin() + 1, edid.begin() + 7, 0xFF);
    edid[126] = 1;
    edid[128] = 0x70;
    edid[129] = version;
    edid[130] = length;
    payload.resize(std::min<std::size_t>(payload.size(), 121));
    std::copy(payload.begin(), payload.end(), edid.begin() + 133);
    return edid;
}

TEST(DisplayIdInfo, DataBlocksStayInsideTheSection) {
    // Every payload byte 0x03: type I blocks of 3 bytes, too short for a
    // timing, 6 bytes each with their header.
    for (const auto& [length, blocks] :
         {std::pair<uint8_t, std::size_t>{0, 0}, {5, 0}, {6, 1}, {121, 20}, {255, 20}}) {
        const EdidInfo info =
            DecodeEdidInfo(WithSection(0x12, std::vector<uint8_t>(121, 3), length));
        SCOPED_TRACE(static_cast<int>(length));
        ASSERT_EQ(info.displayId.size(), 1u);
        EXPECT_EQ(info.displayId[0].dataBlocks.size(), blocks);
        EXPECT_TRUE(info.detailedTimings.empty());
    }
}

TEST(DisplayIdInfo, TimingsOfTheKindsSamplesLack) {
    const std::vector<uint8_t> payload = {
        // Type I: 1920x1080i, 74.25 MHz, preferred; frame blanking 280/45.
        0x03, 0x00, 20, 0x00, 0x1D, 0x00, 0x94, 0x7F, 0x07, 0x17, 0x01, 0x57, 0x80, 0x2B, 0x00,
        0x37, 0x04, 0x2C, 0x00, 0x03, 0x00, 0x09, 0x00,
        // Type IV DMT IDs 0x10 and 0x99 (none), type IV VIC 16.
        0x06, 0x00, 2, 0x10, 0x99, 0x06, 0x40, 1, 16,
        // VIC bitmap: VIC 1; type III 1920 wide, 16:9, 60 Hz.
        0x08, 0x00, 1, 0x01, 0x05, 0x00, 3, 0x04, 239, 59};
    const EdidInfo info =
        DecodeEdidInfo(WithSection(0x12, payload, static_cast<uint8_t>(payload.size())));
    ASSERT_EQ(info.detailedTimings.size(), 1u);
    const TimingInfo& t = info.detailedTimings[0];
    EXPECT_EQ(t.source, BlockType::DisplayId);
    EXPECT_TRUE(t.preferred && t.interlaced);
    EXPECT_EQ(t.width, 1920u);
    EXPECT_EQ(t.height, 1080u);
    EXPECT_DOUBLE_EQ(*t.refreshHz, 60.0);
    EXPECT_EQ(t.pixelClockKHz, 74250u);
    EXPECT_EQ(t.vFrontPorch, 2u);
    EXPECT_EQ(t.vBackPorch, 15);
    EXPECT_EQ(t.hSyncPositive, true);
    EXPECT_EQ(t.vSyncPositive, false);
    EXPECT_FALSE(t.imageWidthMm.has_value());
    std::vector<std::string> modes;
    for (const ModeTiming& m : info.displayId[0].otherTimings) {
        modes.push_back(std::to_string(m.width) + "x" + std::to_string(m.height) + "@" +
                        std::to_string(m.refreshHz));
    }
    EXPECT_EQ(modes, (std::vector<std::string>{"1024x768@60.003840", "1920x1080@60.000000",
                                               "640x480@59.940476", "1920x1080@60.000000"}));
}

} // namespace
