// A JSON text built value by value, laid out for a reader: each container
// on lines of its own (one item per line, indented by two spaces a level) or
// on one line, as its caller chooses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

struct JsonWriter {
    // The text so far, UTF-8, without a final line feed.
    std::string out;
    // Open containers, outermost first.
    std::vector<JsonLevel> levels;
    // A key was just written; its value follows on the same line.
    bool afterKey = false;
};

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
// `text` is ASCII.
void JsonAsciiString(JsonWriter& w, std::string_view text);
void JsonUnsigned(JsonWriter& w, uint64_t value);
void JsonSigned(JsonWriter& w, int64_t value);
// `decimals` digits after the point, whatever the locale; null when `value`
// is not finite, which JSON cannot hold.
void JsonFixed(JsonWriter& w, double value, int decimals);
void JsonBool(JsonWriter& w, bool value);
void JsonNull(JsonWriter& w);
