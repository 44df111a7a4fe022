// DisplayID sections, one per extension block of tag 0x70. A section could
// in principle run on into the next block; real EDIDs hold one per block,
// and nothing past the block is read.
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/displayid_checks.h"
#include "edid/displayid_names.h"
#include "edid/displayid_timings.h"
#include "edid/edid_layout.h"
#include "moniquet/fields.h"

#include <algorithm>
#include <numeric>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

// Counts and sizes are stored one less than they are.
uint32_t Plus1Of(uint32_t stored) {
    return stored + 1;
}

uint32_t BigEndianOui(Bytes bytes) {
    return static_cast<uint32_t>(bytes[0]) << 16 | static_cast<uint32_t>(bytes[1]) << 8 | bytes[2];
}

std::optional<DisplayIdProduct> ProductOf(const DisplayIdDataBlock& block) {
    const Bytes p = block.payload;
    if (p.size() < kDidProductMinSize) {
        return std::nullopt;
    }
    DisplayIdProduct product;
    if (block.tag == kDidProductId) {
        product.vendor = std::u16string(p.begin(), p.begin() + kDidVendorSize);
    } else {
        const std::string oui = OuiName(BigEndianOui(p));
        product.vendor = std::u16string(oui.begin(), oui.end());
    }
    product.productCode = Le16(p, kDidProductCodeOffset);
    if (const uint32_t serial =
            Le16(p, kDidProductSerialOffset) | Le16(p, kDidProductSerialOffset + 2) << 16;
        serial != 0) {
        product.serialNumber = serial;
    }
    constexpr uint8_t kModelYear = 0xFF;
    constexpr uint8_t kLastWeek = 54;
    const uint8_t week = p[kDidProductWeekOffset];
    if (week >= 1 && week <= kLastWeek) {
        product.week = week;
    }
    product.modelYear = week == kModelYear;
    product.year = kDidFirstYear + p[kDidProductYearOffset];
    const std::size_t length =
        std::min<std::size_t>(p[kDidProductTextLengthOffset], p.size() - kDidProductMinSize);
    if (length != 0) {
        const Bytes text = p.subspan(kDidProductMinSize, length);
        product.productText = std::u16string(text.begin(), text.end());
    }
    return product;
}

std::optional<DisplayIdParameters> ParametersOf(const DisplayIdDataBlock& block) {
    const Bytes p = block.payload;
    const bool v2 = block.tag == kDidParameters2;
    if (p.size() < (v2 ? kDidParameters2Size : kDidParametersSize)) {
        return std::nullopt;
    }
    // Tenths of a mm, or whole mm when bit 7 of a 2.x block's revision
    // byte says so.
    const double unit = v2 && Bit(block.revision, 7) ? 1.0 : 0.1;
    DisplayIdParameters params;
    params.imageWidthMm = Le16(p, 0) * unit;
    params.imageHeightMm = Le16(p, 2) * unit;
    params.nativeWidth = Le16(p, 4);
    params.nativeHeight = Le16(p, 6);
    params.gamma = GammaOf(p[v2 ? kDidGamma2Offset : kDidGammaOffset]);
    return params;
}

std::optional<DisplayIdTiledTopology> TiledOf(Bytes p) {
    if (p.size() < kDidTiledSize) {
        return std::nullopt;
    }
    // Counts and positions keep their low 4 bits in bytes 1 and 2 and
    // their high 2 bits in byte 3.
    DisplayIdTiledTopology tiled;
    tiled.tilesH = Plus1Of(Bits(p[1], 7, 4) | Bits(p[3], 7, 6) << 4);
    tiled.tilesV = Plus1Of(Bits(p[1], 3, 0) | Bits(p[3], 5, 4) << 4);
    tiled.tileX = Bits(p[2], 7, 4) | Bits(p[3], 3, 2) << 4;
    tiled.tileY = Bits(p[2], 3, 0) | Bits(p[3], 1, 0) << 4;
    tiled.tileWidth = Plus1Of(Le16(p, 4));
    tiled.tileHeight = Plus1Of(Le16(p, 6));
    return tiled;
}

void AddAdaptiveSync(const DisplayIdDataBlock& block, EdidInfo& info) {
    // Bits 6 to 4 of the revision byte lengthen each descriptor.
    const std::size_t size = kDidAdaptiveSyncSize + Bits(block.revision, 6, 4);
    for (std::size_t at = 0; block.payload.size() - at >= size; at += size) {
        const Bytes d = block.payload.subspan(at, size);
        info.displayIdAdaptiveSync.push_back({d[2], Plus1Of(d[3] | Bits(d[4], 1, 0) << 8)});
    }
}

std::optional<uint32_t> VendorOui(const DisplayIdDataBlock& block) {
    if ((block.tag != kDidVendor && block.tag != kDidVendor2) || block.payload.size() < kOuiSize) {
        return std::nullopt;
    }
    return BigEndianOui(block.payload);
}

