#include "cli/decode_options.h"

#include <charconv>
#include <chrono>
#include <cstdlib>

namespace moniquet {

std::optional<uint32_t> YearOfEpoch(std::string_view epoch) {
    int64_t seconds = 0;
    const auto [end, error] = std::from_chars(epoch.data(), epoch.data() + epoch.size(), seconds);
    // Up to the year 9999: beyond, no EDID's year (at most 2245) matters.
    constexpr int64_t kLastSecond = 253402300799;
    if (epoch.empty() || error != std::errc() || end != epoch.data() + epoch.size() ||
        seconds < 0 || seconds > kLastSecond) {
        return std::nullopt;
    }
    const std::chrono::sys_days day = std::chrono::floor<std::chrono::days>(
        std::chrono::sys_seconds(std::chrono::seconds(seconds)));
    return static_cast<uint32_t>(static_cast<int>(std::chrono::year_month_day(day).year()));
}

DecodeOptions CommandDecodeOptions() {
    DecodeOptions options;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        options.referenceYear = YearOfEpoch(epoch);
    }
    return options;
}

} // namespace moniquet
