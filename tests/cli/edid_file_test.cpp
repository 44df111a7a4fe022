#include "cli/edid_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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
Result<EdidRead> ReadThroughStream(const std::vector<uint8_t>& bytes) {
    std::FILE* stream = std::tmpfile();
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
    std::rewind(stream);
    Result<EdidRead> read = ReadEdidStream(stream);
    std::fclose(stream);
    return read;
}

TEST(ReadEdidStream, KeepsEveryByteOfAnEdidOfAnySize) {
    for (std::size_t size : {128u, 200u, 256u, 257u, 1024u, 32895u, 32896u}) {
        const Result<EdidRead> read = ReadThroughStream(Counting(size));
        ASSERT_TRUE(read) << size << ": " << read.error().message;
        EXPECT_EQ(read.value().bytes, Counting(size)) << size;
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
        const Result<EdidRead> read = ReadThroughStream(Counting(size));
        ASSERT_FALSE(read) << size;
        EXPECT_EQ(read.error().message, reason);
        EXPECT_EQ(read.error().code, size < 128 ? ErrorCode::TooShort : ErrorCode::TooLong);
    }
}

// A file that cannot be opened is the system's reason, not one of the
// EDID's.
TEST(ReadEdidFile, AMissingFileIsUnreadable) {
    const Result<EdidRead> read = ReadEdidFile(testing::TempDir() + "/no such file.bin");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().code, ErrorCode::Unreadable);
    EXPECT_EQ(read.error().message, std::strerror(ENOENT));
}

} // namespace
