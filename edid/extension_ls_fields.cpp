// The fields of a localized string block: after its version bytes, string
// tables one after the other, each its size byte, the encoding of its
// strings, a country and a language, then the maker's name, the model's and
// the serial number, each a length byte and that many bytes.
#include "edid/bits.h"
#include "edid/extension_fields.h"

#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr std::size_t kFirstTable = 5;
constexpr std::size_t kChecksum = 127;
constexpr std::size_t kStringsOffset = 6;
constexpr char16_t kReplacement = 0xFFFD;

void Append(std::u16string& text, char32_t c) {
    if (c >= 0x10000) {
        text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        text.push_back(static_cast<char16_t>(c));
    }
}

bool IsScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Each byte that starts no valid sequence (an overlong form, a surrogate,
// a sequence cut short) becomes U+FFFD, and decoding goes on after it.
std::u16string FromUtf8(Bytes bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const uint8_t lead = bytes[i];
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                 : 0;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (bytes[i + k] & 0xC0) == 0x80;
            c = c << 6 | (bytes[i + k] & 0x3F);
        }
        valid =
            valid && IsScalar(c) && !(length == 3 && c < 0x800) && !(length == 4 && c < 0x10000);
        Append(text, valid ? c : kReplacement);
        i += valid ? length : 1;
    }
    return text;
}

// A lone surrogate, or an odd byte at the end, becomes U+FFFD.
std::u16string FromUtf16Be(Bytes bytes) {
    std::u16string text;
    const auto unit = [bytes](std::size_t i) -> char16_t {
        return static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]);
    };
    std::size_t i = 0;
    for (; i + 2 <= bytes.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 4 <= bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            text.push_back(u);
            text.push_back(unit(i + 2));
            i += 2;
        } else {
            text.push_back(u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
        }
    }
    if (i < bytes.size()) {
        text.push_back(kReplacement);
    }
    return text;
}

// A code unit beyond U+10FFFF or a surrogate, or bytes short of a whole
// unit at the end, becomes U+FFFD.
std::u16string FromUtf32Be(Bytes bytes) {
    std::u16string text;
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        const char32_t c = static_cast<char32_t>(bytes[i]) << 24 | bytes[i + 1] << 16 |
                           bytes[i + 2] << 8 | bytes[i + 3];
        Append(text, IsScalar(c) ? c : kReplacement);
    }
    if (i < bytes.size()) {
        text.push_back(kReplacement);
    }
    return text;
}

// The next string of a table: its length byte and its bytes, cut at the
// table's end. Null when the length is 0 or the encoding is reserved.
void AddString(Fields& fields, std::string_view key, std::string_view label, Bytes& rest,
               uint32_t encoding) {
    if (rest.empty()) {
        AddNull(fields, key, label);
        return;
    }
    const std::size_t length = rest[0];
    const Bytes bytes = rest.subspan(1, std::min(length, rest.size() - 1));
    rest = rest.subspan(1 + bytes.size());
    if (length == 0 || encoding > 2) {
        AddNull(fields, key, label);
        return;
    }
    AddText(fields, key, label,
            encoding == 0   ? FromUtf8(bytes)
            : encoding == 1 ? FromUtf16Be(bytes)
                            : FromUtf32Be(bytes));
}

// Three letters of 5 bits each, 1 for A; 0 leaves a letter blank.
std::u16string LanguageText(uint32_t code) {
    std::u16string text;
    for (int shift = 10; shift >= 0; shift -= 5) {
        const uint32_t letter = code >> shift & 0x1F;
        text.push_back(static_cast<char16_t>(letter == 0 ? u' ' : u'@' + letter));
    }
    return text;
}

// `table` starts after its size byte.
void AddTable(Fields& tables, Bytes table) {
    static constexpr const char* kEncodings[] = {"UTF-8", "UTF-16BE", "UTF-32BE"};
    Field& entry = AddObject(tables, "", "");
    Fields& f = entry.items;
    if (table.empty()) {
        return;
    }
    const uint32_t encoding = Bits(table[0], 2, 0);
    AddName(f, "encoding", "Encoding",
            encoding < 3 ? kEncodings[encoding] : "reserved (" + std::to_string(encoding) + ")");
    if (table.size() >= 3) {
        AddUnsigned(f, "country", "Country", Bits(table[1], 5, 0) << 8 | table[2]);
    }
    if (table.size() >= 5) {
        const uint32_t language = static_cast<uint32_t>(table[3]) << 8 | table[4];
        if (language == 0) {
            AddNull(f, "language", "Language");
        } else {
            AddText(f, "language", "Language", LanguageText(language & 0x7FFF));
        }
    }
    Bytes rest = table.size() > kStringsOffset - 1 ? table.subspan(kStringsOffset - 1) : Bytes{};
    AddString(f, "manufacturer", "Manufacturer", rest, encoding);
    AddString(f, "model", "Model", rest, encoding);
    AddString(f, "serial_number", "Serial number", rest, encoding);
}

} // namespace

Fields LsFields(ExtensionBlock block) {
    Fields fields;
    AddName(fields, "version", "Version",
            std::to_string(block[1]) + "." + std::to_string(block[2]));
    AddName(fields, "unicode_version", "Unicode version",
            std::to_string(Bits(block[3], 7, 4)) + "." + std::to_string(Bits(block[3], 3, 0)) +
                "." + std::to_string(block[4]));
    Field& tables = AddList(fields, "string_tables", "String table");
    // A size of 0 ends the tables, as does one that would reach the
    // checksum.
    for (std::size_t at = kFirstTable; block[at] != 0 && at + block[at] < kChecksum;
         at += block[at]) {
        AddTable(tables.items, Bytes(block).subspan(at + 1, block[at] - 1u));
    }
    return fields;
}

} // namespace moniquet
