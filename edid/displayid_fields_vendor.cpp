// The fields of DisplayID's vendor-specific data blocks (tag 0x7e of 2.x,
// 0x7f of 1.x): which vendor, then VESA's DisplayPort fields, Apple's type
// and version, or the bytes of another vendor.
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/cta_fields_vendor.h"
#include "edid/cta_names.h"

#include <array>
#include <string>

namespace {

constexpr uint32_t kOuiVesa = 0x3A0292;
constexpr uint32_t kOuiApple = 0x0010FA;

// VESA's block holds two bytes of flags after its OUI, and a DSC rate
// for pass-through timings in two more.
constexpr std::size_t kVesaMinLength = 5;
constexpr std::size_t kVesaMaxLength = 7;

void AddVesaFields(Fields& fields, VendorBytes body) {
    static constexpr std::array<std::string_view, 4> kSst = {"none", "two streams", "four streams",
                                                             "reserved"};
    const uint32_t type = Bits(body[0], 2, 0);
    AddName(fields, "data_structure", "Data structure",
            type == 0   ? "eDP"
            : type == 1 ? "DP"
                        : "reserved (" + std::to_string(type) + ")");
    AddName(fields, "default_colour", "Default colour",
            Bit(body[0], 7) ? "display parameters" : "sRGB");
    AddUnsigned(fields, "overlap_pixels", "Pixels overlapping a neighbour", Bits(body[1], 3, 0));
    AddName(fields, "multi_sst", "Multi-SST", std::string(kSst[Bits(body[1], 6, 5)]));
    if (body.size() >= 4) {
        AddFixed(fields, "dsc_bpp", "DSC pass-through",
                 Bits(body[2], 5, 0) + Bits(body[3], 3, 0) / 16.0, 4, " bpp");
    }
}

} // namespace

std::optional<Fields> DisplayIdVendorFields(uint8_t tag, std::span<const uint8_t> payload) {
    if (tag != 0x7E && tag != 0x7F) {
        return std::nullopt;
    }
    Fields fields;
    if (payload.size() < 3) {
        return fields;
    }
    // Most significant byte first, unlike CTA-861's.
    uint32_t oui = payload[0] << 16 | payload[1] << 8 | payload[2];
    const uint32_t reversed = (oui >> 16) | (oui & 0xFF00u) | ((oui & 0xFFu) << 16);
    if (!VendorName(oui) && VendorName(reversed)) {
        oui = reversed;
    }
    AddName(fields, "oui", "OUI", OuiName(oui));
    const VendorBytes body = payload.subspan(3);
    if (tag == 0x7E && oui == kOuiVesa && payload.size() >= kVesaMinLength &&
        payload.size() <= kVesaMaxLength) {
        AddVesaFields(fields, body);
    } else if (tag == 0x7F && oui == kOuiApple && body.size() >= 2) {
        AddUnsigned(fields, "type", "Type", body[0]);
        AddUnsigned(fields, "version", "Version", body[1]);
        AddName(fields, "payload", "Payload", HexBytes(body.subspan(2)));
    } else {
        AddName(fields, "payload", "Payload", HexBytes(body));
    }
    return fields;
}
