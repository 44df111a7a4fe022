#include "edid/bits.h"
#include "edid/decode.h"
#include "edid/info_blocks.h"

namespace {

constexpr std::size_t kFlagsOffset = 17;

// What remains of a blanking after its front porch, its sync and the
// borders on both sides, which the blanking includes: below 0 when they
// overrun it, as a sink given the timing would find.
int32_t BackPorch(uint32_t blanking, uint32_t front, uint32_t sync, uint32_t border) {
    return static_cast<int32_t>(blanking) - static_cast<int32_t>(front + sync + 2 * border);
}

TimingInfo TimingOf(Descriptor descriptor, uint32_t blockIndex, BlockType source) {
    DetailedTiming timing;
    DecodeDetailedTiming(descriptor, timing);
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

} // namespace

bool IsDisplayDescriptor(Descriptor descriptor) {
    return descriptor[0] == 0 && descriptor[1] == 0;
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

void AddDescriptor(Descriptor descriptor, uint32_t blockIndex, BlockType source, EdidInfo& info) {
    if (!IsDisplayDescriptor(descriptor)) {
        info.detailedTimings.push_back(TimingOf(descriptor, blockIndex, source));
        return;
    }
    const uint8_t tag = DisplayDescriptorTag(descriptor);
    std::optional<std::u16string>* text = tag == kTagSerialString  ? &info.serialString
                                          : tag == kTagProductName ? &info.productName
                                                                   : nullptr;
    if (text != nullptr && !text->has_value()) {
        *text = DescriptorTextOf(descriptor);
    }
}
