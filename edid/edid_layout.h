// Where things sit in an EDID: the byte offsets and tags that every decoder
// of it reads, from E-EDID 1.4, CTA-861-H and DisplayID 1.3 / 2.0. Offsets
// are from the start of their block (or descriptor, or section).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace moniquet {

// The base block.
inline constexpr std::array<uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF,
                                                       0xFF, 0xFF, 0xFF, 0x00};
inline constexpr std::size_t kManufacturerIdOffset = 8; // 2 bytes, big-endian letter codes
inline constexpr std::size_t kProductCodeOffset = 10;   // 2 bytes, little-endian
inline constexpr std::size_t kSerialNumberOffset = 12;  // 4 bytes, little-endian
inline constexpr std::size_t kWeekOffset = 16;
inline constexpr std::size_t kYearOffset = 17;
inline constexpr std::size_t kVersionOffset = 18;
inline constexpr std::size_t kRevisionOffset = 19;
inline constexpr std::size_t kVideoInputOffset = 20;
inline constexpr std::size_t kScreenWidthOffset = 21;
inline constexpr std::size_t kScreenHeightOffset = 22;
inline constexpr std::size_t kGammaOffset = 23;
inline constexpr std::size_t kFeaturesOffset = 24;
inline constexpr std::size_t kChromaticityOffset = 25;       // 10 bytes
inline constexpr std::size_t kEstablishedTimingsOffset = 35; // 3 bytes
inline constexpr std::size_t kStandardTimingsOffset = 38;    // 8 entries of 2 bytes
inline constexpr std::size_t kStandardTimingCount = 8;
inline constexpr std::size_t kFirstDescriptorOffset = 54;
inline constexpr std::size_t kDescriptorSize = 18;
inline constexpr std::size_t kDescriptorCount = 4;
inline constexpr std::size_t kExtensionCountOffset = 126;
inline constexpr std::size_t kChecksumOffset = 127;

// Byte 16 holding this makes byte 17 a model year rather than a date.
inline constexpr uint8_t kWeekIsModelYear = 0xFF;
inline constexpr uint32_t kFirstYear = 1990;

// An 18-byte descriptor: a detailed timing unless bytes 0 and 1 are zero,
// else a display descriptor whose byte 3 is its tag.
inline constexpr std::size_t kDisplayDescriptorTagOffset = 3;
inline constexpr std::size_t kDescriptorTextOffset = 5;
inline constexpr std::size_t kDescriptorTextSize = 13;
inline constexpr uint8_t kTagSerialString = 0xFF;
inline constexpr uint8_t kTagDataString = 0xFE;
inline constexpr uint8_t kTagRangeLimits = 0xFD;
inline constexpr uint8_t kTagProductName = 0xFC;
inline constexpr uint8_t kTagColorPoint = 0xFB;
inline constexpr uint8_t kTagStandardTimings = 0xFA;
inline constexpr uint8_t kTagDcm = 0xF9;
inline constexpr uint8_t kTagCvt = 0xF8;
inline constexpr uint8_t kTagEstablishedIii = 0xF7;
inline constexpr uint8_t kTagDummy = 0x10;
inline constexpr uint8_t kLastManufacturerTag = 0x0F; // 0x00 to 0x0F

// Extension blocks: byte 0 is the tag.
inline constexpr uint8_t kTagCta861 = 0x02;
inline constexpr uint8_t kTagVtb = 0x10;
inline constexpr uint8_t kTagEdid20 = 0x20; // withdrawn
inline constexpr uint8_t kTagDi = 0x40;
inline constexpr uint8_t kTagLs = 0x50;
inline constexpr uint8_t kTagDpvl = 0x60;
inline constexpr uint8_t kTagDisplayId = 0x70;
inline constexpr uint8_t kTagBlockMap = 0xF0;

// A CTA-861 block.
inline constexpr std::size_t kCtaRevisionOffset = 1;
// Where the detailed timings start; the data blocks end there.
inline constexpr std::size_t kCtaTimingsOffsetOffset = 2;
inline constexpr std::size_t kCtaFlagsOffset = 3;
inline constexpr std::size_t kCtaFirstDataBlock = 4;
// Data blocks came with revision 3; earlier blocks hold only timings there.
inline constexpr uint8_t kCtaFirstRevisionWithDataBlocks = 3;

