// EDID bytes as the program holds them: an EDID of any length as read from
// a file, a registry value or a connector, and the fixed 256-byte block that
// the dialog keeps per monitor. Every cut and every padding of EDID bytes
// happens here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace moniquet {

// One EDID block: the base block and every extension block are this size.
inline constexpr std::size_t kEdidBlockLength = 128;

// The block kept per monitor: the 128-byte base block and the first 128-byte
// extension block.
inline constexpr std::size_t kEdidBlockSize = 256;

// The smallest EDID: a base block alone.
inline constexpr std::size_t kMinimumEdidSize = kEdidBlockLength;

// The largest EDID: a base block and 256 extension blocks (a base block's
// extension count is one byte), 32,896 bytes.
inline constexpr std::size_t kMaximumEdidSize = 257 * kEdidBlockLength;

// The 256 bytes kept per monitor.
using EdidBlock = std::array<uint8_t, kEdidBlockSize>;

// An EDID of any length, every byte as its source held it.
using EdidBytes = std::vector<uint8_t>;

// The first 256 bytes of `edid`; where it holds fewer, the rest is zero.
EdidBlock BlockFromEdid(std::span<const uint8_t> edid);

} // namespace moniquet
