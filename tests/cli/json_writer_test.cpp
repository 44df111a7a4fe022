#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <limits>

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
