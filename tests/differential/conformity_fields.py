"""Our conformity checks against edid-decode --check: per code, which EDIDs each side flags.

For every code of ours that one or more of edid-decode's check messages correspond to, the EDIDs
flagged by both, by us only and by it only are counted. An EDID flagged by one side only is a
disagreement unless DOCUMENTED lists it (README.md here gives the clause and why).
"""
import collections
import re
import subprocess

# Our code: the edid-decode --check messages that say the same, as regular expressions matched
# at the start of a message (after its "Block N, ...:" or "EDID:" heading).
MESSAGES = {
    'checksum-invalid': [r'Invalid checksum 0x'],
    'extension-count-mismatch': [r'Base EDID: EDID specified \d+ extension block\(s\), but found'],
    'version-unknown': [r'EDID Structure Version & Revision: Unknown EDID (major|minor) version'],
    'version-deprecated': [r'EDID Structure Version & Revision: EDID 1\.\d is deprecated'],
    'block-map-invalid': [r'Base EDID: EDID 1\.3 requires a Block Map Extension',
                          r'Block Map'],
    'reserved-bits-set': [r'Colorimetry Data Block: Reserved bits MD0-MD3 must be 0',
                          r'Audio Data Block: Bit F\d+ must be 0'],
    'missing-product-name': [r'Missing Display Product Name'],
    'missing-range-limits': [r'Missing Display Range Limits Descriptor'],
    'serial-number-with-serial-string': [r'Display Product Serial Number is set, so the Serial '
                                         r'Number in the Base EDID should be 0'],
    'srgb-chromaticity-mismatch': [r'Basic Display Parameters & Features: sRGB is signaled, but '
                                   r'the chromaticities do not match'],
    'timings-out-of-range': [r'Base EDID: Some timings are out of range of the Monitor Ranges'],
    'gtf-without-continuous-frequency': [r"Display Range Limits: GTF can't be combined with "
                                         r"non-continuous frequencies"],
    'gtf-deprecated': [r'Display Range Limits: GTF support is deprecated'],
    'image-size-mismatch': [r'Detailed Timing Descriptor #\d+: Mismatch of image size'],
    'invalid-detailed-timing': [r'Detailed Timing Descriptor #\d+: 0 or negative',
                                r'Detailed Timing Descriptor #\d+: 0 values in the video timing',
                                r'Detailed Timing Descriptor #\d+: Pixelclock < 10 MHz'],
    'native-timings-mixed': [r'CTA-861: Native progressive timings are a mix',
                             r'CTA-861: Multiple native progressive timings'],
    'cta-missing-vcdb': [r'Missing VCDB'],
    'cta-it-overscan': [r'IT Video Formats are overscanned by default'],
    'cta-data-block-overrun': [r'Offset is \d+, but should be \d+'],
    'cta-reserved-vic': [r'(YCbCr 4:2:0 )?Video Data Block: Unknown VIC'],
    'cta-missing-hdmi-vsdb': [r'Vendor-Specific Data Block \(HDMI Forum\), OUI C4-5D-D8: HDMI '
                              r'Forum VSDB did not immediately follow the HDMI VSDB'],
    'displayid-checksum-invalid': [r'DisplayID.*[Cc]hecksum'],
    'displayid-missing-product-id': [r'DisplayID: Missing DisplayID Product Identification'],
    'displayid-no-preferred-timing': [r'DisplayID: DisplayID expects at least one preferred'],
    'displayid-product-type-missing': [r'DisplayID Base Block has no product type'],
}
# Codes edid-decode has no message for: it refuses an EDID without a header or shorter than a
# block, so nothing is compared for those.
NOT_COMPARED = {'header-invalid', 'edid-truncated'}

# (code, sample): why the two sides differ there; each is in README.md with its clause.
BEYOND_COUNT = ('blocks past the extension count: byte 126 says how many blocks the EDID has; '
                'we check those (and flag the count), edid-decode reads every block given')
ZERO_SVD = 'SVD code 0 is reserved in a video data block; edid-decode skips it silently'
FORMULA = ('standard timing outside DMT: edid-decode derives its rates with the GTF formula, we '
           'only rate timings of the DMT and VIC tables and detailed timings')
