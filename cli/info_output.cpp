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

void Begin(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
           TextShow show, bool array) {
    if (out.json != nullptr) {
        if (!key.empty() && JsonInObject(*out.json)) {
            JsonKey(*out.json, key);
        }
        array ? JsonBeginArray(*out.json, layout) : JsonBeginObject(*out.json, layout);
        if (out.file != nullptr && !array) {
            JsonKey(*out.json, "file");
            JsonUtf8String(*out.json, *std::exchange(out.file, nullptr));
        }
        return;
    }
    out.textLevels.push_back({show, label, {}, true});
}

void JsonKeyOf(InfoOutput& out, std::string_view key) {
    if (JsonInObject(*out.json)) {
        JsonKey(*out.json, key);
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
        return;
    }
    TextLevel level = std::move(out.textLevels.back());
    out.textLevels.pop_back();
    if (level.show == TextShow::Joined) {
        TextValue(out, level.label, level.empty ? kNothing : std::string_view(level.items));
    }
}

void Null(InfoOutput& out, std::string_view key, std::string_view label) {
    if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonNull(*out.json);
        return;
    }
    TextValue(out, label, kNothing);
}

void Bool(InfoOutput& out, std::string_view key, std::string_view label,
          std::optional<bool> value) {
    if (!value) {
        Null(out, key, label);
    } else if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonBool(*out.json, *value);
    } else {
        TextValue(out, label, *value ? "yes" : "no");
    }
}

void Unsigned(InfoOutput& out, std::string_view key, std::string_view label,
              std::optional<uint64_t> value, std::string_view unit) {
    if (!value) {
        Null(out, key, label);
    } else if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonUnsigned(*out.json, *value);
    } else if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendUnsigned(text, *value);
        TextValue(out, label, text += unit);
    }
}

void Signed(InfoOutput& out, std::string_view key, std::string_view label, int64_t value) {
    if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonSigned(*out.json, value);
    } else if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, SignedText(value));
    }
}

void Fixed(InfoOutput& out, std::string_view key, std::string_view label,
           std::optional<double> value, int decimals, int textDecimals, std::string_view unit) {
    if (!value) {
        Null(out, key, label);
    } else if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonFixed(*out.json, *value, decimals);
    } else if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendFixed(text, *value, textDecimals);
        TextValue(out, label, text += unit);
    }
}

void Name(InfoOutput& out, std::string_view key, std::string_view label,
          std::optional<std::string_view> value) {
    if (!value) {
        Null(out, key, label);
    } else if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonAsciiString(*out.json, *value);
    } else {
        TextValue(out, label, *value);
    }
}

void EdidText(InfoOutput& out, std::string_view key, std::string_view label,
              const std::optional<std::u16string>& value) {
    if (!value) {
        Null(out, key, label);
    } else if (out.json != nullptr) {
        JsonKeyOf(out, key);
        JsonString(*out.json, *value);
    } else if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, ShownText(*value));
    }
}

} // namespace moniquet
