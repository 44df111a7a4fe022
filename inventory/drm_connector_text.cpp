#include "inventory/drm_connector_text.h"

#include <cstdint>

namespace moniquet {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The code point of the valid UTF-8 sequence at the start of `text` and its
// length; length 0 when there is none.
struct Sequence {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Sequence FirstSequence(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) {
        return {};
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {};
        }
        codePoint = codePoint << 6 | (byte(i) & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    if (overlong || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
        return {};
    }
    return {codePoint, length};
}

} // namespace

bool IsConnectorName(std::string_view name) {
    constexpr std::string_view kPrefix = "card";
    if (!name.starts_with(kPrefix)) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    const std::size_t digits = name.find_first_not_of("0123456789");
    return digits != 0 && digits != std::string_view::npos && name[digits] == '-' &&
           digits + 1 < name.size();
}

bool IsConnectedStatus(std::string_view status) {
    return status == "connected" || status == "connected\n";
}

std::u16string ConnectorSourceName(std::string_view folderName) {
    std::u16string name;
    while (!folderName.empty()) {
        const Sequence sequence = FirstSequence(folderName);
        if (sequence.length == 0) {
            name.push_back(kReplacement);
            folderName.remove_prefix(1);
            continue;
        }
        if (sequence.codePoint >= 0x10000) {
            const char32_t offset = sequence.codePoint - 0x10000;
            name.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
            name.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            name.push_back(static_cast<char16_t>(sequence.codePoint));
        }
        folderName.remove_prefix(sequence.length);
    }
    return name;
}

} // namespace moniquet
