// The CVT 3-byte timing codes descriptor (tag 0xF8): its version and each
// of its four codes.
#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kCvtVersionOffset = 5;
constexpr std::size_t kFirstCode = 6;
constexpr std::size_t kCodeSize = 3;
constexpr std::size_t kCodes = 4;

void CheckCode(Descriptor d, std::size_t at, const DiagnosticSink& sink) {
    const uint8_t lines = d[at];
    const uint8_t aspect = d[at + 1];
    const uint8_t rates = d[at + 2];
    const auto invalid = [&sink, at](std::size_t byte, const std::string& what) {
        Fail(sink, DiagnosticCode::CvtCodeInvalid, at + byte,
             "the CVT code at byte " + to_string(sink.origin + at) + " " + what);
    };
    // The low 8 bits of (lines / 2 - 1): 0 with high bits of 0 is 2 lines.
    if (lines == 0) {
        invalid(0, "has a first byte of 0, which is reserved");
    }
    if ((aspect & 0x03) != 0) {
        invalid(1, "sets reserved bits 1 and 0 of its second byte");
    }
    if (Bit(rates, 7)) {
        invalid(2, "sets reserved bit 7 of its third byte");
    }
    if (Bits(rates, 4, 0) == 0) {
        invalid(2, "supports no vertical rate (third byte, bits 4 to 0)");
        return;
    }
    // Bits 6 and 5 name the preferred rate: 50, 60, 75 or 85 Hz, the 60
    // Hz one of reduced blanking when bit 0 alone of the 60 Hz pair is set.
    uint32_t preferred = Bits(rates, 6, 5);
    if (preferred == 1 && Bit(rates, 0)) {
        preferred = 4;
    }
    if (!Bit(rates, 4 - preferred)) {
        invalid(2, "prefers a vertical rate that its bits 4 to 0 do not support");
    }
}

} // namespace

void CheckCvtCodesDescriptor(Descriptor d, const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    if (d[kCvtVersionOffset] != 0x01) {
        Fail(sink, DiagnosticCode::CvtCodeInvalid, kCvtVersionOffset,
             "the CVT codes descriptor (tag 0xF8) has version " + to_string(d[kCvtVersionOffset]) +
                 " in byte 5; only version 1 is defined");
        return;
    }
    for (std::size_t i = 0; i < kCodes; ++i) {
        const std::size_t at = kFirstCode + i * kCodeSize;
        // Codes after the first may be left all 0, unused.
        const bool unused = std::all_of(d.begin() + at, d.begin() + at + kCodeSize,
                                        [](uint8_t b) { return b == 0; });
        if (i == 0 || !unused) {
            CheckCode(d, at, sink);
        }
    }
    if (RevisionOf(info) < 4) {
        Fail(sink, DiagnosticCode::DescriptorNeedsEdid14, kDisplayDescriptorTagOffset,
             "a CVT codes descriptor (tag 0xF8), which EDID 1.4 introduced");
    }
}

} // namespace moniquet
