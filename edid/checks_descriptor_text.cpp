// The text of a display descriptor: printable ASCII, ended by a line feed
// when shorter than its field, the rest spaces. Sources show it as it is,
// and some stop at the first byte they do not expect.
#include "edid/checks_base.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kSpace = 0x20;

bool Printable(uint8_t b) {
    return b >= kSpace && b < 0x7F;
}

} // namespace

void CheckDescriptorText(std::span<const uint8_t> text, std::size_t at, const char* field,
                         DiagnosticCode invalid, DiagnosticCode nonAscii,
                         const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    // Messages name the byte of the block.
    const auto position = [at, &sink](std::size_t i) {
        return " (byte " + to_string(sink.origin + at + i) + ")";
    };
    bool ended = false;
    bool space = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const uint8_t b = text[i];
        if (ended) {
            if (b != kSpace) {
                Fail(sink, invalid, at + i,
                     std::string("the ") + field + " has " + ByteHex(b) + " after its line feed" +
                         position(i) + ", where only spaces may follow");
                return;
            }
        } else if (b == kLineFeed) {
            ended = true;
            if (i == 0) {
                Fail(sink, invalid, at,
                     std::string("the ") + field + " is empty: its line feed comes first" +
                         position(0));
            } else if (space) {
                Fail(sink, invalid, at + i - 1,
                     std::string("the ") + field + " ends in spaces before its line feed" +
                         position(i));
            }
            space = false;
        } else if (b == 0x00 || b == 0xFF) {
            // Often meant to end or pad the text, which a line feed and
            // spaces do.
            Fail(sink, invalid, at + i,
                 std::string("the ") + field + " holds " + ByteHex(b) + position(i) +
                     ": a line feed ends a text, spaces pad it");
            return;
        } else if (Printable(b)) {
            space = b == kSpace;
        } else {
            Warn(sink, nonAscii, at + i,
                 std::string("the ") + field + " holds " + ByteHex(b) + position(i) +
                     ", outside printable ASCII, which sources may show differently or not at all");
            space = false;
        }
    }
    if (!ended && space) {
        Fail(sink, invalid, at + text.size() - 1,
             std::string("the ") + field +
                 " is padded with spaces, but has no line feed before them to end it");
    }
}

bool IsDummySerialText(std::span<const uint8_t> text) {
    // The text up to what ends it; other bytes outside printable ASCII
    // match none of the values below.
    const auto end = std::find_if(text.begin(), text.end(), [](uint8_t b) {
        return b == kLineFeed || b == 0x00 || b == 0xFF;
    });
    const std::string_view serial(reinterpret_cast<const char*>(text.data()),
                                  static_cast<std::size_t>(end - text.begin()));
    if (serial.empty()) {
        return false;
    }
    if (serial.find_first_not_of(" 01") == std::string_view::npos) {
        return true;
    }
    // Texts found in many monitors of many models.
    static constexpr std::array<std::string_view, 12> kDummies = {
        "na",           "n/a",           "NA",           "Serial Number",
        "SerialNumber", "Serial_Number", "121212121212", "1234567890123",
        "20000080",     "SN-000000001",  "demoset-1",    "H1AK500000"};
    return std::find(kDummies.begin(), kDummies.end(), serial) != kDummies.end();
}

} // namespace moniquet
