// A JSON text built value by value, laid out for a reader: each container
// on lines of its own (one item per line, indented by two spaces a level) or
// on one line, as its caller chooses; or, for JSON Lines, every value on one
// line without spaces, whatever the caller chose.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace moniquet {

enum class JsonLayout {
    Lines,  // one item per line
    Inline, // every item on the container's line; containers inside it too
};

// One open object or array.
struct JsonLevel {
    bool lines = false;
    // No item written yet.
    bool empty = true;
    // '}' or ']'.
    char close = '}';
};

// Containers nest no deeper than this in our texts; deeper ones are
// written flat rather than past the array.
inline constexpr std::size_t kJsonDepth = 32;

// The text is written into `buffer` (`used` bytes of its `room`), whose
// bytes are not set beforehand; JsonText copies it into `out`.
struct JsonWriter {
    std::unique_ptr<char[]> buffer;
    std::size_t room = 0;
    std::size_t used = 0;
    std::string out;
    // Open containers, outermost first.
    std::array<JsonLevel, kJsonDepth> levels{};
    std::size_t depth = 0;
    // A key was just written; its value follows on the same line.
    bool afterKey = false;
    // Every container on one line, "," and ":" without a space after them:
    // one line of JSON Lines per top-level value.
    bool compact = false;
};

// The innermost open container is an object, whose values need keys.
inline bool JsonInObject(const JsonWriter& w) {
    return w.depth != 0 && w.levels[w.depth - 1].close == '}';
}

// The text so far, UTF-8, without a final line feed; the writer can go on.
std::string& JsonText(JsonWriter& w);
// The text so far, in the writer's own buffer: a caller that writes it out
// may then start the buffer anew with JsonClear, keeping its room.
inline std::string_view JsonBytes(const JsonWriter& w) {
    return {w.buffer.get(), w.used};
}
inline void JsonClear(JsonWriter& w) {
    w.used = 0;
}
// Ends a top-level value with a line feed: the next one starts a line of
// its own.
void JsonEndLine(JsonWriter& w);
// Room for `bytes` more, so that a text of about that size is written
// without growing.
void JsonReserve(JsonWriter& w, std::size_t bytes);

void JsonBeginObject(JsonWriter& w, JsonLayout layout);
void JsonBeginArray(JsonWriter& w, JsonLayout layout);
// Closes the innermost container, object or array.
void JsonEnd(JsonWriter& w);

// `key` is written as it is: callers pass fixed ASCII names.
inline void JsonKey(JsonWriter& w, std::string_view key);

// Each code unit is one character; unpaired surrogates are kept as
// ToUtf8 keeps them. Quotes, backslashes and every control character
// (U+0000 to U+001F, U+007F to U+009F) are escaped, the last as \u00XX, so
// that no control character reaches a terminal.
void JsonString(JsonWriter& w, std::u16string_view text);
// `text` is UTF-8 as a command line gives it (a file name): escaped as
// JsonString escapes, each byte that is not part of valid UTF-8 written as
// U+FFFD, so that the text stays valid JSON.
void JsonUtf8String(JsonWriter& w, std::string_view text);
// `text` is ASCII.
inline void JsonAsciiString(JsonWriter& w, std::string_view text);
inline void JsonUnsigned(JsonWriter& w, uint64_t value);
void JsonSigned(JsonWriter& w, int64_t value);
// `decimals` digits after the point, whatever the locale; null when `value`
// is not finite, which JSON cannot hold.
void JsonFixed(JsonWriter& w, double value, int decimals);
inline void JsonBool(JsonWriter& w, bool value);
inline void JsonNull(JsonWriter& w);

// What follows is inline because a text of `info --json` has hundreds of
// keys and small values, each a few bytes: calls and their separate checks
// for room cost more than the bytes themselves.

// The buffer made larger by at least `n` bytes.
void JsonGrow(JsonWriter& w, std::size_t n);

// Where the next `n` bytes go.
inline char* JsonRoom(JsonWriter& w, std::size_t n) {
    if (w.room - w.used < n) [[unlikely]] {
        JsonGrow(w, n);
    }
    return w.buffer.get() + w.used;
}

inline void JsonCommit(JsonWriter& w, const char* end) {
    w.used = static_cast<std::size_t>(end - w.buffer.get());
}

// The most a separator takes: a comma, a line feed and the indentation of
// the deepest level.
inline constexpr std::size_t kJsonBreakRoom = 2 + 2 * kJsonDepth;
// The longest separator; each shorter one is a piece of it, from its first
// byte (after an item) or its second (before the first).
inline constexpr char kJsonBreak[kJsonBreakRoom + 1] =
    ",\n                                                                ";
static_assert(sizeof kJsonBreak == kJsonBreakRoom + 1 && kJsonBreak[kJsonBreakRoom - 1] == ' ');

// A comma (not before the first item) and a line break indented `indent`
// spaces at `at`, which has room for kJsonBreakRoom; returns its end. All
// of kJsonBreak is copied, a fixed size being a few moves rather than a
// call of memcpy; the bytes past the end are overwritten by what follows.
inline char* JsonLineBreak(char* at, bool comma, std::size_t indent) {
    std::memcpy(at, kJsonBreak + (comma ? 0 : 1), kJsonBreakRoom);
    return at + (comma ? 2 : 1) + indent;
}

// The separator before an item of the innermost container, written at
// `at`, which has room for kJsonBreakRoom; returns where the item goes.
inline char* JsonSeparate(JsonWriter& w, char* at) {
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
        return JsonLineBreak(at, comma, 2 * w.depth);
    }
    if (comma) {
        at[0] = ',';
        at[1] = ' ';
        at += w.compact ? 1 : 2;
    }
    return at;
}

// Where an item of at most `n` bytes goes, after its separator.
inline char* JsonItem(JsonWriter& w, std::size_t n) {
    return JsonSeparate(w, JsonRoom(w, n + kJsonBreakRoom));
}

// Copies `text` to `at`. Keys and most values are a few bytes, which two
// fixed-size moves copy in a handful of instructions where a call of memcpy
// would cost tens.
inline char* JsonCopy(char* at, std::string_view text) {
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

inline void JsonKey(JsonWriter& w, std::string_view key) {
    char* at = JsonItem(w, key.size() + 4);
    *at++ = '"';
    at = JsonCopy(at, key);
    std::memcpy(at, "\": ", 3);
    JsonCommit(w, at + (w.compact ? 2 : 3));
    w.afterKey = true;
}

inline void JsonAsciiString(JsonWriter& w, std::string_view text) {
    char* at = JsonItem(w, text.size() + 2);
    *at++ = '"';
    at = JsonCopy(at, text);
    *at++ = '"';
    JsonCommit(w, at);
}

inline void JsonUnsigned(JsonWriter& w, uint64_t value) {
    constexpr std::size_t kDigits = 20;
    char* at = JsonItem(w, kDigits);
    JsonCommit(w, std::to_chars(at, at + kDigits, value).ptr);
}

inline void JsonBool(JsonWriter& w, bool value) {
    // Both words copied as 8 bytes, "false" and three bytes past it.
    char* at = JsonItem(w, 8);
    std::memcpy(at, value ? "true\0\0\0\0" : "false\0\0\0", 8);
    JsonCommit(w, at + (value ? 4 : 5));
}

inline void JsonNull(JsonWriter& w) {
    char* at = JsonItem(w, 4);
    std::memcpy(at, "null", 4);
    JsonCommit(w, at + 4);
}

} // namespace moniquet
