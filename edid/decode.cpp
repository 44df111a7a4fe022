#include "moniquet/decode.h"
#include "edid/edid_layout.h"

#include "edid/descriptor_rule.h"

#include <algorithm>
#include <array>

namespace moniquet {

namespace {

// Byte i of `bytes`, or 0 past its end, so that a short input reads as if it
// were padded with zeros.
uint8_t ByteAt(std::span<const uint8_t> bytes, std::size_t i) {
    return i < bytes.size() ? bytes[i] : 0;
}

std::span<const uint8_t> DescriptorAt(std::span<const uint8_t> block, std::size_t offset) {
    return block.subspan(offset, kDescriptorSize);
}

} // namespace

void DecodeVendorId(std::span<const uint8_t> block, VendorId& vendor) {
    vendor = VendorId{};
    const uint32_t word =
        ByteAt(block, kManufacturerIdOffset) * 256u + ByteAt(block, kManufacturerIdOffset + 1);
    vendor.manufacturer.push_back(static_cast<char16_t>(0x40 + ((word >> 10) & 0x1F)));
    vendor.manufacturer.push_back(static_cast<char16_t>(0x40 + ((word >> 5) & 0x1F)));
    vendor.manufacturer.push_back(static_cast<char16_t>(0x40 + (word & 0x1F)));
    vendor.productCode =
        ByteAt(block, kProductCodeOffset) + 256u * ByteAt(block, kProductCodeOffset + 1);
}

void DecodeDetailedTiming(std::span<const uint8_t> descriptor, DetailedTiming& timing) {
    timing = DetailedTiming{};
    auto d = [descriptor](std::size_t i) -> uint32_t { return ByteAt(descriptor, i); };
    const uint32_t clock = d(0) + 256 * d(1);
    timing.valid = clock != 0;
    if (!timing.valid) {
        return;
    }
    timing.pixelClockKHz = clock * 10;
    timing.hAddressable = d(2) + 256 * (d(4) >> 4);
    timing.hBlanking = d(3) + 256 * (d(4) & 0x0F);
    timing.vAddressable = d(5) + 256 * (d(7) >> 4);
    timing.vBlanking = d(6) + 256 * (d(7) & 0x0F);
    timing.hFrontPorch = d(8) + 256 * (d(11) >> 6);
    timing.hSyncWidth = d(9) + 256 * ((d(11) >> 4) & 0x03);
    timing.vFrontPorch = (d(10) >> 4) + 16 * ((d(11) >> 2) & 0x03);
    timing.vSyncWidth = (d(10) & 0x0F) + 16 * (d(11) & 0x03);
    timing.hImageSizeMm = d(12) + 256 * (d(14) >> 4);
    timing.vImageSizeMm = d(13) + 256 * (d(14) & 0x0F);
    timing.hBorder = d(15);
    timing.vBorder = d(16);
}

void DecodeDescriptorText(std::span<const uint8_t> textField, std::u16string& text) {
    text.clear();
    const std::size_t size = std::min(textField.size(), kDescriptorTextSize);
    for (std::size_t i = 0; i < size && textField[i] != 0x0A; ++i) {
        text.push_back(static_cast<char16_t>(textField[i]));
    }
}

void DecodeEdidBlock(std::span<const uint8_t> block, EdidSummary& summary) {
    summary = EdidSummary{};

    // Callers normally pass a whole record; anything shorter is padded so
    // that the fixed offsets below never read past the input.
    EdidBlock padded{};
    if (block.size() < kEdidBlockSize) {
        padded = BlockFromEdid(block);
        block = padded;
    }

    DecodeVendorId(block, summary.vendor);

    // The summary's slots: the first descriptor is always a timing, even
    // when it holds a display descriptor (DescriptorRule::SummarySlots).
    for (std::size_t n = 0; n < kDescriptorCount; ++n) {
        const auto descriptor = DescriptorAt(block, kFirstDescriptorOffset + n * kDescriptorSize)
                                    .first<kDescriptorSize>();
        if (!IsDisplayDescriptorUnder(DescriptorRule::SummarySlots, descriptor, n)) {
            DecodeDetailedTiming(descriptor, summary.timings[summary.timingCount]);
            ++summary.timingCount;
            continue;
        }
        DescriptorText& entry = summary.descriptors[summary.descriptorCount];
        const uint8_t tag = descriptor[3];
        if (tag == kTagProductName || tag == kTagDataString) {
            entry.kind =
                tag == kTagProductName ? DescriptorKind::ProductName : DescriptorKind::DataString;
            DecodeDescriptorText(descriptor.subspan(kDescriptorTextOffset, kDescriptorTextSize),
                                 entry.text);
        }
        ++summary.descriptorCount;
    }
}

MonitorRecord DecodeMonitorRecord(std::span<const uint8_t> edid) {
    MonitorRecord record;
    record.edid.assign(edid.begin(), edid.end());
    record.rawBlock = BlockFromEdid(edid);
    DecodeEdidBlock(record.rawBlock, record.summary);
    return record;
}

} // namespace moniquet
