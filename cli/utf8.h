// UTF-16 to UTF-8 for the command line's output, and the checking of the
// UTF-8 it is given.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace moniquet {

// Every code unit is kept: pairs become 4-byte sequences, U+0000 a 0 byte, and
// an unpaired surrogate its own 3-byte sequence rather than being dropped.
std::string ToUtf8(std::u16string_view text);

// The length of the UTF-8 sequence at the start of `text`, which is not
// empty, or 0 when it is not a valid one (overlong, a surrogate, past
// U+10FFFF, cut short).
std::size_t Utf8SequenceLength(std::string_view text);

} // namespace moniquet
