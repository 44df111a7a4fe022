// The tables behind FindMakerName: hwdata's list of registered codes and a
// few names of our own for codes that list lacks.
#pragma once

#include <span>
#include <string_view>

namespace moniquet {

// One maker code and its maker. Kept to an array and a pointer, rather than
// two views, because the table is most of what the programs' size grows by.
struct MakerName {
    // Three letters A to Z and the zero of the literal they come from.
    char16_t id[4];
    // The maker's name, zero-terminated; never empty.
    const char16_t* name;
};

// The code of `row` as a view of its three letters.
inline std::u16string_view MakerCode(const MakerName& row) {
    return {row.id, 3};
}

// The snapshot of hwdata's pnp.ids in makers/pnp_ids.inc. Sorted by id, no
// id twice.
std::span<const MakerName> PnpMakerNames();

// Our own names for codes seen on monitors that pnp.ids lacks. Sorted by id,
// no id twice, no id that PnpMakerNames holds.
std::span<const MakerName> ExtraMakerNames();

// The name beside `id` in `table`, sorted by id; an empty view when absent.
std::u16string_view FindInTable(std::span<const MakerName> table, std::u16string_view id);

} // namespace moniquet
