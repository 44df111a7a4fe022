// The library's entry points: what they refuse, and that a decoded EDID is
// the one the decoder gives.
#include "../edid/samples.h"
#include "moniquet/moniquet.h"

#include <gtest/gtest.h>

#include <vector>

using namespace moniquet;

namespace {

std::vector<uint8_t> Sample(const std::string& name) {
    const std::string bytes = ReadWhole(SamplePath(name, ".bin"));
    return {bytes.begin(), bytes.end()};
}

TEST(DecodeApi, RefusesWhatCannotBeAnEdid) {
    const std::vector<uint8_t> edid = Sample("gbt3213-cta-displayid");
    const Result<EdidInfo> shortOne = Decode(std::span(edid).first(127));
    ASSERT_FALSE(shortOne);
    EXPECT_EQ(shortOne.error().code, ErrorCode::TooShort);
    EXPECT_EQ(shortOne.error().message, "not an EDID block: 127 bytes");
    const Result<EdidInfo> longOne = Decode(std::vector<uint8_t>(257 * 128 + 1));
    ASSERT_FALSE(longOne);
    EXPECT_EQ(longOne.error().code, ErrorCode::TooLong);
}

TEST(DecodeApi, GivesTheDecodersEdidAndItsSize) {
    const std::vector<uint8_t> edid = Sample("gbt3213-cta-displayid");
    const Result<EdidInfo> decoded = Decode(edid);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded.value().productName, u"GS32Q");
    EXPECT_EQ(decoded.value().diagnostics.size(), DecodeEdidInfo(edid).diagnostics.size());
    EXPECT_EQ(AnnouncedEdidSize(edid), edid.size());
    EXPECT_EQ(AnnouncedEdidSize(std::span(edid).first(126)), std::nullopt);
    std::vector<uint8_t> headless = edid;
    headless[0] = 1;
    EXPECT_FALSE(HasEdidHeader(headless));
    EXPECT_EQ(AnnouncedEdidSize(headless), std::nullopt);
}

} // namespace
