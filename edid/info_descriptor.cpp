#include "edid/decode.h"
#include "edid/info_blocks.h"

namespace {

constexpr std::size_t kTextFieldOffset = 5;
constexpr std::size_t kTextFieldSize = 13;
constexpr uint8_t kTagSerialString = 0xFF;
constexpr uint8_t kTagProductName = 0xFC;

TimingInfo TimingOf(Descriptor descriptor, uint32_t blockIndex) {
    DetailedTiming timing;
    DecodeDetailedTiming(descriptor, timing);
    TimingInfo info;
    info.block = blockIndex;
    info.interlaced = (descriptor[17] & 0x80) != 0;
    info.width = timing.hAddressable;
    info.height = info.interlaced ? 2 * timing.vAddressable : timing.vAddressable;
    info.pixelClockKHz = timing.pixelClockKHz;
    info.imageWidthMm = timing.hImageSizeMm;
    info.imageHeightMm = timing.vImageSizeMm;
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
    return descriptor[3];
}

std::u16string DescriptorTextOf(Descriptor descriptor) {
    std::u16string text;
    DecodeDescriptorText(descriptor.subspan(kTextFieldOffset, kTextFieldSize), text);
    while (!text.empty() && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

void AddDescriptor(Descriptor descriptor, uint32_t blockIndex, EdidInfo& info) {
    if (!IsDisplayDescriptor(descriptor)) {
        info.detailedTimings.push_back(TimingOf(descriptor, blockIndex));
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
