#include "moniquet/fields.h"

#include <utility>

namespace moniquet {

namespace {

// Room for the first fields at once: most blocks and objects hold a few,
// and growing one field at a time moved each of them again and again.
constexpr std::size_t kFirstRoom = 4;

// What each field starts from, copied. Built in place by emplace_back(), a
// field is first cleared whole by a string instruction that is slow to
// start on some processors; moved in from a local one, its members are
// read back in wider pieces than they were just written in, which waits
// for the stores. A copy of a constant field is neither. Local to the
// function, it is there for whatever adds a field first, static code too.
const Field& BlankField() {
    static const Field blank{};
    return blank;
}

Field& Add(Fields& fields, std::string_view key, std::string_view label, FieldKind kind) {
    if (fields.capacity() == 0) {
        fields.reserve(kFirstRoom);
    }
    Field& field = fields.emplace_back(BlankField());
    field.key = key;
    field.label = label;
    field.kind = kind;
    return field;
}

} // namespace

Field& AddNull(Fields& fields, std::string_view key, std::string_view label) {
    return Add(fields, key, label, FieldKind::Null);
}

Field& AddBool(Fields& fields, std::string_view key, std::string_view label, bool value) {
    Field& field = Add(fields, key, label, FieldKind::Bool);
    field.flag = value;
    return field;
}

Field& AddUnsigned(Fields& fields, std::string_view key, std::string_view label, uint64_t value,
                   std::string_view unit) {
    Field& field = Add(fields, key, label, FieldKind::Unsigned);
    field.number = value;
    field.unit = unit;
    return field;
}

Field& AddSigned(Fields& fields, std::string_view key, std::string_view label, int64_t value,
                 std::string_view unit) {
    Field& field = Add(fields, key, label, FieldKind::Signed);
    field.signedNumber = value;
    field.unit = unit;
    return field;
}

Field& AddFixed(Fields& fields, std::string_view key, std::string_view label, double value,
                int decimals, std::string_view unit) {
    Field& field = Add(fields, key, label, FieldKind::Fixed);
    field.real = value;
    field.decimals = decimals;
    field.unit = unit;
    return field;
}

Field& AddName(Fields& fields, std::string_view key, std::string_view label, std::string name) {
    Field& field = Add(fields, key, label, FieldKind::Name);
    field.name = std::move(name);
    return field;
}

Field& AddText(Fields& fields, std::string_view key, std::string_view label, std::u16string text) {
    Field& field = Add(fields, key, label, FieldKind::Text);
    field.text = std::move(text);
    return field;
}

Field& AddObject(Fields& fields, std::string_view key, std::string_view label) {
    return Add(fields, key, label, FieldKind::Object);
}

Field& AddList(Fields& fields, std::string_view key, std::string_view label) {
    return Add(fields, key, label, FieldKind::List);
}

std::string OuiName(uint32_t oui) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const uint32_t byte = oui >> shift & 0xFF;
        if (!text.empty()) {
            text += '-';
        }
        text += {kHex[byte >> 4], kHex[byte & 0xF]};
    }
    return text;
}

std::string HexByteName(uint32_t byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    return {'0', 'x', kHex[byte >> 4 & 0xF], kHex[byte & 0xF]};
}

std::string HexBytes(std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

} // namespace moniquet
