#include "edid/conformity_checks.h"

#include <algorithm>
#include <string>

ConformityResults CheckDisplayId(std::span<const uint8_t> edid, const EdidInfo& info) {
    (void)edid;
    ConformityResults results;
    for (const DisplayIdInfo& section : info.displayId) {
        if (!section.checksumValid) {
            results.push_back({"displayid-checksum-invalid", Severity::Failure, section.block,
                               "the DisplayID section's own checksum does not add up"});
        }
    }
    return results;
}
