// EDIDs read from real monitors (tests/data/README.md says where each comes
// from): every sample's report against the one worked out by hand beside it
// (NAME.report), and the fields a report does not show.
#include "samples.h"

#include "cli/utf8.h"
#include "moniquet/decode.h"
#include "moniquet/report.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace moniquet;

namespace {

MonitorRecord DecodeFile(const std::string& name) {
    const std::string bytes = ReadWhole(SamplePath(name, ".bin"));
    return DecodeMonitorRecord(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

EdidSummary DecodeSample(const std::string& name, std::size_t expectedSize) {
    const MonitorRecord record = DecodeFile(name);
    EXPECT_EQ(record.edid.size(), expectedSize) << name;
    return record.summary;
}

class GoldenReport : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenReport, ReportAsUtf8EqualsTheFileByteForByte) {
    const std::string name = GetParam();
    const std::string expected = ReadWhole(SamplePath(name, ".report"));
    ASSERT_FALSE(expected.empty()) << name << ".report missing";
    EXPECT_EQ(ToUtf8(FormatMonitorReport(DecodeFile(name).summary)), expected);
}

// Test names take letters, digits and underscores only.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(RealEdid, GoldenReport, ::testing::ValuesIn(SampleNames()), TestName);

// What the reports above do not show.
TEST(RealEdid, PlainMonitorWithNameRangeAndSerial) {
    const EdidSummary s = DecodeSample("aoc2367-plain", 128);
    EXPECT_EQ(FormatMonitorLabel(s.vendor), u"AOC2367");
    EXPECT_EQ(s.timings[0].pixelClockKHz, 148500u);
    EXPECT_EQ(s.timings[0].hBlanking, 280u);
    EXPECT_EQ(s.timings[0].vBlanking, 45u);
}

TEST(RealEdid, NameHoldingAZeroByteKeepsItAndTheTimingsAfterIt) {
    const EdidSummary s = DecodeSample("gsm5662-nul-in-name", 128);
    EXPECT_EQ(s.descriptors[1].text, std::u16string(u"L225W\0", 6));
    EXPECT_EQ(s.timingCount, 2u);
}

TEST(RealEdid, DataStringWithAByteAbove0x7FAndNoLineFeed) {
    const EdidSummary s = DecodeSample("auo31a6-high-bytes", 128);
    EXPECT_EQ(s.descriptors[0].kind, DescriptorKind::DataString);
    EXPECT_EQ(s.descriptors[1].kind, DescriptorKind::None); // tag 0x00
}

TEST(RealEdid, ManufacturerOutsideTheAlphabetAndProductCodeZero) {
    EXPECT_EQ(FormatMonitorLabel(DecodeSample("aq_0000-underscore-maker", 128).vendor), u"AQ_0000");
    EXPECT_EQ(FormatMonitorLabel(DecodeSample("at-tv0001-at-maker", 256).vendor), u"@TV0001");
}

TEST(RealEdid, FourDetailedTimingsAndNoDescriptor) {
    EXPECT_EQ(DecodeSample("gsm3aa8-four-timings", 128).descriptorCount, 0u);
}

TEST(RealEdid, ProductNameAndDataString) {
    const EdidSummary s = DecodeSample("acr06b4-data-string", 128);
    EXPECT_EQ(s.descriptors[0].kind, DescriptorKind::None); // range limits, 0xFD
    EXPECT_EQ(s.descriptors[1].kind, DescriptorKind::ProductName);
    EXPECT_EQ(s.descriptors[2].kind, DescriptorKind::DataString);
}

TEST(RealEdid, BlockLongerThan256BytesDecodesFromItsStart) {
    EXPECT_EQ(DecodeSample("aoc2460-three-blocks", 512).timingCount, 2u);
}

} // namespace
