// How `info` shows the fields of a data block or an extension block
// (moniquet/fields.h): the same tree for both outputs.
#pragma once

#include "cli/info_output.h"
#include "moniquet/fields.h"

#include <optional>

namespace moniquet {

// JSON: the member `key` holding one object of the fields, null when there
// are none. Text: nothing (TextFieldLines shows them).
void JsonFields(InfoOutput& out, std::string_view key, const std::optional<Fields>& fields);

// Text: a line per field under the block's own line, indented one step per
// level: "label : value". A list of values is one line ("-" when empty); an
// object of values, or an item of a list that is one, is one line of its
// "label: value" pairs; a deeper object gets a line of its own and its
// fields under it. JSON: nothing.
void TextFieldLines(InfoOutput& out, const std::optional<Fields>& fields);

} // namespace moniquet