// A DisplayID section inside an extension block (after its tag byte).
inline constexpr std::size_t kDisplayIdSectionOffset = 1;
inline constexpr std::size_t kDisplayIdHeaderSize = 5; // version, length, type, count, checksum
inline constexpr std::size_t kDisplayIdDataBlockHeaderSize = 3; // tag, revision, length

// Byte 3 of a CTA-861 block, revision 2 on; bits 3 to 0 count the native
// detailed timings.
inline constexpr unsigned kCtaUnderscanBit = 7;
inline constexpr unsigned kCtaBasicAudioBit = 6;
inline constexpr unsigned kCtaYcbcr444Bit = 5;
inline constexpr unsigned kCtaYcbcr422Bit = 4;

// A CTA-861 data block: bits 7 to 5 of its first byte are its tag, bits 4 to
// 0 the length of what follows; tag 7 puts an extended tag in the next byte.
inline constexpr uint8_t kCtaTagAudio = 1;
inline constexpr uint8_t kCtaTagVideo = 2;
inline constexpr uint8_t kCtaTagVendor = 3;
inline constexpr uint8_t kCtaTagSpeakers = 4;
inline constexpr uint8_t kCtaTagExtended = 7;
inline constexpr uint8_t kCtaExtVideoCapability = 0x00;
inline constexpr uint8_t kCtaExtVendorVideo = 0x01;
inline constexpr uint8_t kCtaExtColorimetry = 0x05;
inline constexpr uint8_t kCtaExtHdrStatic = 0x06;
inline constexpr uint8_t kCtaExtHdrDynamic = 0x07;
inline constexpr uint8_t kCtaExtYcbcr420Video = 0x0E;
inline constexpr uint8_t kCtaExtYcbcr420CapabilityMap = 0x0F;
inline constexpr uint8_t kCtaExtVendorAudio = 0x11;
inline constexpr uint8_t kCtaExtHdmiForumSink = 0x79;
// The sink capability block holds two reserved bytes before what the HDMI
// Forum vendor block holds after its OUI.
inline constexpr std::size_t kCtaHdmiForumSinkReserved = 2;
inline constexpr std::size_t kCtaShortAudioSize = 3;
// Whole sizes after the tag (and extended tag): a shorter block is malformed.
inline constexpr std::size_t kCtaSpeakersSize = 3;
inline constexpr std::size_t kCtaColorimetrySize = 2;
inline constexpr std::size_t kCtaHdrStaticMinSize = 2; // EOTFs, metadata types
inline constexpr std::size_t kOuiSize = 3;

// IEEE OUIs of the vendor-specific blocks decoded.
inline constexpr uint32_t kOuiHdmi = 0x000C03;
inline constexpr uint32_t kOuiHdmiForum = 0xC45DD8;
inline constexpr uint32_t kOuiAmd = 0x00001A;

// The HDMI vendor block after its OUI.
inline constexpr std::size_t kHdmiAddressOffset = 0; // 2 bytes, nibbles a.b.c.d
inline constexpr std::size_t kHdmiFlagsOffset = 2;   // AI, deep colour
inline constexpr std::size_t kHdmiMaxTmdsOffset = 3; // × 5 MHz
inline constexpr std::size_t kHdmiLatencyFlagsOffset = 4;
inline constexpr unsigned kHdmiSupportsAiBit = 7;
inline constexpr unsigned kHdmiDeepColor48Bit = 6;
inline constexpr unsigned kHdmiDeepColor36Bit = 5;
inline constexpr unsigned kHdmiDeepColor30Bit = 4;
inline constexpr unsigned kHdmiLatencyBit = 7;
inline constexpr unsigned kHdmiInterlacedLatencyBit = 6;
inline constexpr unsigned kHdmiVideoPresentBit = 5;

// The HDMI Forum vendor block after its OUI.
inline constexpr std::size_t kHdmiForumVersionOffset = 0;
inline constexpr std::size_t kHdmiForumMaxTmdsOffset = 1;  // × 5 MHz
inline constexpr std::size_t kHdmiForumFlagsOffset = 2;    // bit 7: SCDC present
inline constexpr std::size_t kHdmiForumFrlOffset = 3;      // bits 7 to 4
inline constexpr std::size_t kHdmiForumFeaturesOffset = 4; // bit 1: ALLM
inline constexpr std::size_t kHdmiForumVrrOffset = 5;      // 2 bytes
inline constexpr std::size_t kHdmiForumDscOffset = 7;      // bit 7: DSC 1.2a
inline constexpr unsigned kHdmiForumScdcBit = 7;
inline constexpr unsigned kHdmiForumAllmBit = 1;
inline constexpr unsigned kHdmiForumDscBit = 7;
inline constexpr uint32_t kTmdsUnitMHz = 5;

