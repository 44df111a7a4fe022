"""edid-decode's check messages that weigh timings against each other or against tables and
limits (range limits, DMT and VIC tables, native and preferred formats, required formats, the
HDMI clock), and the codes of ours they map to: (pattern matched at the start of the message,
code)."""

DTD = r'Detailed Timing Descriptor #\d+: '

MESSAGES = [
    (r'Base EDID: Some timings are out of range of the Monitor Ranges', 'timings-out-of-range'),
    (DTD + r'DTD is identical to VIC \d+, which is not present in the CTA Ext Block',
     'dtd-vic-not-listed'),
    (DTD + r'DTD is similar but not identical to (DMT|VIC)', 'dtd-near-standard-timing'),
    (r'Required 640x480p60 timings are missing', 'required-timing-missing'),
    (r'CTA-861: Native progressive timings are a mix', 'native-timings-mixed'),
    (r'CTA-861: Multiple native progressive timings', 'native-timings-mixed'),
    (r'CTA-861: (A native interlaced timing is present|Multiple native interlaced timings|'
     r'Native interlaced timings are a mix)', 'native-interlaced-timing'),
    (r'CTA-861: Native (progressive|interlaced) resolution of .* is smaller than the max '
     r'preferred', 'native-smaller-than-preferred'),
    (r'No Native Video Resolution was defined', 'native-resolution-missing'),
    (r'CTA-861: The maximum HDMI TMDS clock is', 'hdmi-tmds-clock-exceeded'),
    (r'Video Data Block: (VIC \d+ and the first DTD are not identical|The first VIC \d+ has '
     r'width or height >= 4096)', 'cta-first-vic-not-first-dtd'),
    (r'Video Data Block: All VICs are in ascending order', 'cta-vics-ascending'),
    (r'Video Data Block: For improved preferred timing interoperability', 'cta-preferred-vic-hint'),
    (r'YCbCr 4:2:0 (Capability Map|Video) Data Block: Some YCbCr 4:2:0 timings are invalid for '
     r'HDMI', 'cta-ycbcr420-below-hdmi-rate'),
]

NOT_COMPARED = set()
