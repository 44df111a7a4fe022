// The checks of CTA-861 extension blocks and of the CTA-861 data blocks they
// (and DisplayID sections) hold, called by the decoders as they read them;
// what they remember between calls is the walk's CtaCheckState. Private to
// the decoders.
#pragma once

#include "edid/diagnostics.h"
#include "edid/walk.h"

#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

// One CTA-861 data block as the checks see it.
struct CtaDataBlockView {
    // Bits 7 to 5 of its first byte.
    uint8_t tag = 0;
    // Tag 7 with a length of 1 or more: its second byte.
    std::optional<uint8_t> extendedTag;
    // What follows the header (and the extended tag), as long as the block
    // says or as much of it as its area holds.
    std::span<const uint8_t> payload;
    // The EDID block it is in, and whether that is a DisplayID block.
    uint32_t block = 0;
    bool inDisplayId = false;
};

// The rules of a CTA-861 block's header, padding and layout; `sink` names
// offsets of the block.
void CheckCtaBlock(std::span<const uint8_t, 128> block, const DiagnosticSink& sink, Walk& walk);

// The rules of one data block; `sink` names offsets from its header byte.
// Called for every data block in the order read.
void CheckCtaDataBlock(const CtaDataBlockView& view, const DiagnosticSink& sink, Walk& walk);

// The rules that need every block read (the pending ones of the walk's
// state, and the blocks a CTA-861 extension requires).
void CheckCtaWholeEdid(Walk& walk);

// Internal: the checks of each kind of data block, by file.
// cta_checks_av.cpp: audio, video and format preference blocks.
// Each `head` names offsets from the data block's header byte.
void CheckShortAudio(std::span<const uint8_t> payload, const DiagnosticSink& head);
void CheckShortVideo(std::span<const uint8_t> payload, bool ycbcr420, const CtaDataBlockView& view,
                     const DiagnosticSink& head, Walk& walk);
void CheckVideoFormats(std::span<const uint8_t> payload, const DiagnosticSink& head, Walk& walk,
                       bool inDisplayId);
void CheckFormatPreference(std::span<const uint8_t> payload, const DiagnosticSink& head,
                           Walk& walk);
void CheckNativeResolution(std::span<const uint8_t> payload, const DiagnosticSink& head,
                           Walk& walk);
// A short video reference kept by the two above, against the blocks read
// since; `ctaDtds` counts the detailed timings of the CTA-861 blocks.
void ResolveVideoReference(const CtaPending& pending, const DiagnosticSink& sink, const Walk& walk,
                           uint32_t ctaDtds);
// cta_checks_hdmi.cpp: the blocks of HDMI and the HDMI Forum.
void CheckHdmiBlock(std::span<const uint8_t> body, const DiagnosticSink& sink, Walk& walk);
// `body` after the OUI of a vendor block, or after the two reserved bytes
// of a sink capability block.
void CheckHdmiForumFields(std::span<const uint8_t> body, const DiagnosticSink& sink, Walk& walk);
void CheckHdmiAudio(std::span<const uint8_t> payload, const DiagnosticSink& head);
void CheckToneMapping(std::span<const uint8_t> payload, const DiagnosticSink& head);
// cta_checks_room.cpp: room configuration, speaker location, InfoFrame and
// product information blocks.
void CheckRoomConfiguration(std::span<const uint8_t> payload, const DiagnosticSink& head,
                            Walk& walk);
void CheckSpeakerLocation(std::span<const uint8_t> payload, const DiagnosticSink& head, Walk& walk);
void CheckInfoFrames(std::span<const uint8_t> payload, const DiagnosticSink& head);
void CheckProductInformation(std::span<const uint8_t> payload, const DiagnosticSink& head);

// Whether the base block says sRGB: by its flag, or by giving sRGB's
// primaries and white point.
bool UsesSrgbColour(const EdidInfo& info);

// Keeps a rule to answer once every block is read.
void AddPending(Walk& walk, const DiagnosticSink& sink, std::size_t offset, CtaPendingKind kind,
                uint8_t value, uint8_t extra = 0);

} // namespace moniquet
