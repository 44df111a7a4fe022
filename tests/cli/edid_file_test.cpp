#include "cli/edid_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace moniquet;

namespace {

std::vector<uint8_t> Counting(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i + 1);
    }
    return bytes;
}

// Reads `bytes` through a real stdio stream, as the command does.
bool ReadThroughStream(const std::vector<uint8_t>& bytes, EdidBytes& edid, std::string& error) {
    std::FILE* stream = std::tmpfile();
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
    std::rewind(stream);
    const bool ok = ReadEdidStream(stream, edid, error);
    std::fclose(stream);
    return ok;
}

TEST(ReadEdidStream, KeepsEveryByteOfAnEdidOfAnySize) {
    for (std::size_t size : {128u, 200u, 256u, 257u, 1024u, 32895u, 32896u}) {
        EdidBytes edid(3, 0xEE);
        std::string error;
        ASSERT_TRUE(ReadThroughStream(Counting(size), edid, error)) << size << ": " << error;
        EXPECT_EQ(edid, Counting(size)) << size;
    }
}

TEST(ReadEdidStream, RejectsFewerThan128BytesAndMoreThan257Blocks) {
    const std::pair<std::size_t, std::string> cases[] = {
        {0, "not an EDID block: 0 bytes"},
        {1, "not an EDID block: 1 bytes"},
        {127, "not an EDID block: 127 bytes"},
        {32897, "too long for an EDID: 32897 bytes, at most 32896"},
        {40000, "too long for an EDID: 40000 bytes, at most 32896"},
    };
    for (const auto& [size, reason] : cases) {
        EdidBytes edid;
        std::string error;
        EXPECT_FALSE(ReadThroughStream(Counting(size), edid, error));
        EXPECT_EQ(error, reason);
    }
}

} // namespace
