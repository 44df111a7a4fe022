// The parts of CtaFormatFields (cta_fields_formats.cpp), by file, and what
// they share. Each reads only the bytes it is given.
#pragma once

#include "moniquet/fields.h"
#include "moniquet/info_cta.h"

#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

// Audio data blocks and the HDMI audio data block (cta_fields_audio.cpp).
Fields AudioFields(std::span<const uint8_t> body);
Fields HdmiAudioFields(std::span<const uint8_t> body);

// The room configuration and speaker location blocks
// (cta_fields_rooms.cpp).
Fields RoomConfigurationFields(std::span<const uint8_t> body);
Fields SpeakerLocationFields(std::span<const uint8_t> body);

// Blocks that name formats by reference: the video format preference and
// native video resolution blocks (short video references), the video
// format data block and the 4:2:0 capability map
// (cta_fields_references.cpp).
Fields VideoFormatPreferenceFields(std::span<const uint8_t> body);
Fields NativeResolutionFields(std::span<const uint8_t> body);
Fields VideoFormatFields(std::span<const uint8_t> body);
Fields CapabilityMapFields(std::span<const uint8_t> body);

// The InfoFrame and product information blocks (cta_fields_misc.cpp).
Fields InfoFrameFields(std::span<const uint8_t> body);
Fields ProductInformationFields(std::span<const uint8_t> body);

// The VIC of a short video descriptor's byte, its native flag aside; empty
// for the reserved codes 0 and 128.
std::optional<uint32_t> SvdVic(uint8_t code);

// Bits 0 to 6 of `rates`: 32, 44.1, 48, 88.2, 96, 176.4 and 192 kHz, as a
// list of rates in hertz.
void AddSampleRates(Fields& fields, uint8_t rates);
// Bits 0 to 2 of `sizes`: 16, 20 and 24 bits.
void AddSampleSizes(Fields& fields, uint8_t sizes);
// The speakers of the set bits of a speaker mask, from the table of names
// `names` (an empty name for a bit with none), as a list under `key`;
// returns the set bits without a name.
uint32_t AddSpeakerMask(Fields& fields, std::string_view key, std::string_view label, uint32_t mask,
                        std::span<const std::string_view> names);

// Gives each SVD index of the 4:2:0 capability maps of `cta` its VIC, from
// the short video descriptors of every video data block of the EDID, those
// after the map too.
void ResolveCapabilityMapFields(CtaInfo& cta);

} // namespace moniquet
