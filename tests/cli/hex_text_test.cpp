// Hex text that goes wrong, through the same path as a file's bytes. The
// inputs that go right are real-looking files (tests/data/hex), run through
// the command in report_command_test.cpp.
#include "cli/edid_file.h"
#include "cli/hex_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace moniquet;

namespace {

// `count` bytes of hex, 16 a line.
std::string HexLines(std::size_t count, const std::string& lineEnd = "\n") {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        // Piece by piece: g++ 12 at -O2 reads `const char* + std::string&&`
        // as an overlap and stops a -Werror build.
        text += i % 16 == 0 ? '\t' : ' ';
        text += "a5";
        if (i % 16 == 15) {
            text += lineEnd;
        }
    }
    return text + lineEnd;
}

// HexLines(count) as an X server log shows them, after its "EDID (in hex):".
std::string XorgLog(std::size_t count, const std::string& source = "modeset(0)") {
    std::string text = "[    28.014] (II) " + source + ": EDID (in hex):\n";
    for (std::size_t i = 0; i < count; i += 16) {
        text += "[    28.014] (II) " + source + ": \t";
        for (std::size_t j = i; j < std::min(count, i + 16); ++j) {
            text += "a5";
        }
        text += "\n";
    }
    return text;
}

// A block of them: the EDID header, HexLines(112), then its last 8 bytes,
// no extension announced.
const std::string kHeaderLine = "00 ff ff ff ff ff ff 00\n";
const std::string kNoExtensionsLine = "a5 a5 a5 a5 a5 a5 00 00\n";

