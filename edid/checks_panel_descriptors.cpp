// The descriptors of laptop and embedded panels: the two that a laptop
// panel keeps in descriptors 3 and 4 of the base block (tag 0xFE both),
// and the embedded panel interface descriptor (tag 0x0E).
#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kPartNumberSize = 5;
constexpr std::size_t kPanelPartNumberOffset = 11;
constexpr std::size_t kPanelPartNumberSize = 7;

void InvalidEpi(const DiagnosticSink& sink, std::size_t offset, const std::string& what) {
    Fail(sink, DiagnosticCode::EpiDescriptorInvalid, offset,
         "the embedded panel descriptor (tag 0x0E) " + what);
}

} // namespace

bool IsSpwgPanel(WholeBlock b) {
    const auto timing = [&b](std::size_t at) { return b[at] != 0 || b[at + 1] != 0; };
    const auto dataString = [&b, &timing](std::size_t at) {
        return !timing(at) && b[at + kDisplayDescriptorTagOffset] == kTagDataString;
    };
    // Two detailed timings, then two data strings; descriptor 4's byte 13
    // counts the LVDS channels, its byte 14 flags the self test.
    return timing(0x36) && timing(0x48) && dataString(0x5A) && dataString(0x6C) &&
           (b[0x79] == 1 || b[0x79] == 2) && b[0x7A] <= 1;
}

// Descriptor 3: the PC maker's part number (bytes 5 to 9), the panel's
// EDID revision (10), the panel maker's part number (11 to 17).
void CheckSpwgPartNumbers(Descriptor d, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    const auto first = d.begin() + kDescriptorTextOffset;
    if (std::find(first, first + kPartNumberSize, 0x00) != first + kPartNumberSize) {
        Fail(sink, DiagnosticCode::SpwgDescriptorInvalid, kDescriptorTextOffset,
             "the laptop panel's descriptor 3 holds a 0x00 byte in the PC maker's part number "
             "(its bytes 5 to 9), which has 5 characters");
    }
    CheckDescriptorText(d.subspan(kPanelPartNumberOffset, kPanelPartNumberSize),
                        kPanelPartNumberOffset, "panel maker's part number (laptop descriptor 3)",
                        DiagnosticCode::SpwgDescriptorInvalid,
                        DiagnosticCode::SpwgDescriptorInvalid, sink);
}

// Descriptor 4: SMBus values, LVDS channels and self test, then a line
// feed and two spaces.
void CheckSpwgPanelData(Descriptor d, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    if (d[15] != 0x0A || d[16] != 0x20 || d[17] != 0x20) {
        Fail(sink, DiagnosticCode::SpwgDescriptorInvalid, 15,
             "the laptop panel's descriptor 4 ends in " + ByteHex(d[15]) + " " + ByteHex(d[16]) +
                 " " + ByteHex(d[17]) +
                 " (its bytes 15 to 17) instead of a line feed and two spaces");
    }
}

void CheckEpiDescriptor(Descriptor d, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    // Byte 5: bits per pixel 18, 24 or 30; 1, 2 or 4 pixels per clock; a
    // conventional colour mapping or not.
    if (Bits(d[5], 2, 0) > 2) {
        InvalidEpi(sink, 5,
                   "gives the reserved bits per pixel code " + to_string(Bits(d[5], 2, 0)) +
                       " (byte 5 bits 2 to 0)");
    }
    if (Bits(d[5], 4, 3) > 2) {
        InvalidEpi(sink, 5, "gives the reserved pixels per clock code 3 (byte 5 bits 4 and 3)");
    }
    if (Bits(d[5], 6, 5) > 1) {
        InvalidEpi(sink, 5,
                   "gives the reserved colour mapping code " + to_string(Bits(d[5], 6, 5)) +
                       " (byte 5 bits 6 and 5)");
    }
    if (Bits(d[6], 3, 0) > 5) {
        InvalidEpi(sink, 6,
                   "gives the reserved interface code " + to_string(Bits(d[6], 3, 0)) +
                       " (byte 6 bits 3 to 0)");
    }
    // Reserved bits of bytes 5, 6, 7 and 11, and bytes 12 to 16 whole.
    static constexpr struct {
        std::size_t offset;
        uint8_t bits;
    } kReserved[] = {{5, 0x80}, {6, 0xC0}, {7, 0xFC}, {11, 0x40}};
    for (const auto& r : kReserved) {
        if ((d[r.offset] & r.bits) != 0) {
            InvalidEpi(sink, r.offset,
                       "sets the reserved bits " + ByteHex(d[r.offset] & r.bits) + " of byte " +
                           to_string(r.offset));
        }
    }
    if (std::any_of(d.begin() + 12, d.begin() + 17, [](uint8_t b) { return b != 0; })) {
        InvalidEpi(sink, 12, "has reserved bytes 12 to 16 other than 0");
    }
}

} // namespace moniquet
