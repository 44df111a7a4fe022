// Bit fields of EDID bytes, numbered as the standards number them: bit 0 is
// the least significant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace moniquet {

// Bit `n` of `byte`.
constexpr bool Bit(uint8_t byte, unsigned n) {
    return ((byte >> n) & 1u) != 0;
}

// Bits `high` down to `low` of `byte`, shifted down.
constexpr uint32_t Bits(uint8_t byte, unsigned high, unsigned low) {
    return (static_cast<uint32_t>(byte) >> low) & ((1u << (high - low + 1)) - 1u);
}

// The little-endian 16-bit number at `offset`; the caller checks the length.
inline uint32_t Le16(std::span<const uint8_t> bytes, std::size_t offset) {
    return bytes[offset] | static_cast<uint32_t>(bytes[offset + 1]) << 8;
}

// The little-endian 24-bit number at `offset`; the caller checks the length.
inline uint32_t Le24(std::span<const uint8_t> bytes, std::size_t offset) {
    return Le16(bytes, offset) | static_cast<uint32_t>(bytes[offset + 2]) << 16;
}

} // namespace moniquet
