"""edid-decode's check messages about the EDID as a whole (its blocks, checksums, version), and
the codes of ours they map to: (pattern matched at the start of the message, code)."""

MESSAGES = [
    (r'Invalid checksum 0x', 'checksum-invalid'),
    (r'Base EDID: EDID specified \d+ extension block\(s\), but found', 'extension-count-mismatch'),
    (r'Base EDID: EDID 1\.3 requires a Block Map Extension', 'block-map-invalid'),
    (r'Block Map', 'block-map-invalid'),
    (r'EDID Structure Version & Revision: EDID 1\.\d is deprecated', 'version-deprecated'),
    (r'EDID Structure Version & Revision: Unknown EDID (major|minor) version', 'version-unknown'),
    (r'Unknown Extension Block\.', 'extension-block-unknown'),
    (r'Deprecated extension block for EDID 2\.0', 'extension-block-unknown'),
]

# Codes of ours that no message of edid-decode can match: it refuses an EDID without a header
# or shorter than a block rather than checking it.
NOT_COMPARED = {'header-invalid', 'edid-truncated'}
