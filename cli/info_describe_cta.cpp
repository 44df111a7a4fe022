// What the CTA-861 data blocks say.
#include "cli/info_describe.h"
#include "cli/info_describe_fields.h"

#include "cli/number_text.h"
#include "moniquet/cta_names.h"
#include "moniquet/value_names.h"

#include <array>

namespace moniquet {

namespace {

constexpr int kLuminanceDecimals = 6;
constexpr int kLuminanceTextDecimals = 3;
constexpr int kRateDecimals = 6;
constexpr int kRateTextDecimals = 3;

void Numbers(InfoOutput& out, std::string_view key, std::string_view label,
             const std::vector<uint32_t>& numbers) {
    BeginArray(out, key, label, JsonLayout::Inline, TextShow::Joined);
    for (const uint32_t number : numbers) {
        Unsigned(out, "", "", number);
    }
    End(out);
}

void Names(InfoOutput& out, std::string_view key, std::string_view label,
           std::optional<uint32_t> bits, std::optional<std::string_view> (*name)(unsigned)) {
    BeginArray(out, key, label, JsonLayout::Inline, TextShow::Joined);
    for (unsigned bit = 0; bits && bit < 32; ++bit) {
        if (((*bits >> bit) & 1u) != 0) {
            if (const auto text = name(bit)) {
                Name(out, "", "", text);
            }
        }
    }
    End(out);
}

void DescribeHeader(InfoOutput& out, const CtaInfo& cta) {
    Unsigned(out, "revision", "Revision", cta.revision);
    Bool(out, "underscan", "Underscan", cta.underscan);
    Bool(out, "basic_audio", "Basic audio", cta.basicAudio);
    Bool(out, "ycbcr444", "YCbCr 4:4:4", cta.ycbcr444);
    Bool(out, "ycbcr422", "YCbCr 4:2:2", cta.ycbcr422);
    Unsigned(out, "native_dtds", "Native DTDs", cta.nativeDtds);
}

// "VIC 16: 1920x1080@60.000 16:9, native".
std::string VideoText(const CtaVideo& v) {
    std::string text = "VIC " + UnsignedText(v.vic);
    if (v.mode) {
        text += ": " + SizeText(v.mode->width, v.mode->height, v.mode->interlaced) + "@" +
                FixedText(v.mode->refreshHz, kRateTextDecimals) + " " +
                std::string(VicAspect(v.vic).value_or(""));
    } else {
        text += ": unknown";
    }
    return v.native.value_or(false) ? text + ", native" : text;
}

void DescribeVideo(InfoOutput& out, const std::vector<CtaVideo>& video) {
    if (video.empty()) {
        TextLine(out, "Video", "-");
    }
    BeginArray(out, "video", "", JsonLayout::Lines, TextShow::Items);
    for (const CtaVideo& v : video) {
        TextLine(out, "Video", IsText(out) ? VideoText(v) : "");
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "vic", "", v.vic);
        Bool(out, "native", "", v.native);
        Unsigned(out, "width", "", v.mode ? std::optional<uint64_t>(v.mode->width) : std::nullopt);
        Unsigned(out, "height", "",
                 v.mode ? std::optional<uint64_t>(v.mode->height) : std::nullopt);
        Fixed(out, "refresh_hz", "", v.mode ? std::optional(v.mode->refreshHz) : std::nullopt,
              kRateDecimals, kRateTextDecimals);
        Bool(out, "interlaced", "", v.mode ? std::optional(v.mode->interlaced) : std::nullopt);
        Name(out, "aspect", "", VicAspect(v.vic));
        End(out);
    }
    End(out);
}

std::string SampleRateText(uint32_t tenths) {
    return tenths % 10 == 0 ? UnsignedText(tenths / 10) : FixedText(tenths / 10.0, 1);
}

// "LPCM, 2 ch, 32/44.1/48 kHz, 16/20/24 bits".
std::string AudioText(const CtaAudio& a) {
    std::string text(AudioFormatName(a).value_or("reserved"));
    if (a.maxChannels) {
        text += ", " + UnsignedText(*a.maxChannels) + " ch";
    }
    std::string rates;
    for (unsigned bit = 0; SampleRateHz(bit); ++bit) {
        if (((a.sampleRates >> bit) & 1u) != 0) {
            // Appended in steps: g++ 12 takes "/" + a temporary for an overlap.
            rates += rates.empty() ? "" : "/";
            rates += SampleRateText(*SampleRateHz(bit) / 100);
        }
    }
    text += ", " + (rates.empty() ? "-" : rates) + " kHz";
    std::string sizes;
    for (unsigned bit = 0; SampleSizeBits(bit); ++bit) {
        if (((a.sampleSizes >> bit) & 1u) != 0) {
            sizes += sizes.empty() ? "" : "/";
            sizes += UnsignedText(*SampleSizeBits(bit));
        }
    }
    if (!sizes.empty()) {
        text += ", " + sizes + " bits";
    }
    if (a.maxBitrateKbps) {
        text += ", max " + UnsignedText(*a.maxBitrateKbps) + " kb/s";
    }
    return text;
}

void DescribeAudio(InfoOutput& out, const std::vector<CtaAudio>& audio) {
    if (audio.empty()) {
        TextLine(out, "Audio", "-");
    }
    BeginArray(out, "audio", "", JsonLayout::Lines, TextShow::Items);
    for (const CtaAudio& a : audio) {
        TextLine(out, "Audio", IsText(out) ? AudioText(a) : "");
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Name(out, "format", "", AudioFormatName(a));
        Unsigned(out, "max_channels", "", a.maxChannels);
        BeginArray(out, "sample_rates_khz", "", JsonLayout::Inline, TextShow::Hidden);
        for (unsigned bit = 0; SampleRateHz(bit); ++bit) {
            if (((a.sampleRates >> bit) & 1u) != 0) {
                const uint32_t tenths = *SampleRateHz(bit) / 100;
                tenths % 10 == 0 ? Unsigned(out, "", "", tenths / 10)
                                 : Fixed(out, "", "", tenths / 10.0, 1, 1);
            }
        }
        End(out);
        BeginArray(out, "sample_sizes_bits", "", JsonLayout::Inline, TextShow::Hidden);
        for (unsigned bit = 0; SampleSizeBits(bit); ++bit) {
            if (((a.sampleSizes >> bit) & 1u) != 0) {
                Unsigned(out, "", "", *SampleSizeBits(bit));
            }
        }
        End(out);
        Unsigned(out, "max_bitrate_kbps", "", a.maxBitrateKbps);
        End(out);
    }
    End(out);
}

void DescribeHdmi(InfoOutput& out, const std::optional<CtaHdmi>& hdmi) {
    if (!hdmi) {
        Null(out, "hdmi", "HDMI");
        return;
    }
    BeginObject(out, "hdmi", "", JsonLayout::Inline, TextShow::Items);
    // One hex digit a nibble, as CEC and every tool write it: "1.b.c.0".
    std::optional<std::string> address;
    if (const auto& a = hdmi->physicalAddress) {
        address.emplace();
        for (const uint32_t nibble : *a) {
            *address += address->empty() ? "" : ".";
            *address += "0123456789abcdef"[nibble & 0xF];
        }
    }
    Name(out, "physical_address", "HDMI address", address);
    Unsigned(out, "max_tmds_mhz", "HDMI max TMDS", hdmi->maxTmdsMHz, " MHz");
    BeginArray(out, "deep_color_bits", "HDMI deep colour", JsonLayout::Inline, TextShow::Joined);
    for (const uint32_t bits : hdmi->deepColorBits) {
        Unsigned(out, "", "", bits);
    }
    End(out);
    Bool(out, "supports_ai", "HDMI supports AI", hdmi->supportsAi);
    End(out);
}

void DescribeHdmiForum(InfoOutput& out, const std::optional<CtaHdmiForum>& forum) {
    if (!forum) {
        Null(out, "hdmi_forum", "HDMI Forum");
        return;
    }
    BeginObject(out, "hdmi_forum", "", JsonLayout::Inline, TextShow::Items);
    Unsigned(out, "version", "HDMI Forum version", forum->version);
    Unsigned(out, "max_tmds_mhz", "HDMI Forum max TMDS", forum->maxTmdsMHz, " MHz");
    Bool(out, "scdc", "SCDC", forum->scdc);
    Unsigned(out, "max_frl_gbps", "Max FRL", forum->maxFrlGbps, " Gbps");
    Unsigned(out, "vrr_min_hz", "VRR min", forum->vrrMinHz, " Hz");
    Unsigned(out, "vrr_max_hz", "VRR max", forum->vrrMaxHz, " Hz");
    Bool(out, "allm", "ALLM", forum->allm);
    Bool(out, "dsc", "DSC 1.2a", forum->dsc);
    End(out);
}

void DescribeFreeSync(InfoOutput& out, const std::optional<CtaFreeSync>& sync) {
    if (!sync) {
        Null(out, "freesync", "FreeSync");
        return;
    }
    BeginObject(out, "freesync", "", JsonLayout::Inline, TextShow::Items);
    std::optional<std::string> version;
    if (sync->versionMajor && sync->versionMinor) {
        version = UnsignedText(*sync->versionMajor) + "." + UnsignedText(*sync->versionMinor);
    }
    Name(out, "version", "FreeSync version", version);
    Unsigned(out, "min_hz", "FreeSync min", sync->minHz, " Hz");
    Unsigned(out, "max_hz", "FreeSync max", sync->maxHz, " Hz");
    End(out);
}

void DescribeVideoCapability(InfoOutput& out, const std::optional<CtaVideoCapability>& cap) {
    if (!cap) {
        Null(out, "video_capability", "Video capability");
        return;
    }
    BeginObject(out, "video_capability", "", JsonLayout::Inline, TextShow::Items);
    Bool(out, "qy", "YCbCr range selectable", cap->qy);
    Bool(out, "qs", "RGB range selectable", cap->qs);
    Name(out, "pt", "PT scan", ScanBehaviourName("PT", cap->pt));
    Name(out, "it", "IT scan", ScanBehaviourName("IT", cap->it));
    Name(out, "ce", "CE scan", ScanBehaviourName("CE", cap->ce));
    End(out);
}

void DescribeHdr(InfoOutput& out, const std::optional<HdrStaticMetadata>& hdr) {
    if (!hdr) {
        Null(out, "hdr", "HDR");
        return;
    }
    BeginObject(out, "hdr", "", JsonLayout::Inline, TextShow::Items);
    if (hdr->eotfs) {
        BeginArray(out, "eotfs", "HDR EOTFs", JsonLayout::Inline, TextShow::Joined);
        bool any = false;
        for (uint32_t bit = 1; bit <= kEotfHlg; bit <<= 1) {
            if ((*hdr->eotfs & bit) != 0) {
                Name(out, "", "", EotfName(bit));
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
    Numbers(out, "metadata_types", "HDR metadata types", hdr->metadataTypes);
    Fixed(out, "max_luminance_cd_m2", "HDR max", hdr->maxLuminance, kLuminanceDecimals,
          kLuminanceTextDecimals, " cd/m2");
    Fixed(out, "max_frame_average_cd_m2", "HDR frame avg", hdr->maxFrameAverageLuminance,
          kLuminanceDecimals, kLuminanceTextDecimals, " cd/m2");
    Fixed(out, "min_luminance_cd_m2", "HDR min", hdr->minLuminance, kLuminanceDecimals,
          kLuminanceTextDecimals, " cd/m2");
    End(out);
}

// "00-0C-03".
std::optional<std::string> OuiText(std::optional<uint32_t> oui) {
    if (!oui) {
        return std::nullopt;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 20; shift >= 0; shift -= 4) {
        text += kHex[*oui >> shift & 0xF];
        text += shift % 8 == 0 && shift != 0 ? "-" : "";
    }
    return text;
}

void DescribeVendorBlocks(InfoOutput& out, const std::vector<CtaVendorBlock>& blocks) {
    if (blocks.empty()) {
        TextLine(out, "Vendor block", "-");
    }
    BeginArray(out, "vendor_blocks", "", JsonLayout::Lines, TextShow::Items);
    for (const CtaVendorBlock& b : blocks) {
        const std::optional<std::string_view> name = b.oui ? VendorName(*b.oui) : std::nullopt;
        if (IsText(out)) {
            TextLine(out, "Vendor block",
                     OuiText(b.oui).value_or("no OUI") + " " + std::string(VendorKindName(b.kind)) +
                         (name ? " (" + std::string(*name) + ")" : ""));
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Name(out, "oui", "", OuiText(b.oui));
        Name(out, "kind", "", VendorKindName(b.kind));
        Name(out, "name", "", name);
        End(out);
    }
    End(out);
}

void DescribeDataBlocks(InfoOutput& out, const std::vector<CtaDataBlock>& blocks) {
    if (blocks.empty()) {
        TextLine(out, "Data block", "-");
    }
    BeginArray(out, "data_blocks", "", JsonLayout::Lines, TextShow::Items);
    for (const CtaDataBlock& b : blocks) {
        const std::string name = CtaDataBlockName(b);
        if (IsText(out)) {
            TextLine(out, "Data block", "block " + UnsignedText(b.block) + ": " + name);
            TextFieldLines(out, b.fields);
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "block", "", b.block);
        Unsigned(out, "tag", "", b.tag);
        Unsigned(out, "extended_tag", "", b.extendedTag);
        Name(out, "name", "", name);
        JsonFields(out, "fields", b.fields);
        End(out);
    }
    End(out);
}

std::string BytesText(uint32_t count) {
    return UnsignedText(count) + (count == 1 ? " byte" : " bytes");
}

// "block 1: Audio Data Block of 5 bytes, not a multiple of 3: the 2 after
// its last whole short audio descriptor".
std::string UndecodedText(const CtaUndecoded& u, const std::vector<CtaDataBlock>& blocks) {
    const std::string where = "block " + UnsignedText(u.block) + ": ";
    const std::string dataBlock =
        u.dataBlock < blocks.size() ? CtaDataBlockName(blocks[u.dataBlock]) : "a data block";
    switch (u.kind) {
    case CtaUndecodedKind::TimingsPastBlock:
        return where + "data blocks and detailed timings, as byte 2 puts the timings at " +
               UnsignedText(u.value) + ", past the block's last byte (127)";
    case CtaUndecodedKind::DataBlockPastEnd:
        return where + dataBlock + " of " + BytesText(u.length) + ": its last " +
               UnsignedText(u.value) + " past the end of the data blocks";
    case CtaUndecodedKind::PartialShortAudio:
        return where + dataBlock + " of " + BytesText(u.length) + ", not a multiple of 3: the " +
               UnsignedText(u.value) + " after its last whole short audio descriptor";
    }
    return where;
}

// Text only: the JSON's conformity checks name the same faults.
void DescribeUndecoded(InfoOutput& out, const CtaInfo& cta) {
    if (!IsText(out)) {
        return;
    }
    for (const CtaUndecoded& u : cta.undecoded) {
        TextLine(out, "Not decoded", UndecodedText(u, cta.dataBlocks));
    }
}

} // namespace

void DescribeCta(InfoOutput& out, const std::optional<CtaInfo>& cta) {
    if (!cta) {
        Null(out, "cta", "");
        return;
    }
    Section(out, "CTA-861");
    BeginObject(out, "cta", "", JsonLayout::Lines, TextShow::Items);
    DescribeHeader(out, *cta);
    Numbers(out, "vics", "VICs", cta->vics);
    DescribeVideo(out, cta->video);
    Numbers(out, "ycbcr420_only_vics", "YCbCr 4:2:0 only", cta->ycbcr420OnlyVics);
    Numbers(out, "ycbcr420_capable_vics", "YCbCr 4:2:0 capable", cta->ycbcr420CapableVics);
    Numbers(out, "hdmi_vics", "HDMI VICs", cta->hdmiVics);
    DescribeAudio(out, cta->audio);
    Names(out, "speakers", "Speakers", cta->speakers, SpeakerName);
    DescribeHdmi(out, cta->hdmi);
    DescribeHdmiForum(out, cta->hdmiForum);
    DescribeFreeSync(out, cta->freeSync);
    Names(out, "colorimetry", "Colorimetry", cta->colorimetry, ColorimetryName);
    DescribeVideoCapability(out, cta->videoCapability);
    DescribeHdr(out, cta->hdr);
    Numbers(out, "hdr_dynamic", "HDR dynamic types", cta->hdrDynamicTypes);
    DescribeVendorBlocks(out, cta->vendorBlocks);
    DescribeDataBlocks(out, cta->dataBlocks);
    DescribeUndecoded(out, *cta);
    End(out);
}

} // namespace moniquet
