// The rules of DisplayID sections and their data blocks, for the decoders
// of displayid_block.cpp and displayid_timings.cpp, which call them as they
// read the bytes, and for the checks of the whole EDID. Private to edid/.
#pragma once

#include "edid/diagnostics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

struct DisplayIdDataBlock;

// What the rules of the whole EDID need of the DisplayID sections read so
// far, gathered by the walk (Walk::displayId). Sections are counted in the
// order of their blocks; the first is the base section.
struct DisplayIdScratch {
    // Sections read so far.
    uint32_t sections = 0;
    // The base section's block, version byte and extension count (byte 4).
    uint32_t baseBlock = 0;
    uint32_t baseVersion = 0;
    uint32_t baseExtensionCount = 0;
    // The base section's product type (or primary use case) is a display
    // of some kind; one worn on the head (AR/VR, DisplayID 2.x).
    bool display = false;
    bool headMounted = false;
    // Data blocks read in the base section.
    uint32_t baseDataBlocks = 0;
    // Seen in any section: a product identification block, a whole tiled
    // topology, display parameters or interface features block, a stereo
    // display interface block.
    bool productId = false;
    bool tiled = false;
    bool parameters = false;
    bool interfaceFeatures = false;
    bool stereoInterface = false;
    // Seen in any timing: 3D stereo, YCbCr 4:2:0 only, a type I or VII
    // descriptor, the preferred flag.
    bool stereo = false;
    bool ycbcr420 = false;
    bool type1Or7 = false;
    bool preferred = false;
    // The native pixel format the first parameters or device block gave.
    uint32_t nativeWidth = 0;
    uint32_t nativeHeight = 0;
    // The image size of the last display parameters block, tenths of mm.
    std::optional<std::array<uint32_t, 2>> imageSize;
    // Colour characteristics blocks and transfer characteristics blocks by
    // their identifier, bit n for identifier n: those present, and those
    // named by a block of the other kind, with the block naming each.
    uint16_t colorIds = 0;
    uint16_t transferIds = 0;
    uint16_t colorNamesTransfer = 0;
    uint16_t transferNamesColor = 0;
    std::array<uint8_t, 16> colorNamingBlock{};
    std::array<uint8_t, 16> transferNamingBlock{};
};

// The header of the section of block `block` (`section` is the block's
// bytes 1 to 126), before its data blocks are read. `sink` names offsets of
// the block.
void CheckDisplayIdSectionHeader(std::span<const uint8_t> section, uint32_t block,
                                 const DiagnosticSink& sink, DisplayIdScratch& scratch);

// One data block of the section of version `version`; `sink` names offsets
// from the data block's tag byte. Timing descriptors are checked by
// CheckDisplayIdTiming.
void CheckDisplayIdDataBlock(const DisplayIdDataBlock& block, uint32_t version, uint32_t blockIndex,
                             const DiagnosticSink& sink, DisplayIdScratch& scratch);

// One timing descriptor `d` of the timing data block `block`; `sink` names
// offsets from the descriptor's first byte.
void CheckDisplayIdTiming(const DisplayIdDataBlock& block, std::span<const uint8_t> d,
                          const DiagnosticSink& sink, DisplayIdScratch& scratch);

// What follows the last data block of a section's payload: `rest`, empty
// when the data blocks fill it. `sink` names offsets of `rest`.
// The revision byte of a DisplayID type VII, VIII or X timing block (tag
// `didTag`) that a CTA-861 data block carries; `sink` names offsets from
// that byte. Its rules are those of CTA-861, which fixes revision 2 for type
// VII with no flags.
void CheckCtaCarriedTimingRevision(uint8_t didTag, uint8_t revisionByte,
                                   const DiagnosticSink& sink);

void CheckDisplayIdFiller(std::span<const uint8_t> rest, const DiagnosticSink& sink);

// The section's bytes past its checksum, up to the block's checksum.
void CheckDisplayIdPadding(std::span<const uint8_t> padding, const DiagnosticSink& sink);

// The AR/VR data blocks of DisplayID 2.1 (tags 0x2C and 0x2D), their
// payload `p`; `sink` names offsets from the data block's tag byte.
void CheckArvrHmd(std::span<const uint8_t> p, const DiagnosticSink& sink);
void CheckArvrLayer(std::span<const uint8_t> p, const DiagnosticSink& sink);

} // namespace moniquet
