// What the CTA-861 data blocks say.
#include "cli/info_describe.h"

#include <array>

namespace {

constexpr int kLuminanceDecimals = 6;
constexpr int kLuminanceTextDecimals = 3;

void DescribeHdr(InfoOutput& out, const std::optional<HdrStaticMetadata>& hdr) {
    if (!hdr) {
        Null(out, "hdr", "HDR");
        return;
    }
    BeginObject(out, "hdr", "", JsonLayout::Inline, TextShow::Items);
    if (hdr->eotfs) {
        BeginArray(out, "eotfs", "HDR EOTFs", JsonLayout::Inline, TextShow::Joined);
        static constexpr std::pair<uint8_t, std::string_view> kNames[] = {
            {kEotfSdr, "sdr"}, {kEotfHdr, "hdr"}, {kEotfPq, "pq"}, {kEotfHlg, "hlg"}};
        bool any = false;
        for (const auto& [bit, name] : kNames) {
            if ((*hdr->eotfs & bit) != 0) {
                Name(out, "", "", name);
                any = true;
            }
        }
        if (!any) {
            TextLine(out, "", "none");
        }
        End(out);
    } else {
        Null(out, "eotfs", "HDR EOTFs");
    }
    Fixed(out, "max_luminance_cd_m2", "HDR max", hdr->maxLuminance, kLuminanceDecimals,
          kLuminanceTextDecimals, " cd/m2");
    Fixed(out, "max_frame_average_cd_m2", "HDR frame avg", hdr->maxFrameAverageLuminance,
          kLuminanceDecimals, kLuminanceTextDecimals, " cd/m2");
    Fixed(out, "min_luminance_cd_m2", "HDR min", hdr->minLuminance, kLuminanceDecimals,
          kLuminanceTextDecimals, " cd/m2");
    End(out);
}

} // namespace

void DescribeCta(InfoOutput& out, const std::optional<CtaInfo>& cta) {
    if (!cta) {
        Null(out, "cta", "");
        return;
    }
    Section(out, "CTA-861");
    BeginObject(out, "cta", "", JsonLayout::Lines, TextShow::Items);
    BeginArray(out, "vics", "VICs", JsonLayout::Inline, TextShow::Joined);
    for (const uint32_t vic : cta->vics) {
        Unsigned(out, "", "", vic);
    }
    End(out);
    DescribeHdr(out, cta->hdr);
    End(out);
}