std::string Utf16Le(const std::string& text) {
    std::string wide;
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

std::string Read(const std::string& text, EdidBytes& edid) {
    const auto bytes = reinterpret_cast<const uint8_t*>(text.data());
    const Result<EdidRead> read = EdidFromInput(std::span(bytes, text.size()), text.size());
    if (!read) {
        return read.error().message;
    }
    edid = read.value().bytes;
    return "";
}

TEST(HexText, RefusedInputsNameTheirFault) {
    const std::pair<std::string, std::string> cases[] = {
        {"unsigned char edid[] = {\n  0x00, 0xff,\n  0x0, 0xf,\n};\n",
         "line 3: odd number of hex digits"},
        {"edid:\r\n\r\n00ffffff\r\n\r\nffffff0\r\n", "line 5: odd number of hex digits"},
        {"a0b\nEDID:\n" + HexLines(128) + "a0b\n", "line 12: odd number of hex digits"},
        {"no hex here\n\n0x 0xg, 00-01\n2024\n", "no hex bytes"},
        {"00 ff\n*\n00 ff\n", "line 2: \"*\" leaves out lines but the dump has no offsets"},
        {"000000 00 ff\n*\n000003\n", "line 2: \"*\" does not end at the offset after it"},
        {"000000 00 ff\n*\nend\n", "line 2: \"*\" without the offset after it"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"EDIDX\"=hex:00\n",
         "no \"EDID\" value in the registry export"},
        {"REGEDIT4\n\"EDID\"=hex:00,ff,\\\n  f,00\n", "line 3: not a hex byte: \"EDID\" holds f"},
        {"00 ff ff ff ff ff ff 00\n", "not an EDID block: 8 bytes"},
        {"EDID:\n" + HexLines(kMaximumEdidSize + 1),
         "too long for an EDID: 32897 bytes, at most 32896"},
        {std::string(kMaximumHexTextSize + 1, ' '),
         "too long for hex text: 1048577 bytes, at most 1048576"},
        // Offsets that do not run on, and lines that break a dump's layout.
        {"000000 00 ff\n000003 00\n000004\n",
         "line 2: offset 000003, but the lines before it end at 000002"},
        {"0000000 00 ff\n0000002 00\n0000004\n",
         "line 3: the dump ends at offset 0000004, but its lines end at 0000003"},
        {"00000000: 00ff ffff\n00000004: ffff ff00\nffff\n",
         "line 3: no offset column, unlike the lines before it"},
        {"00 ff\n000002 ff ff\n", "line 2: an offset column, which the lines before it have not"},
        {"0000000 " + HexLines(16).substr(1) + "*\n0000040\n",
         "line 3: \"*\" stands for other lines as the offsets are octal (od) or hex (hexdump): "
         "dump with od -Ax or hexdump -C"},
        {"0000 ffff\n", "line 1: cannot tell the order of the bytes in groups of 2 (od -x writes "
                        "them little-endian); dump one byte a group, as od -An -tx1 does"},
        {"edid-decode (hex):\n\n" + HexLines(112) + "\n" + HexLines(128),
         "line 9: block 0 of edid-decode's dump ends after 112 bytes, not 128"},
        // An X server log: its EDID's lines end at a line of another source
        // or of other words; QuantumData's XML blocks run 0, 1, 2...
        {XorgLog(0) + "[    28.014] (II) modeset(0): Printing probed modes\n",
         "line 1: no hex lines after \"EDID (in hex):\""},
        {XorgLog(16) + "[    28.014] (II) modeset(0): \ta5a\n", "line 3: odd number of hex digits"},
        {XorgLog(64) + "[    28.015] (II) AMDGPU(0): \ta5a5\n" + XorgLog(64).substr(45),
         "not an EDID block: 64 bytes"},
        {"<DATAOBJ><BLOCK0>" + std::string(255, 'a') + "g</BLOCK0>",
         "line 1: <BLOCK0> holds 'g', which is no hex digit"},
        {"<DATAOBJ>\n  <BLOCK0>00ff\n", "line 2: <BLOCK0> without </BLOCK0>"},
        {"<DATAOBJ>\n<BLOCKS></BLOCKS>\n</DATAOBJ>\n",
         "no <BLOCK0> element in the QuantumData XML"},
        {"<DATAOBJ><BLOCK1>" + std::string(256, 'a') + "</BLOCK1>",
         "line 1: <BLOCK1> where <BLOCK0> was to come"},
        // Bytes past the last whole block of an EDID.
        {kHeaderLine + HexLines(112) + kNoExtensionsLine + "00\n",
         "line 11: 1 byte past the last whole 128-byte block"},
    };
    for (const auto& [text, reason] : cases) {
        EdidBytes edid;
        EXPECT_EQ(Read(text, edid), reason) << text.substr(0, 80);
        EXPECT_TRUE(edid.empty());
    }
}

TEST(HexText, BytesRunFromTheFirstHexLineToTheFirstLineThatIsNeither) {
    EdidBytes edid;
    ASSERT_EQ(
        Read("EDID:\r\n" + HexLines(64, "\r\n") + "\r\n \t\r\n" + HexLines(64) + "----\nabc\n00\n",
             edid),
        "");
    EXPECT_EQ(edid, EdidBytes(128, 0xA5));

    // As a text editor on Windows may save it.
    ASSERT_EQ(Read("\xEF\xBB\xBF"
                   "EDID:\r\n" +
                       HexLines(128, "\r\n"),
                   edid),
              "");
    EXPECT_EQ(edid, EdidBytes(128, 0xA5));
}

// Each: the text, then the bytes it must give, as hex.
TEST(HexText, GroupsOffsetsAndRulersAreReadAsTheToolMeantThem) {
    const std::pair<std::string, std::string> cases[] = {
        // od and hexdump pad a last word with zeros, which the end's offset
        // leaves out; their 7-digit offsets are octal (od), hex (hexdump)
        // or decimal (od -Ad), whichever makes the lines run on.
        {"0000000 ff00 ffff\n0000004 0102\n0000005\n", "00ffffff02"},
        {"0000000 00 ff ff ff ff ff ff 00 aa\n0000011 bb\n0000012\n", "00ffffffffffff00aabb"},
        {"0000000 " + HexLines(16).substr(1) + "0000010 bb\n",
         "a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5bb"},
        {"0000000 " + HexLines(16).substr(1) + "0000016 bb\n",
         "a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5bb"},
        // xxd -e: its text column shows the bytes as stored, over the header,
        // and the digits of a short last group are right-aligned.
        {"00000000: 3231ff00 33340000  ..12..43\n"
         "00000008:     3635           56\n",
         "00ff3132000034333536"},
        // The same groups as xxd writes them, as stored.
        {"00000000: 3231ff00 33340000  21..34..\n", "3231ff0033340000"},
        // A ruler line is no data, and BOM-less UTF-16 is text.
        {"00 01 02 03 04 05 06 07\n00 ff ff ff\n", "00ffffff"},
        {Utf16Le("0ff0\r\n"), "0ff0"},
        // A text column that spells markup out of the bytes is no XML.
        {"00000000: 3c44 4154 414f 424a  <DATAOBJ\n", "3c444154414f424a"},
        // An older server's log has no time stamps.
        {"(II) RADEON(0): EDID (in hex):\r\n(II) RADEON(0): \t00ffffffffffff00\r\n"
         "(II) RADEON(0):   0102 \r\n(II) RADEON(0): 0304 is no EDID\r\n",
         "00ffffffffffff000102"},
    };
    for (const auto& [text, hex] : cases) {
        const auto input = reinterpret_cast<const uint8_t*>(text.data());
        const Result<HexTextBytes> parsed = ParseHexText(std::span(input, text.size()));
        ASSERT_TRUE(parsed) << text << parsed.error().message;
        std::string read;
        for (const uint8_t byte : parsed.value().bytes) {
            read += "0123456789abcdef"[byte >> 4];
            read += "0123456789abcdef"[byte & 0xF];
        }
        EXPECT_EQ(read, hex) << text;
    }
}

// Hex text that is not an EDID is still decoded, with a warning that says
// so and whether it holds whole blocks; an EDID's gets none.
TEST(HexText, WithoutTheHeaderItIsDecodedWithAWarning) {
    const std::pair<std::string, std::string> cases[] = {
        {HexLines(128), "no EDID header; decoded as is"},
        {HexLines(200), "no EDID header, and 200 bytes: not whole 128-byte blocks; decoded as is"},
        {kHeaderLine + HexLines(112) + kNoExtensionsLine, ""},
        {XorgLog(128) + XorgLog(128, "modeset(1)"),
         "the log holds 2 EDIDs; decoded the first; no EDID header; decoded as is"},
    };
    for (const auto& [text, warning] : cases) {
        const auto bytes = reinterpret_cast<const uint8_t*>(text.data());
        const Result<EdidRead> read = EdidFromInput(std::span(bytes, text.size()), text.size());
        ASSERT_TRUE(read) << read.error().message;
        EXPECT_EQ(read.value().warning, warning);
    }
}

TEST(HexText, AControlCharacterMakesTheInputRawBytes) {
    EdidBytes edid;
    const std::string raw = HexLines(64) + "\x01";
    ASSERT_EQ(Read(raw, edid), "");
    EXPECT_EQ(edid, EdidBytes(raw.begin(), raw.end()));
}

} // namespace
