// SHA-256 and base64 against published vectors (tests/data/encoding) and
// against coreutils' sha256sum and base64 on the EDID samples and on every
// length around SHA-256's 64-byte chunk.
#include "../edid/samples.h"
#include "cli/base64.h"
#include "cli/sha256.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iomanip>
#include <sstream>
#include <unistd.h>

using namespace moniquet;

namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// What `command` prints on standard output.
std::string Output(const std::string& command) {
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    pclose(pipe);
    return out;
}

TEST(Encoding, PublishedVectors) {
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/encoding/vectors.txt");
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string kind, unit, expected;
        std::size_t repeat = 0;
        fields >> kind >> repeat >> std::quoted(unit) >> std::quoted(expected);
        std::string input;
        for (std::size_t i = 0; i < repeat; ++i) {
            input += unit;
        }
        EXPECT_EQ(kind == "sha256" ? Sha256Hex(Bytes(input)) : Base64(Bytes(input)), expected)
            << line;
        ++checked;
    }
    EXPECT_EQ(checked, 12);
}

TEST(Encoding, SameAsCoreutils) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("moniquet-encoding-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::vector<std::filesystem::path> files;
    for (const std::string& name : SampleNames()) {
        files.push_back(SamplePath(name, ".bin"));
    }
    // Every length from 0 to 130 bytes: the padding fits in the last chunk,
    // or does not, or starts a chunk of its own.
    const std::string bytes = ReadWhole(SamplePath("aoc2460-three-blocks", ".bin"));
    for (std::size_t length = 0; length <= 130; ++length) {
        files.push_back(dir / (std::to_string(length) + ".bin"));
        std::ofstream(files.back(), std::ios::binary) << bytes.substr(0, length);
    }
    for (const auto& file : files) {
        const std::string content = ReadWhole(file);
        // Built in steps: g++ 12 at -O2 wrongly sees an overlap in "'" + string.
        std::string quoted = "'";
        quoted += file.string();
        quoted += "'";
        EXPECT_EQ(Sha256Hex(Bytes(content)), Output("sha256sum " + quoted).substr(0, 64)) << file;
        EXPECT_EQ(Base64(Bytes(content)), Output("base64 -w0 " + quoted)) << file;
    }
    std::filesystem::remove_all(dir);
}

} // namespace
