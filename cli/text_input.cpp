#include "cli/text_input.h"

#include "cli/utf8.h"

#include <algorithm>
#include <optional>

namespace moniquet {

namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be };

bool StartsWith(std::span<const uint8_t> input, std::initializer_list<uint8_t> mark) {
    return input.size() >= mark.size() && std::equal(mark.begin(), mark.end(), input.begin());
}

std::u16string FromUtf16(std::span<const uint8_t> input, bool bigEndian) {
    std::u16string text;
    text.reserve(input.size() / 2);
    for (std::size_t i = 0; i + 1 < input.size(); i += 2) {
        const unsigned first = input[i];
        const unsigned second = input[i + 1];
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

// UTF-16 without a byte order mark, as some Windows tools write it: its
// first two characters ASCII, a 0 byte beside each. No other text has a 0
// byte there, and no EDID either (its header starts 00 FF FF).
std::optional<bool> Utf16BigEndianWithoutMark(std::span<const uint8_t> input) {
    if (input.size() < 4) {
        return std::nullopt;
    }
    const auto ascii = [](uint8_t c) { return c != 0 && c < 0x80; };
    if (ascii(input[0]) && input[1] == 0 && ascii(input[2]) && input[3] == 0) {
        return false;
    }
    if (input[0] == 0 && ascii(input[1]) && input[2] == 0 && ascii(input[3])) {
        return true;
    }
    return std::nullopt;
}

bool IsTextCharacter(uint8_t c) {
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string DecodedText(std::span<const uint8_t> input) {
    std::string text;
    if (StartsWith(input, {0xFF, 0xFE}) || StartsWith(input, {0xFE, 0xFF})) {
        text = ToUtf8(FromUtf16(input.subspan(2), input[0] == 0xFE));
    } else if (const auto bigEndian = Utf16BigEndianWithoutMark(input)) {
        text = ToUtf8(FromUtf16(input, *bigEndian));
    } else {
        if (StartsWith(input, {0xEF, 0xBB, 0xBF})) {
            input = input.subspan(3);
        }
        text.assign(input.begin(), input.end());
    }
    text.erase(text.find_last_not_of('\0') + 1);
    return text;
}

bool IsText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return IsTextCharacter(static_cast<uint8_t>(c)); });
}

} // namespace moniquet
