#include "cli/monitor_figures.h"

#include <algorithm>
#include <string>

namespace moniquet {

std::optional<TimingInfo> PreferredTiming(const EdidInfo& info) {
    const auto preferred = std::find_if(info.detailedTimings.begin(), info.detailedTimings.end(),
                                        [](const TimingInfo& t) { return t.preferred; });
    if (preferred != info.detailedTimings.end()) {
        return *preferred;
    }
    if (info.detailedTimings.empty() || info.detailedTimings.front().block != 0) {
        return std::nullopt;
    }
    return info.detailedTimings.front();
}

std::optional<double> MaxRefreshHz(const EdidInfo& info) {
    std::optional<double> highest;
    for (const ModeInfo& mode : info.modes) {
        if (mode.refreshHz && mode.sources != kModeFromEstablished) {
            highest = std::max(highest.value_or(*mode.refreshHz), *mode.refreshHz);
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

} // namespace moniquet
