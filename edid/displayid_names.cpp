#include "edid/displayid_names.h"

#include "edid/edid_layout.h"
#include "moniquet/cta_names.h"

#include <string_view>

namespace moniquet {

namespace {

std::string Hex2(uint32_t value) {
    static constexpr char kHex[] = "0123456789abcdef";
    return {'0', 'x', kHex[value >> 4 & 0xF], kHex[value & 0xF]};
}

// The name of a tag that has one, with "(0xNN)" where edid-decode adds it
// to tell the 1.x and 2.x blocks of one kind apart; empty for others.
std::string_view KnownName(uint8_t tag) {
    switch (tag) {
    case 0x00:
    case 0x20:
        return "Product Identification Data Block";
    case 0x01:
    case 0x21:
        return "Display Parameters Data Block";
    case 0x02:
        return "Color Characteristics Data Block";
    case 0x03:
        return "Video Timing Modes Type 1 - Detailed Timings Data Block";
    case 0x04:
        return "Video Timing Modes Type 2 - Detailed Timings Data Block";
    case 0x05:
        return "Video Timing Modes Type 3 - Short Timings Data Block";
    case 0x06:
        return "Video Timing Modes Type 4 - DMT Timings Data Block";
    case 0x07:
        return "Supported Timing Modes Type 1 - VESA DMT Timings Data Block";
    case 0x08:
        return "Supported Timing Modes Type 2 - CTA-861 Timings Data Block";
    case 0x09:
        return "Video Timing Range Data Block";
    case 0x0A:
        return "Product Serial Number Data Block";
    case 0x0B:
        return "GP ASCII String Data Block";
    case 0x0C:
        return "Display Device Data Data Block";
    case 0x0D:
        return "Interface Power Sequencing Data Block";
    case 0x0E:
        return "Transfer Characteristics Data Block";
    case 0x0F:
        return "Display Interface Data Block";
    case 0x10:
    case 0x27:
        return "Stereo Display Interface Data Block";
    case 0x11:
        return "Video Timing Modes Type 5 - Short Timings Data Block";
    case 0x12:
    case 0x28:
        return "Tiled Display Topology Data Block";
    case 0x13:
        return "Video Timing Modes Type 6 - Detailed Timings Data Block";
    case 0x22:
        return "Video Timing Modes Type 7 - Detailed Timings Data Block";
    case 0x23:
        return "Video Timing Modes Type 8 - Enumerated Timing Codes Data Block";
    case 0x24:
        return "Video Timing Modes Type 9 - Formula-based Timings Data Block";
    case 0x25:
        return "Dynamic Video Timing Range Limits Data Block";
    case 0x26:
        return "Display Interface Features Data Block";
    case 0x29:
        return "ContainerID Data Block";
    case kDidType10:
        return "Video Timing Modes Type 10 - Formula-based Timings Data Block";
    case kDidAdaptiveSync:
        return "Adaptive Sync Data Block";
    case 0x2C:
        return "ARVR_HMD Data Block";
    case 0x2D:
        return "ARVR_Layer Data Block";
    case 0x2E:
        return "Brightness Luminance Range Data Block";
    case kDidVendor2:
    case kDidVendor:
        return "Vendor-Specific Data Block";
    case kDidCta:
        return "CTA-861 DisplayID Data Block";
    default:
        return {};
    }
}

bool NamedWithTag(uint8_t tag) {
    switch (tag) {
    case 0x00:
    case 0x01:
    case 0x10:
    case 0x12:
    case 0x20:
    case 0x21:
    case 0x27:
    case 0x28:
    case kDidVendor2:
    case kDidVendor:
        return true;
    default:
        return false;
    }
}

uint32_t Reversed(uint32_t oui) {
    return (oui & 0xFF) << 16 | (oui & 0xFF00) | oui >> 16;
}

} // namespace

std::string DisplayIdBlockName(uint8_t tag, std::optional<uint32_t> vendorOui) {
    const std::string_view known = KnownName(tag);
    if (known.empty()) {
        return "Unknown DisplayID Data Block (" + Hex2(tag) + ")";
    }
    std::string name(known);
    if (NamedWithTag(tag)) {
        name += " (" + Hex2(tag) + ")";
    }
    if (vendorOui) {
        // Some makers store their OUI the other way round.
        auto vendor = VendorName(*vendorOui);
        if (!vendor) {
            vendor = VendorName(Reversed(*vendorOui));
        }
        if (vendor) {
            name += " (" + std::string(*vendor) + ")";
        }
    }
    return name;
}

} // namespace moniquet
