// One line of hex text, as the dumps people paste write it: what it holds
// once its comments, C punctuation, offset column and text column are gone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

enum class HexLineKind {
    Blank,  // nothing left: empty, a comment, "{" or "};"
    Hex,    // hex byte pairs alone
    OddHex, // hex digits alone, a run of them odd
    Other,  // anything else: prose, a property, a rule
    Repeat, // "*": hexdump and od leave out lines equal to the one before
    Offset, // an offset alone: the end of a dump with an offset column
};

// How a line gives the offset of its first byte.
enum class OffsetStyle {
    None,
    Colon,  // xxd: "00000010:"
    Column, // hexdump and od: "00000010" or "000010", then the bytes
};

struct HexLine {
    HexLineKind kind = HexLineKind::Blank;
    // The bytes as written, each run of digits (a group) in its order.
    std::vector<uint8_t> bytes;
    // The number of bytes of each group, in order (xxd writes 2 a group,
    // od -x and hexdump 2 as a little-endian word, a C array 1).
    std::vector<uint32_t> groups;
    // The offset column's digits ("00000010"), or those of an Offset line.
    std::string offset;
    OffsetStyle offsetStyle = OffsetStyle::None;
    // What xxd shows of the bytes after them, one character per byte.
    std::string textColumn;
    // A lone decimal number of up to 8 digits, such as a year or a count.
    bool number = false;
    // A "}" ended the line: no data follows.
    bool closes = false;
};

// What carries from one line to the next.
struct HexLineState {
    bool inComment = false;      // inside a /* */ comment
    std::size_t offsetWidth = 0; // digits of the last offset column read
    // Where xxd's text column starts, from its first line: xxd pads the hex
    // of a short last line so that its text starts there too.
    std::size_t textColumnAt = 0;
};

// The value of hex digit `c`, -1 for a character that is none.
int HexDigitValue(char c);

// Reads one line, its line end left out. The offset column is the first
// token when it is 6 or more hex digits and a colon (xxd), or 6 or more hex
// digits followed by groups of one width alone (hexdump -C, od); a text
// column is dropped after xxd's (two spaces after its hex) and from
// hexdump -C's first "|". Comments are //, # and /* */; a "{" drops what is
// before it (the declaration of a C array), and ",", ";" and "=" separate
// like spaces. Each hex token may start with "0x".
HexLine ReadHexLine(std::string_view line, HexLineState& state);

} // namespace moniquet
