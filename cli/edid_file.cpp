#include "cli/edid_file.h"

#include "cli/platform_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

bool BlockFromBytes(std::span<const uint8_t> bytes, EdidBlock& block, std::string& error) {
    if (bytes.size() < kMinimumEdidSize) {
        error = "not an EDID block: " + std::to_string(bytes.size()) + " bytes";
        return false;
    }
    block.fill(0);
    const std::size_t kept = std::min(bytes.size(), block.size());
    std::copy_n(bytes.begin(), kept, block.begin());
    return true;
}

bool ReadEdidStream(std::FILE* stream, EdidBlock& block, std::string& error) {
    // Only the first 256 bytes matter; a longer file is not read further.
    EdidBlock buffer{};
    std::size_t size = 0;
    while (size < buffer.size()) {
        const std::size_t got = std::fread(buffer.data() + size, 1, buffer.size() - size, stream);
        if (got == 0) {
            break;
        }
        size += got;
    }
    if (std::ferror(stream)) {
        const int code = errno;
        error = code != 0 ? std::strerror(code) : "read error";
        return false;
    }
    return BlockFromBytes(std::span<const uint8_t>(buffer.data(), size), block, error);
}

bool ReadEdidFile(const std::string& path, EdidBlock& block, std::string& error) {
    if (path == "-") {
        return ReadEdidStream(stdin, block, error);
    }
    errno = 0;
    std::FILE* file = OpenFileUtf8(path, "rb");
    if (file == nullptr) {
        error = errno != 0 ? std::strerror(errno) : "cannot open";
        return false;
    }
    errno = 0;
    const bool ok = ReadEdidStream(file, block, error);
    std::fclose(file);
    return ok;
}
