#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <limits>

using namespace moniquet;

namespace {

std::string Quoted(std::u16string_view text) {
    JsonWriter w;
    JsonString(w, text);
    return JsonText(w);
}

TEST(JsonString, EscapesQuotesBackslashesAndEveryControlCharacter) {
    EXPECT_EQ(Quoted(u"a\"b\\c/d"), R"("a\"b\\c/d")");
    EXPECT_EQ(Quoted(std::u16string(u"\0\n\x1F ~\x7F\x80\x9F\xA0\xFF", 10)),
              "\"\\u0000\\u000a\\u001f ~\\u007f\\u0080\\u009f\xC2\xA0\xC3\xBF\"");
    // Pairs become one 4-byte sequence; an unpaired surrogate is kept.
    EXPECT_EQ(Quoted(u"\U0001F5A5"), "\"\xF0\x9F\x96\xA5\"");
    EXPECT_EQ(Quoted(std::u16string{u'x', char16_t(0xD800), u'"'}), "\"x\xED\xA0\x80\\\"\"");
}

TEST(JsonWriter, LinesAndInlineContainersNest) {
    JsonWriter w;
    JsonBeginObject(w, JsonLayout::Lines);
    JsonKey(w, "a");
    JsonUnsigned(w, 1);
    JsonKey(w, "list");
    JsonBeginArray(w, JsonLayout::Lines);
    JsonBeginObject(w, JsonLayout::Inline);
    JsonKey(w, "x");
    JsonBool(w, true);
    JsonKey(w, "y");
    // Lines inside an inline container stay on its line.
    JsonBeginArray(w, JsonLayout::Lines);
    JsonNull(w);
    JsonBool(w, false);
    JsonEnd(w);
    JsonEnd(w);
    JsonEnd(w);
    JsonKey(w, "empty");
    JsonBeginArray(w, JsonLayout::Lines);
    JsonEnd(w);
    JsonEnd(w);
    EXPECT_EQ(JsonText(w), "{\n"
                           "  \"a\": 1,\n"
                           "  \"list\": [\n"
                           "    {\"x\": true, \"y\": [null, false]}\n"
                           "  ],\n"
                           "  \"empty\": []\n"
                           "}");
    EXPECT_EQ(w.depth, 0u);
}

// A file name as given: valid UTF-8 kept, controls escaped as JsonString
// escapes them, each byte of invalid UTF-8 U+FFFD.
TEST(JsonUtf8String, KeepsValidUtf8AndReplacesEachBadByte) {
    JsonWriter w;
    JsonUtf8String(w, "\xC3\xA9\\\"\x01\xC2\x85\xFF\xC3 \xED\xA0\x80\xF0\x9F\x96\xA5");
    EXPECT_EQ(JsonText(w), "\"\xC3\xA9\\\\\\\"\\u0001\\u0085\uFFFD\uFFFD \uFFFD\uFFFD\uFFFD"
                           "\xF0\x9F\x96\xA5\"");
}

// JSON Lines: the layouts asked for give way to one line without spaces.
TEST(JsonWriter, CompactPutsEachTopLevelValueOnALine) {
    JsonWriter w;
    w.compact = true;
    for (int i = 0; i < 2; ++i) {
        JsonBeginObject(w, JsonLayout::Lines);
        JsonKey(w, "a");
        JsonBeginArray(w, JsonLayout::Lines);
        JsonUnsigned(w, 1);
        JsonNull(w);
        JsonEnd(w);
        JsonKey(w, "b");
        JsonBool(w, true);
        JsonEnd(w);
        JsonEndLine(w);
    }
    EXPECT_EQ(JsonBytes(w), "{\"a\":[1,null],\"b\":true}\n{\"a\":[1,null],\"b\":true}\n");
}

TEST(JsonNumbers, FixedDecimalsAndNullWhereJsonHasNoNumber) {
    JsonWriter w;
    JsonBeginArray(w, JsonLayout::Inline);
    JsonFixed(w, 59.77729325614862, 6);
    JsonFixed(w, 60.0, 6);
    JsonFixed(w, 148.5, 2);
    JsonFixed(w, 1e300, 6);
    JsonFixed(w, std::numeric_limits<double>::quiet_NaN(), 6);
    JsonFixed(w, -std::numeric_limits<double>::infinity(), 6);
    JsonUnsigned(w, std::numeric_limits<uint64_t>::max());
    JsonEnd(w);
    EXPECT_EQ(JsonText(w),
              "[59.777293, 60.000000, 148.50, 1e+300, null, null, 18446744073709551615]");
}

} // namespace
