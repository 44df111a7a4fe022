// EDIDs, kept EDIDs by edid_fuzz's mutator (edid_mutator.h), through info's
// outputs: `info --json` and `info --check` must keep the shape they
// promise, whatever the EDID, and show no control character.
//
// Seeds: every real EDID of tests/data (fuzz/write_seeds.py).
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "edid/edid_info.h"
#include "edid_mutator.h"
#include "fuzz_checks.h"

#include <string>

using fuzz_checks::Check;

namespace {

// Every key is present whatever the EDID: as many as an EDID of no bytes has.
int TopKeysOfEveryInfo() {
    const std::string json = FormatInfoJson(DecodeEdidInfo({}));
    int keys = 0;
    for (std::size_t at = json.find("\n  \""); at != std::string::npos;
         at = json.find("\n  \"", at + 1)) {
        ++keys;
    }
    return keys;
}

void FormatJson(std::span<const uint8_t> edid, const EdidInfo& info) {
    const std::string json = FormatInfoJson(info);
    Check(json.starts_with("{\n  \"size_bytes\": " + std::to_string(edid.size()) + ",\n"));
    static const int kTopKeys = TopKeysOfEveryInfo();
    Check(json.ends_with("\n}\n") && fuzz_checks::WellFormedJson(json, kTopKeys) &&
          fuzz_checks::OnlyPrintable(json));
}

// info --check: the text, then the checks' section with the verdict.
void FormatText(const EdidInfo& info) {
    const std::string checked = FormatInfoText(info, true);
    Check(checked.starts_with("Validity\n") && checked.ends_with("\n") &&
          checked.find("\nConformity\n") != std::string::npos &&
          fuzz_checks::OnlyPrintable(checked));
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

// One output an input, as its last byte (a checksum, most often) says: the
// two share the description, and each alone takes half the time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> edid(data, size);
    const EdidInfo info = DecodeEdidInfo(edid);
    if (size > 0 && (data[size - 1] & 1) != 0) {
        FormatText(info);
    } else {
        FormatJson(edid, info);
    }
    return 0;
}
