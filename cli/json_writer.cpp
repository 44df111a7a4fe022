#include "cli/json_writer.h"

#include "cli/number_text.h"
#include "cli/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace moniquet {

namespace {

// A comma, a line break and the indentation of the levels our texts have,
// to be written in one piece: every item pays for this.
constexpr std::string_view kBreak = ",\n                                ";

[[gnu::noinline]] void Grow(JsonWriter& w, std::size_t n) {
    const std::size_t room = std::max(2 * w.room, w.used + n + 4096);
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    if (w.used != 0) {
        std::memcpy(larger.get(), w.buffer.get(), w.used);
    }
    w.buffer = std::move(larger);
    w.room = room;
}

// A place for `n` more bytes.
inline char* Room(JsonWriter& w, std::size_t n) {
    if (w.room - w.used < n) {
        Grow(w, n);
    }
    return w.buffer.get() + w.used;
}

// Copies `text` to `at`. Keys and most values are a few bytes, which two
// fixed-size moves copy in a handful of instructions where a call of memcpy
// would cost tens: a batch writes hundreds of them an EDID.
inline void Copy(char* at, std::string_view text) {
    const std::size_t n = text.size();
    const char* from = text.data();
    if (n >= 8 && n <= 16) {
        std::memcpy(at, from, 8);
        std::memcpy(at + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(at, from, 4);
        std::memcpy(at + n - 4, from + n - 4, 4);
    } else if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) {
            at[i] = from[i];
        }
    } else {
        std::memcpy(at, from, n);
    }
}

void Put(JsonWriter& w, std::string_view text) {
    Copy(Room(w, text.size()), text);
    w.used += text.size();
}

void Put(JsonWriter& w, char c) {
    *Room(w, 1) = c;
    ++w.used;
}

// Separator and line break before an item of the innermost container.
void BeginValue(JsonWriter& w) {
    if (w.afterKey) {
        w.afterKey = false;
        return;
    }
    if (w.depth == 0) {
        return;
    }
    JsonLevel& level = w.levels[w.depth - 1];
    const std::size_t comma = level.empty ? 0 : 1;
    level.empty = false;
    if (level.lines) {
        const std::size_t indent = 2 * w.depth;
        if (indent + 2 <= kBreak.size()) {
            Put(w, kBreak.substr(1 - comma, comma + 1 + indent));
            return;
        }
        Put(w, kBreak.substr(1 - comma, comma + 1));
        std::memset(Room(w, indent), ' ', indent);
        w.used += indent;
    } else if (comma != 0) {
        char* at = Room(w, 2);
        at[0] = ',';
        at[1] = ' ';
        w.used += w.compact ? 1 : 2;
    }
}

void Begin(JsonWriter& w, JsonLayout layout, char open, char close) {
    BeginValue(w);
    const bool insideInline = w.depth != 0 && !w.levels[w.depth - 1].lines;
    if (w.depth < kJsonDepth) {
        const bool lines = layout == JsonLayout::Lines && !insideInline && !w.compact;
        w.levels[w.depth++] = {lines, true, close};
    }
    Put(w, open);
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

// Digits of `value` at `at`, which has room for 20; returns their count.
std::size_t WriteUnsigned(char* at, uint64_t value) {
    return static_cast<std::size_t>(std::to_chars(at, at + 20, value).ptr - at);
}

} // namespace

std::string& JsonText(JsonWriter& w) {
    w.out.assign(w.buffer.get(), w.used);
    return w.out;
}

void JsonReserve(JsonWriter& w, std::size_t bytes) {
    Room(w, bytes);
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
    if (level.lines && !level.empty) {
        const std::size_t indent = 2 * w.depth;
        Put(w, '\n');
        std::memset(Room(w, indent), ' ', indent);
        w.used += indent;
    }
    Put(w, level.close);
}

void JsonKey(JsonWriter& w, std::string_view key) {
    BeginValue(w);
    char* at = Room(w, key.size() + 4);
    at[0] = '"';
    Copy(at + 1, key);
    std::memcpy(at + 1 + key.size(), "\": ", 3);
    w.used += key.size() + (w.compact ? 3 : 4);
    w.afterKey = true;
}

void JsonString(JsonWriter& w, std::u16string_view text) {
    BeginValue(w);
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
    BeginValue(w);
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

void JsonAsciiString(JsonWriter& w, std::string_view text) {
    BeginValue(w);
    char* at = Room(w, text.size() + 2);
    at[0] = '"';
    Copy(at + 1, text);
    at[text.size() + 1] = '"';
    w.used += text.size() + 2;
}

void JsonUnsigned(JsonWriter& w, uint64_t value) {
    BeginValue(w);
    w.used += WriteUnsigned(Room(w, 20), value);
}

void JsonSigned(JsonWriter& w, int64_t value) {
    BeginValue(w);
    char* at = Room(w, 21);
    const bool negative = value < 0;
    *at = '-';
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : value;
    w.used += (negative ? 1 : 0) + WriteUnsigned(at + (negative ? 1 : 0), magnitude);
}

void JsonFixed(JsonWriter& w, double value, int decimals) {
    if (!std::isfinite(value)) {
        JsonNull(w);
        return;
    }
    BeginValue(w);
    w.used += WriteFixed(Room(w, kFixedRoom), value, decimals);
}

void JsonBool(JsonWriter& w, bool value) {
    BeginValue(w);
    Put(w, value ? std::string_view("true") : std::string_view("false"));
}

void JsonNull(JsonWriter& w) {
    BeginValue(w);
    Put(w, "null");
}

} // namespace moniquet
