// Bytes written as a hex form the command reads (hex_forms.h), the way the
// tool that makes it writes it, must read back byte for byte: as the
// command takes a file, those bytes or a refusal, never others, and
// refused, the text must still read as them.
//
// Input: one byte for the form, then the bytes. Seeds: every real EDID of
// tests/data, each after a form's byte (fuzz/write_seeds.py).
#include "cli/edid_file.h"
#include "cli/hex_text.h"
#include "fuzz_checks.h"
#include "hex_forms.h"

#include <algorithm>

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

// xxd's 2-byte groups, each byte-swapped, as xxd -e would have written
// the same digits.
std::vector<uint8_t> Swapped(std::span<const uint8_t> bytes) {
    std::vector<uint8_t> swapped(bytes.begin(), bytes.end());
    for (std::size_t at = 0; at + 1 < swapped.size(); at += 16) {
        for (std::size_t i = at; i + 1 < std::min(at + 16, swapped.size()); i += 2) {
            std::swap(swapped[i], swapped[i + 1]);
        }
    }
    return swapped;
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
    EdidBytes read;
    std::string error;
    if (!EdidFromInput(text, text.size(), read, error)) {
        Check(!error.empty() && read.empty() && ParseHexText(text, read, error));
    }
    const bool same = std::equal(read.begin(), read.end(), bytes.begin(), bytes.end());
    // xxd's groups read the same either way round when its text column has
    // nothing to tell: there the header decides, and may be that of the
    // bytes swapped.
    const std::vector<uint8_t> swapped = Swapped(bytes);
    Check(same || (index == 0 && read == swapped && StartsWithEdidHeader(swapped) &&
                   !StartsWithEdidHeader(bytes)));
    return 0;
}
