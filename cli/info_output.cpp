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

void TextBegin(InfoOutput& out, std::string_view label, TextShow show) {
    out.textLevels.push_back({show, label, {}, true});
}

void TextEnd(InfoOutput& out) {
    TextLevel level = std::move(out.textLevels.back());
    out.textLevels.pop_back();
    if (level.show == TextShow::Joined) {
        TextValue(out, level.label, level.empty ? kNothing : std::string_view(level.items));
    }
}

void TextBool(InfoOutput& out, std::string_view label, std::optional<bool> value) {
    TextValue(out, label, !value ? kNothing : *value ? "yes" : "no");
}

// A number is not shown where its label is empty outside any container.
void TextUnsigned(InfoOutput& out, std::string_view label, std::optional<uint64_t> value,
                  std::string_view unit) {
    if (!value) {
        TextValue(out, label, kNothing);
    } else if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendUnsigned(text, *value);
        TextValue(out, label, text += unit);
    }
}

void TextSigned(InfoOutput& out, std::string_view label, int64_t value) {
    if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, SignedText(value));
    }
}

void TextFixed(InfoOutput& out, std::string_view label, std::optional<double> value, int decimals,
               std::string_view unit) {
    if (!value) {
        TextValue(out, label, kNothing);
    } else if (!label.empty() || !out.textLevels.empty()) {
        std::string text;
        AppendFixed(text, *value, decimals);
        TextValue(out, label, text += unit);
    }
}

void TextName(InfoOutput& out, std::string_view label, std::optional<std::string_view> value) {
    TextValue(out, label, value.value_or(kNothing));
}

void TextEdid(InfoOutput& out, std::string_view label, const std::optional<std::u16string>& value) {
    if (!value) {
        TextValue(out, label, kNothing);
    } else if (!label.empty() || !out.textLevels.empty()) {
        TextValue(out, label, ShownText(*value));
    }
}

void JsonFileMember(InfoOutput& out) {
    JsonKey(*out.json, "file");
    JsonUtf8String(*out.json, *std::exchange(out.file, nullptr));
}

} // namespace moniquet
