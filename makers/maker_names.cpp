#include "makers/maker_names.h"

#include "makers/maker_table.h"

#include <algorithm>

namespace moniquet {

std::u16string_view FindInTable(std::span<const MakerName> table, std::u16string_view id) {
    const auto found = std::ranges::lower_bound(table, id, {}, MakerCode);
    return found != table.end() && MakerCode(*found) == id ? found->name : std::u16string_view{};
}

std::u16string_view FindMakerName(std::u16string_view manufacturerId) {
    // The registry's own entry wins, should it ever gain one of our codes.
    const std::u16string_view registered = FindInTable(PnpMakerNames(), manufacturerId);
    return registered.empty() ? FindInTable(ExtraMakerNames(), manufacturerId) : registered;
}

} // namespace moniquet