DOCUMENTED = {
    **{('block-map-invalid', s): BEYOND_COUNT for s in (
        'Digital/Acer/ACR0673/10E9420FF10C', 'Digital/Dell/DEL4188/D12C6B07CA19',
        'Digital/Dell/DELF113/699EE3F66B97', 'Digital/Goldstar/GSM7706/1580749BA66F',
        'Digital/Others/OVR0003/75317BC98E2E', 'Digital/Samsung/SAM0632/A57E5AD94DEF',
        'Digital/Samsung/SAM078D/8311EEB16B96', 'Digital/Samsung/SAM07CC/FCD2BE45BDB0',
        'Digital/Samsung/SAM0F17/D19B7B587EFC', 'Digital/Sony/SNYC603/D961DA4CBBF1')},
    ('displayid-missing-product-id', 'Digital/Goldstar/GSM773B/3F659B7F5CDF'): BEYOND_COUNT,
    ('displayid-product-type-missing', 'Digital/Goldstar/GSM773B/3F659B7F5CDF'): BEYOND_COUNT,
    ('cta-reserved-vic', 'Digital/Goldstar/GSM56F0/198D8BB42E2C'): ZERO_SVD,
    ('cta-reserved-vic', 'Digital/Others/MYS2150/3E442C5CD02B'): ZERO_SVD,
    ('timings-out-of-range', 'Analog/BenQ/BNQ76FB/F468F0CB4886'): FORMULA,
    ('timings-out-of-range', 'Digital/ViewSonic/VSC5320/B89967FA8A8B'): FORMULA,
    ('timings-out-of-range', 'Digital/ViewSonic/VSCA21E/8AEE8C1DC897'): FORMULA,
}


def run_edid_decode(path):
    """edid-decode --check's output for the EDID in `path` (its status says fail or pass)."""
    return subprocess.run(['edid-decode', '--skip-sha', '-s', '--check', path],
                          capture_output=True, encoding='latin-1').stdout


def check_messages(text):
    """The messages of edid-decode's Warnings and Failures sections, continuation lines left
    out."""
    messages, inside = [], False
    for line in text.splitlines():
        if line in ('Warnings:', 'Failures:'):
            inside = True
        elif line.startswith('EDID conformity:'):
            inside = False
        elif inside and re.match(r'  \S', line):
            messages.append(line.strip())
    return messages


class ConformityTally:
    def __init__(self):
        self.both = collections.Counter()
        self.ours_only = collections.defaultdict(list)
        self.theirs_only = collections.defaultdict(list)
        self.documented = collections.Counter()
        self.unknown_codes = set()

    def record(self, sample, ours, checked):
        results = ours['conformity']['failures'] + ours['conformity']['warnings']
        flagged = {r['code'] for r in results}
        self.unknown_codes |= flagged - MESSAGES.keys() - NOT_COMPARED
        messages = check_messages(checked)
        for code, patterns in MESSAGES.items():
            by_us = code in flagged
            by_it = any(re.match(p, m) for p in patterns for m in messages)
            if by_us and by_it:
                self.both[code] += 1
            elif by_us != by_it:
                base = sample.split(' (')[0]
                if (code, base) in DOCUMENTED:
                    self.documented[code] += 1
                else:
                    (self.ours_only if by_us else self.theirs_only)[code].append(sample)

    def report(self):
        """Lines to print, and the number of disagreements."""
        lines = [f'{"code":34} {"both":>5} {"ours":>5} {"its":>5} {"doc":>5}']
        disagreements = 0
        for code in MESSAGES:
            ours, theirs = self.ours_only[code], self.theirs_only[code]
            disagreements += len(ours) + len(theirs)
            lines.append(f'{code:34} {self.both[code]:5} {len(ours):5} {len(theirs):5} '
                         f'{self.documented[code]:5}')
        for code in MESSAGES:
            lines += [f'DISAGREE {code}: flagged by us only: {s}' for s in self.ours_only[code]]
            lines += [f'DISAGREE {code}: flagged by edid-decode only: {s}'
                      for s in self.theirs_only[code]]
        for code in sorted(self.unknown_codes):
            lines.append(f'DISAGREE {code}: a code this test does not know')
            disagreements += 1
        return lines, disagreements
