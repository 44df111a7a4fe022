// What the CTA-861 data blocks say, over every CTA-861 block (and the
// CTA-861 data blocks that DisplayID 2 sections embed). Part of EdidInfo
// (moniquet/edid_info.h). Names of the codes kept here: moniquet/cta_names.h.
#pragma once

#include "moniquet/fields.h"
#include "moniquet/info_base.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace moniquet {

// Bits of HdrStaticMetadata::eotfs.
inline constexpr uint8_t kEotfSdr = 0x01; // traditional gamma, SDR range
inline constexpr uint8_t kEotfHdr = 0x02; // traditional gamma, HDR range
inline constexpr uint8_t kEotfPq = 0x04;  // perceptual quantizer
inline constexpr uint8_t kEotfHlg = 0x08; // hybrid log-gamma

// The first HDR static metadata data block of the CTA-861 data. Each
// field is empty when the block is too short to hold it.
struct HdrStaticMetadata {
    // kEotf* bits, from bits 0 to 3 of the block's first byte after its
    // extended tag.
    std::optional<uint8_t> eotfs;
    // Static metadata types, 1 to 8, from the bits of the second byte.
    std::vector<uint32_t> metadataTypes;
    // Luminances in cd/m².
    std::optional<double> maxLuminance;
    std::optional<double> maxFrameAverageLuminance;
    // Needs the maximum luminance too, which it is relative to.
    std::optional<double> minLuminance;
};

// One short video descriptor of a video data block.
struct CtaVideo {
    // The VIC, native flag removed: 1 to 255.
    uint32_t vic = 0;
    // A byte 129 to 192 is VIC 1 to 64 flagged native; 1 to 64 unflagged;
    // empty for any other byte, whose VIC cannot be flagged.
    std::optional<bool> native;
    // The mode of the VIC table; empty for a VIC it does not define.
    std::optional<ModeTiming> mode;
};

// One short audio descriptor of an audio data block.
struct CtaAudio {
    // Audio format code, 0 to 15 (bits 6 to 3 of the first byte).
    uint32_t format = 0;
    // Format 15 only: the extension type code, 0 to 31 (bits 7 to 3 of the
    // third byte).
    std::optional<uint32_t> extendedFormat;
    // 1 to 8; empty for the extended formats whose bits 2 to 0 mean
    // something else.
    std::optional<uint32_t> maxChannels;
    // Bits 0 to 6: 32, 44.1, 48, 88.2, 96, 176.4, 192 kHz.
    uint32_t sampleRates = 0;
    // LPCM and L-PCM 3D only, bits 0 to 2: 16, 20, 24 bits.
    uint32_t sampleSizes = 0;
    // Formats 2 to 8 only: the third byte × 8, 0 to 2040.
    std::optional<uint32_t> maxBitrateKbps;
};

// The first HDMI vendor-specific data block (OUI 00-0C-03). Each field is
// empty when the block is too short to hold it.
struct CtaHdmi {
    // Source physical address, four nibbles a.b.c.d.
    std::optional<std::array<uint32_t, 4>> physicalAddress;
    // 5 to 1275; empty when 0.
    std::optional<uint32_t> maxTmdsMHz;
    // Deep colour bits per pixel supported: 30, 36, 48, in that order.
    std::vector<uint32_t> deepColorBits;
    std::optional<bool> supportsAi;
};

// The first HDMI Forum vendor-specific data block (OUI C4-5D-D8), else the
// first HDMI Forum sink capability data block. Each field is empty when the
// block is too short to hold it or holds 0 for it.
struct CtaHdmiForum {
    std::optional<uint32_t> version;
    // 5 to 1275.
    std::optional<uint32_t> maxTmdsMHz;
    std::optional<bool> scdc;
    // Lanes × rate per lane: 9, 18, 24, 32, 40 or 48.
    std::optional<uint32_t> maxFrlGbps;
    // 1 to 63 and 1 to 1023.
    std::optional<uint32_t> vrrMinHz;
    std::optional<uint32_t> vrrMaxHz;
    // Auto low-latency mode.
    std::optional<bool> allm;
    // VESA DSC 1.2a.
    std::optional<bool> dsc;
};

// The first AMD vendor-specific data block (OUI 00-00-1A): variable
// refresh. Each field is empty when the block is too short to hold it.
struct CtaFreeSync {
    std::optional<uint32_t> versionMajor;
    std::optional<uint32_t> versionMinor;
    std::optional<uint32_t> minHz;
    std::optional<uint32_t> maxHz;
};

// The first video capability data block's byte.
struct CtaVideoCapability {
    // YCbCr and RGB quantization range selectable.
    bool qy = false;
    bool qs = false;
    // Scan behaviours of preferred, IT and CE formats, 0 to 3.
    uint32_t pt = 0;
    uint32_t it = 0;
    uint32_t ce = 0;
};

// What kind of vendor-specific block, by its tag.
enum class CtaVendorKind : uint32_t {
    Data,  // tag 3
    Video, // extended tag 0x01
    Audio, // extended tag 0x11
};

