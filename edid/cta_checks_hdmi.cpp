// The rules of the data blocks of HDMI and the HDMI Forum: the HDMI
// vendor-specific block, the fields the HDMI Forum vendor-specific block and
// sink capability block share, the HDMI audio block and the source-based
// tone mapping block.
#include "edid/bits.h"
#include "edid/cta_checks.h"

#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint32_t kTmdsUnitMHz = 5;
constexpr uint32_t kHdmi14MaxTmdsMHz = 340;
constexpr uint32_t kHdmi2MaxTmdsMHz = 600;
// Latency bytes: 0 unknown, 1 to 251 for 0 to 500 ms, 255 no such stream.
constexpr uint8_t kLastLatency = 251;
constexpr uint8_t kNoStream = 255;
constexpr uint32_t kLastFrlCode = 6;
constexpr uint32_t kLastDscFrlCode = 6;
constexpr uint32_t kLastDscSlicesCode = 7;
constexpr uint32_t kMaxVrrMinHz = 48;
constexpr uint32_t kMinVrrMaxHz = 100;

void CheckLatencies(uint8_t video, uint8_t audio, bool interlaced, const DiagnosticSink& sink,
                    std::size_t at) {
    const char* kind = interlaced ? "interlaced " : "";
    for (const bool isAudio : {false, true}) {
        const uint8_t value = isAudio ? audio : video;
        if (value > kLastLatency && value != kNoStream) {
            Fail(sink, DiagnosticCode::HdmiLatencyInvalid, at + (isAudio ? 1 : 0),
                 std::string("the HDMI block's ") + kind + (isAudio ? "audio" : "video") +
                     " latency byte holds " + to_string(value) + "; 252 to 254 are reserved");
        }
    }
    if (video == 0 || video > kLastLatency || audio == 0 || audio > kLastLatency) {
        return;
    }
    const uint32_t videoMs = 2 * (video - 1u);
    const uint32_t audioMs = 2 * (audio - 1u);
    const auto both = [&] {
        return " (" + std::string(kind) + "video " + to_string(videoMs) + " ms, audio " +
               to_string(audioMs) + " ms)";
    };
    if (audioMs < videoMs) {
        Warn(sink, DiagnosticCode::HdmiLatencyMismatch, at,
             "the HDMI block's audio latency is below its video latency" + both() +
                 ", which HDMI discourages for a sink without an HDMI output");
    } else if (videoMs + 20 < audioMs) {
        Warn(sink, DiagnosticCode::HdmiLatencyMismatch, at,
             "the HDMI block's audio latency exceeds its video latency by more than 20 ms" +
                 both() + ", which HDMI forbids for a sink without an HDMI output");
    } else if (videoMs < audioMs) {
        Warn(sink, DiagnosticCode::HdmiLatencyMismatch, at,
             "the HDMI block's video latency is below its audio latency" + both() +
                 ", which HDMI discourages for a sink without an HDMI output");
    }
}

} // namespace

