#include "strings/string_block.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace moniquet;

namespace {

using Entries = std::array<std::u16string, kStringsPerBlock>;

void AppendUnit(std::vector<uint8_t>& bytes, uint16_t unit) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
}

// A block as the resource compiler lays it out: count, then the code units.
std::vector<uint8_t> MakeBlock(const Entries& entries) {
    std::vector<uint8_t> bytes;
    for (const std::u16string& text : entries) {
        AppendUnit(bytes, static_cast<uint16_t>(text.size()));
        for (char16_t unit : text) {
            AppendUnit(bytes, unit);
        }
    }
    return bytes;
}

// Block 7 of the French table: ids 96 to 111, of which 103 to 111 are used.
Entries FrenchBlock7() {
    Entries entries;
    entries[103 & 15] = u"Moniquet (fran\u00e7ais)";
    entries[104 & 15] = u"Moniteurs";
    entries[105 & 15] = u"Actualiser";
    entries[106 & 15] = u"Fermer";
    entries[107 & 15] = u"A propos de Moniquet";
    entries[108 & 15] = u"A propos...";
    entries[109 & 15] = u"Moniquet (fran\u00e7ais)";
    entries[110 & 15] = u"Copier vers le presse-papier";
    entries[111 & 15] = u"Enregistrer le bloc EDID en fichier binaire...";
    return entries;
}

std::u16string Find(const std::vector<uint8_t>& block, unsigned id) {
    return FindStringInBlock(block, StringIndexInBlock(id));
}

} // namespace

TEST(StringBlockNumber, IdsAreGroupedBySixteenFromBlockOne) {
    EXPECT_EQ(StringBlockNumber(0), 1);
    EXPECT_EQ(StringBlockNumber(15), 1);
    EXPECT_EQ(StringBlockNumber(16), 2);
    EXPECT_EQ(StringBlockNumber(96), 7);
    EXPECT_EQ(StringBlockNumber(103), 7);
    EXPECT_EQ(StringBlockNumber(111), 7);
    EXPECT_EQ(StringBlockNumber(112), 8);
    EXPECT_EQ(StringBlockNumber(116), 8);
    EXPECT_EQ(StringBlockNumber(117), 8);
    EXPECT_EQ(StringBlockNumber(0xFFFF), 0x1000);
    EXPECT_EQ(StringIndexInBlock(96), 0u);
    EXPECT_EQ(StringIndexInBlock(103), 7u);
    EXPECT_EQ(StringIndexInBlock(111), 15u);
    EXPECT_EQ(StringIndexInBlock(117), 5u);
}

TEST(StringBlockNumber, IdsBeyondSixteenBitsHaveNoBlock) {
    // 0x10067 would otherwise wrap onto the block of id 103.
    EXPECT_EQ(StringBlockNumber(0x10000), 0);
    EXPECT_EQ(StringBlockNumber(0x10067), 0);
    EXPECT_EQ(StringBlockNumber(0xFFFFFFFFu), 0);
}

TEST(FindStringInBlock, ReturnsEachEntryExactlyAsStored) {
    const std::vector<uint8_t> block = MakeBlock(FrenchBlock7());
    EXPECT_EQ(Find(block, 103), u"Moniquet (fran\u00e7ais)");
    EXPECT_EQ(Find(block, 104), u"Moniteurs");
    EXPECT_EQ(Find(block, 106), u"Fermer");
    EXPECT_EQ(Find(block, 108), u"A propos...");
    EXPECT_EQ(Find(block, 110), u"Copier vers le presse-papier");
    // The last entry of the block: nothing follows it.
    EXPECT_EQ(Find(block, 111), u"Enregistrer le bloc EDID en fichier binaire...");
}

TEST(FindStringInBlock, AbsentEntriesAreEmpty) {
    const std::vector<uint8_t> block = MakeBlock(FrenchBlock7());
    EXPECT_EQ(Find(block, 96), u"");
    EXPECT_EQ(Find(block, 102), u"");

    Entries block8;
    block8[112 & 15] = u"Langue";
    block8[116 & 15] = u"Impossible de sauvegarder le fichier!";
    const std::vector<uint8_t> bytes = MakeBlock(block8);
    EXPECT_EQ(Find(bytes, 112), u"Langue");
    EXPECT_EQ(Find(bytes, 113), u"");
    EXPECT_EQ(Find(bytes, 116), u"Impossible de sauvegarder le fichier!");
    EXPECT_EQ(Find(bytes, 117), u"");
    EXPECT_EQ(FindStringInBlock(bytes, 16), u"");
}

TEST(FindStringInBlock, KeepsNulAndHighCodeUnits) {
    Entries entries;
    entries[0] = std::u16string(u"a\0b", 3);
    entries[1] = u"\uFFFF\u0100";
    const std::vector<uint8_t> block = MakeBlock(entries);
    EXPECT_EQ(FindStringInBlock(block, 0), std::u16string(u"a\0b", 3));
    EXPECT_EQ(FindStringInBlock(block, 1), u"\uFFFF\u0100");
}

TEST(FindStringInBlock, ResourcePaddingAfterTheBlockIsIgnored) {
    std::vector<uint8_t> block = MakeBlock(FrenchBlock7());
    block.insert(block.end(), {0x05, 0x00, 0x41, 0x00});
    EXPECT_EQ(Find(block, 111), u"Enregistrer le bloc EDID en fichier binaire...");
}

TEST(FindStringInBlock, DamagedBlocksNeverReadPastTheirEnd) {
    const std::vector<uint8_t> whole = MakeBlock(FrenchBlock7());

    // Each copy is cut short and held in its own allocation, so that a read
    // beyond the cut is caught by the address sanitizer.
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
        for (unsigned index = 0; index < kStringsPerBlock; ++index) {
            const std::u16string text = FindStringInBlock(part, index);
            const std::u16string full = FindStringInBlock(whole, index);
            // Either the entry fitted in what is left, or nothing is returned.
            EXPECT_TRUE(text.empty() || text == full) << "cut " << cut << " index " << index;
        }
    }

    // The whole last entry needs the whole block.
    const std::vector<uint8_t> shorter(whole.begin(), whole.end() - 1);
    EXPECT_EQ(FindStringInBlock(shorter, 15), u"");
    EXPECT_EQ(FindStringInBlock(shorter, 7), u"Moniquet (fran\u00e7ais)");
}

TEST(FindStringInBlock, CountOverrunningTheBlockStopsTheWalk) {
    Entries entries;
    entries[2] = u"after";
    std::vector<uint8_t> block = MakeBlock(entries);
    // Entry 0 claims far more code units than the block holds.
    block[0] = 0xFF;
    block[1] = 0xFF;
    EXPECT_EQ(FindStringInBlock(block, 0), u"");
    EXPECT_EQ(FindStringInBlock(block, 2), u"");

    EXPECT_EQ(FindStringInBlock({}, 0), u"");
    const std::vector<uint8_t> oneByte{0x01};
    EXPECT_EQ(FindStringInBlock(oneByte, 0), u"");
}
