// A CTA-861 extension block: its header, its data blocks and its detailed
// timings.
#include "edid/bits.h"
#include "edid/block_fields.h"
#include "edid/cta_checks.h"
#include "edid/cta_data_blocks.h"
#include "edid/edid_layout.h"
#include "edid/info_blocks.h"
#include "edid/timing_checks.h"

#include <algorithm>
#include <string>
#include <utility>

namespace moniquet {

namespace {

using std::to_string;

// `sink` names offsets of `body`.
void DecodeExtended(uint8_t extendedTag, Payload body, const DiagnosticSink& sink,
                    CtaDataBlock& entry, RateSpan& rates, CtaInfo& cta) {
    switch (extendedTag) {
    case kCtaExtVideoCapability:
        if (!body.empty() && !cta.videoCapability) {
            cta.videoCapability = VideoCapabilityOf(body[0]);
        }
        break;
    case kCtaExtVendorVideo:
        entry.oui = AddVendorBlock(body, CtaVendorKind::Video, rates, cta);
        break;
    case kCtaExtVendorAudio:
        entry.oui = AddVendorBlock(body, CtaVendorKind::Audio, rates, cta);
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
        AddYcbcr420Only(body, sink, rates, cta);
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

void DecodeCtaDataBlocks(std::span<const uint8_t> area, uint32_t blockIndex,
                         const DiagnosticSink& sink, Walk& walk) {
    EdidInfo& info = walk.info;
    if (!info.cta) {
        info.cta.emplace();
    }
    CtaInfo& cta = *info.cta;
    std::size_t pos = 0;
    while (pos < area.size()) {
        const uint8_t header = area[pos];
        const std::size_t length = Bits(header, 4, 0);
        const Payload payload = area.subspan(pos + 1, std::min(length, area.size() - pos - 1));
        if (pos + 1 + length > area.size()) {
            Fail(sink, DiagnosticCode::CtaDataBlockOverrun, pos,
                 "the data block at byte " + to_string(sink.origin + pos) + " runs to byte " +
                     to_string(sink.origin + pos + 1 + length) + ", past the end of its area (" +
                     to_string(sink.origin + area.size()) + ")");
        }
        const DiagnosticSink at = Within(sink, pos + 1);
        const std::size_t start = pos;
        pos += 1 + length;
        CtaDataBlock entry{blockIndex, Bits(header, 7, 5), std::nullopt, std::nullopt, 0, 0, {}};
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
            AddShortVideo(payload, at, walk.listedRates, cta);
            CheckVideoDataBlockTimings(payload, blockIndex, at, walk);
            break;
        case kCtaTagVendor:
            entry.oui = AddVendorBlock(payload, CtaVendorKind::Data, walk.listedRates, cta);
            break;
        case kCtaTagSpeakers:
            if (payload.size() >= kCtaSpeakersSize && !cta.speakers) {
                cta.speakers = LittleEndianBits(payload, kCtaSpeakersSize);
            }
            break;
        case kCtaTagExtended:
            if (!payload.empty()) {
                entry.extendedTag = payload[0];
                DecodeExtended(payload[0], payload.subspan(1), Within(at, 1), entry,
                               walk.listedRates, cta);
                if (payload[0] == kCtaExtYcbcr420Video) {
                    CheckYcbcr420VideoTimings(payload.subspan(1), Within(at, 1), walk);
                }
            }
            break;
        default:
            break;
        }
        entry.offset = blockIndex * kEdidBlockLength + sink.origin + static_cast<uint32_t>(start);
        entry.length = static_cast<uint32_t>(length);
        if (walk.fields) {
            const bool extended = entry.tag == kCtaTagExtended && !payload.empty();
            entry.fields =
                CtaDataBlockFields(static_cast<uint8_t>(entry.tag),
                                   extended ? std::optional<uint8_t>(payload[0]) : std::nullopt,
                                   extended ? payload.subspan(1) : payload);
        }
        CtaDataBlockView view{static_cast<uint8_t>(entry.tag), std::nullopt, payload, blockIndex,
                              blockIndex < info.blocks.size() &&
                                  info.blocks[blockIndex].type == BlockType::DisplayId};
        if (entry.extendedTag) {
            view.extendedTag = payload[0];
            view.payload = payload.subspan(1);
        }
        cta.dataBlocks.push_back(std::move(entry));
        CheckCtaDataBlock(view, Within(sink, start), walk);
    }
    ResolveYcbcr420Capable(cta);
}

void DecodeCtaBlock(WholeBlock block, uint32_t blockIndex, Walk& walk) {
    EdidInfo& info = walk.info;
    const DiagnosticSink sink = SinkOf(walk, blockIndex);
    const bool first = !info.cta || !info.cta->revision;
    if (!info.cta) {
        info.cta.emplace();
    }
    CtaInfo& cta = *info.cta;
    CheckCtaBlock(block, sink, walk);
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
    // Past the last byte, the offset leaves no place known for either: data
    // blocks up to it would be read from bytes the block does not give them.
    if (timingsOffset > kChecksumOffset) {
        cta.undecoded.push_back({blockIndex, CtaUndecodedKind::TimingsPastBlock,
                                 static_cast<uint32_t>(timingsOffset), 0, 0});
        return;
    }
    if (revision >= kCtaFirstRevisionWithDataBlocks) {
        DecodeCtaDataBlocks(block.subspan(kCtaFirstDataBlock, timingsOffset - kCtaFirstDataBlock),
                            blockIndex, Within(sink, kCtaFirstDataBlock), walk);
    }
    // The list of descriptors ends at the first all-zero one or at the
    // checksum, whichever comes first.
    for (std::size_t offset = timingsOffset; offset + kDescriptorSize <= kChecksumOffset;
         offset += kDescriptorSize) {
        const Descriptor d = block.subspan(offset).first<kDescriptorSize>();
        if (std::all_of(d.begin(), d.end(), [](uint8_t b) { return b == 0; })) {
            break;
        }
        AddDescriptor(d, blockIndex, offset, BlockType::Cta861, walk);
    }
}

} // namespace moniquet
