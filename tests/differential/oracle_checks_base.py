"""edid-decode's check messages about the base block (identity, display parameters, colour,
descriptors and their texts, range limits, standard timings, each detailed timing on its own),
and the codes of ours they map to: (pattern matched at the start of the message, code)."""

DTD = r'Detailed Timing Descriptor #\d+: '
STD = r'Standard Timing(s| Identifications): '
TEXT = r'(Display Product Name|Display Product Serial Number|Alphanumeric Data String): '

MESSAGES = [
    (r'Vendor & Product Identification: Manufacturer name field contains garbage',
     'manufacturer-id-invalid'),
    (r'Vendor & Product Identification: Manufacturer name is set to CID, but there is no',
     'manufacturer-cid-without-product-id'),
    (r'Vendor & Product Identification: (EDID 1\.\d does not support week|Invalid week)',
     'manufacture-week-invalid'),
    (r'Vendor & Product Identification: The year is more than one year in the future',
     'manufacture-year-in-future'),
    (r'(Vendor & Product Identification|Display Product Serial Number): The serial number is '
     r'one of the known dummy values', 'serial-number-dummy'),
    (r'Display Product Serial Number is set, so the Serial Number in the Base EDID should be 0',
     'serial-number-with-serial-string'),
    (r'Base EDID: Multiple Display Product Serial Numbers', 'serial-string-repeated'),
    (r'Basic Display Parameters & Features: Digital Video Interface Standard set to reserved',
     'video-interface-reserved'),
    (r'Basic Display Parameters & Features: Color Bit Depth set to reserved value',
     'color-depth-reserved'),
    (r'Basic Display Parameters & Features: EDID 1\.\d requires that the first detailed timing '
     r'is the preferred timing', 'preferred-timing-bit-missing'),
    (r'Basic Display Parameters & Features: The chromaticities match sRGB, but sRGB is not '
     r'signaled', 'srgb-flag-missing'),
    (r'Basic Display Parameters & Features: sRGB is signaled, but the chromaticities do not '
     r'match', 'srgb-chromaticity-mismatch'),
    (r'Basic Display Parameters & Features: sRGB is signaled, but the gamma', 'srgb-gamma-mismatch'),
    (r'Basic Display Parameters & Features: Dubious maximum image size', 'screen-size-dubious'),
    (DTD + r'(0 or negative|0 values in the video timing|Pixelclock < 10 MHz)',
     'invalid-detailed-timing'),
    (DTD + r'Invalid detailed timing descriptor ordering', 'detailed-timing-order'),
    (DTD + r'Mismatch of image size', 'image-size-mismatch'),
    (DTD + r'Dubious image size', 'image-size-dubious'),
    (DTD + r'Image size is .*, but based on the picture AR it should be', 'image-size-aspect-mismatch'),
    (DTD + r'The use of non-zero borders in a DTD is not recommended', 'detailed-timing-borders'),
    (r'Base EDID: The DTD max image size is', 'image-size-beyond-screen'),
    (r'Display Descriptor #\d+: Monitor descriptor block has byte \d+ nonzero', 'reserved-bits-set'),
    (r'Display Descriptor #\d+: Unknown Type', 'display-descriptor-unknown'),
    (r'Display Descriptor #\d+: Has descriptor blocks other than detailed timings',
     'display-descriptor-in-edid-1-0'),
    (r'(Established timings III|CVT 3 Byte Timing Codes): Not allowed for EDID < 1\.4',
     'descriptor-needs-edid-1-4'),
    (r'CVT 3 Byte Timing Codes: ', 'cvt-code-invalid'),
    (r'EPI Descriptor: ', 'epi-descriptor-invalid'),
    (r'Dummy Descriptor: Dummy block filled with garbage', 'dummy-descriptor-not-empty'),
    (r'Empty Descriptor: Use Dummy Descriptor instead of all zeroes', 'descriptor-all-zero'),
    (TEXT + r'Non-ASCII character', 'descriptor-text-non-ascii'),
    (TEXT, 'descriptor-text-invalid'),
    (r'SPWG Descriptor #\d+: ', 'spwg-descriptor-invalid'),
    (r'Missing Display Product Name', 'missing-product-name'),
    (r'Missing Display Range Limits Descriptor', 'missing-range-limits'),
    (r'Display Range Limits: (Secondary )?GTF is supported, but the display does not support '
     r'continuous', 'gtf-without-continuous-frequency'),
    (r'Display Range Limits: GTF support is deprecated', 'gtf-deprecated'),
    (r'Display Range Limits: CVT block (corrects dotclock|does not set preferred refresh)',
     'range-limits-cvt-dubious'),
    (r'Display Range Limits: ', 'range-limits-invalid'),
    (r'Standard Timings: Missing preferred timing', 'preferred-timing-missing'),
    (STD + r'Use 0x0101 as the invalid Standard Timings code', 'standard-timing-unused-code'),
    (STD + r'Standard Timing \d+x\d+ has a dubious odd vertical resolution',
     'standard-timing-odd-height'),
    (r'Standard Timing Identifications: Standard Timing Identifications block without any',
     'standard-timings-descriptor-empty'),
]

NOT_COMPARED = set()
