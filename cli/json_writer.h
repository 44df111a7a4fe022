// A JSON text built value by value, laid out for a reader: each container
// on lines of its own (one item per line, indented by two spaces a level) or
// on one line, as its caller chooses; or, for JSON Lines, every value on one
// line without spaces, whatever the caller chose.
#pragma once

#include <array>
#include <cstdint>
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
void JsonKey(JsonWriter& w, std::string_view key);

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
void JsonAsciiString(JsonWriter& w, std::string_view text);
void JsonUnsigned(JsonWriter& w, uint64_t value);
void JsonSigned(JsonWriter& w, int64_t value);
// `decimals` digits after the point, whatever the locale; null when `value`
// is not finite, which JSON cannot hold.
void JsonFixed(JsonWriter& w, double value, int decimals);
void JsonBool(JsonWriter& w, bool value);
void JsonNull(JsonWriter& w);

// The next value of the innermost container, under `key` when that is an
// object (the key is ignored in an array), as JsonKey and the value's own
// function would write them, in one call.
void JsonKeyedNull(JsonWriter& w, std::string_view key);
void JsonKeyedBool(JsonWriter& w, std::string_view key, bool value);
void JsonKeyedUnsigned(JsonWriter& w, std::string_view key, uint64_t value);
void JsonKeyedSigned(JsonWriter& w, std::string_view key, int64_t value);
void JsonKeyedFixed(JsonWriter& w, std::string_view key, double value, int decimals);
void JsonKeyedAsciiString(JsonWriter& w, std::string_view key, std::string_view text);
void JsonKeyedString(JsonWriter& w, std::string_view key, std::u16string_view text);
// An empty `key` is not written, even in an object.
void JsonKeyedBeginObject(JsonWriter& w, std::string_view key, JsonLayout layout);
void JsonKeyedBeginArray(JsonWriter& w, std::string_view key, JsonLayout layout);

} // namespace moniquet
