#include "cli/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace moniquet {

namespace {

// Room for any 64-bit integer and for any double in its shortest form.
constexpr std::size_t kNumberRoom = kFixedRoom;

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

template <uint64_t kDivisor> std::pair<uint64_t, uint64_t> Split(uint64_t units) {
    return {units / kDivisor, units % kDivisor};
}

// `units` of 10^-decimals as the whole number and the rest. Each divisor is
// a constant, which the compiler divides by with a multiplication: a
// division by a number known only at run time takes tens of cycles, and
// every rate of an EDID's JSON pays it.
std::pair<uint64_t, uint64_t> SplitUnits(uint64_t units, int decimals) {
    switch (decimals) {
    case 1:
        return Split<10>(units);
    case 2:
        return Split<100>(units);
    case 3:
        return Split<1000>(units);
    case 4:
        return Split<10000>(units);
    case 5:
        return Split<100000>(units);
    case 6:
        return Split<1000000>(units);
    case 7:
        return Split<10000000>(units);
    case 8:
        return Split<100000000>(units);
    case 9:
        return Split<1000000000>(units);
    default:
        return {units, 0};
    }
}

// The `count` last digits of `value` at `at`, zeros in front. Two at a time
// from a table of pairs: each division waits on the one before, and pairs
// halve that chain (six decimals for every rate).
void WriteDigits(char* at, uint64_t value, int count) {
    static constexpr char kPairs[] = "00010203040506070809"
                                     "10111213141516171819"
                                     "20212223242526272829"
                                     "30313233343536373839"
                                     "40414243444546474849"
                                     "50515253545556575859"
                                     "60616263646566676869"
                                     "70717273747576777879"
                                     "80818283848586878889"
                                     "90919293949596979899";
    for (; count >= 2; count -= 2) {
        std::memcpy(at + count - 2, kPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count == 1) {
        at[0] = static_cast<char>('0' + value % 10);
    }
}

// `value` in fixed notation through integers, which is several times faster
// than the general conversion, into `out` (room for kNumberRoom); 0 where
// that could round differently (a value near a half of the last digit, or
// too large), for the caller to convert it exactly.
std::size_t WriteFixedFast(char* out, double value, int decimals) {
    if (decimals < 0 || decimals > 9 || !(std::fabs(value) < 1e9)) {
        return 0;
    }
    const double scaled = std::fabs(value) * kPowersOfTen[decimals];
    const double floor = std::floor(scaled);
    if (std::fabs(scaled - floor - 0.5) < 1e-6) {
        return 0;
    }
    const auto units = static_cast<uint64_t>(floor) + (scaled - floor > 0.5 ? 1 : 0);
    const auto [whole, fractionUnits] = SplitUnits(units, decimals);
    char* at = out;
    if (std::signbit(value) && units != 0) {
        *at++ = '-';
    }
    at = std::to_chars(at, out + kNumberRoom, whole).ptr;
    if (decimals > 0) {
        *at++ = '.';
        WriteDigits(at, fractionUnits, decimals);
        at += decimals;
    }
    return static_cast<std::size_t>(at - out);
}

} // namespace

std::size_t WriteFixed(char* out, double value, int decimals) {
    if (const std::size_t n = WriteFixedFast(out, value, decimals); n != 0) {
        return n;
    }
    auto result = std::to_chars(out, out + kNumberRoom, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        // Too long in fixed notation: the shortest form, which always fits.
        result = std::to_chars(out, out + kNumberRoom, value);
    }
    return static_cast<std::size_t>(result.ptr - out);
}

void AppendUnsigned(std::string& out, uint64_t value) {
    char buffer[kNumberRoom];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendSigned(std::string& out, int64_t value) {
    char buffer[kNumberRoom];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[kNumberRoom];
    out.append(buffer, WriteFixed(buffer, value, decimals));
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

} // namespace moniquet
