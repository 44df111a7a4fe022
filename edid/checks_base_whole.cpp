// The base block's rules that need every block: the detailed timings'
// image sizes against the display's size wherever a block gives it, and
// the serial numbers of all blocks.
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;
// CTA-861's extended tag of the product information data block.
constexpr uint32_t kCtaExtProductInformation = 0x21;

// A size in tenths of a mm.
struct Tenths {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The display's size: the largest that a DisplayID section or the base
// block gives, a larger one in either direction replacing both.
Tenths DisplaySizeOf(const EdidInfo& info) {
    Tenths size;
    const auto offer = [&size](Tenths s) {
        if (s.width > size.width || s.height > size.height) {
            size = s;
        }
    };
    for (const DisplayIdInfo& section : info.displayId) {
        if (section.parameters) {
            offer({static_cast<uint32_t>(std::lround(section.parameters->imageWidthMm * 10)),
                   static_cast<uint32_t>(std::lround(section.parameters->imageHeightMm * 10))});
        }
    }
    if (info.screenSizeCm) {
        offer({info.screenSizeCm->width * 100, info.screenSizeCm->height * 100});
    }
    return size;
}

std::string Mm(uint32_t tenths) {
    std::string text = to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += '.';
        text += to_string(tenths % 10);
    }
    return text;
}

// Software takes the detailed timings' image size for the display's when
// it has nothing better: one past the display is a wrong size.
void CheckLargestImage(Walk& walk) {
    const EdidInfo& info = walk.info;
    uint32_t width = 0;
    uint32_t height = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        if (t.source != BlockType::DisplayId && t.pixelClockKHz >= kMinPixelClockKHz) {
            width = std::max(width, t.imageWidthMm.value_or(0));
            height = std::max(height, t.imageHeightMm.value_or(0));
        }
    }
    if (width == 0 && height == 0) {
        return;
    }
    const Tenths display = DisplaySizeOf(info);
    const auto largest = [width, height] {
        return "the largest image size of the detailed timings, " + to_string(width) + "x" +
               to_string(height) + " mm, ";
    };
    const DiagnosticSink sink = WholeSinkOf(walk, std::nullopt);
    if ((display.width != 0 && width >= 10 + display.width / 10) ||
        (display.height != 0 && height >= 10 + display.height / 10)) {
        Fail(sink, DiagnosticCode::ImageSizeBeyondScreen, std::nullopt,
             largest() + "is 1 cm or more larger than the display's size, " + Mm(display.width) +
                 "x" + Mm(display.height) + " mm");
    }
    if ((display.width == 0 && width != 0) || (display.height == 0 && height != 0)) {
        Fail(sink, DiagnosticCode::ImageSizeBeyondScreen, std::nullopt,
             largest() + "has no display size to fit in: no block gives one");
    }
}

void CheckSerials(Walk& walk) {
    const EdidInfo& info = walk.info;
    const uint32_t texts = walk.base.serialDescriptors;
    // CTA-861 asks for the ID serial number to be 0 when a serial number
    // descriptor holds it.
    const auto cta = std::find_if(info.blocks.begin(), info.blocks.end(),
                                  [](const BlockInfo& b) { return b.type == BlockType::Cta861; });
    if (cta != info.blocks.end() && info.serialNumber && texts != 0) {
        Warn(WholeSinkOf(walk, cta->index), DiagnosticCode::SerialNumberWithSerialString,
             std::nullopt,
             "bytes 12 to 15 of the base block hold serial number " +
                 to_string(*info.serialNumber) +
                 " though a serial number descriptor (0xFF) is "
                 "present");
    }
    if (texts > 1) {
        Warn(WholeSinkOf(walk, std::nullopt), DiagnosticCode::SerialStringRepeated, std::nullopt,
             to_string(texts) + " serial number descriptors (0xFF): which one is the monitor's?");
    }
}

// "CID" stands for a maker without a PNP ID, whose identity is then in a
// product information data block of CTA-861 or in DisplayID's product
// identification.
void CheckCid(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (info.manufacturerId != u"CID") {
        return;
    }
    const auto has = [&info](BlockType type) {
        return std::any_of(info.blocks.begin(), info.blocks.end(),
                           [type](const BlockInfo& b) { return b.type == type; });
    };
    const DiagnosticSink sink = WholeSinkOf(walk, 0);
    if (has(BlockType::Cta861)) {
        const bool found =
            info.cta && std::any_of(info.cta->dataBlocks.begin(), info.cta->dataBlocks.end(),
                                    [&info](const CtaDataBlock& b) {
                                        return b.tag == kCtaTagExtended &&
                                               b.extendedTag == kCtaExtProductInformation &&
                                               b.block < info.blocks.size() &&
                                               info.blocks[b.block].type == BlockType::Cta861;
                                    });
        if (!found) {
            Fail(sink, DiagnosticCode::ManufacturerCidWithoutProductId, kManufacturerIdOffset,
                 "bytes 8 and 9 give the manufacturer ID CID, which leaves the maker to a "
                 "CTA-861 product information data block, but there is none");
        }
    } else if (has(BlockType::DisplayId) &&
               std::none_of(info.displayId.begin(), info.displayId.end(),
                            [](const DisplayIdInfo& s) { return s.product.has_value(); })) {
        Fail(sink, DiagnosticCode::ManufacturerCidWithoutProductId, kManufacturerIdOffset,
             "bytes 8 and 9 give the manufacturer ID CID, which leaves the maker to a DisplayID "
             "product identification data block, but there is none");
    }
}

} // namespace

void CheckBaseWholeEdid(Walk& walk) {
    CheckLargestImage(walk);
    CheckSerials(walk);
    CheckCid(walk);
}

} // namespace moniquet
