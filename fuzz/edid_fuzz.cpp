// Any bytes, of any length, through the command's reading path, the decoder
// and both texts: none of it may crash, read out of bounds or overflow.
#include "cli/edid_file.h"
#include "cli/utf8.h"
#include "edid/decode.h"
#include "edid/report.h"

#include <cstdio>
#include <cstdlib>

namespace {

void FormatEverything(const EdidSummary& summary) {
    const std::u16string report = FormatMonitorReport(summary);
    const std::u16string label = FormatMonitorLabel(summary.vendor);
    if (report.empty() || label.size() < 4 || ToUtf8(report).size() < report.size()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // The decoder is also handed the raw span, whatever its length.
    EdidSummary summary;
    DecodeEdidBlock(std::span<const uint8_t>(data, size), summary);
    if (summary.timingCount + summary.descriptorCount != 4) {
        std::abort();
    }
    FormatEverything(summary);

    if (size == 0) {
        return 0; // fmemopen refuses an empty buffer
    }
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    EdidBytes edid;
    std::string error;
    const bool ok = ReadEdidStream(stream, edid, error);
    std::fclose(stream);
    if (ok != (size >= kMinimumEdidSize && size <= kMaximumEdidSize) ||
        (ok && edid.size() != size)) {
        std::abort();
    }
    if (ok) {
        FormatEverything(DecodeMonitorRecord(edid).summary);
    }
    return 0;
}
