// The decoded content of one data block or extension block, field by field,
// as `info` shows it under that block: a tree of named values that both of
// its outputs render the same way (each field is described once, by the
// decoder of its block). Keys are the JSON's, snake_case; labels the text's.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

enum class FieldKind : uint8_t {
    Null,     // the block's bytes give no value here
    Bool,     // `flag`
    Unsigned, // `number`, with `unit` in the text
    Signed,   // `signedNumber`, with `unit` in the text
    Fixed,    // `real` to `decimals` decimals, with `unit` in the text
    Name,     // `name`: a name of a standard's or ours, ASCII
    Text,     // `text`: read from the EDID, one code unit per byte
    Object,   // `items`, each with its key
    List,     // `items`, their keys unused
};

struct Field {
    // Literals of the decoders: they outlive every field.
    std::string_view key;
    std::string_view label;
    FieldKind kind = FieldKind::Null;
    bool flag = false;
    uint64_t number = 0;
    int64_t signedNumber = 0;
    double real = 0;
    int decimals = 0;
    std::string_view unit;
    std::string name;
    std::u16string text;
    std::vector<Field> items;
};

using Fields = std::vector<Field>;

// Each appends one field to `fields` and returns it, for a container to be
// filled.
Field& AddNull(Fields& fields, std::string_view key, std::string_view label);
Field& AddBool(Fields& fields, std::string_view key, std::string_view label, bool value);
Field& AddUnsigned(Fields& fields, std::string_view key, std::string_view label, uint64_t value,
                   std::string_view unit = {});
Field& AddSigned(Fields& fields, std::string_view key, std::string_view label, int64_t value,
                 std::string_view unit = {});
Field& AddFixed(Fields& fields, std::string_view key, std::string_view label, double value,
                int decimals, std::string_view unit = {});
Field& AddName(Fields& fields, std::string_view key, std::string_view label, std::string name);
Field& AddText(Fields& fields, std::string_view key, std::string_view label, std::u16string text);
Field& AddObject(Fields& fields, std::string_view key, std::string_view label);
Field& AddList(Fields& fields, std::string_view key, std::string_view label);

// "00-0C-03": an IEEE OUI as the standards write it, most significant byte
// first.
std::string OuiName(uint32_t oui);
// "0x1f".
std::string HexByteName(uint32_t byte);
// "1f 00 a2": each byte as two lowercase hex digits, a space between two.
std::string HexBytes(std::span<const uint8_t> bytes);

} // namespace moniquet
