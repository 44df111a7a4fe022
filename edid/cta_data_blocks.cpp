// The CTA-861 data blocks of video, audio, colour and HDR.
#include "edid/cta_data_blocks.h"
#include "edid/bits.h"
#include "edid/edid_layout.h"
#include "edid/vic_table.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace moniquet {

namespace {

// VICs 1 to 64 may carry a native flag in bit 7; 0 and 128 mean nothing.
constexpr uint8_t kReservedSvd = 0x80;
constexpr uint8_t kLastFlaggableVic = 64;
constexpr uint8_t kAudioFormatLpcm = 1;
constexpr uint8_t kAudioFormatExtended = 15;
constexpr uint32_t kAudioExtendedLpcm3d = 13;
constexpr uint32_t kFirstFormatWithBitrate = 2;
constexpr uint32_t kLastFormatWithBitrate = 8;
constexpr uint32_t kBitrateUnitKbps = 8;

// Room in `list` for `more` items, growing it as push_back would, by at
// least half: an EDID of many small blocks must not copy the list for each.
template <typename T> void RoomFor(std::vector<T>& list, std::size_t more) {
    if (list.capacity() - list.size() < more) {
        list.reserve(std::max(list.size() + more, 2 * list.capacity()));
    }
}

bool IsReservedSvd(uint8_t code) {
    return code == 0 || code == kReservedSvd;
}

double Luminance(uint8_t codeValue) {
    return 50.0 * std::exp2(codeValue / 32.0);
}

// Extended formats whose bits 2 to 0 are not a channel count: MPEG-H 3D
// audio, AC-4 and Auro-Cx.
bool HasChannelCount(const CtaAudio& audio) {
    const uint32_t ext = audio.extendedFormat.value_or(0);
    return ext != 11 && ext != 12 && ext != 14;
}

} // namespace

uint32_t LittleEndianBits(Payload payload, std::size_t count) {
    uint32_t bits = 0;
    for (std::size_t i = 0; i < count && i < payload.size(); ++i) {
        bits |= static_cast<uint32_t>(payload[i]) << (8 * i);
    }
    return bits;
}

namespace {

// Codes 0 and 128, and VICs no table defines, are reserved: one failure
// names them all.
void CheckVideoCodes(Payload payload, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    std::string reserved;
    std::optional<std::size_t> first;
    for (std::size_t at = 0; at < payload.size(); ++at) {
        const uint8_t code = payload[at];
        const bool flagged = code > kReservedSvd && code <= kReservedSvd + kLastFlaggableVic;
        if (!FindVicTableMode(flagged ? code & 0x7Fu : code)) {
            first = first.value_or(at);
            reserved += reserved.empty() ? "" : ", ";
            reserved += ByteHex(code);
        }
    }
    if (first) {
        Fail(sink, DiagnosticCode::CtaReservedVic, *first,
             "a video data block lists reserved codes: " + reserved);
    }
}

} // namespace

void AddShortVideo(Payload payload, const DiagnosticSink& sink, RateSpan& rates, CtaInfo& cta) {
    CheckVideoCodes(payload, sink);
    // A block lists tens of codes: room for them at once.
    RoomFor(cta.svdBytes, payload.size());
    RoomFor(cta.vics, payload.size());
    RoomFor(cta.video, payload.size());
    for (const uint8_t code : payload) {
        cta.svdBytes.push_back(code);
        if (IsReservedSvd(code)) {
            continue;
        }
        CtaVideo video;
        const bool flagged = code > kReservedSvd && code <= kReservedSvd + kLastFlaggableVic;
        video.vic = flagged ? code & 0x7Fu : code;
        if (code <= kLastFlaggableVic || flagged) {
            video.native = flagged;
        }
        video.mode = FindVicMode(video.vic);
        if (const auto mode = FindVicTableMode(video.vic)) {
            AddRates(rates, RatesOf(*mode));
        }
        cta.vics.push_back(video.vic);
        cta.video.push_back(video);
    }
}

