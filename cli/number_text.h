// Numbers as every output of the command line writes them: digits only,
// whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace moniquet {

void AppendUnsigned(std::string& out, uint64_t value);
// "-" before the digits of a value below 0.
void AppendSigned(std::string& out, int64_t value);
// `decimals` digits after the point. A value whose fixed form would pass 32
// characters is written in its shortest form.
void AppendFixed(std::string& out, double value, int decimals);
// The same into `out`, which has room for kFixedRoom characters; returns how
// many it wrote.
inline constexpr std::size_t kFixedRoom = 32;
std::size_t WriteFixed(char* out, double value, int decimals);

// The same as a string of its own.
std::string UnsignedText(uint64_t value);
std::string SignedText(int64_t value);
std::string FixedText(double value, int decimals);

} // namespace moniquet
