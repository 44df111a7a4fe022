// The rules of the audio and video data blocks: short audio descriptors,
// VICs, video format descriptors and the short video references of the
// format preference and native resolution blocks.
#include "edid/bits.h"
#include "edid/cta_checks.h"
#include "edid/vic_table.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint32_t kFormatLpcm = 1;
constexpr uint32_t kFormatWmaPro = 14;
constexpr uint32_t kFormatExtended = 15;
constexpr uint32_t kExtMpegH = 11;
constexpr uint32_t kExtAc4 = 12;
constexpr uint32_t kExtLpcm3d = 13;
constexpr uint32_t kExtAuroCx = 14;
constexpr uint32_t kLastMpegHLevel = 5;

// The rates of a video format descriptor, by rate index 1 to 15.
constexpr std::array<uint32_t, 16> kRateHz = {0,   24,  25,  30,  48,  50,  60,  100,
                                              120, 144, 200, 240, 300, 360, 400, 480};
// Frame rate factors of bits 0 to 5 of a descriptor's second byte.
constexpr std::array<uint32_t, 6> kRateFactors = {1, 2, 4, 8, 12, 16};
constexpr uint32_t kRidCount = 29;

// The VIC that gives RID 1 to 28 at rate index 1 to 8 (24 to 120 Hz), 0
// where none does: such a format must be listed as its VIC.
constexpr uint8_t VicOfRid(uint32_t rid, uint32_t rateIndex) {
    constexpr std::array<std::array<uint8_t, 8>, kRidCount> kVics = {{
        {},
        {60, 61, 62, 108, 19, 4, 41, 47},
        {65, 66, 67, 109, 68, 69, 70, 71},
        {79, 80, 81, 110, 82, 83, 84, 85},
        {32, 33, 34, 111, 31, 16, 64, 63},
        {72, 73, 74, 112, 75, 76, 77, 78},
        {86, 87, 88, 113, 89, 90, 91, 92},
        {},
        {},
        {},
        {},
        {93, 94, 95, 114, 96, 97, 117, 118},
        {103, 104, 105, 116, 106, 107, 119, 120},
        {121, 122, 123, 124, 125, 126, 127, 193},
        {},
        {},
        {},
        {},
        {},
        {194, 195, 196, 197, 198, 199, 200, 201},
        {202, 203, 204, 205, 206, 207, 208, 209},
        {210, 211, 212, 213, 214, 215, 216, 217},
    }};
    return rateIndex >= 1 && rateIndex <= 8 ? kVics[rid][rateIndex - 1] : 0;
}

// Whether a video format descriptor (`length` bytes of `vfd`, 1 to 3 read)
// offers rate index `index`.
bool OffersRate(const std::array<uint8_t, 3>& vfd, std::size_t length, uint32_t index) {
    const uint32_t rid = Bits(vfd[0], 5, 0);
    if (rid == 0 || rid >= kRidCount) {
        return false;
    }
    const uint32_t rate = kRateHz[index];
    const bool rates50 = Bit(vfd[0], 7);
    const bool rates60 = length > 1 ? Bit(vfd[1], 7) : true;
    const uint32_t factors = length > 1 ? Bits(vfd[1], 5, 0) : 3;
    if (rate == 24) {
        return Bit(vfd[0], 6);
    }
    if (rate == 48) {
        return length > 2 && Bit(vfd[2], 0);
    }
    if (rate == 144) {
        return length > 1 && Bit(vfd[1], 6);
    }
    uint32_t factor = 0;
    if (rate % 30 == 0) {
        if (!rates60) {
            return false;
        }
        factor = rate / 30;
    }
    if (rate % 25 == 0) {
        if (!rates50) {
            return false;
        }
        factor = rate / 25;
    }
    for (std::size_t bit = 0; bit < kRateFactors.size(); ++bit) {
        if (kRateFactors[bit] == factor && Bit(static_cast<uint8_t>(factors), bit)) {
            return true;
        }
    }
    return false;
}

std::array<uint8_t, 3> FormatBytes(std::span<const uint8_t> vfd) {
    std::array<uint8_t, 3> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < vfd.size(); ++i) {
        bytes[i] = vfd[i];
    }
    return bytes;
}

