// EDIDs, kept EDIDs by edid_fuzz's mutator (edid_mutator.h), through info's
// outputs: `info --json`, `info` and `info --check` must keep the shape
// they promise, whatever the EDID, and show no control character.
//
// Seeds: every real EDID of tests/data (fuzz/write_seeds.py).
#include "cli/info_describe.h"
#include "cli/info_json.h"
#include "edid_mutator.h"
#include "fuzz_checks.h"
#include "moniquet/edid_info.h"
#include "moniquet/json.h"

#include <string>

using namespace moniquet;

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
    Check(json.starts_with("{\n  \"schema_version\": " + std::to_string(kJsonSchemaVersion) +
                           ",\n  \"size_bytes\": " + std::to_string(edid.size()) + ",\n"));
    static const int kTopKeys = TopKeysOfEveryInfo();
    Check(json.ends_with("\n}\n") && fuzz_checks::WellFormedJson(json, kTopKeys) &&
          fuzz_checks::OnlyPrintable(json));
    // The verdict is the one its lists make: fail with a failure, warn with
    // warnings only.
    const bool failures = json.find("\"failures\": []") == std::string::npos;
    const bool warnings = json.find("\"warnings\": []") == std::string::npos;
    const char* verdict = failures ? "fail" : warnings ? "warn" : "pass";
    Check(json.find(std::string("\"verdict\": \"") + verdict + "\"") != std::string::npos);
}

// info, and info --check: the text, then the checks' section with the
// verdict.
void FormatText(const EdidInfo& info, bool withChecks) {
    const std::string text = FormatInfoText(info, withChecks);
    Check(text.starts_with("Validity\n") && text.ends_with("\n") &&
          (text.find("\nConformity\n") != std::string::npos) == withChecks &&
          fuzz_checks::OnlyPrintable(text));
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

// One output an input, as the low bits of its last byte (a checksum, most
// often) say: the outputs share the description, and each alone takes a
// fraction of the time. The text of info leaves out the checks, which
// change nothing else (DecodeOptions): half the inputs are decoded without
// them, edid_fuzz running them on every input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> edid(data, size);
    const unsigned output = size > 0 ? data[size - 1] & 3u : 0;
    if (output >= 2) {
        FormatText(DecodeEdidInfo(edid, kDecodeWithoutChecks), false);
        return 0;
    }
    const EdidInfo info = DecodeEdidInfo(edid);
    if (output == 1) {
        FormatText(info, true);
    } else {
        FormatJson(edid, info);
    }
    return 0;
}
