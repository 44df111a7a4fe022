// The fields of the room configuration and speaker location blocks: which
// speakers a room has and where each stands.
#include "edid/bits.h"
#include "edid/cta_fields_formats.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

// The speaker presence mask names the speakers of the speaker allocation
// block's first reading: BL/BR at bit 3, RLC/RRC (deprecated) at bit 6.
constexpr std::array<std::string_view, 20> kRoomSpeakers = {
    "FL/FR",   "LFE1",        "FC",        "BL/BR", "BC",        "FLc/FRc",  "RLC/RRC",
    "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",     "TpBC",
    "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS"};

// Speaker IDs 0 to 27; 31 names none, 28 to 30 are reserved: those have
// no name.
constexpr std::array<std::string_view, 28> kSpeakerIds = {
    "FL",   "FR",   "FC",   "LFE1", "BL",   "BR",  "FLC",  "FRC",  "BC",    "LFE2",
    "SiL",  "SiR",  "TpFL", "TpFR", "TpFC", "TpC", "TpBL", "TpBR", "TpSiL", "TpSiR",
    "TpBC", "BtFC", "BtFL", "BtFR", "FLW",  "FRW", "LS",   "RS"};

// Coordinates are signed fractions of the room's size in 64ths.
void AddCoordinate(Fields& fields, std::string_view key, std::string_view label, uint8_t byte) {
    AddFixed(fields, key, label, static_cast<int8_t>(byte) / 64.0, 3);
}

void AddReservedBits(Fields& fields, uint32_t bits) {
    Field& list = AddList(fields, "reserved_bits", "Reserved bits");
    for (unsigned bit = 0; bit < 32; ++bit) {
        if ((bits >> bit & 1u) != 0) {
            AddUnsigned(list.items, "", "", bit);
        }
    }
}

} // namespace

Fields RoomConfigurationFields(Bytes body) {
    constexpr std::size_t kMaskEnd = 4;
    constexpr std::size_t kMaxEnd = 7;
    constexpr std::size_t kDisplayEnd = 10;
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    const uint8_t flags = body[0];
    AddBool(fields, "display", "Display position", Bit(flags, 7));
    AddBool(fields, "speaker_locations", "Speaker locations", Bit(flags, 5));
    if (Bit(flags, 6)) {
        AddUnsigned(fields, "speaker_count", "Speaker count", Bits(flags, 4, 0) + 1);
    } else {
        AddNull(fields, "speaker_count", "Speaker count");
    }
    if (body.size() >= kMaskEnd) {
        const uint32_t mask = body[1] | body[2] << 8 | body[3] << 16;
        AddReservedBits(fields,
                        AddSpeakerMask(fields, "speakers", "Speakers", mask, kRoomSpeakers));
    }
    if (body.size() >= kMaxEnd) {
        AddUnsigned(fields, "max_x", "Max X", body[4], " dm");
        AddUnsigned(fields, "max_y", "Max Y", body[5], " dm");
        AddUnsigned(fields, "max_z", "Max Z", body[6], " dm");
    }
    // The display's position is there only when the display flag says so.
    if (Bit(flags, 7) && body.size() >= kDisplayEnd) {
        AddCoordinate(fields, "display_x", "Display X", body[7]);
        AddCoordinate(fields, "display_y", "Display Y", body[8]);
        AddCoordinate(fields, "display_z", "Display Z", body[9]);
    }
    return fields;
}

Fields SpeakerLocationFields(Bytes body) {
    constexpr std::size_t kShortSize = 2;
    constexpr std::size_t kWithCoordinates = 5;
    Fields fields;
    Field& list = AddList(fields, "speakers", "Speaker");
    std::size_t at = 0;
    while (at + kShortSize <= body.size()) {
        Fields& speaker = AddObject(list.items, "", "").items;
        const uint8_t flags = body[at];
        const uint32_t id = Bits(body[at + 1], 4, 0);
        AddUnsigned(speaker, "channel", "Channel", Bits(flags, 4, 0));
        AddBool(speaker, "active", "Active", Bit(flags, 5));
        AddUnsigned(speaker, "speaker_id", "Speaker ID", id);
        if (id < kSpeakerIds.size()) {
            AddName(speaker, "speaker", "Speaker", std::string(kSpeakerIds[id]));
        } else {
            AddNull(speaker, "speaker", "Speaker");
        }
        // Coordinates follow only when the flag says so and the block has
        // room for them.
        if (Bit(flags, 6) && at + kWithCoordinates <= body.size()) {
            AddCoordinate(speaker, "x", "X", body[at + 2]);
            AddCoordinate(speaker, "y", "Y", body[at + 3]);
            AddCoordinate(speaker, "z", "Z", body[at + 4]);
            at += kWithCoordinates;
        } else {
            at += kShortSize;
        }
    }
    return fields;
}

} // namespace moniquet
