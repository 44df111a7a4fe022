#include "edid/conformity_checks.h"

#include <algorithm>

namespace {

// Versions 0x10 to 0x1F are DisplayID 1.x.
constexpr uint32_t kFirstVersion2 = 0x20;

} // namespace

ConformityResults CheckDisplayId(std::span<const uint8_t> edid, const EdidInfo& info) {
    (void)edid;
    ConformityResults results;
    if (info.displayId.empty()) {
        return results;
    }
    for (const DisplayIdInfo& section : info.displayId) {
        if (!section.checksumValid) {
            results.push_back({"displayid-checksum-invalid", Severity::Failure, section.block,
                               "the DisplayID section's own checksum does not add up"});
        }
    }
    // The first section is the base section, which says what the product
    // is; later ones only extend it.
    const DisplayIdInfo& base = info.displayId.front();
    if (base.productType == 0) {
        results.push_back(
            {"displayid-product-type-missing", Severity::Failure, base.block,
             base.version < kFirstVersion2
                 ? "the base DisplayID section's product type is 0, an extension section's"
                 : "the base DisplayID section's primary use case is 0, that of another base "
                   "section"});
    }
    if (std::none_of(info.displayId.begin(), info.displayId.end(),
                     [](const DisplayIdInfo& s) { return s.product.has_value(); })) {
        results.push_back({"displayid-missing-product-id", Severity::Failure, base.block,
                           "no DisplayID section has a product identification data block"});
    }
    if (std::none_of(
            info.detailedTimings.begin(), info.detailedTimings.end(),
            [](const TimingInfo& t) { return t.source == BlockType::DisplayId && t.preferred; })) {
        results.push_back({"displayid-no-preferred-timing", Severity::Failure, base.block,
                           "no DisplayID timing is flagged preferred"});
    }
    return results;
}
