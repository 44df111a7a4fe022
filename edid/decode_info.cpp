#include "edid/decode.h"
#include "edid/info_blocks.h"
#include "makers/maker_names.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

constexpr std::array<uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kSerialNumberOffset = 12;
constexpr std::size_t kWeekOffset = 16;
constexpr std::size_t kYearOffset = 17;
constexpr std::size_t kVersionOffset = 18;
constexpr std::size_t kRevisionOffset = 19;
constexpr std::size_t kInputOffset = 20;
constexpr std::size_t kScreenWidthOffset = 21;
constexpr std::size_t kScreenHeightOffset = 22;
constexpr uint8_t kWeekIsModelYear = 0xFF;
constexpr uint32_t kFirstYear = 1990;
constexpr uint8_t kTagRangeLimits = 0xFD;
constexpr uint8_t kTagDataString = 0xFE;

BlockType TypeOfExtension(uint8_t tag) {
    switch (tag) {
    case 0x02:
        return BlockType::Cta861;
    case 0x70:
        return BlockType::DisplayId;
    case 0xF0:
        return BlockType::BlockMap;
    case 0x10:
        return BlockType::Vtb;
    case 0x40:
        return BlockType::Di;
    case 0x50:
        return BlockType::Ls;
    case 0x60:
        return BlockType::Dpvl;
    default:
        return BlockType::Unknown;
    }
}

bool ChecksumValid(WholeBlock block) {
    return std::accumulate(block.begin(), block.end(), 0u) % 256 == 0;
}

// Limits above 255 exist from EDID 1.4 on: flags in byte 4 add 255 to a
// maximum, and to its minimum only together with the maximum.
RangeLimits RangeLimitsOf(Descriptor d, bool hasOffsets) {
    const uint8_t flags = hasOffsets ? d[4] : 0;
    const bool maxV = (flags & 0x02) != 0;
    const bool minV = maxV && (flags & 0x01) != 0;
    const bool maxH = (flags & 0x08) != 0;
    const bool minH = maxH && (flags & 0x04) != 0;
    RangeLimits limits;
    limits.minVHz = d[5] + (minV ? 255u : 0u);
    limits.maxVHz = d[6] + (maxV ? 255u : 0u);
    limits.minHKHz = d[7] + (minH ? 255u : 0u);
    limits.maxHKHz = d[8] + (maxH ? 255u : 0u);
    if (d[9] != 0) {
        limits.maxPixelClockMHz = d[9] * 10u;
    }
    return limits;
}

void DecodeManufactureDate(WholeBlock block, EdidInfo& info) {
    const uint8_t week = block[kWeekOffset];
    const uint32_t year = kFirstYear + block[kYearOffset];
    if (week == kWeekIsModelYear) {
        info.modelYear = year;
        return;
    }
    info.manufactureYear = year;
    if (week != 0) {
        info.manufactureWeek = week;
    }
}

void DecodeBaseDescriptors(WholeBlock block, EdidInfo& info) {
    const bool hasRangeOffsets = block[kVersionOffset] == 1 && block[kRevisionOffset] >= 4;
    for (std::size_t n = 0; n < kDescriptorCount; ++n) {
        const Descriptor d =
            block.subspan(kFirstDescriptorOffset + n * kDescriptorSize).first<kDescriptorSize>();
        AddDescriptor(d, 0, info);
        if (!IsDisplayDescriptor(d)) {
            continue;
        }
        if (DisplayDescriptorTag(d) == kTagDataString) {
            info.dataStrings.push_back(DescriptorTextOf(d));
        } else if (DisplayDescriptorTag(d) == kTagRangeLimits && !info.rangeLimits) {
            info.rangeLimits = RangeLimitsOf(d, hasRangeOffsets);
        }
    }
}

} // namespace

void DecodeBaseBlock(WholeBlock block, EdidInfo& info) {
    info.version = block[kVersionOffset];
    info.revision = block[kRevisionOffset];
    info.extensionCount = block[kExtensionCountOffset];

    VendorId vendor;
    DecodeVendorId(block, vendor);
    const std::u16string_view name = FindMakerName(vendor.manufacturer);
    if (!name.empty()) {
        info.manufacturerName = std::u16string(name);
    }
    info.manufacturerId = std::move(vendor.manufacturer);
    info.productCode = vendor.productCode;

    const auto b = [block](std::size_t i) -> uint32_t { return block[i]; };
    const uint32_t serial = b(kSerialNumberOffset) | b(kSerialNumberOffset + 1) << 8 |
                            b(kSerialNumberOffset + 2) << 16 | b(kSerialNumberOffset + 3) << 24;
    if (serial != 0) {
        info.serialNumber = serial;
    }
    DecodeManufactureDate(block, info);
    info.digital = (block[kInputOffset] & 0x80) != 0;
    if (block[kScreenWidthOffset] != 0 && block[kScreenHeightOffset] != 0) {
        info.screenSizeCm = ScreenSizeCm{b(kScreenWidthOffset), b(kScreenHeightOffset)};
    }
    DecodeBaseDescriptors(block, info);
}

EdidInfo DecodeEdidInfo(std::span<const uint8_t> edid) {
    EdidInfo info;
    info.sizeBytes = edid.size();
    info.headerValid =
        edid.size() >= kHeader.size() && std::equal(kHeader.begin(), kHeader.end(), edid.begin());
    const std::size_t wholeBlocks = edid.size() / kEdidBlockLength;
    if (wholeBlocks == 0) {
        info.truncated = true;
        return info;
    }
    info.truncated = edid.size() < kEdidBlockLength * (1 + edid[kExtensionCountOffset]);
    info.blocks.reserve(wholeBlocks);
    for (std::size_t i = 0; i < wholeBlocks; ++i) {
        const WholeBlock block = edid.subspan(i * kEdidBlockLength).first<kEdidBlockLength>();
        const uint32_t index = static_cast<uint32_t>(i);
        const BlockType type = i == 0 ? BlockType::Base : TypeOfExtension(block[0]);
        info.blocks.push_back({index, type, ChecksumValid(block)});
        if (type == BlockType::Base) {
            DecodeBaseBlock(block, info);
        } else if (type == BlockType::Cta861) {
            DecodeCtaBlock(block, index, info);
        }
    }
    return info;
}