// AMD's vendor block after its OUI: version major and minor, then the
// refresh range in Hz.
inline constexpr std::size_t kAmdVersionOffset = 0;
inline constexpr std::size_t kAmdMinHzOffset = 2;
inline constexpr std::size_t kAmdMaxHzOffset = 3;

// DisplayID data block tags: 1.x uses 0x00 to 0x13 and 0x7F, 2.x 0x20 to
// 0x2B and 0x7E; both embed CTA-861 data blocks under 0x81.
inline constexpr uint8_t kDidProductId = 0x00;
inline constexpr uint8_t kDidParameters = 0x01;
inline constexpr uint8_t kDidType1 = 0x03;
inline constexpr uint8_t kDidType2 = 0x04;
inline constexpr uint8_t kDidType3 = 0x05;
inline constexpr uint8_t kDidType4 = 0x06;
inline constexpr uint8_t kDidDmtBitmap = 0x07;
inline constexpr uint8_t kDidVicBitmap = 0x08;
inline constexpr uint8_t kDidType5 = 0x11;
inline constexpr uint8_t kDidTiled = 0x12;
inline constexpr uint8_t kDidType6 = 0x13;
inline constexpr uint8_t kDidProductId2 = 0x20;
inline constexpr uint8_t kDidParameters2 = 0x21;
inline constexpr uint8_t kDidType7 = 0x22;
inline constexpr uint8_t kDidType8 = 0x23;
inline constexpr uint8_t kDidType9 = 0x24;
inline constexpr uint8_t kDidTiled2 = 0x28;
inline constexpr uint8_t kDidType10 = 0x2A;
inline constexpr uint8_t kDidAdaptiveSync = 0x2B;
inline constexpr uint8_t kDidVendor2 = 0x7E;
inline constexpr uint8_t kDidVendor = 0x7F;
inline constexpr uint8_t kDidCta = 0x81;
// Sizes of one timing of each type, bytes. Type VI holds 3 more when its
// byte 2 bit 6 flags an image size; types VII and X add bits 6 to 4 of
// their block's revision byte.
inline constexpr std::size_t kDidType1Size = 20;
inline constexpr std::size_t kDidType2Size = 11;
inline constexpr std::size_t kDidType3Size = 3;
inline constexpr std::size_t kDidType5Size = 7;
inline constexpr std::size_t kDidType6Size = 14;
inline constexpr std::size_t kDidType6ImageSize = 3;
inline constexpr std::size_t kDidType9Size = 6;
inline constexpr std::size_t kDidType10Size = 6;
inline constexpr std::size_t kDidDmtBitmapSize = 10;
inline constexpr std::size_t kDidVicBitmapSize = 8;
// Product identification: vendor (3), product code (2), serial (4), week,
// year, length of the product text, then the text.
inline constexpr std::size_t kDidVendorSize = 3;
inline constexpr std::size_t kDidProductCodeOffset = 3;
inline constexpr std::size_t kDidProductSerialOffset = 5;
inline constexpr std::size_t kDidProductWeekOffset = 9;
inline constexpr std::size_t kDidProductYearOffset = 10;
inline constexpr std::size_t kDidProductTextLengthOffset = 11;
inline constexpr std::size_t kDidProductMinSize = 12;
inline constexpr uint32_t kDidFirstYear = 2000;
// Display parameters: image size (2 + 2), native pixels (2 + 2), ...,
// gamma at byte 9 (1.x) or 28 (2.x).
inline constexpr std::size_t kDidParametersSize = 12;
inline constexpr std::size_t kDidParameters2Size = 29;
inline constexpr std::size_t kDidGammaOffset = 9;
inline constexpr std::size_t kDidGamma2Offset = 28;
inline constexpr std::size_t kDidTiledSize = 22;
inline constexpr std::size_t kDidAdaptiveSyncSize = 6;

} // namespace moniquet
