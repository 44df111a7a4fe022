#include "strings/file_filter.h"

#include <gtest/gtest.h>

using namespace moniquet;

TEST(FilterListFromText, EverySeparatorBecomesNul) {
    const std::u16string french = FilterListFromText(u"Fichier EDID|*.bin|Tous les fichiers|*.*|");
    EXPECT_EQ(french, std::u16string(u"Fichier EDID\0*.bin\0Tous les fichiers\0*.*\0", 41));
    // With the string's own terminator the list ends in two NULs.
    EXPECT_EQ(french.c_str()[french.size() - 1], u'\0');
    EXPECT_EQ(french.c_str()[french.size()], u'\0');

    EXPECT_EQ(FilterListFromText(u"EDID file|*.bin|All files|*.*|"),
              std::u16string(u"EDID file\0*.bin\0All files\0*.*\0", 30));
    EXPECT_EQ(FilterListFromText(u"||"), std::u16string(2, u'\0'));
}

TEST(FilterListFromText, TextWithoutSeparatorIsUnchanged) {
    EXPECT_EQ(FilterListFromText(u"EDID file *.bin"), u"EDID file *.bin");
    EXPECT_EQ(FilterListFromText(u""), u"");
    // Only '|' itself is a separator, not look-alike code units.
    EXPECT_EQ(FilterListFromText(u"a\uFF5Cb\u017C"), u"a\uFF5Cb\u017C");
}
