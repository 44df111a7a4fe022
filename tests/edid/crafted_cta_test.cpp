// The CTA-861 and HDMI checks of the crafted EDIDs (tests/data/crafted/
// cta.tsv) against the table beside them (cta.expected): codes, severities
// and the byte each names, which the differential test (codes and blocks
// against the oracle) does not compare. And the decoded fields of each stay
// those the walk gives without checks.
#include "moniquet/edid_info.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

using namespace moniquet;

namespace {

const std::filesystem::path kCrafted = std::filesystem::path(MONIQUET_TEST_DATA) / "crafted";

// Label and bytes of each line of a TSV of crafted EDIDs.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Crafted() {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> edids;
    std::istringstream lines(ReadWhole(kCrafted / "cta.tsv"));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        const std::string hex = line.substr(line.rfind('\t') + 1);
        std::vector<uint8_t> bytes;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        }
        edids.emplace_back(line.substr(0, tab), std::move(bytes));
    }
    return edids;
}

bool OfCtaFamily(const Diagnostic& d) {
    static constexpr DiagnosticCode kCodes[] = {
#define MONIQUET_CODE(id, name) DiagnosticCode::id,
#include "moniquet/codes_cta.def"
#undef MONIQUET_CODE
    };
    // Reserved bits of the extension blocks are the CTA-861 checks' too.
    return std::find(std::begin(kCodes), std::end(kCodes), d.code) != std::end(kCodes) ||
           (d.code == DiagnosticCode::ReservedBitsSet && d.block.value_or(0) > 0);
}

std::string Listed(const EdidInfo& info) {
    std::vector<std::string> items;
    for (const Diagnostic& d : info.diagnostics) {
        if (OfCtaFamily(d)) {
            items.push_back(std::string(d.severity == Severity::Failure ? "F:" : "W:") +
                            std::string(DiagnosticCodeName(d.code)) + "@" +
                            (d.block ? std::to_string(*d.block) : "-") + ":" +
                            (d.offset ? std::to_string(*d.offset) : "-"));
        }
    }
    std::sort(items.begin(), items.end());
    std::string line;
    for (const std::string& item : items) {
        line += (line.empty() ? "" : " ") + item;
    }
    return line;
}

TEST(CraftedCta, ChecksNameTheCodesAndBytesOfTheTable) {
    std::map<std::string, std::string> expected;
    std::istringstream lines(ReadWhole(kCrafted / "cta.expected"));
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with('#')) {
            const std::size_t tab = line.find('\t');
            expected[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    const auto edids = Crafted();
    ASSERT_FALSE(edids.empty());
    ASSERT_EQ(edids.size(), expected.size()) << "every crafted EDID has a line in cta.expected";
    for (const auto& [label, bytes] : edids) {
        SCOPED_TRACE(label);
        ASSERT_TRUE(expected.count(label));
        EXPECT_EQ(Listed(DecodeEdidInfo(bytes)), expected[label]);
    }
}

// The checks read what the decoders read, and change none of it.
TEST(CraftedCta, ChecksLeaveTheDecodedFieldsAsTheyAre) {
    for (const auto& [label, bytes] : Crafted()) {
        SCOPED_TRACE(label);
        const EdidInfo checked = DecodeEdidInfo(bytes);
        const EdidInfo plain = DecodeEdidInfo(bytes, kDecodeWithoutChecks);
        EXPECT_TRUE(plain.diagnostics.empty());
        ASSERT_EQ(checked.cta.has_value(), plain.cta.has_value());
        EXPECT_EQ(checked.detailedTimings.size(), plain.detailedTimings.size());
        EXPECT_EQ(checked.modes.size(), plain.modes.size());
        if (checked.cta) {
            EXPECT_EQ(checked.cta->vics, plain.cta->vics);
            EXPECT_EQ(checked.cta->svdBytes, plain.cta->svdBytes);
            EXPECT_EQ(checked.cta->dataBlocks.size(), plain.cta->dataBlocks.size());
            EXPECT_EQ(checked.cta->audio.size(), plain.cta->audio.size());
            EXPECT_EQ(checked.cta->hdmiForum.has_value(), plain.cta->hdmiForum.has_value());
        }
    }
}

} // namespace
