#include "moniquet/decode.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>

using namespace moniquet;

namespace {

using Block = std::array<uint8_t, 256>;

void Put(Block& block, std::size_t offset, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) {
        block[offset++] = b;
    }
}

// A display descriptor with `tag` and a 13-byte text field.
void PutDisplay(Block& block, std::size_t offset, uint8_t tag, const char (&text)[14]) {
    Put(block, offset, {0, 0, 0, tag, 0});
    for (std::size_t i = 0; i < 13; ++i) {
        block[offset + 5 + i] = static_cast<uint8_t>(text[i]);
    }
}

void PutTiming(Block& block, std::size_t offset) {
    // 148.5 MHz, 1920 x 1080, 531 x 299 mm.
    Put(block, offset,
        {0x02, 0x3a, 0x80, 0x18, 0x71, 0x38, 0x2d, 0x40, 0x58, 0x2c, 0x45, 0x00, 0x13, 0x2b, 0x21,
         0x00, 0x00, 0x1e});
}

bool IsReset(const DetailedTiming& t) {
    return !t.valid && t.pixelClockKHz == 0 && t.hAddressable == 0 && t.hBlanking == 0 &&
           t.vAddressable == 0 && t.vBlanking == 0 && t.hFrontPorch == 0 && t.hSyncWidth == 0 &&
           t.vFrontPorch == 0 && t.vSyncWidth == 0 && t.hImageSizeMm == 0 && t.vImageSizeMm == 0 &&
           t.hBorder == 0 && t.vBorder == 0;
}

bool IsReset(const DescriptorText& d) {
    return d.kind == DescriptorKind::None && d.text.empty();
}

EdidSummary Decode(const Block& block) {
    EdidSummary summary;
    DecodeEdidBlock(block, summary);
    return summary;
}

TEST(DecodeEdidBlock, AllZeroBlockGivesAtSignsOneEmptyTimingAndThreeEmptyDescriptors) {
    const EdidSummary s = Decode(Block{});
    EXPECT_FALSE(s.active);
    EXPECT_EQ(s.vendor.manufacturer, u"@@@");
    EXPECT_EQ(s.vendor.productCode, 0u);
    ASSERT_EQ(s.timingCount, 1u);
    EXPECT_TRUE(IsReset(s.timings[0]));
    ASSERT_EQ(s.descriptorCount, 3u);
    for (const auto& d : s.descriptors) {
        EXPECT_TRUE(IsReset(d));
    }
}

TEST(DecodeEdidBlock, ResetsEverySlotOfAReusedSummary) {
    Block full{};
    for (std::size_t off : {54u, 72u, 90u, 108u}) {
        PutTiming(full, off);
    }
    EdidSummary s;
    DecodeEdidBlock(full, s);
    s.active = true;
    ASSERT_EQ(s.timingCount, 4u);

    Block names{};
    PutDisplay(names, 72, 0xFC, "NAME\n        ");
    DecodeEdidBlock(names, s);
    EXPECT_FALSE(s.active);
    EXPECT_EQ(s.timingCount, 1u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_TRUE(IsReset(s.timings[i])) << i;
    }
    EXPECT_EQ(s.descriptors[0].text, u"NAME");
}

TEST(DecodeEdidBlock, FirstDescriptorIsAlwaysATimingEvenWhenItHoldsAName) {
    Block b{};
    PutDisplay(b, 54, 0xFC, "FIRST\n       ");
    PutDisplay(b, 72, 0xFC, "SECOND\n      ");
    const EdidSummary s = Decode(b);
    EXPECT_EQ(s.timingCount, 1u);
    EXPECT_TRUE(IsReset(s.timings[0]));
    EXPECT_EQ(s.descriptorCount, 3u);
    EXPECT_EQ(s.descriptors[0].text, u"SECOND");
}

TEST(DecodeEdidBlock, NonZeroThirdByteMakesATimingWithAZeroClock) {
    Block b{};
    Put(b, 72, {0, 0, 0x01, 0xFC, 0, 'X', '\n'});
    const EdidSummary s = Decode(b);
    EXPECT_EQ(s.timingCount, 2u);
    EXPECT_TRUE(IsReset(s.timings[1]));
    EXPECT_EQ(s.descriptorCount, 2u);
}

TEST(DecodeEdidBlock, OtherTagsTakeAnEmptySlotAndAreCounted) {
    for (uint8_t tag : {0xFD, 0xFF, 0xFB, 0xFA, 0x10}) {
        Block b{};
        PutDisplay(b, 72, tag, "SOMETHING\n   ");
        PutDisplay(b, 90, 0xFC, "NAME\n        ");
        PutDisplay(b, 108, tag, "SOMETHING\n   ");
        const EdidSummary s = Decode(b);
        ASSERT_EQ(s.descriptorCount, 3u) << int(tag);
        EXPECT_TRUE(IsReset(s.descriptors[0])) << int(tag);
        EXPECT_EQ(s.descriptors[1].kind, DescriptorKind::ProductName);
        EXPECT_TRUE(IsReset(s.descriptors[2])) << int(tag);
    }
}

