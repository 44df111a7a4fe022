#include "cli/json_writer.h"

#include "cli/number_text.h"
#include "cli/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace moniquet {

namespace {

void Put(JsonWriter& w, std::string_view text) {
    JsonCommit(w, JsonCopy(JsonRoom(w, text.size()), text));
}

void Put(JsonWriter& w, char c) {
    *JsonRoom(w, 1) = c;
    ++w.used;
}

void Begin(JsonWriter& w, JsonLayout layout, char open, char close) {
    char* at = JsonItem(w, 1);
    const bool insideInline = w.depth != 0 && !w.levels[w.depth - 1].lines;
    if (w.depth < kJsonDepth) {
        const bool lines = layout == JsonLayout::Lines && !insideInline && !w.compact;
        w.levels[w.depth++] = {lines, true, close};
    }
    *at++ = open;
    JsonCommit(w, at);
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// \u00XX for a control character `c`.
void PutEscape(JsonWriter& w, char16_t c) {
    static constexpr char kHex[] = "0123456789abcdef";
    const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
    Put(w, std::string_view(escape, sizeof escape));
}

// A character JsonString writes as it is, one byte.
bool IsPlainAscii(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\';
}

} // namespace

std::string& JsonText(JsonWriter& w) {
    w.out.assign(w.buffer.get(), w.used);
    return w.out;
}

void JsonReserve(JsonWriter& w, std::size_t bytes) {
    JsonRoom(w, bytes);
}

[[gnu::noinline]] void JsonGrow(JsonWriter& w, std::size_t n) {
    const std::size_t room = std::max(2 * w.room, w.used + n + 4096);
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    if (w.used != 0) {
        std::memcpy(larger.get(), w.buffer.get(), w.used);
    }
    w.buffer = std::move(larger);
    w.room = room;
}

void JsonBeginObject(JsonWriter& w, JsonLayout layout) {
    Begin(w, layout, '{', '}');
}

void JsonBeginArray(JsonWriter& w, JsonLayout layout) {
    Begin(w, layout, '[', ']');
}

void JsonEnd(JsonWriter& w) {
    if (w.depth == 0) {
        return;
    }
    const JsonLevel level = w.levels[--w.depth];
    char* at = JsonRoom(w, kJsonBreakRoom + 1);
    if (level.lines && !level.empty) {
        at = JsonLineBreak(at, false, 2 * w.depth);
    }
    *at++ = level.close;
    JsonCommit(w, at);
}

void JsonString(JsonWriter& w, std::u16string_view text) {
    // The texts of EDIDs are mostly printable ASCII, each code unit a byte.
    if (std::all_of(text.begin(), text.end(), IsPlainAscii)) {
        char* at = JsonItem(w, text.size() + 2);
        *at++ = '"';
        for (const char16_t c : text) {
            *at++ = static_cast<char>(c);
        }
        *at++ = '"';
        JsonCommit(w, at);
        return;
    }
    JsonCommit(w, JsonItem(w, 0));
    Put(w, '"');
    std::size_t plain = 0; // start of the run not yet written
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const char16_t c = end ? 0 : text[i];
        if (!end && !IsControl(c) && c != u'"' && c != u'\\') {
            continue;
        }
        Put(w, ToUtf8(text.substr(plain, i - plain)));
        plain = i + 1;
        if (end) {
            break;
        }
        if (c == u'"' || c == u'\\') {
            Put(w, '\\');
            Put(w, static_cast<char>(c));
        } else {
            PutEscape(w, c);
        }
    }
    Put(w, '"');
}

void JsonUtf8String(JsonWriter& w, std::string_view text) {
    JsonCommit(w, JsonItem(w, 0));
    Put(w, '"');
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        const auto lead = static_cast<uint8_t>(text[0]);
        // The code point when below U+0100, the range of every character
        // escaped; 0x100 for the others.
        const char16_t c = length == 1                  ? lead
                           : length == 2 && lead < 0xC4 ? (lead & 0x1F) << 6 | (text[1] & 0x3F)
                                                        : 0x100;
        if (length == 0) {
            Put(w, "\uFFFD");
        } else if (c == u'"' || c == u'\\') {
            Put(w, '\\');
            Put(w, static_cast<char>(c));
        } else if (IsControl(c)) {
            PutEscape(w, c);
        } else {
            Put(w, text.substr(0, length));
        }
        text.remove_prefix(length == 0 ? 1 : length);
    }
    Put(w, '"');
}

void JsonEndLine(JsonWriter& w) {
    Put(w, '\n');
}

void JsonSigned(JsonWriter& w, int64_t value) {
    char* at = JsonItem(w, 21);
    const bool negative = value < 0;
    *at = '-';
    at += negative ? 1 : 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : value;
    JsonCommit(w, std::to_chars(at, at + 20, magnitude).ptr);
}

void JsonFixed(JsonWriter& w, double value, int decimals) {
    if (!std::isfinite(value)) {
        JsonNull(w);
        return;
    }
    char* at = JsonItem(w, kFixedRoom);
    JsonCommit(w, at + WriteFixed(at, value, decimals));
}

} // namespace moniquet
