#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/descriptor_rule.h"
#include "edid/detailed_timing_rules.h"
#include "edid/edid_layout.h"
#include "edid/info_blocks.h"
#include "edid/timing_checks.h"
#include "moniquet/decode.h"

#include <string>

namespace moniquet {

namespace {

constexpr std::size_t kFlagsOffset = 17;
// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;

// What remains of a blanking after its front porch, its sync and the
// borders on both sides, which the blanking includes: below 0 when they
// overrun it, as a sink given the timing would find.
int32_t BackPorch(uint32_t blanking, uint32_t front, uint32_t sync, uint32_t border) {
    return static_cast<int32_t>(blanking) - static_cast<int32_t>(front + sync + 2 * border);
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
        info.detailedTimings.push_back(TimingOf(descriptor, timing, blockIndex, source));
        CheckDetailedTiming(descriptor, timing, info.detailedTimings.back(), sink, walk);
        AddListedRates(info.detailedTimings.back(), timing, walk);
        CheckDetailedTimingAgainstTables(descriptor, timing, blockIndex, offset, sink, walk);
        return;
    }
    std::optional<std::size_t> baseIndex;
    if (source == BlockType::Base) {
        baseIndex = (offset - kFirstDescriptorOffset) / kDescriptorSize;
    }
    CheckDisplayDescriptor(descriptor, baseIndex, Within(SinkOf(walk, blockIndex), offset), walk);
    AddDisplayDescriptorRates(descriptor, source, walk);
    const uint8_t tag = DisplayDescriptorTag(descriptor);
    std::optional<std::u16string>* text = tag == kTagSerialString  ? &info.serialString
                                          : tag == kTagProductName ? &info.productName
                                                                   : nullptr;
    if (text != nullptr && !text->has_value()) {
        *text = DescriptorTextOf(descriptor);
    }
}

} // namespace moniquet
