#include "cli/json_writer.h"

#include "cli/number_text.h"
#include "cli/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A comma, a line break and the indentation of the levels our texts have,
// to be written in one piece: every item pays for this.
constexpr std::string_view kBreak = ",\n                ";

// Separator and line break before an item of the innermost container.
void BeginValue(JsonWriter& w) {
    if (w.afterKey) {
        w.afterKey = false;
        return;
    }
    if (w.levels.empty()) {
        return;
    }
    JsonLevel& level = w.levels.back();
    const std::size_t comma = level.empty ? 0 : 1;
    if (level.lines) {
        const std::size_t indent = 2 * w.levels.size();
        const std::size_t kept = std::min(indent, kBreak.size() - 2);
        w.out += kBreak.substr(1 - comma, comma + 1 + kept);
        if (indent > kept) {
            w.out.append(indent - kept, ' ');
        }
    } else if (comma != 0) {
        w.out += ", ";
    }
    level.empty = false;
}

void Begin(JsonWriter& w, JsonLayout layout, char open, char close) {
    BeginValue(w);
    const bool insideInline = !w.levels.empty() && !w.levels.back().lines;
    w.levels.push_back({layout == JsonLayout::Lines && !insideInline, true, close});
    w.out += open;
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

void JsonBeginObject(JsonWriter& w, JsonLayout layout) {
    Begin(w, layout, '{', '}');
}

void JsonBeginArray(JsonWriter& w, JsonLayout layout) {
    Begin(w, layout, '[', ']');
}

void JsonEnd(JsonWriter& w) {
    const JsonLevel level = w.levels.back();
    w.levels.pop_back();
    if (level.lines && !level.empty) {
        w.out += '\n';
        w.out.append(2 * w.levels.size(), ' ');
    }
    w.out += level.close;
}

void JsonKey(JsonWriter& w, std::string_view key) {
    BeginValue(w);
    w.out += '"';
    w.out += key;
    w.out += "\": ";
    w.afterKey = true;
}

void JsonString(JsonWriter& w, std::u16string_view text) {
    BeginValue(w);
    w.out += '"';
    std::size_t plain = 0; // start of the run not yet written
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const char16_t c = end ? 0 : text[i];
        if (!end && !IsControl(c) && c != u'"' && c != u'\\') {
            continue;
        }
        w.out += ToUtf8(text.substr(plain, i - plain));
        plain = i + 1;
        if (end) {
            break;
        }
        if (c == u'"' || c == u'\\') {
            w.out += '\\';
            w.out += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            w.out += "\\u00";
            w.out += kHex[c >> 4];
            w.out += kHex[c & 0xF];
        }
    }
    w.out += '"';
}

void JsonAsciiString(JsonWriter& w, std::string_view text) {
    BeginValue(w);
    w.out += '"';
    w.out += text;
    w.out += '"';
}

void JsonUnsigned(JsonWriter& w, uint64_t value) {
    BeginValue(w);
    AppendUnsigned(w.out, value);
}

void JsonSigned(JsonWriter& w, int64_t value) {
    BeginValue(w);
    AppendSigned(w.out, value);
}

void JsonFixed(JsonWriter& w, double value, int decimals) {
    if (!std::isfinite(value)) {
        JsonNull(w);
        return;
    }
    BeginValue(w);
    AppendFixed(w.out, value, decimals);
}

void JsonBool(JsonWriter& w, bool value) {
    BeginValue(w);
    w.out += value ? "true" : "false";
}

void JsonNull(JsonWriter& w) {
    BeginValue(w);
    w.out += "null";
}
