// `info` and `info --json` on every EDID of tests/data/edid that has golden
// files beside it: NAME.info.json and NAME.info.txt are exactly what the two
// formatters make of NAME.bin (bytes as collected) or NAME.hex (a synthetic
// EDID as hex text). How the golden values were checked is in
// tests/data/README.md.
#include "cli/info_json.h"
#include "cli/info_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

const std::filesystem::path kDataDir = std::filesystem::path(MONIQUET_TEST_DATA) / "edid";

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> ReadEdid(const std::string& name) {
    const auto bin = kDataDir / (name + ".bin");
    if (std::filesystem::exists(bin)) {
        const std::string bytes = ReadWhole(bin);
        return {bytes.begin(), bytes.end()};
    }
    std::istringstream hex(ReadWhole(kDataDir / (name + ".hex")));
    std::vector<uint8_t> bytes;
    unsigned value = 0;
    while (hex >> std::hex >> value) {
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

std::vector<std::string> NamesWith(const std::string& suffix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > suffix.size() && file.ends_with(suffix)) {
            names.push_back(file.substr(0, file.size() - suffix.size()));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class InfoGolden : public testing::TestWithParam<std::string> {};

TEST_P(InfoGolden, JsonAndTextAreTheGoldenFiles) {
    const std::string& name = GetParam();
    const EdidInfo info = DecodeEdidInfo(ReadEdid(name));
    EXPECT_EQ(FormatInfoJson(info), ReadWhole(kDataDir / (name + ".info.json")));
    EXPECT_EQ(FormatInfoText(info), ReadWhole(kDataDir / (name + ".info.txt")));
}

INSTANTIATE_TEST_SUITE_P(Samples, InfoGolden, testing::ValuesIn(NamesWith(".info.json")),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(InfoGoldenFiles, EverySampleHasThem) {
    const std::vector<std::string> goldens = NamesWith(".info.json");
    for (const std::string& name : NamesWith(".bin")) {
        EXPECT_TRUE(std::binary_search(goldens.begin(), goldens.end(), name)) << name;
    }
    EXPECT_EQ(NamesWith(".info.txt"), goldens);
}

} // namespace
