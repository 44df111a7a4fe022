#include "cli/utf8.h"

#include <gtest/gtest.h>

using namespace moniquet;

namespace {

TEST(ToUtf8, EveryCodeUnitKept) {
    EXPECT_EQ(ToUtf8(u"abc"), "abc");
    EXPECT_EQ(ToUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(ToUtf8(u"\u00E9\u0080\u00FF"), "\xC3\xA9\xC2\x80\xC3\xBF");
    EXPECT_EQ(ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(ToUtf8(u"\U0001F5A5"), "\xF0\x9F\x96\xA5");
    // Unpaired surrogates are written as they are instead of being dropped.
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xED\xA0\x80");
    EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xDC00), u'x'}), "\xED\xB0\x80x");
}

} // namespace
