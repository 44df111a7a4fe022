#include "inventory/drm_connector_text.h"

bool IsConnectorName(std::string_view name) {
    constexpr std::string_view kPrefix = "card";
    if (!name.starts_with(kPrefix)) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    const std::size_t digits = name.find_first_not_of("0123456789");
    return digits != 0 && digits != std::string_view::npos && name[digits] == '-' &&
           digits + 1 < name.size();
}

bool IsConnectedStatus(std::string_view status) {
    return status == "connected" || status == "connected\n";
}
