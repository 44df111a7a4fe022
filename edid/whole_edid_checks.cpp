#include "edid/whole_edid_checks.h"

#include "edid/edid_layout.h"
#include "edid/timing_checks.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using std::to_string;

std::optional<uint32_t> FirstBlockOf(const EdidInfo& info, BlockType type) {
    for (const BlockInfo& b : info.blocks) {
        if (b.type == type) {
            return b.index;
        }
    }
    return std::nullopt;
}

bool Found(const EdidInfo& info, DiagnosticCode code) {
    return std::any_of(info.diagnostics.begin(), info.diagnostics.end(),
                       [code](const Diagnostic& d) { return d.code == code; });
}

// CTA-861 asks for the ID serial number to be 0 when a serial number
// descriptor holds it.
void CheckSerials(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (FirstBlockOf(info, BlockType::Cta861) && info.serialNumber && info.serialString) {
        Warn(WholeSinkOf(walk, 0), DiagnosticCode::SerialNumberWithSerialString,
             kSerialNumberOffset,
             "bytes 12 to 15 hold serial number " + to_string(*info.serialNumber) +
                 " though a serial number descriptor (0xFF) is present");
    }
}

void CheckCta(Walk& walk) {
    const EdidInfo& info = walk.info;
    const std::optional<uint32_t> first = FirstBlockOf(info, BlockType::Cta861);
    if (!info.cta || !first) {
        return;
    }
    const CtaInfo& cta = *info.cta;
    if (!cta.videoCapability) {
        Fail(WholeSinkOf(walk, *first), DiagnosticCode::CtaMissingVcdb, std::nullopt,
             "no video capability data block: a source cannot tell whether the RGB "
             "quantization range is selectable");
    }
    // The sink capability block extends the HDMI vendor block too.
    const auto sinkBlock =
        std::find_if(cta.dataBlocks.begin(), cta.dataBlocks.end(), [](const CtaDataBlock& b) {
            return b.tag == kCtaTagExtended && b.extendedTag == kCtaExtHdmiForumSink;
        });
    if (sinkBlock != cta.dataBlocks.end() && !cta.hdmi &&
        !Found(info, DiagnosticCode::CtaMissingHdmiVsdb)) {
        Fail(WholeSinkOf(walk, sinkBlock->block), DiagnosticCode::CtaMissingHdmiVsdb, std::nullopt,
             "an HDMI Forum sink capability data block without an HDMI vendor-specific data "
             "block");
    }
}

void CheckDisplayId(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (info.displayId.empty()) {
        return;
    }
    const DiagnosticSink sink = WholeSinkOf(walk, info.displayId.front().block);
    if (std::none_of(info.displayId.begin(), info.displayId.end(),
                     [](const DisplayIdInfo& s) { return s.product.has_value(); })) {
        Fail(sink, DiagnosticCode::DisplayIdMissingProductId, std::nullopt,
             "no DisplayID section has a product identification data block");
    }
    if (std::none_of(
            info.detailedTimings.begin(), info.detailedTimings.end(),
            [](const TimingInfo& t) { return t.source == BlockType::DisplayId && t.preferred; })) {
        Fail(sink, DiagnosticCode::DisplayIdNoPreferredTiming, std::nullopt,
             "no DisplayID timing is flagged preferred");
    }
}

} // namespace

void CheckWholeEdid(Walk& walk) {
    CheckSerials(walk);
    CheckTimings(walk);
    CheckCta(walk);
    CheckDisplayId(walk);
}
