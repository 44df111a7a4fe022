#include "edid/bits.h"
#include "edid/decode.h"
#include "edid/descriptor_rule.h"
#include "edid/info_blocks.h"
#include "edid/timing_checks.h"

#include <algorithm>
#include <string>

namespace {

using std::to_string;

constexpr std::size_t kFlagsOffset = 17;
// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;
// Image sizes are in mm, the screen size in cm: a centimetre is rounding.
constexpr int kImageSizeSlackMm = 10;

// What remains of a blanking after its front porch, its sync and the
// borders on both sides, which the blanking includes.
uint32_t BackPorch(uint32_t blanking, uint32_t front, uint32_t sync, uint32_t border) {
    const uint32_t used = front + sync + 2 * border;
    return blanking >= used ? blanking - used : 0;
}

TimingInfo TimingOf(Descriptor descriptor, const DetailedTiming& timing, uint32_t blockIndex,
                    BlockType source) {
    const uint8_t flags = descriptor[kFlagsOffset];
    TimingInfo info;
    info.block = blockIndex;
    info.source = source;
    info.interlaced = Bit(flags, 7);
    info.width = timing.hAddressable;
    info.height = info.interlaced ? 2 * timing.vAddressable : timing.vAddressable;
    info.pixelClockKHz = timing.pixelClockKHz;
    info.imageWidthMm = timing.hImageSizeMm;
    info.imageHeightMm = timing.vImageSizeMm;
    info.hFrontPorch = timing.hFrontPorch;
    info.hSync = timing.hSyncWidth;
    info.hBackPorch =
        BackPorch(timing.hBlanking, timing.hFrontPorch, timing.hSyncWidth, timing.hBorder);
    info.vFrontPorch = timing.vFrontPorch;
    info.vSync = timing.vSyncWidth;
    info.vBackPorch =
        BackPorch(timing.vBlanking, timing.vFrontPorch, timing.vSyncWidth, timing.vBorder);
    info.hBorder = timing.hBorder;
    info.vBorder = timing.vBorder;
    // Bits 4 and 3 both set: digital separate sync, whose polarities are
    // bits 1 (horizontal) and 2 (vertical).
    if (Bits(flags, 4, 3) == 3) {
        info.hSyncPositive = Bit(flags, 1);
        info.vSyncPositive = Bit(flags, 2);
    }
    const uint32_t hTotal = timing.hAddressable + timing.hBlanking;
    const uint32_t vTotal = timing.vAddressable + timing.vBlanking;
    if (hTotal != 0 && vTotal != 0) {
        // An interlaced timing stores one field; fields alternate between
        // vTotal and vTotal + 1 lines, so a field lasts vTotal + 0.5 lines.
        const double lines = info.interlaced ? vTotal + 0.5 : vTotal;
        info.refreshHz = timing.pixelClockKHz * 1000.0 / (hTotal * lines);
    }
    return info;
}

// What no sink can show, named in one failure per timing.
void CheckDetailedTiming(Descriptor d, const DetailedTiming& t, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    std::string wrong;
    const auto note = [&wrong](const char* what) {
        wrong += wrong.empty() ? "" : ", ";
        wrong += what;
    };
    if (t.pixelClockKHz < kMinPixelClockKHz) {
        note("a pixel clock below 10 MHz");
    }
    if (std::all_of(d.begin(), d.end(), [&d](uint8_t b) { return b == d[0]; })) {
        note("every byte the same");
    }
    if (t.hAddressable == 0 || t.vAddressable == 0) {
        note("no active pixels or lines");
    }
    if (t.hBlanking == 0 || t.vBlanking == 0 || t.hSyncWidth == 0 || t.vSyncWidth == 0) {
        note("a blanking or sync width of 0");
    }
    if (t.hFrontPorch == 0) {
        note("a horizontal front porch of 0");
    }
    if (t.hFrontPorch + t.hSyncWidth >= t.hBlanking) {
        note("a horizontal back porch of 0 or less");
    }
    if (t.vFrontPorch + t.vSyncWidth >= t.vBlanking) {
        note("a vertical back porch of 0 or less");
    }
    if (!wrong.empty()) {
        Fail(sink, DiagnosticCode::InvalidDetailedTiming, 0,
             "the detailed timing of " + to_string(t.hAddressable) + "x" +
                 to_string(t.vAddressable) + " has " + wrong);
    }
}

// The first timing of each block whose image size is off the screen size:
// larger in either direction, or smaller in both.
void CheckImageSize(const TimingInfo& t, const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    const EdidInfo& info = walk.info;
    if (!info.screenSizeCm || t.pixelClockKHz < kMinPixelClockKHz) {
        return;
    }
    const bool named =
        std::any_of(info.diagnostics.begin(), info.diagnostics.end(), [&t](const Diagnostic& d) {
            return d.code == DiagnosticCode::ImageSizeMismatch && d.block == t.block;
        });
    if (named) {
        return;
    }
    const int width = static_cast<int>(info.screenSizeCm->width) * 10;
    const int height = static_cast<int>(info.screenSizeCm->height) * 10;
    const int dw = static_cast<int>(t.imageWidthMm.value_or(0)) - width;
    const int dh = static_cast<int>(t.imageHeightMm.value_or(0)) - height;
    if (dw >= kImageSizeSlackMm || dh >= kImageSizeSlackMm ||
        (dw <= -kImageSizeSlackMm && dh <= -kImageSizeSlackMm)) {
        Fail(sink, DiagnosticCode::ImageSizeMismatch, 12,
             "the " + to_string(t.width) + "x" + to_string(t.height) +
                 " detailed timing's image size " + to_string(t.imageWidthMm.value_or(0)) + "x" +
                 to_string(t.imageHeightMm.value_or(0)) +
                 " mm (bytes 12 to 14) is far from the "
                 "screen size " +
                 to_string(width) + "x" + to_string(height) + " mm");
    }
}

// The rates a sink syncs to: a field's of an interlaced timing, the frame's
// of a progressive one.
void AddListedRates(const TimingInfo& t, const DetailedTiming& stored, Walk& walk) {
    const uint32_t hTotal = stored.hAddressable + stored.hBlanking;
    if (!t.refreshHz || t.pixelClockKHz < kMinPixelClockKHz || hTotal == 0) {
        return;
    }
    AddRates(walk.listedRates, {static_cast<double>(t.pixelClockKHz) / hTotal, *t.refreshHz,
                                t.pixelClockKHz / 1000.0});
}

} // namespace

