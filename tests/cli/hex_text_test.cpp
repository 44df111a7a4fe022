// Hex text that goes wrong, through the same path as a file's bytes. The
// inputs that go right are real-looking files (tests/data/hex), run through
// the command in report_command_test.cpp.
#include "cli/edid_file.h"
#include "cli/hex_text.h"

#include <gtest/gtest.h>

#include <string>

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

std::string Read(const std::string& text, EdidBytes& edid) {
    std::string error;
    const auto bytes = reinterpret_cast<const uint8_t*>(text.data());
    return EdidFromInput(std::span(bytes, text.size()), text.size(), edid, error) ? "" : error;
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

TEST(HexText, AControlCharacterMakesTheInputRawBytes) {
    EdidBytes edid;
    const std::string raw = HexLines(64) + "\x01";
    ASSERT_EQ(Read(raw, edid), "");
    EXPECT_EQ(edid, EdidBytes(raw.begin(), raw.end()));
}

} // namespace