TEST(DecodeEdidBlock, PacksTimingsAndDescriptorsInBlockOrder) {
    Block b{};
    PutTiming(b, 54);
    PutDisplay(b, 72, 0xFC, "PRODUCT\n     ");
    PutTiming(b, 90);
    PutDisplay(b, 108, 0xFE, "DATA\n        ");
    const EdidSummary s = Decode(b);
    ASSERT_EQ(s.timingCount, 2u);
    ASSERT_EQ(s.descriptorCount, 2u);
    EXPECT_EQ(s.descriptors[0].kind, DescriptorKind::ProductName);
    EXPECT_EQ(s.descriptors[0].text, u"PRODUCT");
    EXPECT_EQ(s.descriptors[1].kind, DescriptorKind::DataString);
    EXPECT_EQ(s.descriptors[1].text, u"DATA");
    EXPECT_TRUE(s.timings[1].valid);
    EXPECT_EQ(s.timings[1].hAddressable, 1920u);
    EXPECT_TRUE(IsReset(s.descriptors[2]));
    EXPECT_TRUE(IsReset(s.timings[2]));
}

TEST(DecodeEdidBlock, CountsAlwaysAddUpToFour) {
    Block four{};
    for (std::size_t off : {54u, 72u, 90u, 108u}) {
        PutTiming(four, off);
    }
    EdidSummary s = Decode(four);
    EXPECT_EQ(s.timingCount, 4u);
    EXPECT_EQ(s.descriptorCount, 0u);

    Block one{};
    PutTiming(one, 54);
    PutDisplay(one, 72, 0xFF, "SERIAL\n      ");
    PutDisplay(one, 90, 0xFD, "RANGE\n       ");
    PutDisplay(one, 108, 0xFC, "NAME\n        ");
    s = Decode(one);
    EXPECT_EQ(s.timingCount, 1u);
    EXPECT_EQ(s.descriptorCount, 3u);
}

TEST(DecodeEdidBlock, IgnoresHeaderChecksumExtensionCountAndExtensionBlock) {
    Block base{};
    PutTiming(base, 54);
    PutDisplay(base, 72, 0xFC, "NAME\n        ");
    Block noisy = base;
    Put(noisy, 0, {1, 2, 3, 4, 5, 6, 7, 8});
    Put(noisy, 18, {9, 9});
    noisy[126] = 3;
    noisy[127] = 0x55;
    for (std::size_t i = 128; i < 256; ++i) {
        noisy[i] = static_cast<uint8_t>(i);
    }
    const EdidSummary a = Decode(base);
    const EdidSummary b = Decode(noisy);
    EXPECT_EQ(a.vendor.manufacturer, b.vendor.manufacturer);
    EXPECT_EQ(a.timingCount, b.timingCount);
    EXPECT_EQ(a.timings[0].hImageSizeMm, b.timings[0].hImageSizeMm);
    EXPECT_EQ(a.descriptors[0].text, b.descriptors[0].text);
}

TEST(DecodeEdidBlock, ShortInputDecodesAsIfPaddedWithZeros) {
    Block b{};
    PutTiming(b, 54);
    PutDisplay(b, 108, 0xFC, "LAST\n        ");
    EdidSummary whole;
    DecodeEdidBlock(b, whole);
    EdidSummary base;
    DecodeEdidBlock(std::span<const uint8_t>(b.data(), 128), base);
    EXPECT_EQ(base.descriptors[2].text, whole.descriptors[2].text);

    // Cut inside the last descriptor: its missing bytes read as zero.
    EdidSummary cut;
    DecodeEdidBlock(std::span<const uint8_t>(b.data(), 115), cut);
    EXPECT_EQ(cut.descriptors[2].kind, DescriptorKind::ProductName);
    EXPECT_EQ(cut.descriptors[2].text, std::u16string(u"LA") + std::u16string(11, u'\0'));

    EdidSummary none;
    DecodeEdidBlock({}, none);
    EXPECT_EQ(none.vendor.manufacturer, u"@@@");
    EXPECT_EQ(none.descriptorCount, 3u);
}

TEST(DecodeVendorId, LetterCodesIncludingThoseOutsideTheAlphabet) {
    Block b{};
    Put(b, 8, {0x04, 0x43});
    VendorId v;
    DecodeVendorId(b, v);
    EXPECT_EQ(v.manufacturer, u"ABC");

    b[8] |= 0x80; // bit 7 is not part of any letter
    DecodeVendorId(b, v);
    EXPECT_EQ(v.manufacturer, u"ABC");

    // Codes 0, 27 and 31: "@", "[" and "_".
    Put(b, 8, {0x03, 0x7F});
    DecodeVendorId(b, v);
    EXPECT_EQ(v.manufacturer, u"@[_");
    // Codes 28, 29, 30.
    Put(b, 8, {0x73, 0xBE});
    DecodeVendorId(b, v);
    EXPECT_EQ(v.manufacturer, u"\\]^");
}

