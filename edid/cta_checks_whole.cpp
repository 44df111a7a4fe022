// The CTA-861 rules answered once every block is read: the data blocks a
// CTA-861 extension requires, the YCbCr 4:2:0 capability map against the
// VICs, and the rules data blocks left pending for blocks that could follow.
#include "edid/cta_checks.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint32_t kImageSizeAspectRatio = 1;
constexpr uint32_t kImageSizeFiveCm = 3;
// 255 cm, in the 0.1 mm the image sizes are compared in.
constexpr uint32_t kLargeDisplay = 25600;

bool InCtaBlock(const EdidInfo& info, const CtaDataBlock& b) {
    return b.block < info.blocks.size() && info.blocks[b.block].type == BlockType::Cta861;
}

bool IsExtended(const CtaDataBlock& b, uint8_t tag) {
    return b.tag == 7 && b.extendedTag == tag;
}

// The base block's screen size, mm, as an HDMI block's Image_Size field
// scales it.
std::pair<uint32_t, uint32_t> ScreenMm(const EdidInfo& info, const CtaCheckState& st) {
    if (!info.screenSizeCm) {
        return {0, 0};
    }
    const uint32_t unit = st.hdmiImageSizeField == kImageSizeFiveCm ? 50 : 10;
    return {info.screenSizeCm->width * unit, info.screenSizeCm->height * unit};
}

void CheckImageSizeField(uint32_t field, const DiagnosticSink& sink, std::size_t at,
                         const Walk& walk) {
    const CtaCheckState& st = walk.cta;
    const auto [widthMm, heightMm] = ScreenMm(walk.info, st);
    // The larger of the native resolution block's size and the screen size.
    uint32_t width = st.nativeImageWidth;
    uint32_t height = st.nativeImageHeight;
    if (widthMm * 10 > width || heightMm * 10 > height) {
        width = widthMm * 10;
        height = heightMm * 10;
    }
    const bool large = width >= kLargeDisplay || height >= kLargeDisplay;
    if (large && field != kImageSizeAspectRatio) {
        Warn(sink, DiagnosticCode::HdmiImageSizeUnit, at,
             "the HDMI block's Image_Size field is " + to_string(field) +
                 " for a display "
                 "over 255 cm, whose base block can give only its aspect ratio (field 1)");
    }
    if (field == kImageSizeAspectRatio && !large) {
        Warn(sink, DiagnosticCode::HdmiImageSizeUnit, at,
             "the HDMI block's Image_Size field says the base block gives only the aspect "
             "ratio, though the display fits the base block's 255 cm and its size belongs there");
    } else if (field == kImageSizeFiveCm) {
        if (widthMm < 2550 && heightMm < 2550) {
            Fail(sink, DiagnosticCode::HdmiImageSizeUnit, at,
                 "the HDMI block's Image_Size field counts the base block's screen size in 5 cm "
                 "units, which are for displays of 255 cm or more only");
        } else {
            Warn(sink, DiagnosticCode::HdmiImageSizeUnit, at,
                 "the HDMI block's Image_Size field counts the base block's screen size in 5 cm "
                 "units; a native video resolution block gives the size exactly");
        }
    }
}

