// A CTA-861 extension block: its header, its data blocks and its detailed
// timings.
#include "edid/bits.h"
#include "edid/cta_data_blocks.h"
#include "edid/info_blocks.h"

#include <algorithm>

namespace {

void DecodeExtended(uint8_t extendedTag, Payload body, CtaDataBlock& entry, CtaInfo& cta) {
    switch (extendedTag) {
    case kCtaExtVideoCapability:
        if (!body.empty() && !cta.videoCapability) {
            cta.videoCapability = VideoCapabilityOf(body[0]);
        }
        break;
    case kCtaExtVendorVideo:
        entry.oui = AddVendorBlock(body, CtaVendorKind::Video, cta);
        break;
    case kCtaExtVendorAudio:
        entry.oui = AddVendorBlock(body, CtaVendorKind::Audio, cta);
        break;
    case kCtaExtColorimetry:
        // Shorter blocks are malformed, and show nothing.
        if (body.size() >= kCtaColorimetrySize && !cta.colorimetry) {
            cta.colorimetry = LittleEndianBits(body, kCtaColorimetrySize);
        }
        break;
    case kCtaExtHdrStatic:
        if (body.size() >= kCtaHdrStaticMinSize && !cta.hdr) {
            cta.hdr = HdrStaticMetadataOf(body);
        }
        break;
    case kCtaExtHdrDynamic:
        if (cta.hdrDynamicTypes.empty()) {
            cta.hdrDynamicTypes = HdrDynamicTypesOf(body);
        }
        break;
    case kCtaExtYcbcr420Video:
        AddYcbcr420Only(body, cta);
        break;
    case kCtaExtYcbcr420CapabilityMap:
        if (!cta.ycbcr420CapabilityMap) {
            cta.ycbcr420CapabilityMap.emplace(body.begin(), body.end());
        }
        break;
    case kCtaExtHdmiForumSink:
        // Second to the HDMI Forum vendor block, wherever that comes.
        if (body.size() >= kCtaHdmiForumSinkReserved && !cta.hdmiForum) {
            cta.hdmiForum = HdmiForumOf(body.subspan(kCtaHdmiForumSinkReserved));
            cta.hdmiForumFromSinkBlock = true;
        }
        break;
    default:
        break;
    }
}

} // namespace

void DecodeCtaDataBlocks(std::span<const uint8_t> area, uint32_t blockIndex, EdidInfo& info) {
    if (!info.cta) {
        info.cta.emplace();
    }
    CtaInfo& cta = *info.cta;
    std::size_t pos = 0;
    while (pos < area.size()) {
        const uint8_t header = area[pos];
        const std::size_t length = Bits(header, 4, 0);
        const Payload payload = area.subspan(pos + 1, std::min(length, area.size() - pos - 1));
        pos += 1 + length;
        CtaDataBlock entry{blockIndex, Bits(header, 7, 5), std::nullopt, std::nullopt};
        const auto undecoded = [&](CtaUndecodedKind kind, std::size_t bytes) {
            cta.undecoded.push_back({blockIndex, kind, static_cast<uint32_t>(bytes),
                                     static_cast<uint32_t>(cta.dataBlocks.size()),
                                     static_cast<uint32_t>(length)});
        };
        if (payload.size() < length) {
            undecoded(CtaUndecodedKind::DataBlockPastEnd, length - payload.size());
        }
        switch (entry.tag) {
        case kCtaTagAudio:
            // A descriptor cut short is not read.
            AddShortAudio(payload, cta);
            if (payload.size() % kCtaShortAudioSize != 0) {
                undecoded(CtaUndecodedKind::PartialShortAudio, payload.size() % kCtaShortAudioSize);
            }
            break;
        case kCtaTagVideo:
            AddShortVideo(payload, cta);
            break;
        case kCtaTagVendor:
            entry.oui = AddVendorBlock(payload, CtaVendorKind::Data, cta);
            break;
        case kCtaTagSpeakers:
            if (payload.size() >= kCtaSpeakersSize && !cta.speakers) {
                cta.speakers = LittleEndianBits(payload, kCtaSpeakersSize);
            }
            break;
        case kCtaTagExtended:
            if (!payload.empty()) {
                entry.extendedTag = payload[0];
                DecodeExtended(payload[0], payload.subspan(1), entry, cta);
            }
            break;
        default:
            break;
        }
        cta.dataBlocks.push_back(entry);
    }
    ResolveYcbcr420Capable(cta);
}

void DecodeCtaBlock(WholeBlock block, uint32_t blockIndex, EdidInfo& info) {
    const bool first = !info.cta || !info.cta->revision;
    if (!info.cta) {
        info.cta.emplace();
    }
    CtaInfo& cta = *info.cta;
    const uint8_t revision = block[kCtaRevisionOffset];
    if (first) {
        cta.revision = revision;
        // Revision 1 has no flags.
        if (revision >= 2) {
            const uint8_t flags = block[kCtaFlagsOffset];
            cta.underscan = Bit(flags, kCtaUnderscanBit);
            cta.basicAudio = Bit(flags, kCtaBasicAudioBit);
            cta.ycbcr444 = Bit(flags, kCtaYcbcr444Bit);
            cta.ycbcr422 = Bit(flags, kCtaYcbcr422Bit);
            cta.nativeDtds = Bits(flags, 3, 0);
        }
    }
    const std::size_t timingsOffset = block[kCtaTimingsOffsetOffset];
    if (timingsOffset < kCtaFirstDataBlock) {
        return;
    }
    // Data blocks up to an offset past the checksum would be read from
    // bytes the block does not give them: nothing is.
    if (timingsOffset > kChecksumOffset) {
        cta.undecoded.push_back({blockIndex, CtaUndecodedKind::TimingsPastBlock,
                                 static_cast<uint32_t>(timingsOffset), 0, 0});
        return;
    }
    if (revision >= kCtaFirstRevisionWithDataBlocks) {
        DecodeCtaDataBlocks(block.subspan(kCtaFirstDataBlock, timingsOffset - kCtaFirstDataBlock),
                            blockIndex, info);
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
