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

    const Result<HexTextBytes> hex = ParseHexText(input);
    if (hex) {
        CheckSpans(hex.value().bytes, hex.value().spans);
    } else {
        Check(!hex.error().message.empty());
    }

    const Result<EdidRead> read = EdidFromInput(input, size);
    const bool ok = read.ok();
    const EdidBytes edid = ok ? read.value().bytes : EdidBytes();
    Check(ok ? edid.size() >= kMinimumEdidSize && edid.size() <= kMaximumEdidSize
             : !read.error().message.empty());
    Check(!ok || IsHexText(input) || edid == EdidBytes(input.begin(), input.end()));
    // Hex text gives what it was read as, an EDID's whole blocks, or a
    // warning that it is not one.
    Check(!ok || !IsHexText(input) ||
          (hex && edid == hex.value().bytes &&
           (edid.size() % 128 == 0 || !read.value().warning.empty())));

    if (size == 0) {
        return 0; // fmemopen refuses an empty buffer
    }
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    const Result<EdidRead> streamed = ReadEdidStream(stream);
    std::fclose(stream);
    Check(streamed.ok() == ok);
    Check(ok ? streamed.value().bytes == edid && streamed.value().warning == read.value().warning
             : streamed.error().message == read.error().message &&
                   streamed.error().code == read.error().code);
    return 0;
}