// A short video reference: a VIC (1 to 127, 193 to 253), a detailed timing
// (129 to 144), a DisplayID timing (145 to 160), a rate of the first video
// format descriptor (161 to 175) or the type VIII timing (254). Those of
// other blocks are answered once every block is read.
void CheckReference(uint8_t svr, const DiagnosticSink& sink, std::size_t at, Walk& walk) {
    if ((svr >= 1 && svr <= 127) || (svr >= 193 && svr <= 253)) {
        if (!FindVicTableMode(svr)) {
            Fail(sink, DiagnosticCode::CtaSvrInvalid, at,
                 "short video reference " + to_string(svr) + " names VIC " + to_string(svr) +
                     ", which no table defines");
        }
    } else if ((svr >= 129 && svr <= 175) || svr == 254) {
        AddPending(walk, sink, at, CtaPendingKind::VideoReference, svr);
    }
}

} // namespace

void CheckShortAudio(std::span<const uint8_t> payload, const DiagnosticSink& head) {
    const DiagnosticSink sink = Within(head, 1);
    if (payload.size() % 3 != 0) {
        Fail(head, DiagnosticCode::CtaDataBlockLengthInvalid, 0,
             "the audio data block holds " + to_string(payload.size()) +
                 " bytes, not a whole number of 3-byte short audio descriptors: its last " +
                 to_string(payload.size() % 3) +
                 (payload.size() % 3 == 1 ? " byte is" : " bytes are") + " not read");
        return;
    }
    if (payload.empty()) {
        Fail(head, DiagnosticCode::CtaDataBlockEmpty, 0,
             "the audio data block holds no short audio descriptor");
    }
    for (std::size_t i = 0; i < payload.size(); i += 3) {
        const uint8_t b1 = payload[i];
        const uint8_t b2 = payload[i + 1];
        const uint8_t b3 = payload[i + 2];
        // Named only when reporting: the path of a good descriptor builds no string.
        const auto sad = [i] { return "short audio descriptor " + to_string(i / 3 + 1); };
        const uint32_t format = Bits(b1, 6, 3);
        if (format == 0) {
            Fail(sink, DiagnosticCode::CtaAudioFormatInvalid, i,
                 sad() + " has audio format code 0, which is reserved");
            continue;
        }
        const uint32_t ext = format == kFormatExtended ? Bits(b3, 7, 3) : 0;
        if (format == kFormatExtended) {
            if (ext >= 1 && ext <= 3) {
                Fail(sink, DiagnosticCode::CtaAudioFormatInvalid, i + 2,
                     sad() + " has extension type " + to_string(ext) +
                         ", one CTA-861 has withdrawn");
            } else if (ext == 0 || ext == 9 || ext > 15) {
                Fail(sink, DiagnosticCode::CtaAudioFormatInvalid, i + 2,
                     sad() + " has extension type " + to_string(ext) + ", which is reserved");
            }
            if (ext == kExtMpegH && Bits(b1, 2, 0) > kLastMpegHLevel) {
                Fail(sink, DiagnosticCode::CtaAudioFormatInvalid, i,
                     sad() + " (MPEG-H 3D audio) gives level " + to_string(Bits(b1, 2, 0)) +
                         ", past the last, 5");
            } else if ((ext == kExtAc4 || ext == kExtAuroCx) && Bits(b1, 2, 0) != 0) {
                Fail(sink, DiagnosticCode::ReservedBitsSet, i,
                     sad() +
                         ": bits 2 to 0 of its first byte are reserved for this format but "
                         "hold " +
                         to_string(Bits(b1, 2, 0)));
            }
        }
        if ((format == kFormatLpcm || format == kFormatWmaPro) && Bits(b3, 7, 3) != 0) {
            Fail(sink, DiagnosticCode::ReservedBitsSet, i + 2,
                 sad() + ": bits 7 to 3 of its third byte are reserved for this format but hold " +
                     ByteHex(b3 & 0xF8));
        }
        // L-PCM 3D audio counts channels with bit 7 of the second byte.
        if (ext != kExtLpcm3d && Bit(b2, 7)) {
            Fail(sink, DiagnosticCode::ReservedBitsSet, i + 1,
                 sad() + ": bit 7 of its second byte is reserved but set");
        }
        // Rates some formats cannot carry: 32, 88.2, 176.4 kHz for AC-4;
        // 176.4 and 192 kHz for the AAC family and USAC.
        const bool aac = (ext >= 4 && ext <= 6) || ext == 8 || ext == 10 || ext == 15;
        if ((ext == kExtAc4 && (b2 & 0x29) != 0) || (aac && (b2 & 0x60) != 0)) {
            Fail(sink, DiagnosticCode::ReservedBitsSet, i + 1,
                 sad() + " flags sample rates (" + ByteHex(b2 & (ext == kExtAc4 ? 0x29 : 0x60)) +
                     " of its second byte) that its format reserves");
        }
    }
}

