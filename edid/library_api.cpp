// The library's entry points of moniquet/moniquet.h.
#include "moniquet/moniquet.h"

#include "edid/edid_layout.h"
#include "moniquet/edid_bytes.h"

#include <algorithm>
#include <string>

namespace moniquet {

bool HasEdidHeader(std::span<const uint8_t> bytes) {
    return bytes.size() >= kEdidHeader.size() &&
           std::equal(kEdidHeader.begin(), kEdidHeader.end(), bytes.begin());
}

std::optional<std::size_t> AnnouncedEdidSize(std::span<const uint8_t> bytes) {
    if (bytes.size() <= kExtensionCountOffset || !HasEdidHeader(bytes)) {
        return std::nullopt;
    }
    return (bytes[kExtensionCountOffset] + std::size_t{1}) * kEdidBlockLength;
}

Result<EdidInfo> Decode(std::span<const uint8_t> edid, DecodeOptions options) {
    if (edid.size() < kMinimumEdidSize) {
        return Error{ErrorCode::TooShort,
                     "not an EDID block: " + std::to_string(edid.size()) + " bytes"};
    }
    if (edid.size() > kMaximumEdidSize) {
        return Error{ErrorCode::TooLong, "too long for an EDID: " + std::to_string(edid.size()) +
                                             " bytes, at most " + std::to_string(kMaximumEdidSize)};
    }
    return DecodeEdidInfo(edid, options);
}

} // namespace moniquet
