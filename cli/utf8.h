// UTF-16 to UTF-8 for the command line's output.
#pragma once

#include <string>
#include <string_view>

// Every code unit is kept: pairs become 4-byte sequences, U+0000 a 0 byte, and
// an unpaired surrogate its own 3-byte sequence rather than being dropped.
std::string ToUtf8(std::u16string_view text);
