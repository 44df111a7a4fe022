// The DisplayID checks on what the differential test does not look at: the
// offsets they name, and bytes of every tag and length read within the
// block. Which rules they report is the differential test's, against
// edid-decode's outputs of the crafted EDIDs (tests/data/crafted).
#include "moniquet/edid_info.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

using namespace moniquet;

namespace {

std::vector<uint8_t> Crafted(const std::string& label) {
    std::istringstream lines(
        ReadWhole(std::filesystem::path(MONIQUET_TEST_DATA) / "crafted" / "displayid.tsv"));
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(label + "\t")) {
            const std::string hex = line.substr(line.rfind('\t') + 1);
            std::vector<uint8_t> bytes;
            for (std::size_t at = 0; at + 1 < hex.size(); at += 2) {
                bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(at, 2), nullptr, 16)));
            }
            return bytes;
        }
    }
    ADD_FAILURE() << label << " is not in tests/data/crafted/displayid.tsv";
    return {};
}

// Where each code is reported: "block:offset", or "block:-" without one.
std::vector<std::string> Places(const EdidInfo& info, std::string_view code) {
    std::vector<std::string> places;
    for (const Diagnostic& d : info.diagnostics) {
        if (DiagnosticCodeName(d.code) == code) {
            places.push_back(std::to_string(d.block.value_or(0)) + ":" +
                             (d.offset ? std::to_string(*d.offset) : "-"));
        }
    }
    return places;
}

TEST(DisplayIdChecks, OffsetsNameTheByteOfTheField) {
    struct Case {
        const char* sample;
        const char* code;
        std::vector<std::string> places;
    };
    const Case cases[] = {
        // The section's header: byte 3 of the block (its product type), byte 2
        // (its length), byte 4 of the base section (its extension count).
        {"crafted/DisplayID 2.x: product identification, vendor IDs, VESA block, reserved use case",
         "displayid-reserved-value",
         {"1:3"}},
        {"crafted/DisplayID sections: a section longer than a block, its checksum wrong",
         "displayid-section-length-invalid",
         {"1:2"}},
        {"crafted/DisplayID sections: extension header, count, filler and padding",
         "displayid-extension-count-mismatch",
         {"1:4"}},
        // A data block's header: the revision byte after the tag at byte 20.
        {"crafted/DisplayID 1.x: timing types I to VI with reserved and invalid fields",
         "displayid-block-revision-unknown",
         {"1:21"}},
        // A payload's field: the tiled topology's pixel multiplier, byte 11
        // of the data block at byte 5.
        {"crafted/DisplayID 2.1: tiled topology 2.x, types VII to X, dynamic range limits",
         "displayid-tiled-bezel-inconsistent",
         {"1:16"}},
        // A descriptor's field: byte 3 of the type I descriptors at bytes 23
        // and 43 and of the type II one at 66, byte 0 of types III and V; the
        // descriptors themselves for the detailed timing rules.
        {"crafted/DisplayID 1.x: timing types I to VI with reserved and invalid fields",
         "displayid-timing-reserved",
         {"1:26", "1:46", "1:69", "1:80", "1:96"}},
        {"crafted/DisplayID 1.x: timing types I to VI with reserved and invalid fields",
         "invalid-detailed-timing",
         {"1:23", "1:43", "1:66"}},
        // The filler after the last data block, and the padding after the
        // section's checksum.
        {"crafted/DisplayID sections: extension header, count, filler and padding",
         "displayid-padding-nonzero",
         {"1:43", "1:48"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Places(DecodeEdidInfo(Crafted(c.sample)), c.code), c.places)
            << c.sample << ": " << c.code;
    }
}

// A real DisplayID 1.2 section whose data blocks are replaced by one block
// of each tag, revision byte and length, filled with a pattern: whatever
// they hold, the checks read only the block's bytes (the sanitizer build
// tells) and name offsets within it.
TEST(DisplayIdChecks, EveryTagAndLengthIsReadWithinTheBlock) {
    const std::string file = ReadWhole(SamplePath("gsm5b11-tiled", ".bin"));
    const std::vector<uint8_t> sample(file.begin(), file.begin() + 256);
    // The lengths of every fixed-size block, a byte either side, and the
    // longest a section holds.
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 118; ++length) {
        if (length <= 32 || (length >= 78 && length <= 80) || length >= 112) {
            lengths.push_back(length);
        }
    }
    for (unsigned tag = 0; tag < 256; ++tag) {
        for (const uint8_t revision : {0x00, 0xF1}) {
            for (const std::size_t length : lengths) {
                std::vector<uint8_t> edid = sample;
                uint8_t* const section = &edid[128];
                std::fill(section + 5, section + 127, 0);
                section[2] = 121;
                section[5] = static_cast<uint8_t>(tag);
                section[6] = revision;
                section[7] = static_cast<uint8_t>(length);
                for (std::size_t i = 0; i < length; ++i) {
                    section[8 + i] = static_cast<uint8_t>(0xA5 ^ (i * 37) ^ tag);
                }
                section[126] =
                    static_cast<uint8_t>(-std::accumulate(section + 1, section + 126, 0u) & 0xFF);
                section[127] =
                    static_cast<uint8_t>(-std::accumulate(section, section + 127, 0u) & 0xFF);
                const EdidInfo info = DecodeEdidInfo(edid);
                for (const Diagnostic& d : info.diagnostics) {
                    ASSERT_LT(d.offset.value_or(0), 127u)
                        << "tag " << tag << ", length " << length << ": " << d.message;
                }
            }
        }
    }
}

} // namespace
