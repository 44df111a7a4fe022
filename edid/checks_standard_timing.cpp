// The 2-byte standard timing codes, of bytes 38 to 53 and of descriptors
// 0xFA.
#include "edid/bits.h"
#include "edid/checks_base.h"

#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint8_t kUnused = 0x01;

std::string CodeHex(std::span<const uint8_t, 2> code) {
    return ByteHex(code[0]) + ByteHex(code[1]).substr(2);
}

} // namespace

void CheckStandardTimingCode(std::span<const uint8_t, 2> code, std::size_t offset,
                             const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const auto at = [&sink, offset] {
        return "bytes " + to_string(sink.origin + offset) + " and " +
               to_string(sink.origin + offset + 1);
    };
    // A first byte of 0 or 1 (248 or 256 pixels) is no mode; sources know
    // 0x0101 alone as an empty entry.
    if (code[0] <= kUnused) {
        if (code[0] != kUnused || code[1] != kUnused) {
            Fail(sink, DiagnosticCode::StandardTimingUnusedCode, offset,
                 at() + " hold the standard timing " + CodeHex(code) +
                     ", which is no mode: an unused entry is 0x0101");
        }
        return;
    }
    // Aspect 0 is 1:1 before EDID 1.3, whose widths are multiples of 8.
    static constexpr uint32_t kRatios[4][2] = {{10, 16}, {3, 4}, {4, 5}, {9, 16}};
    const uint32_t aspect = Bits(code[1], 7, 6);
    if (aspect == 0 && RevisionOf(info) < 3) {
        return;
    }
    const uint32_t width = (code[0] + 31u) * 8u;
    const uint32_t height = width * kRatios[aspect][0] / kRatios[aspect][1];
    // No mode of the DMT list has an odd height: the ratio does not fit the
    // width.
    if (height % 2 != 0) {
        Warn(sink, DiagnosticCode::StandardTimingOddHeight, offset,
             at() + " hold the standard timing " + CodeHex(code) + " of " + to_string(width) + "x" +
                 to_string(height) + ", an odd number of lines that no display mode has");
    }
}

} // namespace moniquet