void Resolve(const CtaPending& p, Walk& walk, uint32_t ctaDtds) {
    const CtaCheckState& st = walk.cta;
    const DiagnosticSink sink = WholeSinkOf(walk, p.block);
    const std::size_t at = p.offset;
    switch (p.kind) {
    case CtaPendingKind::HdmiVicsListed:
        if ((st.vicsOfHdmiVics & p.value) != p.value) {
            Fail(sink, DiagnosticCode::HdmiVicWithoutVic, at,
                 "the HDMI block lists HDMI VICs whose CTA-861 VICs (95, 94, 93, 98 for HDMI "
                 "VICs 1 to 4) no video data block lists");
        }
        break;
    case CtaPendingKind::UhdVicBit: {
        const bool related = (st.vicsOfHdmiVics & p.extra) != 0;
        if (p.value != 0 && !related) {
            Fail(sink, DiagnosticCode::HdmiForumUhdVicMismatch, at,
                 "the HDMI Forum block sets its UHD VIC bit, but no HDMI VIC is listed with its "
                 "CTA-861 VIC");
        } else if (p.value == 0 && related) {
            Fail(sink, DiagnosticCode::HdmiForumUhdVicMismatch, at,
                 "HDMI VICs are listed with their CTA-861 VICs, but the HDMI Forum block's UHD "
                 "VIC bit (bit 3 of its fourth byte) is clear");
        }
        break;
    }
    case CtaPendingKind::Ycbcr420OnlyVic:
        if (st.listedVics[p.value]) {
            Fail(sink, DiagnosticCode::CtaYcbcr420VicAlsoRegular, at,
                 "VIC " + to_string(p.value) +
                     " of a YCbCr 4:2:0 video data block, which is "
                     "for formats shown only as 4:2:0, is listed by a video data block too");
        }
        break;
    case CtaPendingKind::HdmiImageSize:
        CheckImageSizeField(p.value, sink, at, walk);
        break;
    case CtaPendingKind::LargePreferredFormat:
        if (!st.nativeResolutionBlock) {
            Warn(sink, DiagnosticCode::CtaLargeFormatWithoutNvrdb, at,
                 "the video format preference data block names a format 4096 pixels wide or "
                 "high, which detailed timings cannot hold, without a native video resolution "
                 "data block");
        }
        break;
    case CtaPendingKind::VideoReference:
        ResolveVideoReference(p, Within(sink, at), walk, ctaDtds);
        break;
    case CtaPendingKind::RoomConfiguration: {
        const bool located = (p.value & 0x20) != 0;
        if (located != st.speakerLocationBlock) {
            Fail(sink, DiagnosticCode::CtaRoomConfigurationInvalid, at,
                 std::string("the room configuration data block's SLD flag (bit 5) is ") +
                     (located ? "set, but no speaker location data block follows"
                              : "clear, but a speaker location data block is present"));
        }
        if (p.extra != 0 && (p.value & 0x80) == 0 && !st.speakerCoordinates) {
            Warn(sink, DiagnosticCode::CtaRoomConfigurationInvalid, at,
                 "the room configuration data block holds maximum coordinates, though neither "
                 "its Display flag nor any speaker location gives coordinates");
        }
        break;
    }
    case CtaPendingKind::ActiveSpeakers:
        if (p.value != st.roomSpeakerCount) {
            Fail(sink, DiagnosticCode::CtaSpeakerLocationInvalid, at,
                 "the speaker location data block marks " + to_string(p.value) +
                     " speakers active, but the room configuration data block counts " +
                     to_string(st.roomSpeakerCount));
        }
        break;
    }
}

// The native video resolution block's image size, when the base block could
// hold it, against the base block's screen size.
void CheckNativeImageSize(Walk& walk) {
    const CtaCheckState& st = walk.cta;
    const uint32_t width = st.nativeImageWidth;
    const uint32_t height = st.nativeImageHeight;
    if (width == 0 || width >= kLargeDisplay || height >= kLargeDisplay) {
        return;
    }
    const auto [widthMm, heightMm] = ScreenMm(walk.info, st);
    const auto apart = [](uint32_t a, uint32_t b) { return (a > b ? a - b : b - a) >= 100; };
    if (apart(width, widthMm * 10) || apart(height, heightMm * 10)) {
        Fail(WholeSinkOf(walk, std::nullopt), DiagnosticCode::CtaNvrdbSizeMismatch, std::nullopt,
             "the native video resolution data block gives an image size of " +
                 to_string(width / 10) + " by " + to_string(height / 10) +
                 " mm, 1 cm or more off the base block's screen size of " + to_string(widthMm) +
                 " by " + to_string(heightMm) + " mm");
    }
}

