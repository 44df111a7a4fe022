#include "edid/conformity_checks.h"

#include "edid/bits.h"
#include "edid/edid_layout.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using std::to_string;

// Short video descriptors 129 to 192 are VICs 1 to 64 flagged native.
constexpr uint8_t kFirstNativeSvd = 129;
constexpr uint8_t kLastNativeSvd = 192;
// Bits of the colorimetry block's second byte that once selected gamut
// metadata profiles and are now reserved.
constexpr uint8_t kColorimetryReservedBits = 0x0F;
// Bit 7 of a short audio descriptor's first two bytes is reserved.
constexpr uint8_t kShortAudioReservedBit = 7;

void CheckVideoBytes(std::span<const uint8_t> svds, uint32_t block, ConformityResults& results) {
    std::string reserved;
    for (const uint8_t svd : svds) {
        const uint32_t vic = svd >= kFirstNativeSvd && svd <= kLastNativeSvd ? svd & 0x7Fu : svd;
        if (!FindVicTableMode(vic)) {
            reserved += reserved.empty() ? "" : ", ";
            reserved += ByteHex(svd);
        }
    }
    if (!reserved.empty()) {
        results.push_back({"cta-reserved-vic", Severity::Failure, block,
                           "a video data block lists reserved codes: " + reserved});
    }
}

// One data block: `payload` is what follows its header byte, cut at the end
// of the data block area.
void CheckDataBlock(uint8_t tag, std::span<const uint8_t> payload, uint32_t block,
                    ConformityResults& results) {
    if (tag == kCtaTagVideo) {
        CheckVideoBytes(payload, block, results);
    } else if (tag == kCtaTagAudio) {
        for (std::size_t at = 0; at + kCtaShortAudioSize <= payload.size();
             at += kCtaShortAudioSize) {
            for (std::size_t byte = 0; byte < 2; ++byte) {
                if (Bit(payload[at + byte], kShortAudioReservedBit)) {
                    results.push_back({"reserved-bits-set", Severity::Failure, block,
                                       "bit 7 of byte " + to_string(byte + 1) +
                                           " of a short audio descriptor is set"});
                    return;
                }
            }
        }
    } else if (tag == kCtaTagExtended && !payload.empty()) {
        const std::span<const uint8_t> body = payload.subspan(1);
        if (payload[0] == kCtaExtYcbcr420Video) {
            CheckVideoBytes(body, block, results);
        } else if (payload[0] == kCtaExtColorimetry && body.size() >= 2 &&
                   (body[1] & kColorimetryReservedBits) != 0) {
            results.push_back({"reserved-bits-set", Severity::Failure, block,
                               "the colorimetry data block sets its reserved bits MD0 to MD3"});
        }
    }
}

void CheckCtaBlock(std::span<const uint8_t> bytes, uint32_t block, ConformityResults& results) {
    const std::size_t timingsOffset = bytes[kCtaTimingsOffsetOffset];
    if (bytes[kCtaRevisionOffset] < kCtaFirstRevisionWithDataBlocks ||
        timingsOffset <= kCtaFirstDataBlock) {
        return;
    }
    const std::size_t end = std::min(timingsOffset, kChecksumOffset);
    for (std::size_t at = kCtaFirstDataBlock; at < end;) {
        const uint8_t tag = static_cast<uint8_t>(Bits(bytes[at], 7, 5));
        const std::size_t length = Bits(bytes[at], 4, 0);
        const std::size_t next = at + 1 + length;
        if (next > end) {
            results.push_back({"cta-data-block-overrun", Severity::Failure, block,
                               "a data block at byte " + to_string(at) + " runs to byte " +
                                   to_string(next) + ", past where the detailed timings start (" +
                                   to_string(end) + ")"});
        }
        CheckDataBlock(tag, bytes.subspan(at + 1, std::min(next, end) - at - 1), block, results);
        at = next;
    }
}

// The HDMI Forum blocks extend the HDMI vendor-specific block: the vendor
// block comes right after it, the sink capability block needs it.
void CheckHdmiForumPlace(const CtaInfo& cta, ConformityResults& results) {
    const auto isVendor = [](const CtaDataBlock& b, uint32_t oui) {
        return b.tag == kCtaTagVendor && b.oui == oui;
    };
    for (std::size_t n = 0; n < cta.dataBlocks.size(); ++n) {
        const CtaDataBlock& b = cta.dataBlocks[n];
        if (isVendor(b, kOuiHdmiForum) && (n == 0 || !isVendor(cta.dataBlocks[n - 1], kOuiHdmi) ||
                                           cta.dataBlocks[n - 1].block != b.block)) {
            results.push_back({"cta-missing-hdmi-vsdb", Severity::Failure, b.block,
                               "the HDMI Forum vendor-specific data block does not come right "
                               "after an HDMI vendor-specific data block"});
            return;
        }
        if (b.tag == kCtaTagExtended && b.extendedTag == kCtaExtHdmiForumSink && !cta.hdmi) {
            results.push_back({"cta-missing-hdmi-vsdb", Severity::Failure, b.block,
                               "an HDMI Forum sink capability data block without an HDMI "
                               "vendor-specific data block"});
            return;
        }
    }
}

// Native formats: the detailed timings the first CTA-861 block counts as
// native and the VICs flagged native. Progressive ones of several sizes
// leave the sink's native format unknown.
void CheckNativeTimings(const EdidInfo& info, ConformityResults& results) {
    const CtaInfo& cta = *info.cta;
    std::vector<std::pair<uint32_t, uint32_t>> sizes;
    uint32_t counted = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        if (t.source != BlockType::DisplayId && counted++ < cta.nativeDtds.value_or(0) &&
            !t.interlaced) {
            sizes.emplace_back(t.width, t.height);
        }
    }
    for (const CtaVideo& v : cta.video) {
        if (v.native.value_or(false) && v.mode && !v.mode->interlaced) {
            sizes.emplace_back(v.mode->width, v.mode->height);
        }
    }
    if (sizes.size() < 2) {
        return;
    }
    const bool mixed = std::any_of(sizes.begin(), sizes.end(),
                                   [&sizes](const auto& s) { return s != sizes.front(); });
    results.push_back({"native-timings-mixed", mixed ? Severity::Failure : Severity::Warning,
                       std::nullopt,
                       to_string(sizes.size()) + " progressive timings are flagged native" +
                           (mixed ? ", of several sizes" : ", all of one size")});
}

} // namespace

ConformityResults CheckCta(std::span<const uint8_t> edid, const EdidInfo& info) {
    ConformityResults results;
    std::optional<uint32_t> first;
    for (const BlockInfo& block : info.blocks) {
        if (block.type == BlockType::Cta861 && !block.beyondCount) {
            first = first.value_or(block.index);
            CheckCtaBlock(CountedBlock(edid, info, block.index), block.index, results);
        }
    }
    if (!info.cta || !first) {
        return results;
    }
    const CtaInfo& cta = *info.cta;
    if (!cta.videoCapability) {
        results.push_back({"cta-missing-vcdb", Severity::Failure, *first,
                           "no video capability data block: a source cannot tell whether the "
                           "RGB quantization range is selectable"});
    }
    // Revision 1 has no flags to say it.
    if (cta.underscan == false) {
        results.push_back({"cta-it-overscan", Severity::Warning, *first,
                           "byte 3 bit 7 says IT formats are overscanned by default; computer "
                           "formats are normally shown whole"});
    }
    CheckHdmiForumPlace(cta, results);
    CheckNativeTimings(info, results);
    return results;
}
