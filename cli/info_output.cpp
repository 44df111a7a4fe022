#include "cli/info_output.h"

#include "cli/number_text.h"
#include "cli/utf8.h"

#include <algorithm>
#include <utility>

namespace moniquet {

namespace {

constexpr std::size_t kLabelWidth = 22;
constexpr std::string_view kNothing = "-";

bool TextHidden(const InfoOutput& out) {
    return std::any_of(out.textLevels.begin(), out.textLevels.end(),
                       [](const TextLevel& level) { return level.show == TextShow::Hidden; });
}

void WriteLine(std::string& text, std::string_view label, std::string_view value) {
    text += "  ";
    text += label;
    text.append(label.size() < kLabelWidth ? kLabelWidth - label.size() : 0, ' ');
    text += value.empty() ? " :" : " : ";
    text += value;
    text += '\n';
}

// A value's text under `label`: a line of its own, or an item of the
// joined container it is in.
void TextValue(InfoOutput& out, std::string_view label, std::string_view value) {
    if (TextHidden(out)) {
        return;
    }
    if (!out.textLevels.empty() && out.textLevels.back().show == TextShow::Joined) {
        TextLevel& level = out.textLevels.back();
        if (!level.empty) {
            level.items += ", ";
        }
        level.items += value;
        level.empty = false;
        return;
    }
    if (!label.empty()) {
        WriteLine(*out.text, label, value);
    }
}

// JSON: `key` before the value when the innermost container is an object.
void JsonKeyOf(JsonWriter& w, std::string_view key) {
    if (JsonInObject(w)) {
        JsonKey(w, key);
    }
}

// The text's side of each value is out of line, so that the JSON's, which
// runs hundreds of times an EDID, needs no room for strings of its own.

[[gnu::noinline]] void TextBegin(InfoOutput& out, std::string_view label, TextShow show) {
    out.textLevels.push_back({show, label, {}, true});
}

[[gnu::noinline]] void TextEnd(InfoOutput& out) {
    TextLevel level = std::move(out.textLevels.back());
    out.textLevels.pop_back();
    if (level.show == TextShow::Joined) {
        TextValue(out, level.label, level.empty ? kNothing : std::string_view(level.items));
    }
}

// Writes nothing where the value would not be shown.
[[gnu::noinline]] void TextUnsigned(InfoOutput& out, std::string_view label, uint64_t value,
                                    std::string_view unit) {
    if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendUnsigned(text, value);
        TextValue(out, label, text += unit);
    }
}

[[gnu::noinline]] void TextSigned(InfoOutput& out, std::string_view label, int64_t value) {
    if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, SignedText(value));
    }
}

[[gnu::noinline]] void TextFixed(InfoOutput& out, std::string_view label, double value,
                                 int decimals, std::string_view unit) {
    if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendFixed(text, value, decimals);
        TextValue(out, label, text += unit);
    }
}

[[gnu::noinline]] void TextEdid(InfoOutput& out, std::string_view label,
                                std::u16string_view value) {
    if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, ShownText(value));
    }
}

void Begin(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
           TextShow show, bool array) {
    if (out.json == nullptr) {
        TextBegin(out, label, show);
        return;
    }
    JsonWriter& w = *out.json;
    if (!key.empty()) {
        JsonKeyOf(w, key);
    }
    array ? JsonBeginArray(w, layout) : JsonBeginObject(w, layout);
    if (out.file != nullptr && !array) {
        JsonKey(w, "file");
        JsonUtf8String(w, *std::exchange(out.file, nullptr));
    }
}

} // namespace

std::string ShownText(std::u16string_view value) {
    std::u16string shown;
    for (const char16_t c : value) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            static constexpr char16_t kHex[] = u"0123456789ABCDEF";
            shown += {u'\\', u'x', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            shown += c;
            shown += c == u'\\' ? u"\\" : u"";
        }
    }
    return ToUtf8(shown);
}

void Section(InfoOutput& out, std::string_view title) {
    if (out.text != nullptr) {
        *out.text += title;
        *out.text += '\n';
    }
}

void TextLine(InfoOutput& out, std::string_view label, std::string_view value) {
    if (out.text != nullptr) {
        TextValue(out, label, value);
    }
}

void BeginObject(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
                 TextShow show) {
    Begin(out, key, label, layout, show, false);
}

void BeginArray(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
                TextShow show) {
    Begin(out, key, label, layout, show, true);
}

void End(InfoOutput& out) {
    if (out.json != nullptr) {
        JsonEnd(*out.json);
    } else {
        TextEnd(out);
    }
}

void Null(InfoOutput& out, std::string_view key, std::string_view label) {
    if (out.json != nullptr) {
        JsonKeyOf(*out.json, key);
        JsonNull(*out.json);
    } else {
        TextValue(out, label, kNothing);
    }
}

void Bool(InfoOutput& out, std::string_view key, std::string_view label,
          std::optional<bool> value) {
    if (out.json == nullptr) {
        TextValue(out, label, !value ? kNothing : *value ? "yes" : "no");
        return;
    }
    JsonKeyOf(*out.json, key);
    value ? JsonBool(*out.json, *value) : JsonNull(*out.json);
}

void Unsigned(InfoOutput& out, std::string_view key, std::string_view label,
              std::optional<uint64_t> value, std::string_view unit) {
    if (out.json == nullptr) {
        value ? TextUnsigned(out, label, *value, unit) : TextValue(out, label, kNothing);
        return;
    }
    JsonKeyOf(*out.json, key);
    value ? JsonUnsigned(*out.json, *value) : JsonNull(*out.json);
}

void Signed(InfoOutput& out, std::string_view key, std::string_view label, int64_t value) {
    if (out.json == nullptr) {
        TextSigned(out, label, value);
        return;
    }
    JsonKeyOf(*out.json, key);
    JsonSigned(*out.json, value);
}

void Fixed(InfoOutput& out, std::string_view key, std::string_view label,
           std::optional<double> value, int decimals, int textDecimals, std::string_view unit) {
    if (out.json == nullptr) {
        value ? TextFixed(out, label, *value, textDecimals, unit) : TextValue(out, label, kNothing);
        return;
    }
    JsonKeyOf(*out.json, key);
    value ? JsonFixed(*out.json, *value, decimals) : JsonNull(*out.json);
}

void Name(InfoOutput& out, std::string_view key, std::string_view label,
          std::optional<std::string_view> value) {
    if (out.json == nullptr) {
        TextValue(out, label, value.value_or(kNothing));
        return;
    }
    JsonKeyOf(*out.json, key);
    value ? JsonAsciiString(*out.json, *value) : JsonNull(*out.json);
}

void EdidText(InfoOutput& out, std::string_view key, std::string_view label,
              const std::optional<std::u16string>& value) {
    if (out.json == nullptr) {
        value ? TextEdid(out, label, *value) : TextValue(out, label, kNothing);
        return;
    }
    JsonKeyOf(*out.json, key);
    value ? JsonString(*out.json, *value) : JsonNull(*out.json);
}

} // namespace moniquet
