// SHA-256 of a byte span, for `list --json` to name an EDID by its bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace moniquet {

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest Sha256(std::span<const uint8_t> bytes);

// The digest as 64 lower-case hexadecimal digits, as sha256sum prints it.
std::string Sha256Hex(std::span<const uint8_t> bytes);

} // namespace moniquet
