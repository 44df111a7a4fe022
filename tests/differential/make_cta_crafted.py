#!/usr/bin/env python3
"""Writes cta-crafted.tsv: EDIDs made to hold the CTA-861 data blocks and odd bytes that the
real corpus lacks, each named after what it holds, for compare_with_edid_decode.py.

Usage: make_cta_crafted.py > cta-crafted.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# A real laptop panel's base block without range limits (tests/data/corpus, CC-BY-4.0).
BASE_SAMPLE = 'Digital/BOE/BOE085F/30E31C6BE9CB'


def base():
    with open(os.path.join(HERE, '../data/corpus/edid-samples.tsv')) as f:
        for line in f:
            path, _, hexes = line.rstrip('\n').split('\t')
            if path == BASE_SAMPLE:
                return bytearray.fromhex(hexes)[:128]
    raise SystemExit(f'{BASE_SAMPLE} not in the corpus')


def block(data, revision=3, flags=0xF1):
    """A CTA-861 block holding `data` (bytes) where its data blocks go."""
    head = bytes([0x02, revision, 4 + len(data), flags]) + data
    head += bytes(127 - len(head))
    return head + bytes([-sum(head) % 256])


def edid(*blocks):
    b = base()
    b[126] = len(blocks)
    b[127] = -sum(b[:127]) % 256
    return bytes(b) + b''.join(blocks)


def db(tag, *payload):
    return bytes([tag << 5 | len(payload), *payload])


def ext(tag, *payload):
    return db(7, tag, *payload)


def le(oui):
    return [oui & 0xFF, oui >> 8 & 0xFF, oui >> 16]


# Those whose blocks hold fields (HDMI, HDMI Forum, AMD) are named in other cases: edid-decode
# reads their fields past the end of a block holding only the OUI.
OUIS = [0x00044B, 0x000C6E, 0x0010FA, 0x0014B9, 0x00D046, 0x00E047, 0x3A0292, 0x90848B,
        0xCA125C, 0x123456]
HDMI = le(0x000C03) + [0x21, 0x00, 0xF8, 0x3C, 0xE0, 10, 20, 30, 40, 0x80, 0x60, 1, 2, 3, 4, 5]
FORUM = [1, 120, 0x80, 0x63, 0x02, 0x45, 0x10, 0x80]
SADS = [b for f in range(1, 15) for b in (f << 3 | (f % 8), 0x7F >> (f % 7), 0x80 | f)]
EXT_SADS = [b for e in range(1, 16) for b in (15 << 3 | 5, 0x15, e << 3 | 1)]

CASES = {
    'speakers, colorimetry, HDR static and dynamic, video capability': block(
        db(4, 0xFF, 0xFF, 0x1F) + ext(5, 0xFF, 0xFF) + ext(6, 0x3F, 0x05, 90, 60, 40)
        + ext(7, 4, 1, 0, 0, 0, 3, 2, 0, 0, 4, 4, 0, 1, 1) + ext(0, 0x9B)),
    'every audio format': block(db(1, *SADS[:30]) + db(1, *SADS[30:])),
    'extended audio formats': block(db(1, *EXT_SADS[:30]) + db(1, *EXT_SADS[30:])),
    'reserved, native, unknown and 4:2:0 VICs': block(
        db(2, 16, 0, 128, 129, 193, 65, 127, 200, 220, 255, 4, 5) + ext(15)
        + ext(14, 16, 0, 200, 129)),
    'HDMI VICs and latencies, sink capability before the HDMI Forum block, AMD': block(
        db(3, *HDMI) + ext(0x79, 0, 0, 2, 60, 0, 0x30) + db(3, *le(0xC45DD8), *FORUM)
        + db(3, *le(0x00001A), 2, 3, 40, 144, 0)),
    'sink capability block alone, short HDMI block': block(
        db(3, *le(0x000C03), 0x10, 0x00) + ext(0x79, 0, 0, 1, 0, 0x80, 0x10, 0, 0, 0x05, 0)),
    '4:2:0 capability map before its video data block, reserved bytes counted': block(
        ext(15, 0x55, 0x01) + db(2, 16, 0, 4, 128, 31, 3, 96, 97, 1)),
    'unknown and truncated tags, vendors of every name, short and reversed OUIs': block(
        db(0, 1, 2) + ext(0x09, 0) + ext(0x15) + ext(0x7A, 1) + ext(0x40) + db(7)
        + db(3, 1, 2) + ext(1, *le(0x90848B), 1) + ext(0x11, *le(0x00D046), 1)
        + db(3, *le(0x030C00)) + b''.join(db(3, *le(o)) for o in OUIS[:6])),
    'more vendors, video format and transfer blocks': block(
        b''.join(db(3, *le(o)) for o in OUIS[6:]) + db(5, 1, 2) + db(6, 1, 2)
        + b''.join(ext(t, 0) for t in (2, 3, 4, 8, 0x0D, 0x10, 0x12, 0x13, 0x14, 0x20, 0x22,
                                       0x23, 0x2A, 0x78))),
    'HDMI physical address with nibbles above 9': block(db(3, *le(0x000C03), 0x1B, 0xC0)),
    'revision 2': block(b'', revision=2, flags=0x52),
    'revision 1': block(b'', revision=1, flags=0xFF),
    'blocks too short to hold their fields': block(
        ext(5, 0xFF) + db(4, 0xFF, 0xFF) + ext(0) + ext(6, 1) + db(1, 9, 7)),
}


def main():
    for name, cta in CASES.items():
        e = edid(cta)
        print(f'crafted/{name}\t{len(e)}\t{e.hex()}')
    two = edid(block(db(2, 16) + db(1, 9, 7, 7)), block(db(2, 4) + db(4, 3, 0, 0), flags=0x00))
    print(f'crafted/two CTA-861 blocks\t{len(two)}\t{two.hex()}')


if __name__ == '__main__':
    main()
