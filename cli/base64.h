// Base64 of a byte span, for `list --json` to carry an EDID's bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace moniquet {

// The standard alphabet (A-Z a-z 0-9 + /) with '=' padding and no line
// breaks, as `base64 -w0` writes it.
std::string Base64(std::span<const uint8_t> bytes);

} // namespace moniquet
