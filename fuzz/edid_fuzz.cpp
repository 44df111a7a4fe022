// EDIDs, kept EDIDs by a mutator of their structure (edid_mutator.h),
// through both decoders, the report and the label: none of it may crash,
// read out of bounds or overflow, and what info's decoder gives must hold
// together. Info's outputs of them are info_output_fuzz's; reading them
// from files and hex text, hex_text_fuzz's; writing them as hex forms,
// hex_forms_fuzz's.
//
// Seeds: every real EDID of tests/data (fuzz/write_seeds.py).
#include "cli/utf8.h"
#include "edid_mutator.h"
#include "fuzz_checks.h"
#include "moniquet/decode.h"
#include "moniquet/edid_info.h"
#include "moniquet/report.h"

#include <string>

using namespace moniquet;

using fuzz_checks::Check;

namespace {

void FormatEverything(const EdidSummary& summary) {
    const std::u16string report = FormatMonitorReport(summary);
    const std::u16string label = FormatMonitorLabel(summary.vendor);
    Check(!report.empty() && label.size() >= 4 && ToUtf8(report).size() >= report.size());
}

// What the decoder of info promises of any bytes: a block for each whole
// 128 bytes, in order, and truncation where the count asks for more.
void DecodeInfo(std::span<const uint8_t> edid) {
    const EdidInfo info = DecodeEdidInfo(edid);
    Check(info.sizeBytes == edid.size() && info.blocks.size() == edid.size() / 128);
    for (std::size_t i = 0; i < info.blocks.size(); ++i) {
        Check(info.blocks[i].index == i);
    }
    Check(info.truncated ||
          (info.extensionCount && (*info.extensionCount + 1) * 128 <= edid.size()));
    for (const TimingInfo& t : info.detailedTimings) {
        Check(t.block < info.blocks.size());
    }
    if (info.cta) {
        for (const CtaUndecoded& u : info.cta->undecoded) {
            Check(u.block < info.blocks.size() &&
                  (u.kind == CtaUndecodedKind::TimingsPastBlock
                       ? u.value > 127
                       : u.dataBlock < info.cta->dataBlocks.size()));
        }
    }
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned seed) {
    return edid_mutator::Mutate(data, size, maxSize, seed);
}

extern "C" std::size_t LLVMFuzzerCustomCrossOver(const uint8_t* first, std::size_t firstSize,
                                                 const uint8_t* second, std::size_t secondSize,
                                                 uint8_t* out, std::size_t maxOutSize,
                                                 unsigned seed) {
    return edid_mutator::CrossOver(first, firstSize, second, secondSize, out, maxOutSize, seed);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> edid(data, size);
    // The report's decoder is handed the raw span, whatever its length.
    EdidSummary summary;
    DecodeEdidBlock(edid, summary);
    Check(summary.timingCount + summary.descriptorCount == 4);
    FormatEverything(summary);
    if (size >= 128) {
        FormatEverything(DecodeMonitorRecord(edid).summary);
    }
    DecodeInfo(edid);
    return 0;
}
