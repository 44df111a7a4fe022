// The fields of CTA-861 data blocks that describe formats: video, audio,
// speakers, colour and HDR.
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/cta_names.h"
#include "edid/edid_layout.h"

namespace {

using Bytes = std::span<const uint8_t>;

// Short video descriptors: VIC 1 to 64 stored with bit 7 set are native;
// codes 129 to 192 are reserved since CTA-861-F for that reading, the
// others are VICs as stored.
Fields VideoFields(Bytes body) {
    Fields fields;
    Field& svds = AddList(fields, "svds", "VIC");
    for (const uint8_t code : body) {
        const bool native = code >= 129 && code <= 192;
        Field& svd = AddObject(svds.items, "", "");
        AddUnsigned(svd.items, "vic", "VIC", native ? code & 0x7Fu : code);
        AddBool(svd.items, "native", "Native", native);
    }
    return fields;
}

Fields SpeakerFields(Bytes body) {
    Fields fields;
    Field& speakers = AddList(fields, "speakers", "Speakers");
    const uint32_t bits = body.size() >= 3   ? Le24(body, 0)
                          : body.size() == 2 ? Le16(body, 0)
                          : body.empty()     ? 0
                                             : body[0];
    for (unsigned bit = 0; bit < 24; ++bit) {
        if ((bits >> bit & 1u) == 0) {
            continue;
        }
        const std::optional<std::string_view> name = SpeakerName(bit);
        AddName(speakers.items, "", "", name ? std::string(*name) : "bit " + std::to_string(bit));
    }
    return fields;
}

} // namespace

std::optional<Fields> CtaFormatFields(uint8_t tag, std::optional<uint8_t>, Bytes body) {
    switch (tag) {
    case kCtaTagVideo:
        return VideoFields(body);
    case kCtaTagSpeakers:
        return SpeakerFields(body);
    default:
        return std::nullopt;
    }
}
