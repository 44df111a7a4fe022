"""edid-decode's check messages about DisplayID sections and their data blocks, and the codes of
ours they map to: (pattern matched at the start of the message, code).

The CTA-861 data blocks a DisplayID section embeds (tag 0x81) are the CTA-861 family's, and so
are the DisplayID timing blocks a CTA-861 block embeds (its "DisplayID Type VII/VIII/X Video
Timing Data Block"s), whose messages edid-decode words as it words DisplayID's own: ANY below
leaves them out."""
import re


# Any data block of a DisplayID section, not one embedded in a CTA-861 block.
ANY = r'(?!DisplayID Type (VII|VIII|X) Video Timing Data Block)[^:]*: '
# The data blocks whose timings are detailed timings, with their vendor-neutral heading.
DETAILED = r'Video Timing Modes Type [1267] - Detailed Timings Data Block: '
ARVR = r'ARVR_(HMD|Layer) Data Block: '
VESA = r'Vendor-Specific Data Block \(0x7e\) \(VESA\), OUI 3A-02-92: '
PRODUCT = r'Product Identification Data Block \(0x[02]0\)[^:]*: '
VENDOR = r'Product Identification Data Block \(0x[02]0\)|Vendor-Specific Data Block \(0x7[ef]\)'

MESSAGES = [
    # The section and its header. The structure family's pattern for a block's checksum matches
    # first; refine() below tells a section's own from it.
    (r'Invalid checksum 0x', 'displayid-checksum-invalid', r'DisplayID'),
    (r'DisplayID Base Block has no product type', 'displayid-product-type-missing'),
    (r'Unknown Display Product (Type|Primary Use Case) 0x', 'displayid-reserved-value'),
    (r'Expected \d+ DisplayID Extension Blocks?, but got', 'displayid-extension-count-mismatch'),
    (r'(Product Type|Extension Count) should be 0 in extension block',
     'displayid-extension-header-invalid'),
    (r'Got version \d+\.\d+, expected \d+\.\d+', 'displayid-extension-header-invalid'),
    (r'DisplayID length \d+ is greater than 121', 'displayid-section-length-invalid'),
    (r'The length of this DisplayID data block \(\d+\) exceeds the number of bytes remaining',
     'displayid-data-block-overrun'),
    (r'(Not enough bytes remain \(\d+\) for a DisplayID data block and the DisplayID filler '
     r'is non-0|Non-0 filler bytes in the DisplayID block)', 'displayid-padding-nonzero'),
    (ANY + r'Use of DisplayID v\S+ tag for DisplayID v', 'displayid-tag-wrong-version'),
    (ANY + r'Unexpected revision \(\d+ != \d+\)', 'displayid-block-revision-unknown'),
    (ANY + r'Unexpected flags \(0x', 'displayid-block-flags-unknown'),
    (ANY + r'DisplayID payload length (is different than|is greater than|is less than|\d+ is '
     r'not a multiple of)', 'displayid-block-length-invalid'),
    (ANY + r'Length is smaller than expected', 'displayid-block-length-invalid'),
    # The last of the CTA-861 data blocks of tag 0x81 running past its end: the CTA-861
    # decoder's rule, as in a CTA-861 block. edid-decode heads it with that last block's name.
    (r'[^:]*: Length is \d+ instead of \d+\.$', 'cta-data-block-overrun'),
    # The data blocks DisplayID requires, and what one block says against another.
    (r'DisplayID: Missing DisplayID Product Identification', 'displayid-missing-product-id'),
    (r'DisplayID: Missing DisplayID Display Parameters', 'displayid-missing-parameters'),
    (r'DisplayID: Missing DisplayID Display Interface Features',
     'displayid-missing-interface-features'),
    (r'DisplayID: Missing DisplayID Stereo Display Interface', 'displayid-missing-stereo-interface'),
    (r'DisplayID: Missing DisplayID Type (I|VII) Detailed Timing',
     'displayid-missing-detailed-timing'),
    (r'DisplayID: DisplayID expects at least one preferred timing', 'displayid-no-preferred-timing'),
    (r'DisplayID: Image size mismatch', 'displayid-image-size-mismatch'),
    (ANY + r'Missing (Transfer|Color) Characteristics Data Block (with|using) Identifier',
     'displayid-color-transfer-unpaired'),
    (ANY + r'Duplicate Display Parameters Data Block', 'displayid-parameters-duplicate'),
    (ANY + r'Native resolution mismatch', 'displayid-native-format-mismatch'),
    (ANY + r'Invalid Native Pixel Format', 'displayid-native-format-invalid'),
    # Product identification and vendor-specific blocks, their vendor IDs.
    (PRODUCT + r'Product ID length is more than expected', 'displayid-block-length-invalid'),
    (PRODUCT + r'Product Identification payload length', 'displayid-block-length-invalid'),
    (PRODUCT + r'(Week of Manufacture|Model Year specified)', 'displayid-product-date-invalid'),
    (PRODUCT + r'.* is required to be the first DisplayID Data Block',
     'displayid-product-id-not-first'),
    (r'(%s)[^:]*: Data block length \(\d+\) is not enough to contain an OUI' % VENDOR,
     'displayid-block-length-invalid'),
    (r'(%s)[^:]*: (Expected PNP ID but found OUI|All zeroes OUI|Unknown OUI)' % VENDOR,
     'displayid-vendor-id-kind'),
    (r'(%s)[^:]*: Endian-ness' % VENDOR, 'displayid-oui-byte-order'),
    (VESA + r'(Reserved bit|Number of Pixels in Hor Pix Cnt Overlapping|Invalid option for '
     r'Multi-SST)', 'displayid-vesa-field-reserved'),
    # Reserved values and other fields of one block.
    (r'Display Device Data Data Block: Scan Direction used the reserved value',
     'displayid-reserved-value'),
    (r'Adaptive Sync Data Block: Use of reserved value', 'displayid-reserved-value'),
    (r'Display Parameters Data Block \(0x21\): Luminance Information field',
     'displayid-luminance-info-invalid'),
    (r'Transfer Characteristics Data Block: (Found a curve with 0 samples|Expected 5 samples|'
     r'Length \d+ is too small to hold)', 'displayid-transfer-curve-invalid'),
    (r'Tiled Display Topology Data Block \(0x(12|28)\): (Bezel information bit is set|No bezel '
     r'information)', 'displayid-tiled-bezel-inconsistent'),
    (r'Tiled Display Topology Data Block \(0x(12|28)\): Tiled Display Serial Number must be',
     'displayid-tiled-serial-missing'),
    (r'Dynamic Video Timing Range Limits Data Block: Minimum (Pixel Clock|Vertical Refresh '
     r'Rate) .* is greater than', 'displayid-range-inverted'),
    # Timing descriptors.
    (DETAILED + r'(0 or negative|0 values in the video timing)', 'invalid-detailed-timing'),
    (ANY + r'(Unknown aspect 0x|Reserved stereo 0x03|Invalid Timing Formula|VR_HB must be 0|EVS '
     r'must be 0|Additional_Vertical_Blank_Time must be 0|Delta_Horizontal_Blank must be 0|'
     r'Invalid descriptor size)', 'displayid-timing-reserved'),
    (ANY + r'Pixel Clock \(.*\) exceeds maximum', 'displayid-timing-clock-too-high'),
    (ANY + r"Unexpected use of 'custom reduced blanking'", 'displayid-timing-custom-blanking'),
    # The AR/VR blocks of DisplayID 2.1.
    (ARVR + r'Not allowed for DisplayID Extension Blocks', 'displayid-arvr-in-extension'),
    (ARVR + r'Reserved', 'displayid-arvr-reserved'),
    (ARVR + r'(Layer Metadata Support is set|.* seems unusually large|Interocular Angle|IPD '
     r'Measurement Range is non-zero)', 'displayid-arvr-suspect'),
    (ARVR, 'displayid-arvr-inconsistent'),
]

NOT_COMPARED = set()


def refine(message, output, code):
    """edid-decode words a DisplayID section's own checksum as it words a block's, and non-zero
    bytes past a section as those past a CTA-861 block's data: told apart by where they are."""
    if 'DisplayID' not in message.kind:
        return code
    if code == 'padding-nonzero':
        return 'displayid-padding-nonzero'
    m = re.match(r'Invalid checksum (0x[0-9a-f]{2}) \(should be (0x[0-9a-f]{2})\)', message.text)
    # The section's checksum line is indented under the block's heading, the block's is not.
    if code == 'checksum-invalid' and m and \
            '\n  Checksum: %s (should be %s)' % m.groups() in output.text:
        return 'displayid-checksum-invalid'
    return code
