// The timing checks on what neither the corpus nor the crafted EDIDs of the
// differential test show: a real sample (an EDID 1.3 monitor with a
// 1920x1080 detailed timing and range limits of 50-76 Hz, 30-83 kHz and
// 170 MHz) changed by a few bytes, and the codes of the timing family it
// then gives.
#include "moniquet/edid_info.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

using namespace moniquet;

namespace {

constexpr std::size_t kFirstDescriptor = 54;
constexpr std::size_t kLastDescriptor = 108;

std::vector<uint8_t> Sample() {
    const std::string file = ReadWhole(SamplePath("aoc2367-plain", ".bin"));
    return {file.begin(), file.end()};
}

// The codes of the timing checks, "F:" before a failure's and "W:" before a
// warning's, with the message of timings-out-of-range.
std::vector<std::string> TimingCodes(const EdidInfo& info) {
    std::vector<std::string> codes;
    for (const Diagnostic& r : info.diagnostics) {
        const std::string name(DiagnosticCodeName(r.code));
        if (name.rfind("timings-", 0) == 0 || name.rfind("dtd-", 0) == 0) {
            codes.push_back((r.severity == Severity::Failure ? "F:" : "W:") + name +
                            (name == "timings-out-of-range" ? " " + r.message : ""));
        }
    }
    return codes;
}

// DMT 0x44, 1920x1200 at 60 Hz with reduced blanking (154 MHz, +hsync -vsync),
// as a detailed timing of sync flags `flags`, the sample's image size kept.
void Dmt44(std::vector<uint8_t>& e, uint8_t flags) {
    const uint8_t timing[] = {0x28, 0x3C, 0x80, 0xA0, 0x70, 0xB0,
                              0x23, 0x40, 0x30, 0x20, 0x36, 0x00};
    std::copy(std::begin(timing), std::end(timing), e.begin() + kFirstDescriptor);
    e[kFirstDescriptor + 17] = flags;
}

TEST(TimingChecks, ChangedBytesGiveTheirCodes) {
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {"as it is", [](auto&) {}, {}},
        // Digital separate sync, +hsync -vsync: DMT 0x44 itself.
        {"DMT 0x44", [](auto& e) { Dmt44(e, 0x1A); }, {}},
        // Digital composite sync has no vertical polarity, read as negative,
        // and bit 1 is the horizontal one: DMT 0x44 still.
        {"DMT 0x44, composite sync", [](auto& e) { Dmt44(e, 0x12); }, {}},
        {"DMT 0x44, other polarities",
         [](auto& e) { Dmt44(e, 0x1C); },
         {"W:dtd-near-standard-timing"}},
        // EDID 1.1 names no formula: 1920x1080 at 85 Hz, outside DMT, has a
        // rate but no line rate or clock.
        {"a standard timing of EDID 1.1 outside DMT",
         [](auto& e) {
             e[19] = 1;
             e[38] = 0xD1;
             e[39] = 0xD9;
         },
         {"W:timings-out-of-range listed timings lie outside the range limits (descriptor "
          "0xFD): vertical 56.250 to 85.000 Hz against 50 to 76 Hz"}},
        // A CVT 3-byte code of 2 lines is 0 pixels wide: no rates.
        {"a CVT code of no width",
         [](auto& e) {
             const uint8_t cvt[] = {0, 0, 0, 0xF8, 0, 1, 0x00, 0x00, 0x10};
             std::fill(e.begin() + kLastDescriptor, e.begin() + kLastDescriptor + 18, 0);
             std::copy(std::begin(cvt), std::end(cvt), e.begin() + kLastDescriptor);
         },
         {}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> edid = Sample();
        c.change(edid);
        edid[127] =
            static_cast<uint8_t>(256 - std::accumulate(edid.begin(), edid.end() - 1, 0u) % 256);
        EXPECT_EQ(TimingCodes(DecodeEdidInfo(edid)), c.codes) << c.what;
    }
}

} // namespace