void CheckHdmiBlock(std::span<const uint8_t> body, const DiagnosticSink& sink, Walk& walk) {
    CtaCheckState& st = walk.cta;
    const EdidInfo& info = walk.info;
    const uint32_t revision = info.version == 1u ? info.revision.value_or(0) : 0;
    if (revision != 3) {
        Fail(sink, DiagnosticCode::HdmiEdidVersion, std::nullopt,
             "an HDMI vendor-specific data block in an EDID 1." + to_string(revision) +
                 ": HDMI sinks carry EDID 1.3");
    }
    if (body.empty()) {
        Fail(sink, DiagnosticCode::CtaDataBlockEmpty, std::nullopt,
             "the HDMI vendor-specific data block holds nothing after its OUI");
        return;
    }
    if (body.size() < 4) {
        return;
    }
    st.hdmiMaxTmdsMHz = body[3] * kTmdsUnitMHz;
    if (st.hdmiMaxTmdsMHz > kHdmi14MaxTmdsMHz) {
        Fail(sink, DiagnosticCode::HdmiMaxTmdsInvalid, 3,
             "the HDMI vendor-specific data block gives a maximum TMDS clock of " +
                 to_string(st.hdmiMaxTmdsMHz) +
                 " MHz; above 340 MHz belongs in the HDMI Forum block");
    }
    if (body.size() < 5) {
        return;
    }
    const auto at = [&](std::size_t i) { return i < body.size() ? body[i] : uint8_t{0}; };
    const uint8_t flags = body[4];
    std::size_t b = 5;
    if (Bit(flags, 7)) {
        CheckLatencies(at(b), at(b + 1), false, sink, b);
        if (Bit(flags, 6)) {
            if (at(b) == at(b + 2) && at(b + 1) == at(b + 3)) {
                Warn(sink, DiagnosticCode::HdmiLatencyRepeated, b + 2,
                     "the HDMI block's interlaced latencies repeat its progressive ones; they "
                     "are then left out");
            }
            b += 2;
            CheckLatencies(at(b), at(b + 1), true, sink, b);
        }
        b += 2;
    }
    if (!Bit(flags, 5) || b >= body.size()) {
        return;
    }
    const uint8_t field = static_cast<uint8_t>(Bits(body[b], 4, 3));
    AddPending(walk, sink, b, CtaPendingKind::HdmiImageSize, field);
    st.hdmiImageSizeField = field;
    ++b;
    if (b >= body.size()) {
        return;
    }
    const std::size_t vics = Bits(body[b], 7, 5);
    if (vics == 0) {
        return;
    }
    ++b;
    uint8_t listed = 0;
    for (std::size_t i = b; i < b + vics; ++i) {
        const uint8_t vic = at(i);
        if (vic >= 1 && vic <= 4) {
            listed |= static_cast<uint8_t>(1u << (vic - 1));
        } else {
            Fail(sink, DiagnosticCode::HdmiVicUnknown, i,
                 "the HDMI block lists HDMI VIC " + to_string(vic) + "; only 1 to 4 are defined");
        }
    }
    st.hdmiVics = listed;
    AddPending(walk, sink, b, CtaPendingKind::HdmiVicsListed, listed);
}

void CheckHdmiForumFields(std::span<const uint8_t> body, const DiagnosticSink& sink, Walk& walk) {
    CtaCheckState& st = walk.cta;
    // Short blocks read as zeros where fields are missing.
    const auto at = [&](std::size_t i) { return i < body.size() ? body[i] : uint8_t{0}; };
    const uint32_t rate = at(1) * kTmdsUnitMHz;
    if (rate != 0) {
        if (rate <= kHdmi14MaxTmdsMHz || rate > kHdmi2MaxTmdsMHz) {
            Fail(sink, DiagnosticCode::HdmiForumMaxTmdsInvalid, 1,
                 "the HDMI Forum block gives a maximum TMDS rate of " + to_string(rate) +
                     " MHz; when not 0 it lies above 340 and up to 600 MHz");
        }
        if (rate < st.hdmiMaxTmdsMHz) {
            Fail(sink, DiagnosticCode::HdmiForumMaxTmdsInvalid, 1,
                 "the HDMI Forum block's maximum TMDS rate (" + to_string(rate) +
                     " MHz) is below the HDMI block's (" + to_string(st.hdmiMaxTmdsMHz) + " MHz)");
        } else {
            st.hdmiMaxTmdsMHz = rate;
        }
    }
    const uint32_t frl = Bits(at(3), 7, 4);
    if (frl != 0) {
        if (frl > kLastFrlCode) {
            Fail(sink, DiagnosticCode::HdmiForumCodeUnknown, 3,
                 "the HDMI Forum block's maximum FRL rate code is " + to_string(frl) +
                     "; codes past 6 are reserved");
        }
        if ((frl == 1 && rate < 300) || (frl >= 2 && rate < kHdmi2MaxTmdsMHz)) {
            Fail(sink, DiagnosticCode::HdmiForumFrlWithoutTmds, 3,
                 "the HDMI Forum block offers FRL (rate code " + to_string(frl) +
                     ") with a maximum TMDS rate of " + to_string(rate) + " MHz; FRL needs " +
                     (frl == 1 ? "300" : "600") + " MHz of TMDS first");
        }
        st.hdmiMaxTmdsMHz = 0;
    }
    AddPending(walk, sink, 3, CtaPendingKind::UhdVicBit, Bit(at(3), 3) ? 1 : 0, st.hdmiVics);
    if (body.size() <= 4) {
        return;
    }
    if (Bit(body[4], 4)) {
        Warn(sink, DiagnosticCode::HdmiForumCinemaVrrDeprecated, 4,
             "the HDMI Forum block sets bit 4 of its sixth byte (CinemaVRR), which HDMI "
             "deprecates and wants clear");
    }
    if (body.size() <= 5) {
        return;
    }
    const uint32_t vrrMin = Bits(body[5], 5, 0);
    const uint32_t vrrMax = Bits(body[5], 7, 6) << 8 | at(6);
    if (vrrMin > kMaxVrrMinHz) {
        Fail(sink, DiagnosticCode::HdmiForumVrrInvalid, 5,
             "the HDMI Forum block's VRRmin is " + to_string(vrrMin) + " Hz, above 48 Hz");
    }
    if (vrrMax != 0 && vrrMin == 0) {
        Fail(sink, DiagnosticCode::HdmiForumVrrInvalid, 5,
             "the HDMI Forum block gives VRRmax " + to_string(vrrMax) + " Hz with VRRmin 0");
    } else if (vrrMax != 0 && vrrMax < kMinVrrMaxHz) {
        Fail(sink, DiagnosticCode::HdmiForumVrrInvalid, 5,
             "the HDMI Forum block's VRRmax is " + to_string(vrrMax) +
                 " Hz; when not 0 it is "
                 "100 Hz or more");
    }
    if (body.size() <= 7) {
        return;
    }
    const uint32_t slices = Bits(at(8), 3, 0);
    if (slices > kLastDscSlicesCode) {
        Warn(sink, DiagnosticCode::HdmiForumCodeUnknown, 8,
             "the HDMI Forum block's DSC max slices code is " + to_string(slices) +
                 "; codes past 7 are reserved");
    }
    const uint32_t dscFrl = Bits(at(8), 7, 4);
    if (dscFrl > kLastDscFrlCode) {
        Fail(sink, DiagnosticCode::HdmiForumCodeUnknown, 8,
             "the HDMI Forum block's DSC maximum FRL rate code is " + to_string(dscFrl) +
                 "; codes past 6 are reserved");
    }
}

