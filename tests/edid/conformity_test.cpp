// The conformity checks on what no real sample shows: real samples changed
// by a byte or two, their checksums made good again. How the checks agree
// with edid-decode on real EDIDs is the differential test's
// (tests/differential/conformity_fields.py).
#include "moniquet/edid_info.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <set>

using namespace moniquet;

namespace {

std::vector<uint8_t> Sample(const std::string& name) {
    const std::string file = ReadWhole(SamplePath(name, ".bin"));
    return {file.begin(), file.end()};
}

void FixChecksums(std::vector<uint8_t>& edid) {
    for (std::size_t at = 0; at + 128 <= edid.size(); at += 128) {
        const uint32_t sum = std::accumulate(edid.begin() + at, edid.begin() + at + 127, 0u);
        edid[at + 127] = static_cast<uint8_t>(256 - sum % 256);
    }
}

// The codes found, "F:" before a failure's and "W:" before a warning's.
std::vector<std::string> Codes(const EdidInfo& info) {
    std::vector<std::string> codes;
    for (const Diagnostic& r : info.diagnostics) {
        codes.push_back((r.severity == Severity::Failure ? "F:" : "W:") +
                        std::string(DiagnosticCodeName(r.code)));
    }
    return codes;
}

TEST(Conformity, BytesNoRealSampleHasGiveTheirCodes) {
    struct Case {
        const char* what;
        const char* sample;
        std::function<void(std::vector<uint8_t>&)> change;
        std::vector<std::string> codes;
    };
    const auto blockMap = [](std::vector<uint8_t>& e, uint8_t listed) {
        // An EDID 1.3 of a block map and two video timing blocks (empty).
        e[126] = 3;
        std::vector<uint8_t> map(128), vtb(128);
        map[0] = 0xF0;
        map[1] = map[2] = listed;
        vtb[0] = 0x10;
        e.insert(e.end(), map.begin(), map.end());
        e.insert(e.end(), vtb.begin(), vtb.end());
        e.insert(e.end(), vtb.begin(), vtb.end());
    };
    const Case cases[] = {
        {"as it is", "aoc2367-plain", [](auto&) {}, {}},
        {"header", "aoc2367-plain", [](auto& e) { e[3] = 0; }, {"F:header-invalid"}},
        // Read as EDID 1.0, which has no display descriptors.
        {"EDID 2.0",
         "aoc2367-plain",
         [](auto& e) { e[18] = 2; },
         {"F:version-unknown", "F:display-descriptor-in-edid-1-0",
          "F:display-descriptor-in-edid-1-0", "F:display-descriptor-in-edid-1-0"}},
        // Read as 1.4, whose rules its GTF range limits break.
        {"EDID 1.5",
         "aoc2367-plain",
         [](auto& e) { e[19] = 5; },
         {"W:version-unknown", "F:gtf-without-continuous-frequency", "W:gtf-deprecated"}},
        {"one byte past the blocks",
         "aoc2367-plain",
         [](auto& e) { e.push_back(0); },
         {"F:extension-count-mismatch"}},
        {"block map right", "aoc2367-plain", [&](auto& e) { blockMap(e, 0x10); }, {}},
        {"block map wrong",
         "aoc2367-plain",
         [&](auto& e) { blockMap(e, 0x70); },
         {"F:block-map-invalid"}},
        {"DisplayID section checksum",
         "gsm5b11-tiled",
         [](auto& e) { ++e[128 + 126]; },
         {"F:preferred-timing-missing", "F:displayid-tag-wrong-version",
          "F:displayid-checksum-invalid", "F:displayid-missing-product-id",
          "F:displayid-no-preferred-timing"}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> edid = Sample(c.sample);
        c.change(edid);
        FixChecksums(edid);
        EXPECT_EQ(Codes(DecodeEdidInfo(edid)), c.codes) << c.what;
    }
}

// A year of manufacture more than a year after the reference year fails;
// without one the clock gives it, which no year before 2244 makes 2245
// (byte 17 = 255) pass.
TEST(Conformity, TheYearOfManufactureIsWeighedAgainstTheReferenceYear) {
    std::vector<uint8_t> edid = Sample("aoc2367-plain");
    edid[17] = 2048 - 1990;
    FixChecksums(edid);
    const auto codesIn = [&edid](std::optional<uint32_t> year) {
        DecodeOptions options;
        options.referenceYear = year;
        return Codes(DecodeEdidInfo(edid, options));
    };
    EXPECT_EQ(codesIn(2046), std::vector<std::string>{"F:manufacture-year-in-future"});
    EXPECT_EQ(codesIn(2047), std::vector<std::string>{});
    edid[17] = 255;
    FixChecksums(edid);
    EXPECT_EQ(codesIn(std::nullopt), std::vector<std::string>{"F:manufacture-year-in-future"});
}

// A detailed timing of no pixels across has no aspect ratio to weigh its
// image size against (the fuzzer found a division by its 0 there).
TEST(Conformity, ATimingWithoutPixelsAcrossHasNoAspectRatio) {
    std::vector<uint8_t> edid = Sample("aoc2367-plain");
    edid[56] = 0;
    edid[58] &= 0x0F;
    FixChecksums(edid);
    const std::vector<std::string> codes = Codes(DecodeEdidInfo(edid));
    EXPECT_NE(std::find(codes.begin(), codes.end(), "F:invalid-detailed-timing"), codes.end());
    EXPECT_EQ(std::find(codes.begin(), codes.end(), "W:image-size-aspect-mismatch"), codes.end());
}

// Scripts count the codes: each needs its row in README.md's tables, and no
// row may name a code the program does not have.
TEST(Conformity, EveryCodeHasItsReadmeRowAndEveryRowItsCode) {
    const std::string readme =
        ReadWhole(std::filesystem::path(MONIQUET_TEST_DATA) / "../../README.md");
    std::set<std::string> rows;
    for (std::size_t at = readme.find("\n| `"); at != std::string::npos;
         at = readme.find("\n| `", at + 1)) {
        const std::size_t end = readme.find('`', at + 4);
        if (readme.compare(end, 3, "` |") == 0) {
            rows.insert(readme.substr(at + 4, end - at - 4));
        }
    }
    std::set<std::string> codes;
    for (const DiagnosticCode code : AllDiagnosticCodes()) {
        const std::string name(DiagnosticCodeName(code));
        EXPECT_TRUE(codes.insert(name).second) << "two codes named " << name;
        EXPECT_TRUE(rows.count(name)) << name << " has no row in README.md";
    }
    for (const std::string& row : rows) {
        const bool code =
            row.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos;
        EXPECT_TRUE(!code || codes.count(row) || row.find('-') == std::string::npos)
            << "README.md has a row for " << row << ", which is no code";
    }
}

TEST(Conformity, VerdictIsTheWorstSeverity) {
    const Diagnostic failure{DiagnosticCode::HeaderInvalid, Severity::Failure, 0, 0, ""};
    const Diagnostic warning{DiagnosticCode::GtfDeprecated, Severity::Warning, std::nullopt,
                             std::nullopt, ""};
    EXPECT_EQ(VerdictOf({}), Verdict::Pass);
    EXPECT_EQ(VerdictOf({warning}), Verdict::Warn);
    EXPECT_EQ(VerdictOf({warning, failure, warning}), Verdict::Fail);
}

TEST(Conformity, AnEdidShorterThanItsBaseBlockFails) {
    const std::vector<uint8_t> edid = Sample("aoc2367-plain");
    for (const std::size_t length : {0, 8, 127}) {
        const EdidInfo info = DecodeEdidInfo(std::span(edid).first(length));
        EXPECT_EQ(VerdictOf(info.diagnostics), Verdict::Fail) << length;
    }
}

} // namespace
