#include "cli/base64.h"

#include <algorithm>

namespace moniquet {

std::string Base64(std::span<const uint8_t> bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        uint32_t group = uint32_t{bytes[i]} << 16;
        if (count > 1) {
            group |= uint32_t{bytes[i + 1]} << 8;
        }
        if (count > 2) {
            group |= bytes[i + 2];
        }
        // Three bytes make four characters; a short last group is padded.
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= count ? kAlphabet[group >> (18 - 6 * k) & 0x3F] : '=';
        }
    }
    return out;
}

} // namespace moniquet