void CheckShortVideo(std::span<const uint8_t> payload, bool ycbcr420, const CtaDataBlockView& view,
                     const DiagnosticSink& head, Walk& walk) {
    CtaCheckState& st = walk.cta;
    const DiagnosticSink sink = Within(head, ycbcr420 ? 2 : 1);
    const char* name = ycbcr420 ? "YCbCr 4:2:0 video data block" : "video data block";
    if (payload.empty()) {
        Fail(head, DiagnosticCode::CtaDataBlockEmpty, 0,
             std::string("the ") + name + " lists no VIC");
    }
    const std::size_t kind = ycbcr420 ? 1 : 0;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        const uint8_t svd = payload[i];
        if ((svd & 0x7F) == 0) {
            continue;
        }
        // Bytes 129 to 192 are VICs 1 to 64 flagged native.
        const uint32_t vic = svd >= 129 && svd <= 192 ? svd & 0x7Fu : svd;
        if (st.vicsSeen[kind][vic] && !st.vicsRepeated[kind][vic]) {
            st.vicsRepeated[kind][vic] = true;
            Fail(sink, DiagnosticCode::CtaDuplicateVic, i,
                 "VIC " + to_string(vic) + " is listed a second time by a " + name);
        }
        st.vicsSeen[kind][vic] = true;
        if (ycbcr420) {
            AddPending(walk, sink, i, CtaPendingKind::Ycbcr420OnlyVic, static_cast<uint8_t>(vic));
        } else if (!view.inDisplayId) {
            st.listedVics[vic] = true;
            constexpr std::array<uint32_t, 4> kOfHdmiVics = {95, 94, 93, 98};
            for (std::size_t n = 0; n < kOfHdmiVics.size(); ++n) {
                if (vic == kOfHdmiVics[n]) {
                    st.vicsOfHdmiVics |= static_cast<uint8_t>(1u << n);
                }
            }
        }
    }
}

void CheckVideoFormats(std::span<const uint8_t> payload, const DiagnosticSink& sink, Walk& walk,
                       bool inDisplayId) {
    if (payload.empty()) {
        Fail(sink, DiagnosticCode::CtaDataBlockEmpty, 0,
             "the video format data block has no header byte");
        return;
    }
    const std::size_t length = Bits(payload[0], 1, 0) + 1;
    const std::span<const uint8_t> vfds = payload.subspan(1);
    if (vfds.size() % length != 0) {
        Fail(sink, DiagnosticCode::CtaDataBlockLengthInvalid, 0,
             "the video format data block holds " + to_string(vfds.size()) +
                 " bytes after its header, not a whole number of its " + to_string(length) +
                 "-byte descriptors");
        return;
    }
    CtaCheckState& st = walk.cta;
    if (!inDisplayId && !vfds.empty() &&
        (st.firstFormatLength == 0 || Bits(st.firstFormat[0], 5, 0) == 0 ||
         Bits(st.firstFormat[0], 5, 0) >= kRidCount)) {
        st.firstFormat = FormatBytes(vfds);
        st.firstFormatLength = static_cast<uint8_t>(length);
    }
    const DiagnosticSink at = Within(sink, 2);
    for (std::size_t i = 0; i < vfds.size(); i += length) {
        const auto vfd = FormatBytes(vfds.subspan(i, length));
        const auto named = [&] { return "video format descriptor " + to_string(i / length + 1); };
        if ((length > 2 && (vfd[2] & 0xFE) != 0) || (length > 3 && vfds[i + 3] != 0)) {
            Fail(at, DiagnosticCode::ReservedBitsSet, i + 2,
                 named() + " sets reserved bits of its third or fourth byte");
        }
        const uint32_t rid = Bits(vfd[0], 5, 0);
        if (rid == 0 || rid >= kRidCount) {
            Fail(at, DiagnosticCode::CtaVfdInvalid, i,
                 named() + " names RID " + to_string(rid) + ", which no table defines");
            continue;
        }
        for (uint32_t index = 1; index < kRateHz.size(); ++index) {
            if (OffersRate(vfd, length, index) && VicOfRid(rid, index) != 0) {
                Fail(at, DiagnosticCode::CtaVfdInvalid, i,
                     named() + " offers RID " + to_string(rid) + " at " +
                         to_string(kRateHz[index]) + " Hz, which is VIC " +
                         to_string(VicOfRid(rid, index)) + " and must be listed as that VIC");
            }
        }
    }
}

