#include "cli/number_text.h"

#include <charconv>
#include <cmath>

namespace {

// Room for any 64-bit integer and for any double in its shortest form.
constexpr std::size_t kNumberRoom = 32;

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// `value` in fixed notation through integers, which is several times faster
// than the general conversion; false where that could round differently
// (a value near a half of the last digit, or too large), for the caller to
// convert it exactly.
bool AppendFixedFast(std::string& out, double value, int decimals) {
    if (decimals < 0 || decimals > 9 || !(std::fabs(value) < 1e9)) {
        return false;
    }
    const double scaled = std::fabs(value) * kPowersOfTen[decimals];
    const double floor = std::floor(scaled);
    if (std::fabs(scaled - floor - 0.5) < 1e-6) {
        return false;
    }
    const auto units = static_cast<uint64_t>(floor) + (scaled - floor > 0.5 ? 1 : 0);
    const auto divisor = static_cast<uint64_t>(kPowersOfTen[decimals]);
    if (std::signbit(value) && units != 0) {
        out += '-';
    }
    AppendUnsigned(out, units / divisor);
    if (decimals > 0) {
        out += '.';
        char digits[9];
        uint64_t fraction = units % divisor;
        for (int i = decimals - 1; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        out.append(digits, static_cast<std::size_t>(decimals));
    }
    return true;
}

} // namespace

void AppendUnsigned(std::string& out, uint64_t value) {
    char buffer[kNumberRoom];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendSigned(std::string& out, int64_t value) {
    char buffer[kNumberRoom];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (AppendFixedFast(out, value, decimals)) {
        return;
    }
    char buffer[kNumberRoom];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        // Too long in fixed notation: the shortest form, which always fits.
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    out.append(buffer, result.ptr);
}

std::string UnsignedText(uint64_t value) {
    std::string text;
    AppendUnsigned(text, value);
    return text;
}

std::string SignedText(int64_t value) {
    std::string text;
    AppendSigned(text, value);
    return text;
}

std::string FixedText(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}
