#include "cli/text_input.h"

#include "cli/utf8.h"

#include <algorithm>

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

bool IsTextCharacter(uint8_t c) {
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string DecodedText(std::span<const uint8_t> input) {
    std::string text;
    if (StartsWith(input, {0xFF, 0xFE}) || StartsWith(input, {0xFE, 0xFF})) {
        text = ToUtf8(FromUtf16(input.subspan(2), input[0] == 0xFE));
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
