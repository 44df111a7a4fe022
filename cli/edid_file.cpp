#include "cli/edid_file.h"

#include "cli/hex_text.h"
#include "cli/platform_file.h"
#include "moniquet/moniquet.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace moniquet {

namespace {

// Reads into `bytes` after its first `length` what `stream` holds, until
// `length` reaches `limit` or the stream ends. `bytes` only grows, so that its
// room, zero-filled once, serves every file of a run.
bool ReadUpTo(std::FILE* stream, std::size_t limit, std::vector<uint8_t>& bytes,
              std::size_t& length, std::string& error) {
    if (limit > length) {
        if (bytes.size() < limit) {
            bytes.resize(limit);
        }
        errno = 0;
        length += std::fread(bytes.data() + length, 1, limit - length, stream);
    }
    if (std::ferror(stream)) {
        const int code = errno;
        error = code != 0 ? std::strerror(code) : "read error";
        return false;
    }
    return true;
}

// The whole size of a stream that can seek (a file, or standard input
// redirected from one), found without reading it; 0 for a pipe or a
// terminal.
uint64_t SeekableSize(std::FILE* stream) {
    if (std::fseek(stream, 0, SEEK_END) != 0) {
        return 0;
    }
    const long size = std::ftell(stream);
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

// "too long for WHAT: SIZE bytes, at most LIMIT", or "more than LIMIT bytes"
// when the whole size is not known.
std::string TooLong(const char* what, uint64_t wholeSize, std::size_t limit) {
    return std::string("too long for ") + what + ": " +
           (wholeSize > limit
                ? std::to_string(wholeSize) + " bytes, at most " + std::to_string(limit)
                : "more than " + std::to_string(limit) + " bytes");
}

// Why `input` cannot be an EDID by its size alone, if it cannot.
std::optional<Error> WrongSize(std::span<const uint8_t> input, uint64_t wholeSize) {
    if (input.size() < kMinimumEdidSize) {
        return Error{ErrorCode::TooShort,
                     "not an EDID block: " + std::to_string(input.size()) + " bytes"};
    }
    if (input.size() > kMaximumEdidSize) {
        return Error{ErrorCode::TooLong, TooLong("an EDID", wholeSize, kMaximumEdidSize)};
    }
    return std::nullopt;
}

// A dump cut short (a line lost in copying, the rest of a terminal's
// scrollback) would otherwise decode as a truncated EDID: when the bytes
// start as an EDID does, its extension count says how many there are to be.
bool HasAllAnnouncedBlocks(const EdidBytes& bytes, std::string& error) {
    const std::optional<std::size_t> size = AnnouncedEdidSize(bytes);
    if (!size) {
        return true;
    }
    const std::size_t announced = *size;
    if (bytes.size() >= announced) {
        return true;
    }
    error = "hex text ends after " + std::to_string(bytes.size()) + " bytes; the EDID announces " +
            std::to_string(announced);
    return false;
}

// Hex text stands for whole 128-byte blocks. Bytes past the last whole
// block of an EDID are not the EDID's (a word pasted after the dump, a line
// twice); without the header nothing tells, and they are decoded with a
// warning.
bool HasWholeBlocks(const EdidBytes& bytes, const std::vector<HexLineSpan>& spans,
                    std::string& error, std::string& warning) {
    const std::size_t past = bytes.size() % kEdidBlockLength;
    const bool header = HasEdidHeader(bytes);
    if (past != 0 && header) {
        error = "line " + std::to_string(LineOfByte(spans, bytes.size() - past) + 1) + ": " +
                std::to_string(past) + (past == 1 ? " byte" : " bytes") +
                " past the last whole 128-byte block";
        return false;
    }
    if (!header) {
        warning = past == 0 ? "no EDID header; decoded as is"
                            : "no EDID header, and " + std::to_string(bytes.size()) +
                                  " bytes: not whole 128-byte blocks; decoded as is";
    }
    return true;
}

} // namespace

Result<EdidRead> EdidFromInput(std::span<const uint8_t> input, uint64_t wholeSize) {
    if (!IsHexText(input)) {
        if (const std::optional<Error> wrong = WrongSize(input, wholeSize)) {
            return *wrong;
        }
        return EdidRead{EdidBytes(input.begin(), input.end()),
                        HasEdidHeader(input) ? "" : "no EDID header; decoded as is"};
    }
    if (input.size() > kMaximumHexTextSize) {
        return Error{ErrorCode::TooLong, TooLong("hex text", wholeSize, kMaximumHexTextSize)};
    }
    Result<HexTextBytes> text = ParseHexText(input);
    if (!text) {
        return text.error();
    }
    HexTextBytes& read = text.value();
    std::string error;
    std::string blocksWarning;
    if (!HasAllAnnouncedBlocks(read.bytes, error) ||
        (read.bytes.size() >= kMinimumEdidSize &&
         !HasWholeBlocks(read.bytes, read.spans, error, blocksWarning))) {
        return TextError(std::move(error));
    }
    if (const std::optional<Error> wrong = WrongSize(read.bytes, read.bytes.size())) {
        return *wrong;
    }
    std::string warning = std::move(read.warning);
    if (!warning.empty() && !blocksWarning.empty()) {
        warning += "; ";
    }
    return EdidRead{std::move(read.bytes), warning + blocksWarning};
}

Result<EdidRead> ReadEdidStream(std::FILE* stream) {
    // Kept from call to call: `info FILE...` reads many files.
    static thread_local std::vector<uint8_t> buffer;
    std::size_t length = 0;
    std::string error;
    if (!ReadUpTo(stream, kMaximumEdidSize + 1, buffer, length, error)) {
        return Error{ErrorCode::Unreadable, std::move(error)};
    }
    const std::span<const uint8_t> start(buffer.data(), length);
    // Hex text takes more room than the bytes it stands for.
    if (length > kMaximumEdidSize && IsHexText(start) &&
        !ReadUpTo(stream, kMaximumHexTextSize + 1, buffer, length, error)) {
        return Error{ErrorCode::Unreadable, std::move(error)};
    }
    const std::span<const uint8_t> input(buffer.data(), length);
    const uint64_t wholeSize = std::feof(stream) ? input.size() : SeekableSize(stream);
    return EdidFromInput(input, wholeSize);
}

Result<EdidRead> ReadEdidFile(const std::string& path) {
    if (path == "-") {
        return ReadEdidStream(stdin);
    }
    errno = 0;
    std::FILE* file = OpenFileUtf8(path, "rb");
    if (file == nullptr) {
        return Error{ErrorCode::Unreadable, errno != 0 ? std::strerror(errno) : "cannot open"};
    }
    // The file is read in one or two requests of known size into a buffer of
    // our own: a stdio buffer would only cost a copy and, to size it, a stat
    // of the file, one system call in five of a batch's.
    std::setvbuf(file, nullptr, _IONBF, 0);
    Result<EdidRead> read = ReadEdidStream(file);
    std::fclose(file);
    return read;
}

} // namespace moniquet
