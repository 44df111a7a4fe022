"""edid-decode's check messages about DisplayID sections (and the CTA-861 data blocks they
embed), and the codes of ours they map to: (pattern matched at the start of the message,
code)."""

MESSAGES = [
    (r'DisplayID Base Block has no product type', 'displayid-product-type-missing'),
    (r'DisplayID: DisplayID expects at least one preferred timing', 'displayid-no-preferred-timing'),
    (r'DisplayID: Missing DisplayID Product Identification', 'displayid-missing-product-id'),
    (r'DisplayID: Missing DisplayID Display Parameters', 'displayid-missing-parameters'),
    (r'DisplayID.*[Cc]hecksum', 'displayid-checksum-invalid'),
    (r'.*: Use of DisplayID v\S+ tag for DisplayID v', 'displayid-tag-wrong-version'),
    (r'.*: Unexpected revision \(\d+ != \d+\)', 'displayid-block-revision-unknown'),
    (r'Vendor-Specific Data Block .*: Expected PNP ID but found OUI', 'displayid-vendor-id-kind'),
]

NOT_COMPARED = set()