// The rates of these VICs, at half the line rate, are the timing checks'
// (CheckYcbcr420VideoTimings).
void AddYcbcr420Only(Payload payload, const DiagnosticSink& sink, RateSpan& /*rates*/,
                     CtaInfo& cta) {
    CheckVideoCodes(payload, sink);
    for (const uint8_t code : payload) {
        if (!IsReservedSvd(code)) {
            const bool flagged = code > kReservedSvd && code <= kReservedSvd + kLastFlaggableVic;
            const uint32_t vic = flagged ? code & 0x7Fu : code;
            cta.ycbcr420OnlyVics.push_back(vic);
        }
    }
}

void ResolveYcbcr420Capable(CtaInfo& cta) {
    if (!cta.ycbcr420CapabilityMap) {
        return;
    }
    const std::vector<uint8_t>& map = *cta.ycbcr420CapabilityMap;
    cta.ycbcr420CapableVics.clear();
    for (std::size_t n = 0; n < cta.svdBytes.size(); ++n) {
        const uint8_t code = cta.svdBytes[n];
        const bool flagged = map.empty() || (n / 8 < map.size() && Bit(map[n / 8], n % 8));
        if (flagged && !IsReservedSvd(code)) {
            const bool native = code > kReservedSvd && code <= kReservedSvd + kLastFlaggableVic;
            cta.ycbcr420CapableVics.push_back(native ? code & 0x7Fu : code);
        }
    }
}

void AddShortAudio(Payload payload, CtaInfo& cta) {
    for (std::size_t i = 0; i + kCtaShortAudioSize <= payload.size(); i += kCtaShortAudioSize) {
        const auto sad = payload.subspan(i, kCtaShortAudioSize);
        CtaAudio audio;
        audio.format = Bits(sad[0], 6, 3);
        if (audio.format == kAudioFormatExtended) {
            audio.extendedFormat = Bits(sad[2], 7, 3);
        }
        if (HasChannelCount(audio)) {
            audio.maxChannels = Bits(sad[0], 2, 0) + 1;
        }
        audio.sampleRates = Bits(sad[1], 6, 0);
        if (audio.format == kAudioFormatLpcm || audio.extendedFormat == kAudioExtendedLpcm3d) {
            audio.sampleSizes = Bits(sad[2], 2, 0);
        } else if (audio.format >= kFirstFormatWithBitrate &&
                   audio.format <= kLastFormatWithBitrate) {
            audio.maxBitrateKbps = sad[2] * kBitrateUnitKbps;
        }
        cta.audio.push_back(audio);
    }
}

HdrStaticMetadata HdrStaticMetadataOf(Payload payload) {
    HdrStaticMetadata hdr;
    if (payload.size() > 0) {
        hdr.eotfs = payload[0] & 0x0F;
    }
    if (payload.size() > 1) {
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (Bit(payload[1], bit)) {
                hdr.metadataTypes.push_back(bit + 1);
            }
        }
    }
    if (payload.size() > 2) {
        hdr.maxLuminance = Luminance(payload[2]);
    }
    if (payload.size() > 3) {
        hdr.maxFrameAverageLuminance = Luminance(payload[3]);
    }
    if (payload.size() > 4) {
        const double ratio = payload[4] / 255.0;
        hdr.minLuminance = *hdr.maxLuminance * ratio * ratio / 100.0;
    }
    return hdr;
}

// Entries of a length byte, then a 2-byte type and what the length leaves.
std::vector<uint32_t> HdrDynamicTypesOf(Payload payload) {
    std::vector<uint32_t> types;
    std::size_t pos = 0;
    while (pos + 2 < payload.size()) {
        const std::size_t length = payload[pos];
        if (length < 2) {
            break;
        }
        types.push_back(Le16(payload, pos + 1));
        pos += 1 + length;
    }
    return types;
}

CtaVideoCapability VideoCapabilityOf(uint8_t byte) {
    return {Bit(byte, 7), Bit(byte, 6), Bits(byte, 5, 4), Bits(byte, 3, 2), Bits(byte, 1, 0)};
}

} // namespace moniquet
