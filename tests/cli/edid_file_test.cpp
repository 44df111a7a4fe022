#include "cli/edid_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

std::vector<uint8_t> Counting(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i + 1);
    }
    return bytes;
}

// Reads `bytes` through a real stdio stream, as the command does.
bool ReadThroughStream(const std::vector<uint8_t>& bytes, EdidBlock& block, std::string& error) {
    std::FILE* stream = std::tmpfile();
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
    std::rewind(stream);
    const bool ok = ReadEdidStream(stream, block, error);
    std::fclose(stream);
    return ok;
}

TEST(ReadEdidStream, PadsShortBlocksAndCutsLongOnes) {
    for (std::size_t size : {128u, 200u, 255u, 256u, 257u, 1024u}) {
        EdidBlock block;
        block.fill(0xEE);
        std::string error;
        ASSERT_TRUE(ReadThroughStream(Counting(size), block, error)) << size;
        for (std::size_t i = 0; i < block.size(); ++i) {
            const uint8_t expected = i < size ? static_cast<uint8_t>(i + 1) : 0;
            ASSERT_EQ(block[i], expected) << "size " << size << " byte " << i;
        }
    }
}

TEST(ReadEdidStream, RejectsFewerThan128Bytes) {
    for (std::size_t size : {0u, 1u, 127u}) {
        EdidBlock block{};
        std::string error;
        EXPECT_FALSE(ReadThroughStream(Counting(size), block, error));
        EXPECT_EQ(error, "not an EDID block: " + std::to_string(size) + " bytes");
    }
}

} // namespace
