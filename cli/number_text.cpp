#include "cli/number_text.h"

#include <charconv>

namespace {

// Room for any 64-bit integer and for any double in its shortest form.
constexpr std::size_t kNumberRoom = 32;

} // namespace

void AppendUnsigned(std::string& out, uint64_t value) {
    char buffer[kNumberRoom];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[kNumberRoom];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        // Too long in fixed notation: the shortest form, which always fits.
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    out.append(buffer, result.ptr);
}