// `at` is where the data block's payload starts in the EDID block.
void DecodeDataBlock(const DisplayIdDataBlock& block, uint32_t blockIndex, std::size_t at,
                     DisplayIdInfo& section, Walk& walk) {
    EdidInfo& info = walk.info;
    const DiagnosticSink sink = Within(SinkOf(walk, blockIndex), at);
    CheckDisplayIdDataBlock(block, section.version, blockIndex,
                            Within(SinkOf(walk, blockIndex), at - kDisplayIdDataBlockHeaderSize),
                            walk.displayId);
    DisplayIdDataBlockEntry& entry = section.dataBlocks.emplace_back();
    entry.tag = block.tag;
    entry.revision = block.revision;
    entry.offset =
        blockIndex * kEdidBlockLength + static_cast<uint32_t>(at - kDisplayIdDataBlockHeaderSize);
    entry.length = static_cast<uint32_t>(block.payload.size());
    entry.name = DisplayIdBlockName(block.tag, VendorOui(block));
    if (walk.fields) {
        entry.fields =
            DisplayIdDataBlockFields(block.tag, block.revision, block.payload, section.version);
    }
    switch (block.tag) {
    case kDidProductId:
    case kDidProductId2:
        if (!section.product) {
            section.product = ProductOf(block);
        }
        break;
    case kDidParameters:
    case kDidParameters2:
        if (!section.parameters) {
            section.parameters = ParametersOf(block);
        }
        break;
    case kDidTiled:
    case kDidTiled2:
        if (!info.displayIdTiled) {
            info.displayIdTiled = TiledOf(block.payload);
        }
        break;
    case kDidAdaptiveSync:
        AddAdaptiveSync(block, info);
        break;
    case kDidCta:
        DecodeCtaDataBlocks(block.payload, blockIndex, sink, walk);
        break;
    default:
        AddDisplayIdTimings(block, blockIndex, section, info, walk.listedRates, sink,
                            walk.displayId);
        break;
    }
}

// The first section is the base section, which says what the product is;
// later ones only extend it.
void CheckSection(const DisplayIdInfo& id, const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    if (!id.checksumValid) {
        Fail(sink, DiagnosticCode::DisplayIdChecksumInvalid, std::nullopt,
             "the DisplayID section's own checksum does not add up");
    }
    if (info.displayId.empty() && id.productType == 0) {
        Fail(sink, DiagnosticCode::DisplayIdProductTypeMissing, kDisplayIdSectionOffset + 2,
             id.version < kDisplayIdVersion2
                 ? "the base DisplayID section's product type (byte 3) is 0, an extension "
                   "section's"
                 : "the base DisplayID section's primary use case (byte 3) is 0, that of "
                   "another base section");
    }
}

} // namespace

void DecodeDisplayIdBlock(WholeBlock block, uint32_t blockIndex, Walk& walk) {
    EdidInfo& info = walk.info;
    // The section: version, payload length, product type, extension count,
    // the data blocks, then its own checksum byte; it ends before the
    // block's checksum.
    const auto section = block.subspan(kDisplayIdSectionOffset, kEdidBlockLength - 2);
    DisplayIdInfo id;
    id.block = blockIndex;
    id.version = section[0];
    id.productType = section[2];
    const std::size_t length =
        std::min<std::size_t>(section[1], section.size() - kDisplayIdHeaderSize);
    const auto whole = section.first(kDisplayIdHeaderSize + length);
    id.checksumValid = std::accumulate(whole.begin(), whole.end(), 0u) % 256 == 0;
    const DiagnosticSink sink = SinkOf(walk, blockIndex);
    CheckDisplayIdSectionHeader(section, blockIndex, sink, walk.displayId);
    const Bytes payload = section.subspan(kDisplayIdHeaderSize - 1, length);
    // Where the payload starts in the block.
    constexpr std::size_t kPayloadAt = kDisplayIdSectionOffset + kDisplayIdHeaderSize - 1;
    std::size_t at = 0;
    while (payload.size() - at >= kDisplayIdDataBlockHeaderSize) {
        const Bytes rest = payload.subspan(at);
        const std::size_t size = rest[2];
        // A block running past the payload is not one; zeros are padding.
        if (rest.size() - kDisplayIdDataBlockHeaderSize < size || (rest[0] == 0 && size == 0)) {
            break;
        }
        const std::size_t payloadAt = kPayloadAt + at + kDisplayIdDataBlockHeaderSize;
        DecodeDataBlock({rest[0], rest[1], rest.subspan(kDisplayIdDataBlockHeaderSize, size)},
                        blockIndex, payloadAt, id, walk);
        at += kDisplayIdDataBlockHeaderSize + size;
    }
    CheckDisplayIdFiller(payload.subspan(at), Within(sink, kPayloadAt + at));
    CheckDisplayIdPadding(section.subspan(whole.size()),
                          Within(sink, kDisplayIdSectionOffset + whole.size()));
    CheckSection(id, sink, info);
    info.displayId.push_back(std::move(id));
}

} // namespace moniquet
