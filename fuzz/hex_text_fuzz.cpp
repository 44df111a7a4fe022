// Any bytes, of any length, through the command's reading path (raw bytes
// or hex text): it may refuse them, with a reason, but never crash, and the
// stream and the bytes in memory must agree. Hex text read gives bytes,
// each line named for them a line of the text, in order.
//
// Seeds: the hex forms of tests/data/hex and the synthetic EDIDs of
// tests/data/edid (fuzz/write_seeds.py).
#include "cli/edid_file.h"
#include "cli/hex_text.h"
#include "fuzz_checks.h"

#include <cstdio>

using namespace moniquet;

using fuzz_checks::Check;

namespace {

void CheckSpans(const EdidBytes& bytes, const std::vector<HexLineSpan>& spans) {
    Check(bytes.empty() || (!spans.empty() && spans.front().firstByte == 0));
    for (std::size_t i = 1; i < spans.size(); ++i) {
        Check(spans[i].firstByte >= spans[i - 1].firstByte && spans[i].line > spans[i - 1].line &&
              spans[i].firstByte <= bytes.size());
    }
    if (!bytes.empty()) {
        Check(LineOfByte(spans, bytes.size() - 1) == spans.back().line ||
              spans.back().firstByte == bytes.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);

    EdidBytes hex;
    std::string hexError;
    std::vector<HexLineSpan> spans;
    if (ParseHexText(input, hex, hexError, &spans)) {
        Check(hexError.empty());
        CheckSpans(hex, spans);
    } else {
        Check(!hexError.empty() && hex.empty());
    }

    EdidBytes edid;
    std::string error;
    std::string warning;
    const bool ok = EdidFromInput(input, size, edid, error, &warning);
    Check(ok ? edid.size() >= kMinimumEdidSize && edid.size() <= kMaximumEdidSize && error.empty()
             : edid.empty() && !error.empty());
    Check(!ok || IsHexText(input) || edid == EdidBytes(input.begin(), input.end()));
    // Hex text gives what it was read as, an EDID's whole blocks, or a
    // warning that it is not one.
    Check(!ok || !IsHexText(input) ||
          (edid == hex && (edid.size() % 128 == 0 || !warning.empty())));

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
