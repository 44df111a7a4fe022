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

void BeginObject(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
                 TextShow show);
void BeginArray(InfoOutput& out, std::string_view key, std::string_view label, JsonLayout layout,
                TextShow show);
void End(InfoOutput& out);

void Null(InfoOutput& out, std::string_view key, std::string_view label);
// Text: "yes" or "no".
void Bool(InfoOutput& out, std::string_view key, std::string_view label, std::optional<bool> value);
void Unsigned(InfoOutput& out, std::string_view key, std::string_view label,
              std::optional<uint64_t> value, std::string_view unit = {});
// A count that may fall below 0.
void Signed(InfoOutput& out, std::string_view key, std::string_view label, int64_t value);
// `decimals` in the JSON, `textDecimals` and `unit` in the text.
void Fixed(InfoOutput& out, std::string_view key, std::string_view label,
           std::optional<double> value, int decimals, int textDecimals, std::string_view unit = {});
// A name of ours or of a standard, ASCII.
void Name(InfoOutput& out, std::string_view key, std::string_view label,
          std::optional<std::string_view> value);
// A text read from the EDID, one code unit per byte. The text output shows
// each control character as \xNN and a backslash as \\, so that what a
// monitor stores cannot drive the terminal.
void EdidText(InfoOutput& out, std::string_view key, std::string_view label,
              const std::optional<std::u16string>& value);
// As the text output shows such a text.
std::string ShownText(std::u16string_view value);

} // namespace moniquet
