#include "cli/json_writer.h"

#include "cli/number_text.h"
#include "cli/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace moniquet {

// A text of `info --json` has hundreds of keys and small values of a few
// bytes each: each is written with one check for room, its separator, key
// and value at a pointer, so that the bookkeeping costs no more than the
// bytes.

namespace {

[[gnu::noinline]] void Grow(JsonWriter& w, std::size_t n) {
    const std::size_t room = std::max(2 * w.room, w.used + n + 4096);
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    if (w.used != 0) {
        std::memcpy(larger.get(), w.buffer.get(), w.used);
    }
    w.buffer = std::move(larger);
    w.room = room;
}

// Where the next `n` bytes go.
inline char* Room(JsonWriter& w, std::size_t n) {
    if (w.room - w.used < n) [[unlikely]] {
        Grow(w, n);
    }
    return w.buffer.get() + w.used;
}

// The text now ends at `end`.
inline void Commit(JsonWriter& w, const char* end) {
    w.used = static_cast<std::size_t>(end - w.buffer.get());
}

// The most a separator takes: a comma, a line feed and the indentation of
// the deepest level.
constexpr std::size_t kBreakRoom = 2 + 2 * kJsonDepth;
// The longest separator; each shorter one is a piece of it, from its first
// byte (after an item) or its second (before the first).
constexpr char kBreak[kBreakRoom + 1] =
    ",\n                                                                ";
static_assert(kBreak[kBreakRoom - 1] == ' ');

// A comma (not before the first item) and a line break indented `indent`
// spaces at `at`, which has room for kBreakRoom; returns its end. All of
// kBreak is copied, a fixed size being a few moves rather than a call of
// memcpy; what follows overwrites the bytes past the end.
inline char* LineBreak(char* at, bool comma, std::size_t indent) {
    std::memcpy(at, kBreak + (comma ? 0 : 1), kBreakRoom);
    return at + (comma ? 2 : 1) + indent;
}

// The separator before an item of the innermost container, written at
// `at`, which has room for kBreakRoom; returns where the item goes.
inline char* Separate(JsonWriter& w, char* at) {
    if (w.afterKey) {
        w.afterKey = false;
        return at;
    }
    if (w.depth == 0) {
        return at;
    }
    JsonLevel& level = w.levels[w.depth - 1];
    const bool comma = !level.empty;
    level.empty = false;
    if (level.lines) {
        return LineBreak(at, comma, 2 * w.depth);
    }
    if (comma) {
        at[0] = ',';
        at[1] = ' ';
        at += w.compact ? 1 : 2;
    }
    return at;
}

// Where an item of at most `n` bytes goes, after its separator.
inline char* Item(JsonWriter& w, std::size_t n) {
    return Separate(w, Room(w, n + kBreakRoom));
}

// Copies `text` to `at`; returns its end. Keys and most values are a few
// bytes, which two fixed-size moves copy in a handful of instructions where
// a call of memcpy would cost tens.
inline char* Copy(char* at, std::string_view text) {
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
    return at + n;
}

// `"key": ` at `at`, which has room for it; returns its end.
inline char* WriteKey(const JsonWriter& w, char* at, std::string_view key) {
    *at++ = '"';
    at = Copy(at, key);
    std::memcpy(at, "\": ", 3);
    return at + (w.compact ? 2 : 3);
}

// The separator and, in an object, `key`, with room for `n` bytes after
// them; returns where the value goes.
inline char* Keyed(JsonWriter& w, std::string_view key, std::size_t n) {
    char* at = Item(w, key.size() + 4 + n);
    return JsonInObject(w) ? WriteKey(w, at, key) : at;
}

void Put(JsonWriter& w, std::string_view text) {
    Commit(w, Copy(Room(w, text.size()), text));
}

void Put(JsonWriter& w, char c) {
    *Room(w, 1) = c;
    ++w.used;
}

// Each value's bytes at `at`, which has the room its caller asked for;
// each returns the end.

constexpr std::size_t kNullRoom = 4;
char* WriteNull(char* at) {
    std::memcpy(at, "null", 4);
    return at + 4;
}

// Both words are copied as 8 bytes, "false" and three past it.
constexpr std::size_t kBoolRoom = 8;
char* WriteBool(char* at, bool value) {
    std::memcpy(at, value ? "true\0\0\0\0" : "false\0\0\0", 8);
    return at + (value ? 4 : 5);
}

constexpr std::size_t kUnsignedRoom = 20;
char* WriteUnsigned(char* at, uint64_t value) {
    return std::to_chars(at, at + kUnsignedRoom, value).ptr;
}

constexpr std::size_t kSignedRoom = 21;
char* WriteSigned(char* at, int64_t value) {
    const bool negative = value < 0;
    *at = '-';
    at += negative ? 1 : 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : value;
    return WriteUnsigned(at, magnitude);
}

// `text` and its quotes: room for its size and 2.
char* WriteAscii(char* at, std::string_view text) {
    *at++ = '"';
    at = Copy(at, text);
    *at++ = '"';
    return at;
}

void Begin(JsonWriter& w, std::string_view key, JsonLayout layout, char open, char close) {
    char* at = key.empty() ? Item(w, 1) : Keyed(w, key, 1);
    const bool insideInline = w.depth != 0 && !w.levels[w.depth - 1].lines;
    if (w.depth < kJsonDepth) {
        const bool lines = layout == JsonLayout::Lines && !insideInline && !w.compact;
        w.levels[w.depth++] = {lines, true, close};
    }
    *at++ = open;
    Commit(w, at);
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A character JsonString writes as it is, one byte.
bool IsPlainAscii(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\';
}

// \u00XX for a control character `c`.
void PutEscape(JsonWriter& w, char16_t c) {
    static constexpr char kHex[] = "0123456789abcdef";
    const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
    Put(w, std::string_view(escape, sizeof escape));
}

// The quoted text after the separator (and key) that `at` follows.
void PutString(JsonWriter& w, char* at, std::u16string_view text) {
    // The texts of EDIDs are mostly printable ASCII, each code unit a byte:
    // the caller asked room for them and the quotes.
    if (std::all_of(text.begin(), text.end(), IsPlainAscii)) {
        *at++ = '"';
        for (const char16_t c : text) {
            *at++ = static_cast<char>(c);
        }
        *at++ = '"';
        Commit(w, at);
        return;
    }
    Commit(w, at);
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

} // namespace

std::string& JsonText(JsonWriter& w) {
    w.out.assign(w.buffer.get(), w.used);
    return w.out;
}

void JsonReserve(JsonWriter& w, std::size_t bytes) {
    Room(w, bytes);
}

void JsonBeginObject(JsonWriter& w, JsonLayout layout) {
    Begin(w, {}, layout, '{', '}');
}

void JsonBeginArray(JsonWriter& w, JsonLayout layout) {
    Begin(w, {}, layout, '[', ']');
}

void JsonEnd(JsonWriter& w) {
    if (w.depth == 0) {
        return;
    }
    // The level's bytes are read one by one: a load of two at once, just
    // after each was stored apart (Begin, Separate), waits for both stores.
    const JsonLevel& level = w.levels[--w.depth];
    char* at = Room(w, kBreakRoom + 1);
    if (level.lines && !level.empty) {
        at = LineBreak(at, false, 2 * w.depth);
    }
    *at++ = level.close;
    Commit(w, at);
}

void JsonKey(JsonWriter& w, std::string_view key) {
    Commit(w, WriteKey(w, Item(w, key.size() + 4), key));
    w.afterKey = true;
}

void JsonString(JsonWriter& w, std::u16string_view text) {
    PutString(w, Item(w, text.size() + 2), text);
}

void JsonUtf8String(JsonWriter& w, std::string_view text) {
    Commit(w, Item(w, 0));
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
    Commit(w, WriteAscii(Item(w, text.size() + 2), text));
}

void JsonUnsigned(JsonWriter& w, uint64_t value) {
    Commit(w, WriteUnsigned(Item(w, kUnsignedRoom), value));
}

void JsonSigned(JsonWriter& w, int64_t value) {
    Commit(w, WriteSigned(Item(w, kSignedRoom), value));
}

void JsonFixed(JsonWriter& w, double value, int decimals) {
    if (!std::isfinite(value)) {
        JsonNull(w);
        return;
    }
    char* at = Item(w, kFixedRoom);
    Commit(w, at + WriteFixed(at, value, decimals));
}

void JsonBool(JsonWriter& w, bool value) {
    Commit(w, WriteBool(Item(w, kBoolRoom), value));
}

void JsonNull(JsonWriter& w) {
    Commit(w, WriteNull(Item(w, kNullRoom)));
}

void JsonKeyedNull(JsonWriter& w, std::string_view key) {
    Commit(w, WriteNull(Keyed(w, key, kNullRoom)));
}

void JsonKeyedBool(JsonWriter& w, std::string_view key, bool value) {
    Commit(w, WriteBool(Keyed(w, key, kBoolRoom), value));
}

void JsonKeyedUnsigned(JsonWriter& w, std::string_view key, uint64_t value) {
    Commit(w, WriteUnsigned(Keyed(w, key, kUnsignedRoom), value));
}

void JsonKeyedSigned(JsonWriter& w, std::string_view key, int64_t value) {
    Commit(w, WriteSigned(Keyed(w, key, kSignedRoom), value));
}

void JsonKeyedFixed(JsonWriter& w, std::string_view key, double value, int decimals) {
    if (!std::isfinite(value)) {
        JsonKeyedNull(w, key);
        return;
    }
    char* at = Keyed(w, key, kFixedRoom);
    Commit(w, at + WriteFixed(at, value, decimals));
}

void JsonKeyedAsciiString(JsonWriter& w, std::string_view key, std::string_view text) {
    Commit(w, WriteAscii(Keyed(w, key, text.size() + 2), text));
}

void JsonKeyedString(JsonWriter& w, std::string_view key, std::u16string_view text) {
    PutString(w, Keyed(w, key, text.size() + 2), text);
}

void JsonKeyedBeginObject(JsonWriter& w, std::string_view key, JsonLayout layout) {
    Begin(w, key, layout, '{', '}');
}

void JsonKeyedBeginArray(JsonWriter& w, std::string_view key, JsonLayout layout) {
    Begin(w, key, layout, '[', ']');
}

} // namespace moniquet
