// The one description of what `info` shows, written once (cli/info_describe*)
// and rendered either as the JSON of `info --json` or as the text of `info`.
// The description calls the functions below in order; each value has a JSON
// key and a text label, and each output takes what it shows:
//
//   - JSON writes every value under its key (keys inside arrays are
//     ignored), each container with the layout given;
//   - text writes "label : value" lines, the colons aligned, under the
//     headings of Section, "-" for a value the EDID does not give; a value
//     whose label is empty is not shown, nor is anything inside a container
//     shown as TextShow::Hidden. TextLine writes a line only the text has,
//     for a value the JSON gives in parts.
#pragma once

#include "cli/json_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

// How the text shows a container.
enum class TextShow {
    Items,  // each item on a line of its own, under its own label
    Joined, // the items on one line under the container's label, "-" for none
    Hidden, // not at all
};

// One open container, as the text sees it.
struct TextLevel {
    TextShow show = TextShow::Items;
    std::string_view label;
    // Joined: the items so far.
    std::string items;
    bool empty = true;
};

struct InfoOutput {
    // Exactly one of the two is set: where the JSON or the text goes.
    JsonWriter* json = nullptr;
    std::string* text = nullptr;
    // JSON: when set, a "file" member with this name opens the object
    // (`info --json FILE...`, one line per file); it is written once.
    const std::string* file = nullptr;
    std::vector<TextLevel> textLevels;
    // The text shows the conformity checks only when asked (`info
    // --check`); the JSON always has them.
    bool conformityInText = false;
};

// True when rendering text: the description computes a TextLine's value
// only then.
inline bool IsText(const InfoOutput& out) {
    return out.text != nullptr;
}

void Section(InfoOutput& out, std::string_view title);
void TextLine(InfoOutput& out, std::string_view label, std::string_view value);

// The text's side of each function below (cli/info_output.cpp). The JSON's
// is inline: an EDID's JSON makes hundreds of these calls, and each is then
// one call of the writer, with the label and the unit left behind.
void TextBegin(InfoOutput& out, std::string_view label, TextShow show);
void TextEnd(InfoOutput& out);
void TextBool(InfoOutput& out, std::string_view label, std::optional<bool> value);
void TextUnsigned(InfoOutput& out, std::string_view label, std::optional<uint64_t> value,
                  std::string_view unit);
void TextSigned(InfoOutput& out, std::string_view label, int64_t value);
void TextFixed(InfoOutput& out, std::string_view label, std::optional<double> value, int decimals,
               std::string_view unit);
void TextName(InfoOutput& out, std::string_view label, std::optional<std::string_view> value);
void TextEdid(InfoOutput& out, std::string_view label, const std::optional<std::u16string>& value);
// JSON: the "file" member that opens the object, once.
void JsonFileMember(InfoOutput& out);

inline void BeginObject(InfoOutput& out, std::string_view key, std::string_view label,
                        JsonLayout layout, TextShow show) {
    if (out.json == nullptr) {
        TextBegin(out, label, show);
        return;
    }
    JsonKeyedBeginObject(*out.json, key, layout);
    if (out.file != nullptr) {
        JsonFileMember(out);
    }
}

inline void BeginArray(InfoOutput& out, std::string_view key, std::string_view label,
                       JsonLayout layout, TextShow show) {
    if (out.json == nullptr) {
        TextBegin(out, label, show);
        return;
    }
    JsonKeyedBeginArray(*out.json, key, layout);
}

inline void End(InfoOutput& out) {
    out.json != nullptr ? JsonEnd(*out.json) : TextEnd(out);
}

inline void Null(InfoOutput& out, std::string_view key, std::string_view label) {
    out.json != nullptr ? JsonKeyedNull(*out.json, key) : TextName(out, label, std::nullopt);
}

// Text: "yes" or "no".
inline void Bool(InfoOutput& out, std::string_view key, std::string_view label,
                 std::optional<bool> value) {
    if (out.json == nullptr) {
        TextBool(out, label, value);
    } else if (value) {
        JsonKeyedBool(*out.json, key, *value);
    } else {
        JsonKeyedNull(*out.json, key);
    }
}

inline void Unsigned(InfoOutput& out, std::string_view key, std::string_view label,
                     std::optional<uint64_t> value, std::string_view unit = {}) {
    if (out.json == nullptr) {
        TextUnsigned(out, label, value, unit);
    } else if (value) {
        JsonKeyedUnsigned(*out.json, key, *value);
    } else {
        JsonKeyedNull(*out.json, key);
    }
}

// A count that may fall below 0.
inline void Signed(InfoOutput& out, std::string_view key, std::string_view label, int64_t value) {
    out.json != nullptr ? JsonKeyedSigned(*out.json, key, value) : TextSigned(out, label, value);
}

// `decimals` in the JSON, `textDecimals` and `unit` in the text.
inline void Fixed(InfoOutput& out, std::string_view key, std::string_view label,
                  std::optional<double> value, int decimals, int textDecimals,
                  std::string_view unit = {}) {
    if (out.json == nullptr) {
        TextFixed(out, label, value, textDecimals, unit);
    } else if (value) {
        JsonKeyedFixed(*out.json, key, *value, decimals);
    } else {
        JsonKeyedNull(*out.json, key);
    }
}

// A name of ours or of a standard, ASCII.
inline void Name(InfoOutput& out, std::string_view key, std::string_view label,
                 std::optional<std::string_view> value) {
    if (out.json == nullptr) {
        TextName(out, label, value);
    } else if (value) {
        JsonKeyedAsciiString(*out.json, key, *value);
    } else {
        JsonKeyedNull(*out.json, key);
    }
}

// A text read from the EDID, one code unit per byte. The text output shows
// each control character as \xNN and a backslash as \\, so that what a
// monitor stores cannot drive the terminal.
inline void EdidText(InfoOutput& out, std::string_view key, std::string_view label,
                     const std::optional<std::u16string>& value) {
    if (out.json == nullptr) {
        TextEdid(out, label, value);
    } else if (value) {
        JsonKeyedString(*out.json, key, *value);
    } else {
        JsonKeyedNull(*out.json, key);
    }
}

// As the text output shows such a text.
std::string ShownText(std::u16string_view value);

} // namespace moniquet
