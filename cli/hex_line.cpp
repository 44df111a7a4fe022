#include "cli/hex_line.h"

#include <algorithm>

namespace moniquet {

namespace {

constexpr std::size_t kShortestOffset = 6;
constexpr std::size_t kLongestNumber = 8;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

bool AllHex(std::string_view token) {
    return !token.empty() && std::all_of(token.begin(), token.end(), IsHexDigit);
}

uint8_t HexValue(char c) {
    return static_cast<uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    tokens.reserve(text.size() / 3 + 1);
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) {
            ++i;
        }
        tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

bool IsXxdOffset(std::string_view token) {
    return token.size() > kShortestOffset && token.back() == ':' &&
           AllHex(token.substr(0, token.size() - 1));
}

// A dump's text column shows the bytes as characters, which may look like
// hex or comments: it goes before anything else is read. xxd's is kept in
// `text`, to tell the order of the bytes of its groups.
std::string_view WithoutTextColumn(std::string_view line, HexLineState& state, std::string& text) {
    std::size_t firstStart = 0;
    while (firstStart < line.size() && IsSpace(line[firstStart])) {
        ++firstStart;
    }
    std::size_t firstEnd = firstStart;
    while (firstEnd < line.size() && !IsSpace(line[firstEnd])) {
        ++firstEnd;
    }
    if (firstStart == firstEnd) {
        return line;
    }
    const std::string_view first = line.substr(firstStart, firstEnd - firstStart);
    if (IsXxdOffset(first)) {
        // xxd -e right-aligns the digits of a short last group, which puts
        // two spaces inside the hex: the text starts where it did above.
        std::size_t gap = line.find("  ", firstEnd);
        const std::size_t at = state.textColumnAt;
        if (at >= 2 && at <= line.size() && line.substr(at - 2, 2) == "  ") {
            gap = at - 2;
        }
        if (gap == std::string_view::npos) {
            return line;
        }
        if (state.textColumnAt == 0) {
            state.textColumnAt = gap + 2;
        }
        text = line.substr(gap + 2);
        return line.substr(0, gap);
    }
    if (first.size() >= kShortestOffset && AllHex(first)) {
        return line.substr(0, line.find('|', firstEnd));
    }
    return line;
}

std::string WithoutComments(std::string_view line, bool& inComment) {
    std::string kept;
    while (!line.empty()) {
        const std::size_t start = std::min({line.find("//"), line.find('#'), line.find("/*")});
        kept += line.substr(0, start);
        if (start == std::string_view::npos || line.substr(start, 2) != "/*") {
            break;
        }
        kept += ' ';
        const std::size_t end = line.find("*/", start + 2);
        if (end == std::string_view::npos) {
            inComment = true;
            break;
        }
        line.remove_prefix(end + 2);
    }
    return kept;
}

// The offset column, taken off `tokens`: "" when there is none.
std::string TakeOffset(std::vector<std::string_view>& tokens, OffsetStyle& style) {
    if (tokens.empty()) {
        return {};
    }
    std::string_view first = tokens[0];
    const bool colon = IsXxdOffset(first);
    const std::size_t width = tokens.size() > 1 ? tokens[1].size() : 0;
    const bool column = width != 0 && width % 2 == 0 && width != first.size() &&
                        first.size() >= kShortestOffset && AllHex(first) &&
                        std::all_of(tokens.begin() + 1, tokens.end(), [&](std::string_view token) {
                            return token.size() == width && AllHex(token);
                        });
    if (!colon && !column) {
        return {};
    }
    first.remove_suffix(colon ? 1 : 0);
    tokens.erase(tokens.begin());
    style = colon ? OffsetStyle::Colon : OffsetStyle::Column;
    return std::string(first);
}

} // namespace

int HexDigitValue(char c) {
    return IsHexDigit(c) ? HexValue(c) : -1;
}

HexLine ReadHexLine(std::string_view line, HexLineState& state) {
    HexLine read;
    if (state.inComment) {
        const std::size_t end = line.find("*/");
        if (end == std::string_view::npos) {
            return read;
        }
        state.inComment = false;
        line.remove_prefix(end + 2);
    }
    std::string text =
        WithoutComments(WithoutTextColumn(line, state, read.textColumn), state.inComment);
    if (const std::size_t open = text.rfind('{'); open != std::string::npos) {
        text.erase(0, open + 1);
    }
    if (const std::size_t close = text.find('}'); close != std::string::npos) {
        text.erase(close);
        read.closes = true;
    }
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == ',' || c == ';' || c == '='; }, ' ');
    std::vector<std::string_view> tokens = Tokens(text);
    read.offset = TakeOffset(tokens, read.offsetStyle);
    if (tokens.empty()) {
        return read;
    }
    if (read.offset.empty() && tokens.size() == 1) {
        const std::string_view only = tokens[0];
        if (only == "*") {
            read.kind = HexLineKind::Repeat;
            return read;
        }
        if (state.offsetWidth != 0 && only.size() == state.offsetWidth && AllHex(only)) {
            read.kind = HexLineKind::Offset;
            read.offset = only;
            return read;
        }
        read.number =
            only.size() <= kLongestNumber &&
            std::all_of(only.begin(), only.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
    bool odd = false;
    read.bytes.reserve(text.size() / 2);
    read.groups.reserve(tokens.size());
    for (std::string_view token : tokens) {
        if (token.size() > 2 && token[0] == '0' && (token[1] | 0x20) == 'x') {
            token.remove_prefix(2);
        }
        if (!AllHex(token)) {
            read.kind = HexLineKind::Other;
            read.bytes.clear();
            read.groups.clear();
            return read;
        }
        odd = odd || token.size() % 2 != 0;
        read.groups.push_back(static_cast<uint32_t>(token.size() / 2));
        for (std::size_t i = 0; i + 1 < token.size(); i += 2) {
            read.bytes.push_back(
                static_cast<uint8_t>(HexValue(token[i]) << 4 | HexValue(token[i + 1])));
        }
    }
    read.kind = odd ? HexLineKind::OddHex : HexLineKind::Hex;
    if (odd) {
        read.bytes.clear();
        read.groups.clear();
    }
    if (!read.offset.empty()) {
        state.offsetWidth = read.offset.size();
    }
    return read;
}

} // namespace moniquet