// The first 4:2:0 capability map, against the short video descriptors of
// every video data block.
void CheckYcbcr420Map(Walk& walk) {
    const CtaInfo& cta = *walk.info.cta;
    const auto map = std::find_if(cta.dataBlocks.begin(), cta.dataBlocks.end(),
                                  [](const CtaDataBlock& b) { return IsExtended(b, 0x0F); });
    if (map == cta.dataBlocks.end() || !cta.ycbcr420CapabilityMap ||
        cta.ycbcr420CapabilityMap->empty()) {
        return;
    }
    const std::vector<uint8_t>& bits = *cta.ycbcr420CapabilityMap;
    const DiagnosticSink sink = WholeSinkOf(walk, map->block);
    if (std::all_of(bits.begin(), bits.end(), [](uint8_t b) { return b == 0; })) {
        Fail(sink, DiagnosticCode::CtaYcbcr420MapInvalid, std::nullopt,
             "the YCbCr 4:2:0 capability map flags no VIC; an empty map (length 1) stands for "
             "all of them");
        return;
    }
    const std::size_t svds = cta.svdBytes.size();
    std::size_t last = 0;
    for (std::size_t n = 0; n < bits.size() * 8; ++n) {
        if (((bits[n / 8] >> (n % 8)) & 1) == 0) {
            continue;
        }
        last = n;
        if (n >= svds) {
            continue;
        }
        const uint8_t code = cta.svdBytes[n];
        const uint32_t vic = (code & 0x7F) <= 64 ? code & 0x7Fu : code;
        if (walk.cta.vicsSeen[1][vic]) {
            Fail(sink, DiagnosticCode::CtaYcbcr420VicAlsoRegular, std::nullopt,
                 "the YCbCr 4:2:0 capability map flags VIC " + to_string(vic) +
                     ", which a YCbCr 4:2:0 video data block lists as shown only as 4:2:0");
        }
    }
    if (last >= svds) {
        Fail(sink, DiagnosticCode::CtaYcbcr420MapInvalid, std::nullopt,
             "the YCbCr 4:2:0 capability map flags short video descriptor " + to_string(last + 1) +
                 ", but the video data blocks hold " + to_string(svds));
    }
}

} // namespace

bool UsesSrgbColour(const EdidInfo& info) {
    if (info.features && info.features->srgbDefault) {
        return true;
    }
    if (!info.chromaticity) {
        return false;
    }
    // sRGB's primaries and white point in the 10-bit units of bytes 25 to 34.
    constexpr double kSrgb[8] = {655, 338, 307, 614, 154, 61, 320, 337};
    const Chromaticity& c = *info.chromaticity;
    const double given[8] = {c.red.x,  c.red.y,  c.green.x, c.green.y,
                             c.blue.x, c.blue.y, c.white.x, c.white.y};
    return std::equal(std::begin(given), std::end(given), std::begin(kSrgb),
                      [](double a, double b) { return a * 1024 == b; });
}

void CheckCtaWholeEdid(Walk& walk) {
    const EdidInfo& info = walk.info;
    if (!info.cta) {
        return;
    }
    const CtaInfo& cta = *info.cta;
    const auto first = std::find_if(info.blocks.begin(), info.blocks.end(),
                                    [](const BlockInfo& b) { return b.type == BlockType::Cta861; });
    if (first != info.blocks.end()) {
        const DiagnosticSink sink = WholeSinkOf(walk, first->index);
        // The first CTA-861 block's requirement: a block of its own, or of
        // a DisplayID section before it, meets it; later ones do not.
        if (std::none_of(cta.dataBlocks.begin(), cta.dataBlocks.end(), [&](const CtaDataBlock& b) {
                return IsExtended(b, 0x00) && b.block <= first->index;
            })) {
            Fail(sink, DiagnosticCode::CtaMissingVcdb, std::nullopt,
                 "no video capability data block: a source cannot tell whether the RGB "
                 "quantization range is selectable");
        }
        if (!UsesSrgbColour(info) &&
            std::none_of(cta.dataBlocks.begin(), cta.dataBlocks.end(), [&](const CtaDataBlock& b) {
                return IsExtended(b, 0x05) && InCtaBlock(info, b);
            })) {
            Warn(sink, DiagnosticCode::CtaSrgbColorimetryMissing, std::nullopt,
                 "neither the base block nor a colorimetry data block says sRGB: sources cannot "
                 "tell that RGB means sRGB");
        }
    }
    CheckNativeImageSize(walk);
    const uint32_t ctaDtds = static_cast<uint32_t>(
        std::count_if(info.detailedTimings.begin(), info.detailedTimings.end(),
                      [](const TimingInfo& t) { return t.source != BlockType::DisplayId; }));
    for (uint32_t i = 0; i < walk.cta.pendingCount; ++i) {
        Resolve(walk.cta.pending[i], walk, ctaDtds);
    }
    CheckYcbcr420Map(walk);
}

} // namespace moniquet
