#include "cli/hex_text.h"

#include <algorithm>
#include <array>

namespace {

enum class LineKind { Blank, Hex, OddHex, Other };

// Editors on Windows may start a text file with the UTF-8 byte order mark.
std::span<const uint8_t> WithoutByteOrderMark(std::span<const uint8_t> text) {
    constexpr std::array<uint8_t, 3> kByteOrderMark = {0xEF, 0xBB, 0xBF};
    const bool marked = text.size() >= kByteOrderMark.size() &&
                        std::equal(kByteOrderMark.begin(), kByteOrderMark.end(), text.begin());
    return marked ? text.subspan(kByteOrderMark.size()) : text;
}

bool IsSeparator(uint8_t c) {
    return c == ' ' || c == '\t' || c == ',';
}

int HexValue(uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads one line (without its LF) and, when it is a hex line, appends its
// bytes to `bytes`; anything else leaves `bytes` as it was.
LineKind ReadLine(std::span<const uint8_t> line, EdidBytes& bytes) {
    if (!line.empty() && line.back() == '\r') {
        line = line.first(line.size() - 1);
    }
    const std::size_t kept = bytes.size();
    bool odd = false;
    bool any = false;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsSeparator(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '0' && i + 2 < line.size() && (line[i + 1] | 0x20) == 'x' &&
            HexValue(line[i + 2]) >= 0) {
            i += 2;
        }
        const std::size_t start = i;
        while (i < line.size() && HexValue(line[i]) >= 0) {
            ++i;
        }
        if (i == start || (i < line.size() && !IsSeparator(line[i]))) {
            bytes.resize(kept);
            return LineKind::Other;
        }
        odd = odd || (i - start) % 2 != 0;
        for (std::size_t k = start; k + 1 < i; k += 2) {
            bytes.push_back(static_cast<uint8_t>(HexValue(line[k]) * 16 + HexValue(line[k + 1])));
        }
        any = true;
    }
    if (odd) {
        bytes.resize(kept);
        return LineKind::OddHex;
    }
    return any ? LineKind::Hex : LineKind::Blank;
}

} // namespace

bool IsHexText(std::span<const uint8_t> input) {
    input = WithoutByteOrderMark(input);
    if (input.empty() || (input.size() >= kEdidHeader.size() &&
                          std::equal(kEdidHeader.begin(), kEdidHeader.end(), input.begin()))) {
        return false;
    }
    return std::all_of(input.begin(), input.end(), [](uint8_t c) {
        return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n';
    });
}

bool ParseHexText(std::span<const uint8_t> text, EdidBytes& bytes, std::string& error) {
    text = WithoutByteOrderMark(text);
    EdidBytes read;
    bool started = false;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = std::find(text.begin(), text.end(), uint8_t('\n'));
        const LineKind kind = ReadLine(std::span(text.begin(), end), read);
        text = text.subspan(std::min<std::size_t>(end - text.begin() + 1, text.size()));
        if (kind == LineKind::OddHex) {
            error = "line " + std::to_string(number) + ": odd number of hex digits";
            return false;
        }
        if (kind == LineKind::Other && started) {
            break;
        }
        started = started || kind == LineKind::Hex;
    }
    if (!started) {
        error = "no hex bytes";
        return false;
    }
    bytes = std::move(read);
    return true;
}
