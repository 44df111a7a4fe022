#include "makers/maker_names.h"
#include "makers/maker_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

using namespace moniquet;

namespace {

// Names as hwdata 0.368's pnp.ids, or our own table, gives them.
constexpr std::pair<std::u16string_view, std::u16string_view> kKnown[] = {
    {u"AAA", u"Avolites Ltd"},              // first line of pnp.ids
    {u"ZZZ", u"Boca Research Inc"},         // last line
    {u"GSM", u"LG Electronics"},            // gsm*.bin in tests/data/edid
    {u"HTL", u"HTBLuVA M\u00f6dling"},      // UTF-8 in pnp.ids
    {u"SKI", u"LLC SKTB \u201cSKIT\u201d"}, // beyond Latin-1
    {u"AOC", u"AOC International"},         // ours: aoc*.bin
    {u"SDC", u"Samsung Display"},           // ours, the last of them
};

// Codes that name no maker.
constexpr std::u16string_view kUnknown[] = {
    u"AAB",                 // between two listed codes
    u"RTK",                 // withdrawn in pnp.ids ("DO NOT USE - RTK")
    u"VQ@", u"inu", u"INU", // pnp.ids lines with codes no EDID spells as A to Z
    u"@TV", u"AQ_",         // letter codes 0 and 31, as in at-tv0001 and aq_0000
    u"ZZ_",                 // sorts after the last row
    u"",    u"GS",  u"GSMX", u"gsm",
};

bool IsLetterCode(std::u16string_view id) {
    return id.size() == 3 &&
           std::ranges::all_of(id, [](char16_t c) { return c >= u'A' && c <= u'Z'; });
}

void ExpectSortedLetterCodes(std::span<const MakerName> table) {
    ASSERT_FALSE(table.empty());
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsLetterCode(MakerCode(table[i])));
        EXPECT_FALSE(std::u16string_view(table[i].name).empty());
        if (i > 0) {
            EXPECT_LT(MakerCode(table[i - 1]), MakerCode(table[i]));
        }
    }
}

} // namespace

TEST(FindMakerName, GivesTheListedName) {
    for (const auto& [id, name] : kKnown) {
        EXPECT_EQ(std::u16string(FindMakerName(id)), std::u16string(name));
    }
}

TEST(FindMakerName, GivesNothingForUnknownOrMalformedCodes) {
    for (std::u16string_view id : kUnknown) {
        EXPECT_EQ(std::u16string(FindMakerName(id)), u"") << std::string(id.begin(), id.end());
    }
}

TEST(MakerTables, AreSortedLetterCodesWithoutRepeats) {
    ExpectSortedLetterCodes(PnpMakerNames());
    ExpectSortedLetterCodes(ExtraMakerNames());
}

TEST(MakerTables, OurOwnNamesOnlyFillGapsInPnpIds) {
    for (const MakerName& extra : ExtraMakerNames()) {
        const std::u16string_view id = MakerCode(extra);
        EXPECT_EQ(std::u16string(FindInTable(PnpMakerNames(), id)), u"")
            << "pnp.ids now lists " << std::string(id.begin(), id.end())
            << "; drop it from extra_maker_names.cpp";
        EXPECT_EQ(FindMakerName(id), extra.name);
    }
}
