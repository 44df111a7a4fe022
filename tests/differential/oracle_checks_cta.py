"""edid-decode's check messages about CTA-861 blocks and their data blocks (the vendor blocks
of HDMI and the HDMI Forum among them), and the codes of ours they map to: (pattern matched at
the start of the message, code)."""

HDMI = r'Vendor-Specific Data Block \(HDMI\), OUI 00-0C-03: '
FORUM = r'(Vendor-Specific Data Block \(HDMI Forum\), OUI C4-5D-D8|HDMI Forum Sink Capability ' \
        r'Data Block): '

MESSAGES = [
    (r'Missing VCDB, needed for Set Selectable RGB Quantization', 'cta-missing-vcdb'),
    (r'IT Video Formats are overscanned by default', 'cta-it-overscan'),
    (r'(Add a Colorimetry Data Block with the sRGB colorimetry bit set|Colorimetry Data Block: '
     r'Set the sRGB colorimetry bit)', 'cta-srgb-colorimetry-missing'),
    (r'Offset is \d+, but should be \d+', 'cta-data-block-overrun'),
    (r'Padding: Contains non-zero bytes', 'padding-nonzero'),
    (r'Non-zero byte \d+', 'padding-nonzero'),
    (r'Audio Data Block: Audio information is present, but bit 6 of Byte 3', 'cta-basic-audio-unset'),
    (r'Audio Data Block: Broken CTA-861 audio block length', 'cta-data-block-length-invalid'),
    (r'Audio Data Block: (Obsolete|Unknown) Audio Ext Format', 'cta-audio-format-invalid'),
    (r'Audio Data Block: Bits? F', 'reserved-bits-set'),
    (r'Colorimetry Data Block: Reserved bits', 'reserved-bits-set'),
    (r'.*: Empty Data Block with length', 'cta-data-block-empty'),
    (r'Unknown CTA-861 Data Block \(extended tag truncated\): Extended tag cannot have zero length',
     'cta-data-block-empty'),
    (r'.*: Only one instance of this Data Block is allowed', 'cta-data-block-repeated'),
    (r'Unknown CTA-861 (Audio-Related |Video-Related )?Data Block \((extended )?tag',
     'cta-data-block-unknown'),
    (r'Vendor-Specific Data Block, OUI .*: Data block length \(\d+\) is not enough to contain an '
     r'OUI', 'cta-data-block-length-invalid'),
    (r'VESA (Display Transfer Characteristics|Video Display Device) Data Block: Invalid length',
     'cta-data-block-length-invalid'),
    (r'Video Format Data Block: Length - \d+ is not a multiple of', 'cta-data-block-length-invalid'),
    (r'(YCbCr 4:2:0 )?Video Data Block: Duplicate', 'cta-duplicate-vic'),
    (r'YCbCr 4:2:0 Video Data Block: YCbCr 4:2:0-only VIC \d+ is also a regular VIC',
     'cta-ycbcr420-vic-also-regular'),
    (r'(YCbCr 4:2:0 )?Video Data Block: Unknown VIC', 'cta-reserved-vic'),
    (r'Video Capability Data Block: Set Selectable RGB Quantization', 'cta-rgb-quantization-fixed'),
    (r'Video Capability Data Block: Set Selectable YCbCr Quantization', 'cta-ycbcr-quantization-fixed'),
    (r'Video Capability Data Block: IT video formats are always (over|under)scanned, but bit 7',
     'cta-it-scan-mismatch'),
    (r'Video Capability Data Block: IT scan behavior is expected to support underscanned',
     'cta-it-underscan-unsupported'),
    (r"Video Capability Data Block: ('.*' makes no sense|S_PT is equal to S_IT and S_CE)",
     'cta-scan-behaviour-redundant'),
    (HDMI + r'Endian-ness \(be\) of OUI is different than expected', 'cta-oui-byte-order'),
    (HDMI + r'HDMI VIC Codes must have their CTA-861 VIC equivalents', 'hdmi-vic-without-vic'),
    (HDMI + r'HDMI VSDB Max TMDS rate is', 'hdmi-max-tmds-invalid'),
    (HDMI + r'The HDMI Specification requires EDID 1\.3', 'hdmi-edid-version'),
    (HDMI + r"'.*' is used for a small display", 'hdmi-image-size-small'),
    (HDMI + r'Progressive and Interlaced latency values are identical', 'hdmi-latency-repeated'),
    (HDMI + r'(Interlaced v|V)ideo latency < (Interlaced a|A)udio latency', 'hdmi-video-latency-below-audio'),
    (FORUM + r'Duplicate HDMI Forum VSDB/SCDB', 'hdmi-forum-block-repeated'),
    (FORUM + r'HDMI Forum VSDB did not immediately follow the HDMI VSDB', 'cta-missing-hdmi-vsdb'),
    (FORUM + r'HDMI VIC and related CTA VIC codes are present, but the UHD VIC bit',
     'hdmi-forum-uhd-vic-unset'),
    (FORUM + r'Max TMDS rate is > 0 and <= 340 or > 600', 'hdmi-forum-max-tmds-invalid'),
    (FORUM + r'Max Fixed Rate Link is', 'hdmi-forum-frl-without-tmds'),
    (FORUM + r'VRRmin', 'hdmi-forum-vrr-invalid'),
    (FORUM + r'Unknown DSC Max Slices', 'hdmi-forum-dsc-slices-unknown'),
    (r'HDMI Forum EDID Extension Override Data Block: ', 'hdmi-eeodb-invalid'),
    (r'HDR Static Metadata Data Block: Unknown EOTF', 'cta-hdr-eotf-unknown'),
    (r'Speaker Allocation Data Block: Specifies deprecated speakers', 'cta-speakers-deprecated'),
]

NOT_COMPARED = set()
