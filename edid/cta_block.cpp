#include "edid/info_blocks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kTagVideo = 2;
constexpr uint8_t kTagExtended = 7;
constexpr uint8_t kExtendedTagHdrStaticMetadata = 6;

// VICs 1 to 64 may carry a native flag in bit 7; 0 and 128 mean nothing.
void AddVics(std::span<const uint8_t> payload, CtaInfo& cta) {
    for (const uint8_t code : payload) {
        if (code == 0 || code == 128) {
            continue;
        }
        CtaVideo video;
        video.vic = code >= 129 && code <= 192 ? code & 0x7Fu : code;
        if (code <= 64 || (code >= 129 && code <= 192)) {
            video.native = code >= 129;
        }
        cta.vics.push_back(video.vic);
        cta.video.push_back(video);
    }
}

double Luminance(uint8_t codeValue) {
    return 50.0 * std::exp2(codeValue / 32.0);
}

// `body` is the data block's payload after its extended tag.
HdrStaticMetadata HdrStaticMetadataOf(std::span<const uint8_t> body) {
    HdrStaticMetadata hdr;
    if (body.size() > 0) {
        hdr.eotfs = body[0] & 0x0F;
    }
    if (body.size() > 2) {
        hdr.maxLuminance = Luminance(body[2]);
    }
    if (body.size() > 3) {
        hdr.maxFrameAverageLuminance = Luminance(body[3]);
    }
    if (body.size() > 4) {
        const double ratio = body[4] / 255.0;
        hdr.minLuminance = *hdr.maxLuminance * ratio * ratio / 100.0;
    }
    return hdr;
}

} // namespace

void DecodeCtaDataBlocks(std::span<const uint8_t> area, uint32_t /*blockIndex*/, EdidInfo& info) {
    if (!info.cta) {
        info.cta.emplace();
    }
    CtaInfo& cta = *info.cta;
    std::size_t pos = 0;
    while (pos < area.size()) {
        const uint8_t header = area[pos];
        const std::size_t length = header & 0x1F;
        const auto payload = area.subspan(pos + 1, std::min(length, area.size() - pos - 1));
        pos += 1 + length;
        const uint8_t tag = header >> 5;
        if (tag == kTagVideo) {
            AddVics(payload, cta);
        } else if (tag == kTagExtended && !payload.empty() &&
                   payload[0] == kExtendedTagHdrStaticMetadata && !cta.hdr) {
            cta.hdr = HdrStaticMetadataOf(payload.subspan(1));
        }
    }
}

void DecodeCtaBlock(WholeBlock block, uint32_t blockIndex, EdidInfo& info) {
    if (!info.cta) {
        info.cta.emplace();
    }
    const std::size_t timingsOffset = block[kCtaTimingsOffsetOffset];
    if (timingsOffset < kCtaFirstDataBlock) {
        return;
    }
    if (block[kCtaRevisionOffset] >= kCtaFirstRevisionWithDataBlocks) {
        const std::size_t end = std::min(timingsOffset, kChecksumOffset);
        DecodeCtaDataBlocks(block.subspan(kCtaFirstDataBlock, end - kCtaFirstDataBlock), blockIndex,
                            info);
    }
    // The list of descriptors ends at the first all-zero one or at the
    // checksum, whichever comes first.
    for (std::size_t offset = timingsOffset; offset + kDescriptorSize <= kChecksumOffset;
         offset += kDescriptorSize) {
        const Descriptor d = block.subspan(offset).first<kDescriptorSize>();
        if (std::all_of(d.begin(), d.end(), [](uint8_t b) { return b == 0; })) {
            break;
        }
        AddDescriptor(d, blockIndex, BlockType::Cta861, info);
    }
}
