// The base block's display and timing information.
#include "cli/info_describe.h"

#include "cli/number_text.h"
#include "moniquet/value_names.h"

#include <array>

namespace moniquet {

namespace {

constexpr int kRateDecimals = 6;
constexpr int kRateTextDecimals = 3;
constexpr int kChromaticityDecimals = 4;

// The decimals of MHz that a clock stored in steps of `stepKHz` has: 2 for
// 10 kHz, 3 for 1 kHz. Fewer would round off what the EDID stores, more
// would show digits it cannot hold.
int ClockDecimals(uint32_t stepKHz) {
    int decimals = 3;
    for (; decimals > 0 && stepKHz != 0 && stepKHz % 10 == 0; stepKHz /= 10) {
        --decimals;
    }
    return decimals;
}

void DescribeVideoInput(InfoOutput& out, const std::optional<VideoInput>& input) {
    if (!input) {
        Null(out, "video_input", "");
        return;
    }
    BeginObject(out, "video_input", "", JsonLayout::Inline, TextShow::Items);
    Bool(out, "digital", "", input->digital);
    Unsigned(out, "bit_depth", "Bit depth", input->bitDepth, " bits");
    Name(out, "interface", "Interface",
         input->interface ? DigitalInterfaceName(*input->interface) : std::nullopt);
    BeginArray(out, "analog_sync", "Analog sync", JsonLayout::Inline, TextShow::Joined);
    for (const auto& [supported, name] :
         {std::pair{input->separateSync, "separate"}, std::pair{input->compositeSync, "composite"},
          std::pair{input->syncOnGreen, "sync_on_green"}}) {
        if (supported) {
            Name(out, "", "", std::string_view(name));
        }
    }
    End(out);
    End(out);
}

void DescribeFeatures(InfoOutput& out, const std::optional<Features>& f) {
    Fixed(out, "gamma", "Gamma", f ? f->gamma : std::nullopt, 2, 2);
    if (f) {
        BeginObject(out, "dpms", "DPMS", JsonLayout::Inline, TextShow::Joined);
        for (const auto& [supported, name] :
             {std::pair{f->standby, "standby"}, std::pair{f->suspend, "suspend"},
              std::pair{f->activeOff, "off"}}) {
            if (out.json != nullptr) {
                Bool(out, name, "", supported);
            } else if (supported) {
                Name(out, "", "", std::string_view(name));
            }
        }
        End(out);
    } else {
        Null(out, "dpms", "DPMS");
    }
    Name(out, "color_type", "Color type",
         f && f->colorType ? std::optional(ColorTypeName(*f->colorType)) : std::nullopt);
    if (f && f->colorFormats) {
        BeginArray(out, "color_formats", "Color formats", JsonLayout::Inline, TextShow::Joined);
        Name(out, "", "", std::string_view("RGB 4:4:4"));
        if ((*f->colorFormats & 1) != 0) {
            Name(out, "", "", std::string_view("YCbCr 4:4:4"));
        }
        if ((*f->colorFormats & 2) != 0) {
            Name(out, "", "", std::string_view("YCbCr 4:2:2"));
        }
        End(out);
    } else {
        Null(out, "color_formats", "Color formats");
    }
    Bool(out, "srgb_default", "sRGB default", f ? std::optional(f->srgbDefault) : std::nullopt);
    Bool(out, "first_timing_preferred", "First timing preferred",
         f ? std::optional(f->firstTimingPreferred) : std::nullopt);
    Bool(out, "continuous_frequency", "Continuous frequency",
         f ? f->continuousFrequency : std::nullopt);
    Bool(out, "gtf_supported", "GTF supported", f ? f->gtfSupported : std::nullopt);
}

void DescribeChromaticity(InfoOutput& out, const std::optional<Chromaticity>& c) {
    if (!c) {
        Null(out, "chromaticity", "Chromaticity");
        return;
    }
    BeginObject(out, "chromaticity", "", JsonLayout::Inline, TextShow::Items);
    struct Primary {
        std::string_view key;
        std::string_view label;
        ChromaticityPoint point;
    };
    for (const auto& [key, label, point] :
         {Primary{"red", "Red", c->red}, Primary{"green", "Green", c->green},
          Primary{"blue", "Blue", c->blue}, Primary{"white", "White point", c->white}}) {
        BeginArray(out, key, label, JsonLayout::Inline, TextShow::Joined);
        Fixed(out, "", "", point.x, kChromaticityDecimals, kChromaticityDecimals);
        Fixed(out, "", "", point.y, kChromaticityDecimals, kChromaticityDecimals);
        End(out);
    }
    End(out);
}

// "640x480@59.940".
std::string ModeText(uint32_t width, uint32_t height, bool interlaced, std::optional<double> hz,
                     int decimals) {
    return SizeText(width, height, interlaced) + "@" + (hz ? FixedText(*hz, decimals) : "-");
}

void DescribeEstablished(InfoOutput& out, const std::vector<ModeTiming>& modes) {
    BeginArray(out, "established_timings", "Established", JsonLayout::Lines, TextShow::Joined);
    for (const ModeTiming& m : modes) {
        if (IsText(out)) {
            TextLine(out, "",
                     ModeText(m.width, m.height, m.interlaced, m.refreshHz, kRateTextDecimals));
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "width", "", m.width);
        Unsigned(out, "height", "", m.height);
        Fixed(out, "refresh_hz", "", m.refreshHz, kRateDecimals, kRateTextDecimals);
        Bool(out, "interlaced", "", m.interlaced);
        End(out);
    }
    End(out);
}

void DescribeStandard(InfoOutput& out, const std::vector<StandardTiming>& timings) {
    BeginArray(out, "standard_timings", "Standard", JsonLayout::Lines, TextShow::Joined);
    for (const StandardTiming& t : timings) {
        if (IsText(out)) {
            TextLine(out, "",
                     SizeText(t.width, t.height, false) + "@" + UnsignedText(t.refreshHzNominal) +
                         " (" + std::string(StandardAspectName(t)) + ")");
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "width", "", t.width);
        Unsigned(out, "height", "", t.height);
        Name(out, "aspect", "", StandardAspectName(t));
        Unsigned(out, "refresh_hz_nominal", "", t.refreshHzNominal);
        End(out);
    }
    End(out);
}

void DescribeDescriptors(InfoOutput& out, const std::vector<DescriptorContent>& kinds) {
    BeginArray(out, "descriptors", "Descriptors", JsonLayout::Inline, TextShow::Joined);
    for (const DescriptorContent kind : kinds) {
        if (IsText(out)) {
            TextLine(out, "", DescriptorContentName(kind));
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Name(out, "kind", "", DescriptorContentName(kind));
        End(out);
    }
    End(out);
}

// "48/32/80 +": front porch, sync and back porch, which may be below 0.
std::string SyncText(uint32_t front, uint32_t sync, int32_t back, std::optional<bool> positive) {
    std::string text = UnsignedText(front) + "/" + UnsignedText(sync) + "/" + SignedText(back);
    return positive ? text + (*positive ? " +" : " -") : text;
}

std::string TimingText(const TimingInfo& t) {
    std::string text = SizeText(t.width, t.height, t.interlaced) + ", ";
    text += t.refreshHz ? FixedText(*t.refreshHz, kRateTextDecimals) + " Hz, " : "- Hz, ";
    text += FixedText(t.pixelClockKHz / 1000.0, ClockDecimals(t.pixelClockStepKHz)) + " MHz, ";
    if (t.imageWidthMm && t.imageHeightMm) {
        text += UnsignedText(*t.imageWidthMm) + " x " + UnsignedText(*t.imageHeightMm) + " mm, ";
    }
    text += "block " + UnsignedText(t.block);
    if (t.preferred) {
        text += ", preferred";
    }
    text += "; H " + SyncText(t.hFrontPorch, t.hSync, t.hBackPorch, t.hSyncPositive);
    text += ", V " + SyncText(t.vFrontPorch, t.vSync, t.vBackPorch, t.vSyncPositive);
    if (t.hBorder != 0 || t.vBorder != 0) {
        text += ", borders " + UnsignedText(t.hBorder) + "/" + UnsignedText(t.vBorder);
    }
    return text;
}

void DescribeDetailedTimings(InfoOutput& out, const std::vector<TimingInfo>& timings) {
    if (timings.empty()) {
        TextLine(out, "Timing", "-");
    }
    BeginArray(out, "detailed_timings", "", JsonLayout::Lines, TextShow::Items);
    uint64_t number = 0;
    for (const TimingInfo& t : timings) {
        if (IsText(out)) {
            TextLine(out, "Timing " + UnsignedText(++number), TimingText(t));
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "block", "", t.block);
        Unsigned(out, "width", "", t.width);
        Unsigned(out, "height", "", t.height);
        Bool(out, "interlaced", "", t.interlaced);
        Fixed(out, "refresh_hz", "", t.refreshHz, kRateDecimals, kRateTextDecimals);
        const int clockDecimals = ClockDecimals(t.pixelClockStepKHz);
        Fixed(out, "pixel_clock_mhz", "", t.pixelClockKHz / 1000.0, clockDecimals, clockDecimals);
        if (t.imageWidthMm && t.imageHeightMm) {
            BeginObject(out, "image_size_mm", "", JsonLayout::Inline, TextShow::Hidden);
            Unsigned(out, "width", "", t.imageWidthMm);
            Unsigned(out, "height", "", t.imageHeightMm);
            End(out);
        } else {
            Null(out, "image_size_mm", "");
        }
        Name(out, "source", "", BlockTypeName(t.source));
        Bool(out, "preferred", "", t.preferred);
        Unsigned(out, "h_front_porch", "", t.hFrontPorch);
        Unsigned(out, "h_sync", "", t.hSync);
        Signed(out, "h_back_porch", "", t.hBackPorch);
        Unsigned(out, "v_front_porch", "", t.vFrontPorch);
        Unsigned(out, "v_sync", "", t.vSync);
        Signed(out, "v_back_porch", "", t.vBackPorch);
        Bool(out, "h_sync_positive", "", t.hSyncPositive);
        Bool(out, "v_sync_positive", "", t.vSyncPositive);
        Unsigned(out, "h_border", "", t.hBorder);
        Unsigned(out, "v_border", "", t.vBorder);
        End(out);
    }
    End(out);
}

void DescribeRangeLimits(InfoOutput& out, const std::optional<RangeLimits>& r) {
    if (!r) {
        Null(out, "range_limits", "Range limits");
        return;
    }
    if (IsText(out)) {
        std::string text = UnsignedText(r->minVHz) + "-" + UnsignedText(r->maxVHz) + " Hz V, " +
                           UnsignedText(r->minHKHz) + "-" + UnsignedText(r->maxHKHz) + " kHz H";
        if (r->maxPixelClockMHz) {
            text += ", max " + UnsignedText(*r->maxPixelClockMHz) + " MHz";
        }
        TextLine(out, "Range limits",
                 text + " (" + std::string(RangeSubtypeName(r->subtype)) + ")");
    }
    BeginObject(out, "range_limits", "", JsonLayout::Inline, TextShow::Hidden);
    Unsigned(out, "min_v_hz", "", r->minVHz);
    Unsigned(out, "max_v_hz", "", r->maxVHz);
    Unsigned(out, "min_h_khz", "", r->minHKHz);
    Unsigned(out, "max_h_khz", "", r->maxHKHz);
    Unsigned(out, "max_pixel_clock_mhz", "", r->maxPixelClockMHz);
    Name(out, "subtype", "", RangeSubtypeName(r->subtype));
    End(out);
}

} // namespace

void DescribeDisplay(InfoOutput& out, const EdidInfo& info) {
    Section(out, "Display");
    Bool(out, "digital", "", info.digital);
    TextLine(out, "Input", info.digital ? (*info.digital ? "digital" : "analog") : "-");
    DescribeVideoInput(out, info.videoInput);
    const auto& size = info.screenSizeCm;
    if (size) {
        if (IsText(out)) {
            TextLine(out, "Screen size",
                     UnsignedText(size->width) + " x " + UnsignedText(size->height) + " cm");
        }
        BeginObject(out, "screen_size_cm", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "width", "", size->width);
        Unsigned(out, "height", "", size->height);
        End(out);
    } else {
        Null(out, "screen_size_cm", "Screen size");
    }
    Fixed(out, "diagonal_inches", "Diagonal", info.diagonalInches, 1, 1, " in");
    DescribeFeatures(out, info.features);
    DescribeChromaticity(out, info.chromaticity);
}

void DescribeTimings(InfoOutput& out, const EdidInfo& info) {
    Section(out, "Timings");
    DescribeEstablished(out, info.establishedTimings);
    DescribeStandard(out, info.standardTimings);
    DescribeDescriptors(out, info.descriptors);
    DescribeDetailedTimings(out, info.detailedTimings);
    DescribeRangeLimits(out, info.rangeLimits);
}

} // namespace moniquet
