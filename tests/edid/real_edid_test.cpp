// Golden tests on EDIDs read from real monitors (see tests/data/README.md for
// where each comes from). The expected texts were worked out by hand from the
// bytes, not captured from the program.
#include "edid/decode.h"
#include "edid/report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<uint8_t> ReadSample(const std::string& name) {
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/edid/" + name + ".bin", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The record the program keeps: the first 256 bytes, zero-padded.
EdidSummary DecodeSample(const std::string& name, std::size_t expectedSize) {
    const std::vector<uint8_t> bytes = ReadSample(name);
    EXPECT_EQ(bytes.size(), expectedSize) << name;
    return DecodeMonitorRecord(bytes).summary;
}

std::u16string Vendor(const char16_t* maker, const char16_t* code) {
    return std::u16string(u"MONITEUR\r\nFabricant    : ") + maker + u"\r\nCode produit : " + code +
           u"\r\n";
}

std::u16string Timing(int n, const char16_t* h, const char16_t* v, const char16_t* hmm,
                      const char16_t* vmm) {
    return u"TIMING " + std::u16string(1, static_cast<char16_t>(u'0' + n)) +
           u"\r\nHorz Addressable Video   : " + h + u" pixel(s)\r\nVert Addressable Video   : " +
           v + u" line(s)\r\nHorz Image Size          : " + hmm +
           u" mm\r\nVert Image Size          : " + vmm + u" mm\r\n\r\n";
}

const std::u16string kPN = u"R\u00E9f\u00E9rence PN : ";
const std::u16string kDS = u"R\u00E9f\u00E9rence DS : ";

TEST(RealEdid, PlainMonitorWithNameRangeAndSerial) {
    const EdidSummary s = DecodeSample("aoc2367-plain", 128);
    EXPECT_EQ(FormatMonitorLabel(s.vendor), u"AOC2367");
    EXPECT_EQ(s.timings[0].pixelClockKHz, 148500u);
    EXPECT_EQ(s.timings[0].hBlanking, 280u);
    EXPECT_EQ(s.timings[0].vBlanking, 45u);
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"AOC", u"2367") + kPN + u"2367\r\n" +
                                          Timing(1, u"1920", u"1080", u"509", u"286"));
}

TEST(RealEdid, NameHoldingAZeroByteKeepsItAndTheTimingsAfterIt) {
    const EdidSummary s = DecodeSample("gsm5662-nul-in-name", 128);
    const std::u16string name(u"L225W\0", 6);
    EXPECT_EQ(s.descriptors[1].text, name);
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"GSM", u"5662") + kPN + name + u"\r\n" +
                                          Timing(1, u"1680", u"1050", u"474", u"296") +
                                          Timing(2, u"1680", u"1050", u"474", u"296"));
}

TEST(RealEdid, DataStringWithAByteAbove0x7FAndNoLineFeed) {
    const EdidSummary s = DecodeSample("auo31a6-high-bytes", 128);
    EXPECT_EQ(s.descriptors[0].kind, DescriptorKind::DataString);
    EXPECT_EQ(s.descriptors[1].kind, DescriptorKind::None); // tag 0x00
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"AUO", u"31A6") + kDS + u"8G0JV\u0080B160UAN\r\n" +
                                          Timing(1, u"1920", u"1200", u"344", u"215") +
                                          Timing(2, u"1920", u"1200", u"344", u"215"));
}

TEST(RealEdid, ManufacturerOutsideTheAlphabetAndProductCodeZero) {
    const EdidSummary s = DecodeSample("aq_0000-underscore-maker", 128);
    EXPECT_EQ(FormatMonitorLabel(s.vendor), u"AQ_0000");
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"AQ_", u"0000") + kPN + u"M185XTN01.2  \r\n" +
                                          Timing(1, u"1366", u"768", u"410", u"230") +
                                          Timing(2, u"1360", u"768", u"410", u"230") +
                                          Timing(3, u"1280", u"720", u"410", u"230"));

    const EdidSummary at = DecodeSample("at-tv0001-at-maker", 256);
    EXPECT_EQ(FormatMonitorLabel(at.vendor), u"@TV0001");
    EXPECT_EQ(FormatMonitorReport(at), Vendor(u"@TV", u"0001") + kPN + u"TV\r\n" +
                                           Timing(1, u"1920", u"1080", u"885", u"498") +
                                           Timing(2, u"1366", u"768", u"885", u"498"));
}

TEST(RealEdid, FourDetailedTimingsAndNoDescriptor) {
    const EdidSummary s = DecodeSample("gsm3aa8-four-timings", 128);
    EXPECT_EQ(s.descriptorCount, 0u);
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"GSM", u"3AA8") +
                                          Timing(1, u"640", u"480", u"260", u"190") +
                                          Timing(2, u"800", u"600", u"260", u"190") +
                                          Timing(3, u"1024", u"768", u"260", u"190") +
                                          Timing(4, u"1280", u"1024", u"260", u"190"));
}

TEST(RealEdid, ProductNameAndDataString) {
    const EdidSummary s = DecodeSample("acr06b4-data-string", 128);
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"ACR", u"06B4") + kPN + u"AL1716\r\n" + kDS +
                                          u"ACER\r\n" +
                                          Timing(1, u"1280", u"1024", u"338", u"270"));
}

TEST(RealEdid, BlockLongerThan256BytesDecodesFromItsStart) {
    const EdidSummary s = DecodeSample("aoc2460-three-blocks", 512);
    EXPECT_EQ(FormatMonitorReport(s), Vendor(u"AOC", u"2460") + kPN + u"2460G4\r\n" +
                                          Timing(1, u"1920", u"1080", u"531", u"299") +
                                          Timing(2, u"1920", u"1080", u"531", u"299"));
}

} // namespace
