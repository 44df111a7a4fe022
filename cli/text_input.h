// Input that may be text written by any editor or shell: UTF-8 with or
// without a byte order mark, or UTF-16 (Notepad's "Unicode", PowerShell
// 5.1's `>`, a registry export, all with a byte order mark; some tools
// write none).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace moniquet {

// `input` as UTF-8, its byte order mark dropped, UTF-16 converted and the
// run of 0 bytes at its very end (as some tools and editors leave) dropped.
// UTF-16 without a byte order mark is told by its first two characters:
// ASCII, each beside a 0 byte.
// Bytes that are not valid UTF-8 are kept: a comment in another encoding is
// still text.
std::string DecodedText(std::span<const uint8_t> input);

// Whether DecodedText's result is text: it holds no control character other
// than tab, line feed, vertical tab, form feed and carriage return. (Every
// EDID holds such bytes: its version alone is 01.)
bool IsText(std::string_view text);

} // namespace moniquet
