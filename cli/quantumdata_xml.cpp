#include "cli/quantumdata_xml.h"

#include "cli/hex_line.h"

#include <algorithm>

namespace moniquet {

namespace {

constexpr std::string_view kBlockTag = "<BLOCK";
constexpr std::size_t kBlockDigits = 2 * kEdidBlockLength;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The line (0 for the first) of `text`'s character `at`.
std::size_t LineAt(std::string_view text, const std::vector<std::string_view>& lines,
                   std::size_t at) {
    const auto after = std::upper_bound(
        lines.begin(), lines.end(), at, [&](std::size_t offset, std::string_view line) {
            return offset < static_cast<std::size_t>(line.data() - text.data());
        });
    return after == lines.begin() ? 0 : static_cast<std::size_t>(after - lines.begin()) - 1;
}

std::string Element(std::size_t index) {
    return std::string(kBlockTag) + std::to_string(index) + ">";
}

// The bytes of one element's hex digits; false, with `reason` set, for
// anything else in it or a count other than a block's.
bool BlockBytes(std::string_view content, std::size_t index, EdidBytes& bytes,
                std::string& reason) {
    std::size_t digits = 0;
    int high = -1;
    for (const char c : content) {
        if (IsSpace(c)) {
            continue;
        }
        const int value = HexDigitValue(c);
        if (value < 0) {
            reason = Element(index) + " holds '" + std::string(1, c) + "', which is no hex digit";
            return false;
        }
        if (++digits > kBlockDigits) {
            continue;
        }
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | value));
            high = -1;
        }
    }
    if (digits != kBlockDigits) {
        reason = Element(index) + " holds " + std::to_string(digits) + " hex digits, not " +
                 std::to_string(kBlockDigits);
        return false;
    }
    return true;
}

} // namespace

bool IsQuantumDataXml(std::string_view text) {
    // A dump's text column may spell "<DATAOBJ" out of an EDID's bytes (a
    // product name, say): XML is only what starts as a markup does.
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '<' &&
           text.find("<DATAOBJ") != std::string_view::npos;
}

Result<HexTextBytes> ReadQuantumDataXml(std::string_view text,
                                        const std::vector<std::string_view>& lines) {
    EdidBytes read;
    std::vector<HexLineSpan> readSpans;
    std::size_t index = 0;
    for (std::size_t open = text.find(kBlockTag); open != std::string_view::npos;
         open = text.find(kBlockTag, open)) {
        const std::size_t numberAt = open + kBlockTag.size();
        const std::size_t end = text.find_first_not_of("0123456789", numberAt);
        const std::size_t line = LineAt(text, lines, open);
        if (end == numberAt || end == std::string_view::npos || text[end] != '>') {
            // Another element whose name starts so: not a block.
            open = numberAt;
            continue;
        }
        const std::string_view number = text.substr(numberAt, end - numberAt);
        if (number != std::to_string(index)) {
            return TextError(LineError(line, "<BLOCK" + std::string(number) + "> where " +
                                                 Element(index) + " was to come"));
        }
        const std::string close = "</BLOCK" + std::string(number) + ">";
        const std::size_t closeAt = text.find(close, end + 1);
        if (closeAt == std::string_view::npos) {
            return TextError(LineError(line, Element(index) + " without " + close));
        }
        readSpans.push_back({read.size(), line});
        std::string reason;
        if (!BlockBytes(text.substr(end + 1, closeAt - end - 1), index, read, reason)) {
            return TextError(LineError(line, reason));
        }
        ++index;
        open = closeAt + close.size();
    }
    if (index == 0) {
        return TextError("no <BLOCK0> element in the QuantumData XML");
    }
    return HexTextBytes{std::move(read), std::move(readSpans), {}};
}

} // namespace moniquet