bool IsDisplayDescriptor(Descriptor descriptor) {
    return IsDisplayDescriptorUnder(DescriptorRule::PixelClock, descriptor, 0);
}

uint8_t DisplayDescriptorTag(Descriptor descriptor) {
    return descriptor[kDisplayDescriptorTagOffset];
}

std::u16string DescriptorTextOf(Descriptor descriptor) {
    std::u16string text;
    DecodeDescriptorText(descriptor.subspan(kDescriptorTextOffset, kDescriptorTextSize), text);
    while (!text.empty() && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

void AddDescriptor(Descriptor descriptor, uint32_t blockIndex, std::size_t offset, BlockType source,
                   Walk& walk) {
    EdidInfo& info = walk.info;
    if (!IsDisplayDescriptor(descriptor)) {
        DetailedTiming timing;
        DecodeDetailedTiming(descriptor, timing);
        const DiagnosticSink sink = Within(SinkOf(walk, blockIndex), offset);
        CheckDetailedTiming(descriptor, timing, sink);
        info.detailedTimings.push_back(TimingOf(descriptor, timing, blockIndex, source));
        CheckImageSize(info.detailedTimings.back(), sink, walk);
        AddListedRates(info.detailedTimings.back(), timing, walk);
        CheckDetailedTimingAgainstTables(descriptor, timing, blockIndex, offset, sink, walk);
        return;
    }
    AddDisplayDescriptorRates(descriptor, source, walk);
    const uint8_t tag = DisplayDescriptorTag(descriptor);
    std::optional<std::u16string>* text = tag == kTagSerialString  ? &info.serialString
                                          : tag == kTagProductName ? &info.productName
                                                                   : nullptr;
    if (text != nullptr && !text->has_value()) {
        *text = DescriptorTextOf(descriptor);
    }
}
