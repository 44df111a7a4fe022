// Any bytes, of any length, through the command's reading path (raw bytes or
// hex text), the decoder and both texts: none of it may crash, read out of
// bounds or overflow, and the stream and the bytes in memory must agree.
#include "cli/edid_file.h"
#include "cli/hex_text.h"
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

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);

    // The decoder is also handed the raw span, whatever its length.
    EdidSummary summary;
    DecodeEdidBlock(input, summary);
    Check(summary.timingCount + summary.descriptorCount == 4);
    FormatEverything(summary);

    EdidBytes hex;
    std::string hexError;
    Check(!ParseHexText(input, hex, hexError) ? !hexError.empty() : !hex.empty());

    EdidBytes edid;
    std::string error;
    const bool ok = EdidFromInput(input, size, edid, error);
    Check(ok ? edid.size() >= kMinimumEdidSize && edid.size() <= kMaximumEdidSize
             : edid.empty() && !error.empty());
    Check(!ok || IsHexText(input) || edid == EdidBytes(input.begin(), input.end()));
    if (ok) {
        FormatEverything(DecodeMonitorRecord(edid).summary);
    }

    if (size == 0) {
        return 0; // fmemopen refuses an empty buffer
    }
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    EdidBytes streamed;
    std::string streamError;
    const bool streamOk = ReadEdidStream(stream, streamed, streamError);
    std::fclose(stream);
    Check(streamOk == ok && streamed == edid && streamError == error);
    return 0;
}
