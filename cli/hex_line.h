// One line of hex text, as the dumps people paste write it: what it holds
// once its comments, C punctuation, offset column and text column are gone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class HexLineKind {
    Blank,  // nothing left: empty, a comment, "{" or "};"
    Hex,    // hex byte pairs alone
    OddHex, // hex digits alone, a run of them odd
    Other,  // anything else: prose, a property, a rule
    Repeat, // "*": hexdump and od leave out lines equal to the one before
    Offset, // an offset alone: the end of a dump with an offset column
};

struct HexLine {
    HexLineKind kind = HexLineKind::Blank;
    std::vector<uint8_t> bytes;
    // The offset column's digits ("00000010"), or those of an Offset line.
    std::string offset;
    // A lone decimal number of up to 8 digits, such as a year or a count.
    bool number = false;
    // A "}" ended the line: no data follows.
    bool closes = false;
};

// What carries from one line to the next.
struct HexLineState {
    bool inComment = false;      // inside a /* */ comment
    std::size_t offsetWidth = 0; // digits of the last offset column read
};

// Reads one line, its line end left out. The offset column is the first
// token when it is 6 or more hex digits and a colon (xxd), or 6 or more hex
// digits followed by byte pairs alone (hexdump -C, od); a text column is
// dropped after xxd's (two spaces after its hex) and from hexdump -C's first
// "|". Comments are //, # and /* */; a "{" drops what is before it (the
// declaration of a C array), and ",", ";" and "=" separate like spaces.
// Each hex token may start with "0x".
HexLine ReadHexLine(std::string_view line, HexLineState& state);
