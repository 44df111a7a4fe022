// The parts of the vendor-specific fields, by file, private to
// cta_fields_vendor.cpp and its neighbours. Each reads only `body`.
#pragma once

#include "moniquet/fields.h"

#include <cstdint>
#include <span>
#include <string>

namespace moniquet {

using VendorBytes = std::span<const uint8_t>;

// The HDMI vendor-specific data block, after its OUI (cta_fields_hdmi.cpp).
void AddHdmiFields(Fields& fields, VendorBytes body);
// The capabilities the HDMI Forum's vendor-specific data block and its sink
// capability data block share, from the version byte on
// (cta_fields_hdmi_forum.cpp).
void AddHdmiForumFields(Fields& fields, VendorBytes body);
// The HDMI Forum's source-based tone mapping data block
// (cta_fields_hdmi_forum.cpp).
Fields ToneMappingFields(VendorBytes body);
// Dolby's vendor-specific video data block, after its OUI
// (cta_fields_dolby.cpp).
void AddDolbyVideoFields(Fields& fields, VendorBytes body);

// Each flag of a byte, at its bit: a Bool for each of `keys` whose key
// is not empty, keys[0] being bit 7.
struct FlagBit {
    std::string_view key;
    std::string_view label;
};
void AddFlags(Fields& fields, uint8_t byte, std::span<const FlagBit, 8> bits);

// Luminance in cd/m2 of a PQ code as a fraction of its full range.
double PqNits(double fraction);

} // namespace moniquet
