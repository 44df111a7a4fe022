// The fields of the InfoFrame data block (the InfoFrames a sink takes) and
// of the product information block (an OUI and the product's name).
#include "edid/bits.h"
#include "edid/cta_fields_formats.h"
#include "edid/edid_layout.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr std::array<std::string_view, 8> kInfoFrames = {"",
                                                         "Vendor-Specific",
                                                         "Auxiliary Video Information",
                                                         "Source Product Description",
                                                         "Audio",
                                                         "MPEG Source",
                                                         "NTSC VBI",
                                                         "Dynamic Range and Mastering"};
constexpr uint32_t kVendorInfoFrame = 1;

} // namespace

Fields InfoFrameFields(Bytes body) {
    constexpr std::size_t kOuiSize = 3;
    Fields fields;
    if (body.size() < 2) {
        return fields;
    }
    AddUnsigned(fields, "vsifs", "Extra VSIFs", body[1]);
    Field& list = AddList(fields, "infoframes", "InfoFrame");
    // The header can grow: its first byte gives the bytes that follow the
    // two known ones.
    std::size_t at = 2 + Bits(body[0], 7, 5);
    while (at < body.size()) {
        const uint8_t header = body[at];
        const uint32_t type = Bits(header, 4, 0);
        const std::size_t payload = Bits(header, 7, 5);
        const std::size_t oui = type == kVendorInfoFrame ? kOuiSize : 0;
        if (at + 1 + oui > body.size()) {
            break;
        }
        Fields& entry = AddObject(list.items, "", "").items;
        AddUnsigned(entry, "type", "Type", type);
        if (type < kInfoFrames.size() && !kInfoFrames[type].empty()) {
            AddName(entry, "name", "Name", std::string(kInfoFrames[type]));
        } else {
            AddNull(entry, "name", "Name");
        }
        if (oui != 0) {
            AddName(entry, "oui", "OUI",
                    OuiName(body[at + 1] | body[at + 2] << 8 | body[at + 3] << 16));
        }
        AddUnsigned(entry, "payload_size", "Payload size", payload, " bytes");
        at += 1 + oui + payload;
    }
    return fields;
}

Fields ProductInformationFields(Bytes body) {
    constexpr std::size_t kOuiSize = 3;
    Fields fields;
    if (body.size() < kOuiSize) {
        return fields;
    }
    // Most significant byte first, unlike vendor-specific blocks.
    AddName(fields, "oui", "OUI", OuiName(body[0] << 16 | body[1] << 8 | body[2]));
    if (body.size() == kOuiSize) {
        return fields;
    }
    AddUnsigned(fields, "version", "Version", body[kOuiSize]);
    std::u16string name;
    // A name shorter than its room ends at a 0 byte.
    for (const uint8_t byte : body.subspan(kOuiSize + 1)) {
        if (byte == 0) {
            break;
        }
        name += static_cast<char16_t>(byte);
    }
    AddText(fields, "product_name", "Product name", name);
    return fields;
}

} // namespace moniquet
