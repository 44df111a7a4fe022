// `info` and `info --json` on every EDID of tests/data/edid that has golden
// files beside it: NAME.info.json and NAME.info.txt are exactly what the two
// formatters make of NAME.bin (bytes as collected) or NAME.hex (a synthetic
// EDID as hex text). How the golden values were checked is in
// tests/data/README.md. With MONIQUET_WRITE_GOLDENS=1 in the environment the
// test writes the golden files instead, for a change meant to change them:
// read `git diff tests/data/edid` before committing what it wrote.
#include "../edid/samples.h"
#include "cli/hex_text.h"
#include "cli/info_json.h"
#include "moniquet/json.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace moniquet;

namespace {

void ExpectGolden(const std::string& made, const std::filesystem::path& golden) {
    if (const char* write = std::getenv("MONIQUET_WRITE_GOLDENS"); write && *write == '1') {
        std::ofstream(golden, std::ios::binary) << made;
        return;
    }
    EXPECT_EQ(made, ReadWhole(golden)) << golden;
}

std::vector<uint8_t> ReadEdid(const std::string& name) {
    const std::filesystem::path input = SampleInput(name);
    const std::string file = ReadWhole(input);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.data()),
                                         file.size());
    if (input.extension() == ".bin") {
        return EdidBytes(bytes.begin(), bytes.end());
    }
    const Result<HexTextBytes> read = ParseHexText(bytes);
    EXPECT_TRUE(read) << name << ": " << read.error().message;
    return read ? read.value().bytes : EdidBytes();
}

class InfoGolden : public testing::TestWithParam<std::string> {};

TEST_P(InfoGolden, JsonAndTextAreTheGoldenFiles) {
    const std::string& name = GetParam();
    const EdidInfo info = DecodeEdidInfo(ReadEdid(name));
    ExpectGolden(FormatInfoJson(info), SamplePath(name, ".info.json"));
    ExpectGolden(FormatInfoText(info), SamplePath(name, ".info.txt"));
}

INSTANTIATE_TEST_SUITE_P(Samples, InfoGolden, testing::ValuesIn(NamesWith(".info.json")),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(InfoGoldenFiles, EverySampleHasThem) {
    const std::vector<std::string> goldens = NamesWith(".info.json");
    for (const std::string& name : SampleNames()) {
        EXPECT_TRUE(std::binary_search(goldens.begin(), goldens.end(), name)) << name;
    }
    EXPECT_EQ(NamesWith(".info.txt"), goldens);
}

} // namespace
