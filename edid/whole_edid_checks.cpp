#include "edid/whole_edid_checks.h"

#include "edid/checks_base.h"
#include "edid/cta_checks.h"
#include "edid/displayid_whole_checks.h"
#include "edid/edid_layout.h"
#include "edid/timing_checks.h"

namespace moniquet {

namespace {

std::optional<uint32_t> FirstBlockOf(const EdidInfo& info, BlockType type) {
    for (const BlockInfo& b : info.blocks) {
        if (b.type == type) {
            return b.index;
        }
    }
    return std::nullopt;
}

void CheckCta(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (!info.cta || !FirstBlockOf(info, BlockType::Cta861)) {
        return;
    }
    CheckCtaWholeEdid(walk);
}

} // namespace

void CheckWholeEdid(Walk& walk) {
    CheckBaseWholeEdid(walk);
    CheckTimings(walk);
    CheckCta(walk);
    CheckDisplayIdWhole(walk);
}

} // namespace moniquet
