// What DecodeOptions change: the checks add the conformity and nothing else,
// and the commands' reference year comes from SOURCE_DATE_EPOCH's text.
#include "../edid/samples.h"
#include "cli/decode_options.h"
#include "cli/info_json.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace moniquet;

namespace {

// The EDIDs of a samples table: label, length, hex.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Table(const std::string& path) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> edids;
    std::istringstream lines(ReadWhole(std::filesystem::path(MONIQUET_TEST_DATA) / path));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        const std::string hex = line.substr(line.rfind('\t') + 1);
        std::vector<uint8_t> bytes;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        }
        edids.emplace_back(line.substr(0, tab), std::move(bytes));
    }
    return edids;
}

// The JSON up to its conformity object.
std::string Decoded(const std::vector<uint8_t>& edid, bool checks) {
    DecodeOptions options;
    options.checks = checks;
    const std::string json = FormatInfoJson(DecodeEdidInfo(edid, options));
    return json.substr(0, json.find("\"conformity\""));
}

// A check that changed what the walk decodes would change the fields of some
// real or crafted EDID (tests/data/crafted/*.tsv).
TEST(DecodeOptions, ChecksChangeNothingButTheConformity) {
    auto edids = Table("corpus/edid-samples.tsv");
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MONIQUET_TEST_DATA) + "/crafted")) {
        if (entry.path().extension() == ".tsv") {
            const auto crafted = Table("crafted/" + entry.path().filename().string());
            edids.insert(edids.end(), crafted.begin(), crafted.end());
        }
    }
    ASSERT_GT(edids.size(), 400u);
    for (const auto& [label, edid] : edids) {
        EXPECT_EQ(Decoded(edid, true), Decoded(edid, false)) << label;
    }
}

TEST(DecodeOptions, TheYearOfAnEpochInSeconds) {
    EXPECT_EQ(YearOfEpoch("0"), 1970u);
    EXPECT_EQ(YearOfEpoch("1798761599"), 2026u);
    EXPECT_EQ(YearOfEpoch("1798761600"), 2027u);
    EXPECT_EQ(YearOfEpoch("253402300799"), 9999u);
    for (const char* wrong : {"", "-1", "253402300800", "1e9", "1796774400 ", "+5", "x"}) {
        EXPECT_EQ(YearOfEpoch(wrong), std::nullopt) << wrong;
    }
}

} // namespace