void CheckHdmiAudio(std::span<const uint8_t> payload, const DiagnosticSink& head) {
    const DiagnosticSink sink = Within(head, 2);
    if (Bits(payload[0], 1, 0) == 0 && Bit(payload[0], 2)) {
        Fail(sink, DiagnosticCode::HdmiAudioBlockInvalid, 0,
             "the HDMI audio data block flags non-mixed multi-stream audio with a max stream "
             "count of 0");
    }
    if (Bits(payload[1], 2, 0) == 0) {
        return;
    }
    Warn(sink, DiagnosticCode::Hdmi3dAudioDeprecated, 1,
         "the HDMI audio data block describes 3D audio, which HDMI has deprecated");
    // 4-byte descriptors: 3D audio formats, the last a speaker allocation.
    for (std::size_t i = 2; i + 4 <= payload.size(); i += 4) {
        const uint32_t format = Bits(payload[i], 3, 0);
        if (payload.size() - i > 4 && (format == 0 || format == 15)) {
            Fail(sink, DiagnosticCode::CtaAudioFormatInvalid, i,
                 "a 3D audio descriptor of the HDMI audio data block has audio format code " +
                     to_string(format) + ", which is reserved");
        }
    }
}

void CheckToneMapping(std::span<const uint8_t> payload, const DiagnosticSink& head) {
    const DiagnosticSink sink = Within(head, 2);
    if (payload.empty()) {
        Fail(head, DiagnosticCode::CtaDataBlockEmpty, 0,
             "the source-based tone mapping data block holds nothing after its tag");
        return;
    }
    if (Bits(payload[0], 6, 5) == 3) {
        Fail(sink, DiagnosticCode::HdmiSbtmInvalid, 0,
             "the source-based tone mapping data block's GRDM support field holds 3, which is "
             "reserved");
    }
    if (!Bit(payload[0], 7) || payload.size() < 2) {
        return;
    }
    if (Bits(payload[1], 2, 0) > 4) {
        Fail(sink, DiagnosticCode::HdmiSbtmInvalid, 1,
             "the source-based tone mapping data block's HGIG D-RDM field holds " +
                 to_string(Bits(payload[1], 2, 0)) + "; codes past 4 are reserved");
    }
}

} // namespace moniquet
