#include "cli/monitor_figures.h"

#include <algorithm>
#include <string>

std::optional<TimingInfo> PreferredTiming(const EdidInfo& info) {
    if (info.detailedTimings.empty() || info.detailedTimings.front().block != 0) {
        return std::nullopt;
    }
    return info.detailedTimings.front();
}

std::optional<double> MaxRefreshHz(const EdidInfo& info) {
    std::optional<double> highest;
    for (const TimingInfo& timing : info.detailedTimings) {
        if (timing.refreshHz) {
            highest = std::max(highest.value_or(*timing.refreshHz), *timing.refreshHz);
        }
    }
    return highest;
}

std::optional<uint32_t> ManufactureYear(const EdidInfo& info) {
    return info.manufactureYear;
}

std::u16string SerialText(const EdidInfo& info) {
    if (info.serialString && !info.serialString->empty()) {
        return *info.serialString;
    }
    if (info.serialNumber) {
        const std::string digits = std::to_string(*info.serialNumber);
        return std::u16string(digits.begin(), digits.end());
    }
    return {};
}