void CheckFormatPreference(std::span<const uint8_t> payload, const DiagnosticSink& head,
                           Walk& walk) {
    const DiagnosticSink sink = Within(head, 2);
    bool large = false;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        const uint8_t svr = payload[i];
        CheckReference(svr, sink, i, walk);
        if ((svr >= 1 && svr <= 127) || (svr >= 193 && svr <= 253)) {
            if (const auto mode = FindVicTableMode(svr)) {
                large |= mode->width >= 4096 || mode->height >= 4096;
            }
        }
    }
    if (large) {
        AddPending(walk, sink, 0, CtaPendingKind::LargePreferredFormat, 0);
    }
}

void CheckNativeResolution(std::span<const uint8_t> payload, const DiagnosticSink& head,
                           Walk& walk) {
    const DiagnosticSink sink = Within(head, 2);
    CheckReference(payload[0], sink, 0, walk);
    const uint8_t flags = payload.size() > 1 ? payload[1] : 0;
    const bool sized = Bit(flags, 0);
    if (sized && payload.size() < 6) {
        Fail(head, DiagnosticCode::CtaDataBlockLengthInvalid, 0,
             "the native video resolution data block flags an image size, but holds " +
                 to_string(payload.size()) + " bytes after its tag, not the 6 that needs");
        return;
    }
    if ((flags & 0x7E) != 0) {
        Fail(sink, DiagnosticCode::ReservedBitsSet, 1,
             "bits 1 to 6 of the native video resolution data block's second byte are "
             "reserved but hold " +
                 ByteHex(flags & 0x7E));
    }
    if (!sized) {
        return;
    }
    uint32_t width = payload[2] | payload[3] << 8;
    uint32_t height = payload[4] | payload[5] << 8;
    if (width == 0 || height == 0) {
        Fail(sink, DiagnosticCode::CtaNvrdbSizeInvalid, 2,
             "the native video resolution data block gives an image size of " + to_string(width) +
                 " by " + to_string(height) + ": neither may be 0");
        return;
    }
    // Bit 7: units of 1 mm rather than 0.1 mm.
    if (Bit(flags, 7)) {
        width *= 10;
        height *= 10;
    }
    if (width <= 25500 && height <= 25500) {
        Warn(sink, DiagnosticCode::CtaNvrdbSizeInvalid, 2,
             "the native video resolution data block gives an image size within 255 cm, which "
             "the base block's screen size already holds; it is for larger displays");
    }
    walk.cta.nativeImageWidth = width;
    walk.cta.nativeImageHeight = height;
}

void ResolveVideoReference(const CtaPending& p, const DiagnosticSink& sink, const Walk& walk,
                           uint32_t ctaDtds) {
    const CtaCheckState& st = walk.cta;
    const uint32_t svr = p.value;
    std::string wrong;
    if (svr >= 129 && svr <= 144) {
        if (svr - 128 > ctaDtds) {
            wrong = "detailed timing " + to_string(svr - 128) +
                    " of the CTA-861 blocks, which hold " + to_string(ctaDtds);
        }
    } else if (svr >= 145 && svr <= 160) {
        if (svr - 144 > st.displayIdTimings) {
            wrong = "DisplayID timing " + to_string(svr - 144) + " of the CTA-861 blocks, which " +
                    "hold " + to_string(st.displayIdTimings);
        }
    } else if (svr >= 161 && svr <= 175) {
        if (!OffersRate(st.firstFormat, st.firstFormatLength, svr - 160)) {
            wrong = "the first video format descriptor at " + to_string(kRateHz[svr - 160]) +
                    " Hz, a rate it does not offer";
        }
    } else if (svr == 254 && !st.typeViiiBlock) {
        wrong = "the DisplayID type VIII timing, but no CTA-861 block holds one";
    }
    if (!wrong.empty()) {
        Fail(sink, DiagnosticCode::CtaSvrInvalid, 0,
             "short video reference " + to_string(svr) + " names " + wrong);
    }
}

} // namespace moniquet