TEST(DecodeVendorId, ProductCodeIsLittleEndianAndResetsFirst) {
    Block b{};
    Put(b, 10, {0x34, 0x12});
    VendorId v{u"OLD TEXT", 99};
    DecodeVendorId(b, v);
    EXPECT_EQ(v.productCode, 0x1234u);
    EXPECT_EQ(v.manufacturer.size(), 3u);
    Put(b, 10, {0xFF, 0xFF});
    DecodeVendorId(b, v);
    EXPECT_EQ(v.productCode, 65535u);
}

TEST(DecodeDetailedTiming, FieldsFromTheirSplitBits) {
    std::array<uint8_t, 18> d{};
    DetailedTiming t;

    d = {0xFF, 0xFF};
    DecodeDetailedTiming(d, t);
    EXPECT_TRUE(t.valid);
    EXPECT_EQ(t.pixelClockKHz, 655350u);

    d = {0x01, 0x00, 0x80, 0x18, 0x71};
    DecodeDetailedTiming(d, t);
    EXPECT_EQ(t.hAddressable, 1920u);
    EXPECT_EQ(t.hBlanking, 280u);

    d = {0x01, 0x00};
    d[11] = 0xFF;
    DecodeDetailedTiming(d, t);
    EXPECT_EQ(t.hFrontPorch, 768u);
    EXPECT_EQ(t.hSyncWidth, 768u);
    EXPECT_EQ(t.vFrontPorch, 48u);
    EXPECT_EQ(t.vSyncWidth, 48u);

    // Every field at its largest.
    d.fill(0xFF);
    DecodeDetailedTiming(d, t);
    EXPECT_EQ(t.hAddressable, 4095u);
    EXPECT_EQ(t.hBlanking, 4095u);
    EXPECT_EQ(t.vAddressable, 4095u);
    EXPECT_EQ(t.vBlanking, 4095u);
    EXPECT_EQ(t.hFrontPorch, 1023u);
    EXPECT_EQ(t.hSyncWidth, 1023u);
    EXPECT_EQ(t.vFrontPorch, 63u);
    EXPECT_EQ(t.vSyncWidth, 63u);
    EXPECT_EQ(t.hImageSizeMm, 4095u);
    EXPECT_EQ(t.vImageSizeMm, 4095u);
    EXPECT_EQ(t.hBorder, 255u);
    EXPECT_EQ(t.vBorder, 255u);
}

TEST(DecodeDetailedTiming, ZeroClockLeavesEverythingZero) {
    std::array<uint8_t, 18> d{};
    d.fill(0xFF);
    d[0] = 0;
    d[1] = 0;
    DetailedTiming t;
    t.hAddressable = 7;
    DecodeDetailedTiming(d, t);
    EXPECT_TRUE(IsReset(t));
}

TEST(DecodeDescriptorText, OnlyLineFeedEndsTheText) {
    std::u16string text = u"stale";
    const uint8_t full[13] = {'A', 'B', 'C', ' ', '2', '4', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    DecodeDescriptorText(full, text);
    EXPECT_EQ(text, u"ABC 24       ");

    const uint8_t first[13] = {'\n', 'A', 'B'};
    DecodeDescriptorText(first, text);
    EXPECT_EQ(text, u"");

    uint8_t last[13];
    std::fill(std::begin(last), std::end(last), 'x');
    last[12] = '\n';
    DecodeDescriptorText(last, text);
    EXPECT_EQ(text.size(), 12u);

    const uint8_t zero[13] = {'L', '2', 0x00, 'W', '\n', 'Z'};
    DecodeDescriptorText(zero, text);
    EXPECT_EQ(text, std::u16string(u"L2\0W", 4));

    const uint8_t high[13] = {0x80, 0xE9, 0xFF, '\n'};
    DecodeDescriptorText(high, text);
    EXPECT_EQ(text, u"\u0080\u00E9\u00FF");
}

TEST(DecodeDescriptorText, ReadsNoMoreThanThirteenBytes) {
    std::array<uint8_t, 20> longer{};
    longer.fill('y');
    std::u16string text;
    DecodeDescriptorText(longer, text);
    EXPECT_EQ(text.size(), 13u);
    DecodeDescriptorText(std::span<const uint8_t>(longer.data(), 4), text);
    EXPECT_EQ(text, u"yyyy");
}

TEST(MonitorRecord, CopiesShareNothingWithTheirSource) {
    MonitorRecord a;
    a.rawBlock[0] = 1;
    a.summary.vendor.manufacturer = u"ABC";
    a.summary.descriptors[1].text = u"name";
    MonitorRecord b = a;
    a.summary.vendor.manufacturer[0] = u'X';
    a.summary.descriptors[1].text.clear();
    a.rawBlock[0] = 2;
    EXPECT_EQ(b.summary.vendor.manufacturer, u"ABC");
    EXPECT_EQ(b.summary.descriptors[1].text, u"name");
    EXPECT_EQ(b.rawBlock[0], 1);
}

} // namespace
