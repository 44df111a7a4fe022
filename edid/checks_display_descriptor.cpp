// Each display descriptor (bytes 0 and 1 zero) of any block: its header
// bytes, its tag, and what each known tag requires of the rest.
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr std::size_t kReservedOffset = 2;
constexpr std::size_t kRangeFlagsOffset = 4;
// Tags 0x11 to 0xF6 are reserved; 0x00 to 0x0F are the maker's.
constexpr uint8_t kFirstReservedTag = kTagDummy + 1;
constexpr uint8_t kLastReservedTag = kTagEstablishedIii - 1;
constexpr std::size_t kStandardTimingsInDescriptor = 6;
// Of the maker's tags, the one VESA gives to embedded panels.
constexpr uint8_t kTagEpi = 0x0E;

void CheckSerialDescriptor(Descriptor d, const DiagnosticSink& sink, Walk& walk) {
    ++walk.base.serialDescriptors;
    const auto text = d.subspan(kDescriptorTextOffset, kDescriptorTextSize);
    CheckDescriptorText(text, kDescriptorTextOffset, "serial number text",
                        DiagnosticCode::DescriptorTextInvalid,
                        DiagnosticCode::DescriptorTextNonAscii, sink);
    if (IsDummySerialText(text)) {
        Warn(sink, DiagnosticCode::SerialNumberDummy, kDescriptorTextOffset,
             "the serial number text (bytes 5 to 17) is a placeholder many makers use, not a "
             "serial number");
    }
}

void CheckStandardTimingsDescriptor(Descriptor d, const DiagnosticSink& sink,
                                    const EdidInfo& info) {
    bool any = false;
    for (std::size_t i = 0; i < kStandardTimingsInDescriptor; ++i) {
        const std::size_t at = kDescriptorTextOffset + 2 * i;
        CheckStandardTimingCode(d.subspan(at).first<2>(), at, sink, info);
        any |= d[at] != 0x01 || d[at + 1] != 0x01;
    }
    if (!any) {
        Warn(sink, DiagnosticCode::StandardTimingsDescriptorEmpty, kDescriptorTextOffset,
             "a standard timings descriptor (0xFA) whose six entries are all unused");
    }
}

} // namespace

void CheckDisplayDescriptor(Descriptor d, std::optional<std::size_t> baseIndex,
                            const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    DisplayDescriptorBefore(walk, sink, true);
    const EdidInfo& info = walk.info;
    const uint32_t revision = RevisionOf(info);
    const uint8_t tag = DisplayDescriptorTag(d);
    if (d[kReservedOffset] != 0) {
        Fail(sink, DiagnosticCode::ReservedBitsSet, kReservedOffset,
             "byte 2 of a display descriptor (tag " + ByteHex(tag) + ") is " +
                 ByteHex(d[kReservedOffset]) + ", but must be 0");
    }
    // EDID 1.4 gives the range limits descriptor's byte 4 to its offsets.
    if ((revision < 4 || tag != kTagRangeLimits) && d[kRangeFlagsOffset] != 0) {
        Fail(sink, DiagnosticCode::ReservedBitsSet, kRangeFlagsOffset,
             "byte 4 of a display descriptor (tag " + ByteHex(tag) + ") is " +
                 ByteHex(d[kRangeFlagsOffset]) + ", but must be 0");
    }
    if (revision == 0) {
        Fail(sink, DiagnosticCode::DisplayDescriptorInEdid10, 0,
             "EDID 1.0 has detailed timings only, but this descriptor is a display descriptor");
    }
    if (std::all_of(d.begin(), d.end(), [](uint8_t b) { return b == 0; })) {
        Fail(sink, DiagnosticCode::DescriptorAllZero, 0,
             "a descriptor of 18 zero bytes: an unused one is a dummy descriptor (tag 0x10)");
        return;
    }
    const auto text = d.subspan(kDescriptorTextOffset, kDescriptorTextSize);
    const bool spwg = walk.base.spwgPanel && baseIndex.value_or(0) >= 2;
    switch (tag) {
    case kTagDummy:
        if (std::any_of(text.begin(), text.end(), [](uint8_t b) { return b != 0; })) {
            Fail(sink, DiagnosticCode::DummyDescriptorNotEmpty, kDescriptorTextOffset,
                 "a dummy descriptor (tag 0x10) whose bytes 5 to 17 are not all 0");
        }
        break;
    case kTagProductName:
        CheckDescriptorText(text, kDescriptorTextOffset, "product name",
                            DiagnosticCode::DescriptorTextInvalid,
                            DiagnosticCode::DescriptorTextNonAscii, sink);
        break;
    case kTagDataString:
        if (!spwg) {
            CheckDescriptorText(text, kDescriptorTextOffset, "data string",
                                DiagnosticCode::DescriptorTextInvalid,
                                DiagnosticCode::DescriptorTextNonAscii, sink);
        } else if (*baseIndex == 2) {
            CheckSpwgPartNumbers(d, sink);
        } else {
            CheckSpwgPanelData(d, sink);
        }
        break;
    case kTagSerialString:
        CheckSerialDescriptor(d, sink, walk);
        break;
    case kTagRangeLimits:
        CheckRangeLimitsDescriptor(d, sink, info);
        break;
    case kTagStandardTimings:
        CheckStandardTimingsDescriptor(d, sink, info);
        break;
    case kTagCvt:
        CheckCvtCodesDescriptor(d, sink, info);
        break;
    case kTagEstablishedIii:
        if (revision < 4) {
            Fail(sink, DiagnosticCode::DescriptorNeedsEdid14, kDisplayDescriptorTagOffset,
                 "an established timings III descriptor (tag 0xF7), which EDID 1.4 introduced");
        }
        break;
    case kTagEpi:
        CheckEpiDescriptor(d, sink);
        break;
    default:
        if (tag >= kFirstReservedTag && tag <= kLastReservedTag) {
            Fail(sink, DiagnosticCode::DisplayDescriptorUnknown, kDisplayDescriptorTagOffset,
                 "a display descriptor of the reserved tag " + ByteHex(tag));
        }
        break;
    }
}

} // namespace moniquet
