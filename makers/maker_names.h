// Makers' names for the three-letter maker codes (PNP IDs) of EDIDs. The
// names are compiled in, so no program reads a data file to show them.
#pragma once

#include <string_view>

namespace moniquet {

// The maker's name for `manufacturerId` (three letters A to Z, as
// VendorId::manufacturer holds them), or an empty view when the code is
// unknown or holds anything else. The view points into static storage.
std::u16string_view FindMakerName(std::u16string_view manufacturerId);

} // namespace moniquet
