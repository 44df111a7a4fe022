// The parts of ExtensionBlockFields, one file per kind of block. Each takes
// the whole block, its tag byte first; private to the decoders.
#pragma once

#include "moniquet/fields.h"

#include <cstdint>
#include <span>

namespace moniquet {

using ExtensionBlock = std::span<const uint8_t, 128>;

// Video timing block (extension_vtb_fields.cpp).
Fields VtbFields(ExtensionBlock block);
// Display information (extension_di_fields.cpp).
Fields DiFields(ExtensionBlock block);
// Localized strings (extension_ls_fields.cpp).
Fields LsFields(ExtensionBlock block);

// The fields of one 18-byte detailed timing, as the base block stores
// them (extension_vtb_fields.cpp).
Fields DetailedTimingFields(std::span<const uint8_t, 18> descriptor);

} // namespace moniquet
