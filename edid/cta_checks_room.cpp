// The rules of the room configuration and speaker location blocks, which
// answer to each other, and of the InfoFrame and product information
// blocks.
#include "edid/bits.h"
#include "edid/cta_checks.h"

#include <string>

namespace moniquet {

namespace {

using std::to_string;

// Speaker IDs 0 to 27 name a place, 31 none.
constexpr uint32_t kSpeakerIds = 28;
constexpr uint32_t kNoSpeakerId = 31;
constexpr uint32_t kVendorInfoFrame = 1;

} // namespace

void CheckRoomConfiguration(std::span<const uint8_t> payload, const DiagnosticSink& head,
                            Walk& walk) {
    const DiagnosticSink sink = Within(head, 2);
    const uint8_t flags = payload[0];
    const bool display = Bit(flags, 7);
    const bool counted = Bit(flags, 6);
    const bool located = Bit(flags, 5);
    if (counted) {
        walk.cta.roomSpeakerCount = Bits(flags, 4, 0) + 1;
    } else {
        if (Bits(flags, 4, 0) != 0) {
            Fail(sink, DiagnosticCode::CtaRoomConfigurationInvalid, 0,
                 "the room configuration data block gives a speaker count with its Speaker "
                 "flag (bit 6) clear");
        }
        if (located) {
            Fail(sink, DiagnosticCode::CtaRoomConfigurationInvalid, 0,
                 "the room configuration data block sets its SLD flag (bit 5) but not its "
                 "Speaker flag (bit 6)");
        }
    }
    if (display && !located) {
        Fail(sink, DiagnosticCode::CtaRoomConfigurationInvalid, 0,
             "the room configuration data block sets its Display flag (bit 7) but not its SLD "
             "flag (bit 5)");
    }
    if (!display && payload.size() >= 10) {
        Warn(sink, DiagnosticCode::CtaRoomConfigurationInvalid, 7,
             "the room configuration data block holds display coordinates with its Display "
             "flag (bit 7) clear; they belong left out");
    }
    // Against the speaker location blocks, which may come later.
    AddPending(walk, sink, 0, CtaPendingKind::RoomConfiguration, flags,
               payload.size() >= 7 ? 1 : 0);
}

void CheckSpeakerLocation(std::span<const uint8_t> payload, const DiagnosticSink& head,
                          Walk& walk) {
    const DiagnosticSink sink = Within(head, 2);
    CtaCheckState& st = walk.cta;
    st.speakerLocationBlock = true;
    uint32_t active = 0;
    uint32_t channels = 0;
    std::size_t i = 0;
    while (payload.size() - i >= 2) {
        const uint8_t first = payload[i];
        const uint32_t channel = Bits(first, 4, 0);
        if (Bit(first, 5)) {
            if (((channels >> channel) & 1u) != 0) {
                Fail(sink, DiagnosticCode::CtaSpeakerLocationInvalid, i,
                     "the speaker location data block marks channel " + to_string(channel) +
                         " active a second time");
            }
            channels |= 1u << channel;
            ++active;
        }
        const uint32_t id = Bits(payload[i + 1], 4, 0);
        if (id >= kSpeakerIds && id != kNoSpeakerId) {
            Fail(sink, DiagnosticCode::CtaSpeakerLocationInvalid, i + 1,
                 "the speaker location data block names speaker ID " + to_string(id) +
                     ", which is reserved");
        }
        if (payload.size() - i >= 5 && Bit(first, 6)) {
            st.speakerCoordinates = true;
            i += 3;
        }
        i += 2;
    }
    AddPending(walk, sink, 0, CtaPendingKind::ActiveSpeakers, static_cast<uint8_t>(active));
}

void CheckInfoFrames(std::span<const uint8_t> payload, const DiagnosticSink& head) {
    const DiagnosticSink sink = Within(head, 2);
    if (Bits(payload[0], 4, 0) != 0) {
        Fail(sink, DiagnosticCode::ReservedBitsSet, 0,
             "bits 4 to 0 of the InfoFrame data block's first byte are reserved but hold " +
                 ByteHex(Bits(payload[0], 4, 0)));
    }
    const std::size_t header = Bits(payload[0], 7, 5) + 2;
    if (payload.size() < header) {
        return;
    }
    // Short InfoFrame descriptors: a type byte, and for vendor InfoFrames
    // an OUI after it.
    for (std::size_t i = header; i < payload.size();) {
        const uint32_t size = Bits(payload[i], 7, 5);
        if (size != 0) {
            Fail(sink, DiagnosticCode::CtaInfoFrameBlockInvalid, i,
                 "a short InfoFrame descriptor of the InfoFrame data block gives payload size " +
                     to_string(size) + " where 0 belongs");
            return;
        }
        if (Bits(payload[i], 4, 0) != kVendorInfoFrame) {
            ++i;
            continue;
        }
        if (payload.size() - i < 4) {
            Fail(sink, DiagnosticCode::CtaInfoFrameBlockInvalid, i,
                 "a vendor-specific InfoFrame descriptor of the InfoFrame data block has " +
                     to_string(payload.size() - i) + " bytes left, not the 4 it needs");
            return;
        }
        i += 4;
    }
}

void CheckProductInformation(std::span<const uint8_t> payload, const DiagnosticSink& head) {
    const DiagnosticSink sink = Within(head, 2);
    if (payload.size() > 4 && payload[3] != 0) {
        Fail(sink, DiagnosticCode::CtaProductInformationInvalid, 3,
             "the product information data block has version " + to_string(payload[3]) +
                 "; only version 0 is defined");
    }
    // The name is ASCII up to its last byte, which may end it.
    for (std::size_t i = 4; i + 1 < payload.size(); ++i) {
        if (payload[i] < 0x20 || payload[i] >= 0x80) {
            Fail(sink, DiagnosticCode::CtaProductInformationInvalid, i,
                 "byte " + to_string(i - 4 + 1) +
                     " of the product information data block's "
                     "product name is " +
                     ByteHex(payload[i]) + ", not printable ASCII");
        }
    }
}

} // namespace moniquet
