#include "moniquet/report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace moniquet;

namespace {

EdidSummary WorkedExample() {
    EdidSummary s;
    s.vendor = {u"ABC", 4660};
    s.timingCount = 1;
    s.timings[0].valid = true;
    s.timings[0].hAddressable = 1920;
    s.timings[0].vAddressable = 1080;
    s.timings[0].hImageSizeMm = 531;
    s.timings[0].vImageSizeMm = 299;
    s.descriptorCount = 3;
    s.descriptors[1] = {DescriptorKind::ProductName, u"ABC 24"};
    return s;
}

TEST(FormatMonitorReport, WorkedExample) {
    const std::u16string report = FormatMonitorReport(WorkedExample());
    EXPECT_EQ(report, u"MONITEUR\r\n"
                      u"Fabricant    : ABC\r\n"
                      u"Code produit : 1234\r\n"
                      u"R\u00E9f\u00E9rence PN : ABC 24\r\n"
                      u"TIMING 1\r\n"
                      u"Horz Addressable Video   : 1920 pixel(s)\r\n"
                      u"Vert Addressable Video   : 1080 line(s)\r\n"
                      u"Horz Image Size          : 531 mm\r\n"
                      u"Vert Image Size          : 299 mm\r\n"
                      u"\r\n");
    EXPECT_EQ(report.size(), 239u);
    EXPECT_EQ(FormatMonitorLabel(WorkedExample().vendor), u"ABC1234");
}

TEST(FormatProductCode, FourUpperCaseDigitsInLabelAndReport) {
    const std::pair<uint32_t, const char16_t*> cases[] = {{0, u"0000"},     {10, u"000A"},
                                                          {175, u"00AF"},   {4660, u"1234"},
                                                          {43981, u"ABCD"}, {65535, u"FFFF"}};
    for (const auto& [code, digits] : cases) {
        const VendorId v{u"XYZ", code};
        EXPECT_EQ(FormatMonitorLabel(v), u"XYZ" + std::u16string(digits));
        EXPECT_EQ(FormatVendorSection(v), u"MONITEUR\r\nFabricant    : XYZ\r\nCode produit : " +
                                              std::u16string(digits) + u"\r\n");
    }
}

TEST(FormatVendorSection, ManufacturerPrintedAsItStands) {
    EXPECT_EQ(FormatMonitorLabel({u"", 0x12}), u"0012");
    EXPECT_EQ(FormatVendorSection({u"", 0}),
              u"MONITEUR\r\nFabricant    : \r\nCode produit : 0000\r\n");
    EXPECT_EQ(FormatMonitorLabel({u"@[_", 1}), u"@[_0001");
}

TEST(FormatDescriptorLine, KindsAndTexts) {
    EXPECT_EQ(FormatDescriptorLine({DescriptorKind::ProductName, u""}),
              u"R\u00E9f\u00E9rence PN : \r\n");
    EXPECT_EQ(FormatDescriptorLine({DescriptorKind::DataString, u"X"}),
              u"R\u00E9f\u00E9rence DS : X\r\n");
    EXPECT_EQ(FormatDescriptorLine({DescriptorKind::None, u"ignored"}), u"");
    EXPECT_EQ(FormatDescriptorLine({static_cast<DescriptorKind>(1), u"ignored"}), u"");
    EXPECT_EQ(FormatDescriptorLine({static_cast<DescriptorKind>(0xFFFFFFFF), u"x"}), u"");

    // Every code unit is written, a U+0000 among them.
    const std::u16string withNul(u"L2\0W", 4);
    const std::u16string line = FormatDescriptorLine({DescriptorKind::ProductName, withNul});
    EXPECT_EQ(line, u"R\u00E9f\u00E9rence PN : " + withNul + u"\r\n");
}

TEST(FormatTimingSection, NumbersAreDecimalWithoutGrouping) {
    DetailedTiming t;
    t.hAddressable = 4095;
    t.vAddressable = 4095;
    t.hImageSizeMm = 4095;
    t.vImageSizeMm = 0;
    EXPECT_EQ(FormatTimingSection(t, 12), u"TIMING 12\r\n"
                                          u"Horz Addressable Video   : 4095 pixel(s)\r\n"
                                          u"Vert Addressable Video   : 4095 line(s)\r\n"
                                          u"Horz Image Size          : 4095 mm\r\n"
                                          u"Vert Image Size          : 0 mm\r\n"
                                          u"\r\n");
    t.hAddressable = std::numeric_limits<uint32_t>::max();
    const std::u16string wide = FormatTimingSection(t, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(wide.substr(0, 19), u"TIMING -2147483648\r");
    EXPECT_NE(wide.find(u": 4294967295 pixel(s)"), std::u16string::npos);
}

TEST(FormatMonitorReport, SectionsFollowTheCounts) {
    // Reset summary: the vendor section alone, no trailing empty line.
    EXPECT_EQ(FormatMonitorReport(EdidSummary{}),
              u"MONITEUR\r\nFabricant    : \r\nCode produit : 0000\r\n");

    EdidSummary s;
    s.vendor = {u"ABC", 1};
    s.timingCount = 4;
    s.descriptorCount = 3; // all None: no line at all
    const std::u16string report = FormatMonitorReport(s);
    EXPECT_EQ(report.find(u"R\u00E9f"), std::u16string::npos);
    EXPECT_EQ(report.find(u"Code produit : 0001\r\nTIMING 1\r\n"), 30u);
    for (const char16_t* header :
         {u"TIMING 1\r\n", u"TIMING 2\r\n", u"TIMING 3\r\n", u"TIMING 4\r\n"}) {
        EXPECT_NE(report.find(header), std::u16string::npos);
    }
    EXPECT_EQ(report.substr(report.size() - 4), u"\r\n\r\n");
    EXPECT_NE(report.find(u": 0 pixel(s)\r\n"), std::u16string::npos);
}

TEST(FormatMonitorReport, DescriptorLinesPrecedeTimingsInSlotOrder) {
    EdidSummary s;
    s.vendor = {u"ABC", 1};
    s.timingCount = 1;
    s.descriptorCount = 2;
    s.descriptors[0] = {DescriptorKind::DataString, u"second"};
    s.descriptors[1] = {DescriptorKind::ProductName, u"first"};
    s.descriptors[2] = {DescriptorKind::ProductName, u"beyond count"};
    const std::u16string report = FormatMonitorReport(s);
    const auto ds = report.find(u"DS : second");
    const auto pn = report.find(u"PN : first");
    ASSERT_NE(ds, std::u16string::npos);
    ASSERT_NE(pn, std::u16string::npos);
    EXPECT_LT(ds, pn);
    EXPECT_LT(pn, report.find(u"TIMING 1"));
    EXPECT_EQ(report.find(u"beyond count"), std::u16string::npos);
}

TEST(FormatMonitorReport, CountsBeyondTheSlotsReadNothingPastThem) {
    EdidSummary s;
    s.vendor = {u"ABC", 1};
    s.timingCount = std::numeric_limits<uint32_t>::max();
    s.descriptorCount = 1000;
    for (auto& d : s.descriptors) {
        d = {DescriptorKind::ProductName, u"n"};
    }
    const std::u16string report = FormatMonitorReport(s);
    EXPECT_NE(report.find(u"TIMING 4\r\n"), std::u16string::npos);
    EXPECT_EQ(report.find(u"TIMING 5"), std::u16string::npos);
    std::size_t names = 0;
    for (auto at = report.find(u"PN : n"); at != std::u16string::npos;
         at = report.find(u"PN : n", at + 1)) {
        ++names;
    }
    EXPECT_EQ(names, 3u);
}

} // namespace