struct CtaVendorBlock {
    // The IEEE OUI, 0 to 0xFFFFFF, as stored (little-endian) or, when only
    // that names a vendor, as stored the wrong way round; empty when the
    // block is shorter than 3 bytes.
    std::optional<uint32_t> oui;
    CtaVendorKind kind = CtaVendorKind::Data;
};

// One data block, whatever it is.
struct CtaDataBlock {
    // Index of the EDID block that holds it.
    uint32_t block = 0;
    // Bits 7 to 5 of its first byte, 0 to 7.
    uint32_t tag = 0;
    // Tag 7 only: its second byte, 0 to 255; empty when the block has none.
    std::optional<uint32_t> extendedTag;
    // Vendor-specific blocks only, as CtaVendorBlock::oui.
    std::optional<uint32_t> oui;
    // Where its header byte is in the EDID, 0 to 32767, and the length
    // its header gives, 0 to 31.
    uint32_t offset = 0;
    uint32_t length = 0;
    // What it holds, field by field (moniquet/fields.h); empty for a kind of
    // block the standards do not define, or when decoded without fields.
    std::optional<Fields> fields;
};

// Why bytes of a CTA-861 block were not decoded.
enum class CtaUndecodedKind : uint32_t {
    // Byte 2 puts the detailed timings past the block's last byte (above
    // 127): neither its data blocks nor its detailed timings are read.
    TimingsPastBlock,
    // A data block runs on past the end of the data blocks (byte 2's
    // offset, or the end of the DisplayID data block that embeds it): its
    // bytes from there on.
    DataBlockPastEnd,
    // An audio data block not a whole number of 3-byte short audio
    // descriptors: the bytes after its last whole one.
    PartialShortAudio,
};

// Bytes of a CTA-861 block that were not decoded.
struct CtaUndecoded {
    // Index of the EDID block that holds them.
    uint32_t block = 0;
    CtaUndecodedKind kind = CtaUndecodedKind::TimingsPastBlock;
    // TimingsPastBlock: byte 2, 128 to 255. The others: the bytes left out,
    // 1 to 31.
    uint32_t value = 0;
    // The others: the data block's index in CtaInfo::dataBlocks, and the
    // length its first byte gives, 0 to 31.
    uint32_t dataBlock = 0;
    uint32_t length = 0;
};

// What the CTA-861 data holds, taken together.
struct CtaInfo {
    // The first CTA-861 block's header: its revision, 1 to 255, and for
    // revision 2 on the flags of byte 3; all empty for data blocks found
    // only in DisplayID sections.
    std::optional<uint32_t> revision;
    std::optional<bool> underscan;
    std::optional<bool> basicAudio;
    std::optional<bool> ycbcr444;
    std::optional<bool> ycbcr422;
    // Detailed timings that the first CTA block's header counts as native,
    // 0 to 15.
    std::optional<uint32_t> nativeDtds;
    // VIC numbers of every video data block, in block order; native flags
    // removed, reserved bytes skipped. Each 1 to 255.
    std::vector<uint32_t> vics;
    // Every short video descriptor, in block order, reserved bytes skipped.
    std::vector<CtaVideo> video;
    // VICs of the YCbCr 4:2:0 video data blocks.
    std::vector<uint32_t> ycbcr420OnlyVics;
    // VICs of the short video descriptors that the first 4:2:0 capability
    // map flags, all of them for an empty map.
    std::vector<uint32_t> ycbcr420CapableVics;
    // The HDMI VICs of the HDMI vendor-specific block, as CTA-861 VICs
    // (HDMI VIC 1 to 4 are VICs 95, 94, 93 and 98; others left out).
    std::vector<uint32_t> hdmiVics;
    std::vector<CtaAudio> audio;
    // Bits 0 to 20 of the first speaker allocation block's three bytes.
    std::optional<uint32_t> speakers;
    std::optional<CtaHdmi> hdmi;
    std::optional<CtaHdmiForum> hdmiForum;
    // `hdmiForum` is the sink capability block's, which a vendor block
    // coming later replaces.
    bool hdmiForumFromSinkBlock = false;
    std::optional<CtaFreeSync> freeSync;
    // The first colorimetry block's two bytes, the first in bits 0 to 7.
    std::optional<uint32_t> colorimetry;
    std::optional<CtaVideoCapability> videoCapability;
    std::optional<HdrStaticMetadata> hdr;
    // Types of the first HDR dynamic metadata block's entries, in order.
    std::vector<uint32_t> hdrDynamicTypes;
    std::vector<CtaVendorBlock> vendorBlocks;
    std::vector<CtaDataBlock> dataBlocks;
    // What was not decoded, in block order.
    std::vector<CtaUndecoded> undecoded;
    // Every byte of the video data blocks, reserved ones too, and the first
    // 4:2:0 capability map, kept so that a map can name the descriptors of
    // blocks that come after it.
    std::vector<uint8_t> svdBytes;
    std::optional<std::vector<uint8_t>> ycbcr420CapabilityMap;
};

} // namespace moniquet
