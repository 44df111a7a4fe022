// Bytes written as a hex form the command reads (hex_forms.h), the way the
// tool that makes it writes it, must read back byte for byte, as far as the
// form tells them: as the command takes a file, those bytes or a refusal,
// never others, and refused, the text must still read as them.
//
// Input: one byte for the form, then the bytes. Seeds: every real EDID of
// tests/data, each after a form's byte (fuzz/write_seeds.py).
#include "cli/edid_file.h"
#include "cli/hex_text.h"
#include "fuzz_checks.h"
#include "hex_forms.h"
#include "moniquet/moniquet.h"

#include <algorithm>

using namespace moniquet;

using fuzz_checks::Check;

namespace {

// Forms whose first line is short can look like a lone number (a year): the
// property holds from a line's worth of bytes.
constexpr std::size_t kShortestForm = 16;

// A line of column numbers 00 01 02 ... is no data to the reader: no EDID
// starts with one.
bool StartsWithColumnRuler(std::span<const uint8_t> bytes) {
    for (std::size_t i = 0; i < 8; ++i) {
        if (bytes[i] != i) {
            return false;
        }
    }
    return true;
}

// The bytes with each group of `size` of every line of 16 reversed, as a
// reader who took a form's groups the other way round would have them.
std::vector<uint8_t> Swapped(std::span<const uint8_t> bytes, std::size_t size) {
    std::vector<uint8_t> swapped(bytes.begin(), bytes.end());
    for (std::size_t at = 0; at < swapped.size(); at += size) {
        const auto group = swapped.begin() + static_cast<long>(at);
        std::reverse(group, group + static_cast<long>(std::min(size, swapped.size() - at)));
    }
    return swapped;
}

// Whether what was `read` from form `index` of `bytes` is what the form
// holds as far as it tells. Groups of 2 or 4 bytes read the same either
// way round where nothing tells their order but the EDID header, which may
// be that of the bytes swapped: xxd's text column has then nothing to say
// (all its characters dots, or the same either way), od and hexdump have
// none; for xxd -e, whose header reads as its reversed words, only an EDID
// is told for sure.
bool ReadAsTheFormHolds(int index, std::span<const uint8_t> bytes, const EdidBytes& read) {
    if (std::equal(read.begin(), read.end(), bytes.begin(), bytes.end())) {
        return true;
    }
    const bool edid = HasEdidHeader(bytes);
    switch (index) {
    case hex_forms::kXxdForm:
        return !edid && HasEdidHeader(Swapped(bytes, 2)) && read == Swapped(bytes, 2);
    case hex_forms::kXxdLittleEndianForm:
        return !edid && read == Swapped(bytes, 4);
    case hex_forms::kOdWordsForm:
    case hex_forms::kHexdumpWordsForm:
        return !edid && HasEdidHeader(Swapped(bytes, 2)) && read.size() == bytes.size();
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1 + kShortestForm) {
        return 0;
    }
    const int index = data[0] % hex_forms::kFormCount;
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    if (StartsWithColumnRuler(bytes)) {
        return 0;
    }
    const std::string form = hex_forms::Form(index, bytes);
    const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(form.data()), form.size());
    // As the command takes it: the bytes or a refusal. Refused, the text
    // must still read as the bytes.
    Check(IsHexText(text));
    if (const Result<EdidRead> edid = EdidFromInput(text, text.size())) {
        Check(ReadAsTheFormHolds(index, bytes, edid.value().bytes));
        return 0;
    } else {
        Check(!edid.error().message.empty());
    }
    if (const Result<HexTextBytes> read = ParseHexText(text)) {
        Check(ReadAsTheFormHolds(index, bytes, read.value().bytes));
        return 0;
    }
    // od's and hexdump's 7-digit offsets may read as octal and hex alike,
    // and then what a "*" stands for is not known.
    Check((index == hex_forms::kOdWordsForm || index == hex_forms::kHexdumpWordsForm) &&
          form.find("\n*\n") != std::string::npos);
    return 0;
}
