#!/usr/bin/env python3
"""Writes tests/data/crafted/base.tsv: real EDIDs changed by a few bytes to break the base block's
rules that no real sample of the corpus breaks, each named after what it holds. Their checksums
are made good again. tests/data/crafted/README.md names the samples they come from.

Usage: make_base_crafted.py > ../data/crafted/base.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# Real samples of tests/data/corpus (CC BY 4.0): an EDID 1.4 monitor and an EDID 1.3 one with
# nothing to flag, a monitor with a CTA-861 block and a laptop panel.
EDID14 = 'Digital/Dell/DELA0DB/2F80313AD587'
EDID13 = 'Analog/AOC/AOC2367/74963C990D57'
WITH_CTA = 'Digital/Dell/DELA0E7/E66B41126E46'
LAPTOP = 'Digital/HannStar/HSD03E9/84C75436A607'

DESCRIPTOR = [54, 72, 90, 108]


def sample(label):
    with open(os.path.join(HERE, '../data/corpus/edid-samples.tsv')) as f:
        for line in f:
            path, _, hexes = line.rstrip('\n').split('\t')
            if path == label:
                return bytearray.fromhex(hexes)
    raise SystemExit(f'{label} not in the corpus')


def checked(edid):
    for at in range(0, len(edid), 128):
        edid[at + 127] = -sum(edid[at:at + 127]) % 256
    return bytes(edid)


def changed(label, *changes):
    """The sample with `changes` applied: (offset, bytes) pairs."""
    edid = sample(label)
    for at, data in changes:
        edid[at:at + len(data)] = data
    return checked(edid)


def display(tag, body, byte2=0):
    """A display descriptor of `tag` whose bytes 5 to 17 are `body`."""
    return bytes([0, 0, byte2, tag, 0]) + bytes(body)


def text(s):
    data = s.encode('latin-1')
    return data + (b'\n' + b' ' * 12 if len(data) < 13 else b'')[:13 - len(data)]


CASES = {
    'colour depth code 7 and interface code 6': changed(EDID14, (20, [0xF6])),
    'range limits of CVT with reserved bits, a large clock correction and no preferred rate':
        changed(EDID14, (24, [0x3B]),
                (DESCRIPTOR[3] + 10, [0x04, 0x11, 0xA0, 0x00, 0x87, 0xFF, 0x0F, 0x00])),
    'range limits of CVT in a monitor that is not continuous-frequency':
        changed(EDID14, (DESCRIPTOR[3] + 10, [0x04, 0x11, 0x00, 0x00, 0x80, 0x08, 0x00, 60])),
    'range limits of a secondary GTF curve left 0, with a byte 11, not continuous-frequency':
        changed(EDID14, (DESCRIPTOR[3] + 10, [0x02, 0x05, 0, 0, 0, 0, 0, 0])),
    'range limits whose minimum rates exceed their maximums, without a pixel clock':
        changed(EDID14, (DESCRIPTOR[3] + 5, [0x60, 0x38, 0x60, 0x1E, 0x00])),
    'standard timings descriptor of unused entries only':
        changed(EDID14, (DESCRIPTOR[1], display(0xFA, [0x01] * 12 + [0x0A]))),
    'standard timings descriptor with the code 0x0001 and a timing of 765 lines':
        changed(EDID14, (DESCRIPTOR[1],
                         display(0xFA, [0x00, 0x01, 0x8B, 0xC0] + [0x01] * 8 + [0x0A]))),
    'CVT codes with reserved bits, no rates and an unsupported preferred rate':
        changed(EDID14, (DESCRIPTOR[1], display(0xF8, [0x01, 0x00, 0x03, 0x80, 0x1B, 0x24, 0x41]
                                                + [0] * 6))),
    'CVT codes of version 2': changed(EDID14, (DESCRIPTOR[1], display(0xF8, [0x02] + [0] * 12))),
    'embedded panel descriptor with reserved values':
        changed(EDID14, (DESCRIPTOR[1], display(0x0E, [0xFF, 0xCF, 0xFC, 0, 0, 0, 0x40, 1, 1, 1,
                                                       1, 1, 0x10]))),
    'detailed timing with a vertical front porch of 0': changed(EDID14, (54 + 10, [0x05])),
    'EDID 1.3 with established timings III and CVT codes descriptors':
        changed(EDID13, (DESCRIPTOR[3], display(0xF7, [0x0A] + [0] * 12)),
                (DESCRIPTOR[2], display(0xF8, [0x01, 0x7F, 0x10, 0x28] + [0] * 9))),
    'EDID 1.3 with week 54': changed(EDID13, (16, [54])),
    'EDID 1.0 with display descriptors': changed(EDID13, (19, [0])),
    'manufacturer CID without a product information data block':
        changed(WITH_CTA, (8, [0x0D, 0x24])),
    'display descriptors in a CTA-861 block: a placeholder serial with a 0x00, a name with '
    'trailing spaces, a reserved tag with byte 2 set, then a detailed timing':
        changed(WITH_CTA, (128 + 54, display(0xFF, b'0\x00' + b' ' * 11)),
                (128 + 72, display(0xFC, text('Dell  '))),
                (128 + 90, display(0x20, [0] * 13, byte2=1))),
    "laptop panel whose panel maker's part number holds a byte outside ASCII":
        changed(LAPTOP, (DESCRIPTOR[2] + 5, b'ABCDE\x01X\x80Y\n   '),
                (DESCRIPTOR[3] + 15, b'\n  ')),
}


def main():
    for name, edid in CASES.items():
        print(f'crafted/{name}\t{len(edid)}\t{edid.hex()}')


if __name__ == '__main__':
    main()
