#include "edid/displayid_whole_checks.h"

#include "edid/edid_layout.h"

#include <cstdlib>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

// Image sizes of 2560 mm or more are taken for aspect ratios, not sizes.
constexpr uint32_t kLargestSizeTenths = 25600;
// A centimetre off is rounding.
constexpr int kSlackTenths = 100;

std::string Tenths(uint32_t tenths) {
    return to_string(tenths / 10) + "." + to_string(tenths % 10);
}

// Colour characteristics blocks naming transfer characteristics that no
// block has, and the other way round.
void CheckColorIds(const DisplayIdScratch& s, Walk& walk) {
    for (uint32_t id = 1; id < 16; ++id) {
        if ((s.colorNamesTransfer >> id & 1) && !(s.transferIds >> id & 1)) {
            Fail(WholeSinkOf(walk, s.colorNamingBlock[id]),
                 DiagnosticCode::DisplayIdColorTransferUnpaired, std::nullopt,
                 "a colour characteristics data block names transfer characteristics " +
                     to_string(id) + " (bits 6 to 3 of its byte 1), which no data block has");
        }
        if ((s.transferNamesColor >> id & 1) && !(s.colorIds >> id & 1)) {
            Fail(WholeSinkOf(walk, s.transferNamingBlock[id]),
                 DiagnosticCode::DisplayIdColorTransferUnpaired, std::nullopt,
                 "a transfer characteristics data block has identifier " + to_string(id) +
                     " (bits 7 to 4 of its byte 1), which no colour characteristics data block "
                     "names");
        }
    }
}

} // namespace

void CheckDisplayIdWhole(Walk& walk) {
    const DisplayIdScratch& s = walk.displayId;
    if (s.sections == 0) {
        return;
    }
    if (s.baseExtensionCount != s.sections - 1) {
        Fail(WholeSinkOf(walk, s.baseBlock), DiagnosticCode::DisplayIdExtensionCountMismatch,
             kDisplayIdSectionOffset + 3,
             "the base DisplayID section announces " + to_string(s.baseExtensionCount) +
                 " extension sections (byte 4), but " + to_string(s.sections - 1) + " follow");
    }
    CheckColorIds(s, walk);
    // What the sections lack is the EDID's, as a whole.
    const DiagnosticSink sink = WholeSinkOf(walk, std::nullopt);
    // The product identification ties the tiles of one display together.
    if (s.tiled && !s.productId) {
        Fail(sink, DiagnosticCode::DisplayIdMissingProductId, std::nullopt,
             "a tiled display topology data block without a product identification data "
             "block to tell which display the tiles belong to");
    }
    if (s.display && !s.parameters) {
        Fail(sink, DiagnosticCode::DisplayIdMissingParameters, std::nullopt,
             "the base DisplayID section names a display, but no section has a display "
             "parameters data block");
    }
    if (s.display && s.ycbcr420 && !s.interfaceFeatures) {
        Fail(sink, DiagnosticCode::DisplayIdMissingInterfaceFeatures, std::nullopt,
             "a DisplayID timing is YCbCr 4:2:0 only, but no display interface features data "
             "block says which encodings the display takes");
    }
    if (s.stereo && !s.stereoInterface) {
        Fail(sink, DiagnosticCode::DisplayIdMissingStereoInterface, std::nullopt,
             "a DisplayID timing offers 3D stereo, but no stereo display interface data block "
             "says how it is sent");
    }
    if (s.display && !s.type1Or7) {
        Fail(sink, DiagnosticCode::DisplayIdMissingDetailedTiming, std::nullopt,
             std::string("the base DisplayID section names a display, but no section has a ") +
                 (s.baseVersion >= kDisplayIdVersion2 ? "type VII" : "type I") +
                 " detailed timing");
    }
    if (!s.preferred) {
        Fail(sink, DiagnosticCode::DisplayIdNoPreferredTiming, std::nullopt,
             "no DisplayID timing is flagged preferred");
    }
    const EdidInfo& info = walk.info;
    if (s.imageSize && (*s.imageSize)[0] != 0 && (*s.imageSize)[0] < kLargestSizeTenths &&
        (*s.imageSize)[1] < kLargestSizeTenths) {
        const uint32_t width = info.screenSizeCm ? info.screenSizeCm->width * 100 : 0;
        const uint32_t height = info.screenSizeCm ? info.screenSizeCm->height * 100 : 0;
        const auto off = [](uint32_t a, uint32_t b) {
            return std::abs(static_cast<int>(a) - static_cast<int>(b)) >= kSlackTenths;
        };
        if (off((*s.imageSize)[0], width) || off((*s.imageSize)[1], height)) {
            Fail(sink, DiagnosticCode::DisplayIdImageSizeMismatch, std::nullopt,
                 "the DisplayID display parameters' image size " + Tenths((*s.imageSize)[0]) + "x" +
                     Tenths((*s.imageSize)[1]) +
                     " mm is a centimetre or more off the "
                     "base block's screen size " +
                     to_string(width / 10) + "x" + to_string(height / 10) +
                     " mm (bytes 21 and 22)");
        }
    }
}

} // namespace moniquet
