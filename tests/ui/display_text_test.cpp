#include "ui/display_text.h"

#include "moniquet/decode.h"
#include "moniquet/report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

using namespace moniquet;

namespace {

std::vector<uint8_t> ReadEdid(const char* name) {
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/edid/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MakeDisplayText, EveryNulBecomesASpaceAndNothingElseChanges) {
    const std::u16string text(u"a\0b\0\0\r\n\u00E9\0", 9);
    EXPECT_EQ(MakeDisplayText(text), u"a b  \r\n\u00E9 ");
    EXPECT_EQ(MakeDisplayText(u""), u"");
    EXPECT_EQ(MakeDisplayText(u"MONITEUR\r\n"), u"MONITEUR\r\n");
}

// A product name "L225W" followed by a zero byte: the report keeps the zero,
// the text shown must still reach the timings after it.
TEST(MakeDisplayText, ReportWithZeroByteInNameKeepsItsTimings) {
    const std::vector<uint8_t> block = ReadEdid("gsm5662-nul-in-name.bin");
    ASSERT_EQ(block.size(), 128u);
    EdidSummary summary;
    DecodeEdidBlock(block, summary);
    const std::u16string report = FormatMonitorReport(summary);
    ASSERT_NE(report.find(u'\0'), std::u16string::npos);

    const std::u16string shown = MakeDisplayText(report);
    EXPECT_EQ(shown.find(u'\0'), std::u16string::npos);
    EXPECT_EQ(shown.size(), report.size());
    // What a NUL-terminated reader sees is now the whole text.
    EXPECT_EQ(std::u16string(shown.c_str()), shown);
    EXPECT_NE(shown.find(u"R\u00E9f\u00E9rence PN : L225W \r\nTIMING 1\r\n"), std::u16string::npos);
    EXPECT_NE(shown.find(u"TIMING 2\r\n"), std::u16string::npos);
}

} // namespace
