#include "edid/conformity_checks.h"

#include "edid/edid_layout.h"

#include "edid/edid_bytes.h"

#include <iterator>

namespace {

void Append(ConformityResults& to, ConformityResults&& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

} // namespace

Verdict VerdictOf(const std::vector<ConformityResult>& results) {
    Verdict verdict = Verdict::Pass;
    for (const ConformityResult& r : results) {
        if (r.severity == Severity::Failure) {
            return Verdict::Fail;
        }
        verdict = Verdict::Warn;
    }
    return verdict;
}

std::string ByteHex(uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'0', 'x', kDigits[value >> 4 & 0xF], kDigits[value & 0xF]};
}

std::span<const uint8_t> CountedBlock(std::span<const uint8_t> edid, const EdidInfo& info,
                                      uint32_t index) {
    if (index >= info.blocks.size() || info.blocks[index].beyondCount) {
        return {};
    }
    return edid.subspan(std::size_t{index} * kEdidBlockLength, kEdidBlockLength);
}

ConformityResults CheckConformity(std::span<const uint8_t> edid, const EdidInfo& info) {
    ConformityResults results = CheckStructure(edid, info);
    results.reserve(16);
    Append(results, CheckBaseBlock(edid, info));
    Append(results, CheckCta(edid, info));
    Append(results, CheckDisplayId(edid, info));
    return results;
}
