// What the checks of CTA-861 data remember from one data block to the next,
// across blocks, for the rules that span them. Part of the Walk
// (edid/walk.h); private to the decoders and their checks.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

namespace moniquet {

// A rule whose answer depends on data blocks not read yet (a later block may
// hold them): kept where it arose, answered once every block is read.
enum class CtaPendingKind : uint8_t {
    // An HDMI block lists HDMI VICs (`value`: bits 0 to 3 for HDMI VICs 1
    // to 4) whose CTA-861 VICs a video data block must list too.
    HdmiVicsListed,
    // An HDMI Forum block's UHD VIC bit (`value` 1 when set), against the
    // HDMI VICs (`extra`, as above) of the HDMI block before it.
    UhdVicBit,
    // A VIC (`value`) of a YCbCr 4:2:0 video data block, which no video
    // data block may list.
    Ycbcr420OnlyVic,
    // An HDMI block's Image_Size field (`value`, 0 to 3), against the
    // display's size.
    HdmiImageSize,
    // A video format preference block naming a format 4096 pixels wide or
    // high or more, which wants a native video resolution block.
    LargePreferredFormat,
    // A short video reference (`value`) of a video format preference or
    // native video resolution block naming a detailed timing, a DisplayID
    // timing or a rate of the first video format descriptor, which later
    // blocks may hold.
    VideoReference,
    // A room configuration block (`value`: its first byte), against the
    // speaker location blocks.
    RoomConfiguration,
    // A speaker location block's count of active speakers (`value`),
    // against the room configuration block's count.
    ActiveSpeakers,
};

struct CtaPending {
    CtaPendingKind kind = CtaPendingKind::HdmiVicsListed;
    uint8_t value = 0;
    uint8_t extra = 0;
    // Where it arose: the EDID block and the offset within it.
    uint8_t block = 0;
    uint16_t offset = 0;
};

struct CtaCheckState {
    // Byte 3 of the first CTA-861 block of revision 2 or later (0 before
    // one is read): the flags every block's data blocks answer to.
    uint8_t flags = 0;
    // CTA-861 blocks read so far, and byte 3 of the first when its revision
    // has flags.
    uint32_t ctaBlocks = 0;
    uint8_t firstFlags = 0;
    // Data blocks read so far, in CTA-861 blocks and DisplayID sections.
    uint32_t dataBlocks = 0;
    // The kinds of data block allowed once each, seen so far: bit n for
    // kind n of the list in cta_checks.cpp; [0] in CTA-861 blocks, [1] in
    // DisplayID sections, which count apart.
    std::array<uint32_t, 2> onceSeen{};
    // The data block read last was an HDMI vendor-specific block.
    bool afterHdmiBlock = false;
    // An HDMI Forum vendor block or sink capability block was read.
    bool hdmiForumRead = false;
    // The highest TMDS rate an HDMI block has declared so far, MHz; back to
    // 0 once an HDMI Forum block declares FRL, whose rate is not one.
    uint32_t hdmiMaxTmdsMHz = 0;
    // The Image_Size field (0 to 3) of the last HDMI block giving one: 3
    // counts the base block's screen size in units of 5 cm.
    uint8_t hdmiImageSizeField = 0;
    // Bits 0 to 3: HDMI VICs 1 to 4 that the last HDMI block listing any
    // lists.
    uint8_t hdmiVics = 0;
    // Bits 0 to 3: VICs 95, 94, 93 and 98 (those of HDMI VICs 1 to 4) as the
    // video data blocks of CTA-861 blocks list them.
    uint8_t vicsOfHdmiVics = 0;
    // VICs the video data blocks of CTA-861 blocks list, native flag
    // removed.
    std::bitset<256> listedVics;
    // VICs seen so far, and those already reported as listed twice: [0] of
    // video data blocks, [1] of YCbCr 4:2:0 video data blocks.
    std::array<std::bitset<256>, 2> vicsSeen;
    std::array<std::bitset<256>, 2> vicsRepeated;
    // What later rules need of the native video resolution block and of
    // the room: whether one was read, the image size it gives (0.1 mm).
    bool nativeResolutionBlock = false;
    uint32_t nativeImageWidth = 0;
    uint32_t nativeImageHeight = 0;
    // DisplayID timings in CTA-861 blocks that short video references may
    // name: one per type VII block, one per type X descriptor; and whether
    // a type VIII block was read.
    uint32_t displayIdTimings = 0;
    bool typeViiiBlock = false;
    // The first video format descriptor of the CTA-861 blocks, its bytes
    // (0 past its length) and length (0 before one is read).
    std::array<uint8_t, 3> firstFormat{};
    uint8_t firstFormatLength = 0;
    bool speakerLocationBlock = false;
    // A speaker location descriptor gives coordinates.
    bool speakerCoordinates = false;
    // The room configuration block's speaker count, 0 when it gives none.
    uint32_t roomSpeakerCount = 0;
    // Rules answered at the end; those past the last entry are dropped (no
    // EDID has that many such blocks).
    std::array<CtaPending, 32> pending{};
    uint32_t pendingCount = 0;
};

} // namespace moniquet
