#!/usr/bin/env python3
"""Writes tests/data/crafted/displayid.tsv: EDIDs whose DisplayID sections hold the data blocks,
fields and faults that the real corpus lacks (the DisplayID 2.1 blocks among them), each named
after what it holds. Each is a real sample's base block and DisplayID section, its data blocks
changed, added or moved (checksums made good again), so that what is not under test stays real.

Usage: make_displayid_crafted.py > tests/data/crafted/displayid.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, '..', 'data', 'corpus', 'edid-samples.tsv')
# Real samples (tests/data/corpus, CC-BY-4.0): a laptop panel with a DisplayID 2.0 section, and
# a tiled 5K monitor with a DisplayID 1.2 section.
PANEL = 'Digital/BOE/BOE0C80/143DEBEAB262'
TILED = 'Digital/Goldstar/GSM5B11/7F41699920D4'


def sample(label):
    with open(CORPUS) as f:
        for line in f:
            path, _, hexes = line.rstrip('\n').split('\t')
            if path == label:
                return bytes.fromhex(hexes)
    raise SystemExit(f'{label} not in the corpus')


def data_blocks(label, block=1):
    """The data blocks of the sample's DisplayID section: {tag: (revision, payload)}."""
    x = sample(label)[128 * block:128 * (block + 1)]
    found, at, end = {}, 5, 5 + x[2]
    while at + 3 <= end and (x[at] or x[at + 2]):
        found.setdefault(x[at], (x[at + 1], x[at + 3:at + 3 + x[at + 2]]))
        at += 3 + x[at + 2]
    return found


def db(tag, revision, payload):
    return bytes([tag, revision, len(payload)]) + bytes(payload)


def section(version, product_type, blocks, count=0, length=None, filler=b'', padding=b'',
            checksum_off=0):
    """An extension block of tag 0x70 holding one DisplayID section of `blocks` (bytes), then
    `filler` inside the section and `padding` past its checksum."""
    body = blocks + filler
    n = len(body) if length is None else length
    head = bytes([version, n, product_type, count]) + body[:min(n, 121)]
    head += bytes(min(n, 121) - len(body[:min(n, 121)]))
    x = bytes([0x70]) + head + bytes([(-sum(head) + checksum_off) % 256]) + padding
    x += bytes(127 - len(x))
    return x + bytes([-sum(x) % 256])


def edid(base, *blocks, screen=None):
    b = bytearray(sample(base)[:128])
    if screen:
        b[21:23] = screen
    b[126] = len(blocks)
    b[127] = -sum(b[:127]) % 256
    return bytes(b) + b''.join(blocks)


def le(value, size):
    return list(value.to_bytes(size, 'little'))


P = data_blocks(PANEL)
T = data_blocks(TILED)
PARAMS2 = db(0x21, *P[0x21])
TYPE7 = db(0x22, *P[0x22])
PARAMS1 = db(0x01, *T[0x01])
TYPE1 = db(0x03, *T[0x03])
TILES = T[0x12][1]


def changed(payload, **at):
    """`payload` with the bytes at the offsets given (keyword `b12=0x40`: byte 12) replaced."""
    p = bytearray(payload)
    for key, value in at.items():
        p[int(key[1:])] = value
    return bytes(p)


def type1(clock_khz10, hact, hblank, hfront, hsync, vact, vblank, vfront, vsync, flags):
    """A type I or VII descriptor: values as stored (one less than they are)."""
    return bytes(le(clock_khz10, 3) + [flags] + le(hact, 2) + le(hblank, 2) + le(hfront, 2)
                 + le(hsync, 2) + le(vact, 2) + le(vblank, 2) + le(vfront, 2) + le(vsync, 2))


# AR/VR head-mounted display block (0x2C): reserved layouts, displays and streams; layer
# metadata and a replication factor without first-line metadata on a single layer; reserved
# rotation bits; an interocular angle of 1.5 rad; fixed lenses with adjustment and IPD
# ranges; a zero horizontal field of view and right focal length; no stream for layer 0 but
# one for layer 1.
HMD = bytearray(79)
HMD[0], HMD[1], HMD[2], HMD[15] = 0x6E, 0x25, 0xA0, 0x88
HMD[20:22] = le(12288, 2)
HMD[22], HMD[25], HMD[31], HMD[33], HMD[34] = 0x26, 1, 1, 0x10, 0x04
HMD[57:61] = le(0x10000, 4)
HMD[77] = 0x14
# AR/VR layer block (0x2D): no OUI, no product code, a reserved layer and bits, lens correction
# configurable without support, gamma configurable without support, 6DoF reprojection
# configurable with 3DoF only, other scaling factors without any.
LAYER = bytearray(20)
LAYER[9], LAYER[10], LAYER[11], LAYER[12], LAYER[13], LAYER[14], LAYER[19] = \
    0x42, 1, 0x2C, 0x02, 0x09, 0x40, 0x04

CASES = {
    # DisplayID 2.1 data blocks.
    'DisplayID 2.1: adaptive sync, container ID, interface features, brightness range': edid(
        PANEL, section(0x21, 2, PARAMS2 + TYPE7
                       + db(0x2B, 0x00, [0x0B, 0, 60, 164, 0, 0, 0x03, 0, 48, 59, 0, 0, 0x41])
                       + db(0x29, 0x00, range(1, 16))
                       + db(0x26, 0x00, [0x06, 0x02, 0x02, 0x02, 0, 0x07, 0x01, 0, 1, 0x11, 0x33])
                       + db(0x2E, 0x01, [0x00, 0x3C, 0x00, 0x5C, 0x00, 0x60]),
                       filler=bytes([0, 5]))),
    'DisplayID 2.1: tiled topology 2.x, types VII to X, dynamic range limits': edid(
        PANEL, section(0x21, 2, db(0x28, 0x00, changed(TILES, b0=0xC0, b8=0, b18=0, b19=0, b20=0,
                                                       b21=0))
                       + db(0x22, 0x12, type1(771939, 2559, 159, 47, 31, 1599, 119, 2, 5, 0x85)
                            + bytes(1))
                       + db(0x23, 0x20, [0x52, 0x53])
                       + db(0x24, 0x00, [0x60, 0xFF, 0x09, 0x3F, 0x06, 59])
                       + db(0x2A, 0x00, [0x19, 0xFF, 0x09, 0x3F, 0x06, 59,
                                         0x60, 0xFF, 0x07, 0x37, 0x04, 119])
                       + db(0x2A, 0x30, [0x02, 0xFF, 0x07, 0x37, 0x04, 143, 0xE4, 0, 0])
                       + db(0x25, 0x01, [0x10, 0x27, 0x00, 0x0F, 0x27, 0x00, 100, 60, 0x00]))),
    'DisplayID 2.1: AR/VR head-mounted display and layer blocks, a short product block': edid(
        PANEL, section(0x21, 7, db(0x2C, 0x00, HMD) + db(0x2D, 0x01, LAYER)
                       + db(0x20, 0x00, [0x00, 0x10, 0xFA, 0x5B, 0x11, 1, 2, 3, 4, 0]))),
    'DisplayID 2.x: display parameters twice, luminance information, native format, a 1.x block': edid(
        PANEL, section(0x20, 4, db(0x21, 0x80 | 1, changed(P[0x21][1], b0=0x59, b1=1, b2=0xD7,
                                                           b3=0, b6=0, b7=0, b8=0x18))
                       + TYPE7 + db(0x21, 0x02, P[0x21][1])
                       + db(0x22, 0x00, type1(771939, 2559, 159, 47, 31, 1599, 119, 2, 5, 0x79))
                       + db(0x0D, 0x00, [0x11, 0x0A, 0x0A, 0x32, 0x14, 0x14])),
        screen=[50, 30]),
    'DisplayID 2.x: product identification, vendor IDs, VESA block, reserved use case': edid(
        PANEL, section(0x20, 9, PARAMS2 + TYPE7
                       + db(0x20, 0x00, [0x1A, 0x00, 0x00, 0x80, 0x0C, 1, 0, 0, 0, 60, 30, 0])
                       + db(0x7E, 0x00, [0, 0, 0, 1]) + db(0x7E, 0x00, [0x41, 0x42, 0x43, 1])
                       + db(0x7E, 0x00, [0x3A, 0x02, 0x92, 0x79, 0xFA])
                       + db(0x7E, 0x00, [0x3A, 0x02]))),
    # DisplayID 1.x data blocks.
    'DisplayID 1.x: product identification with an OUI, display device, colour, transfer, stereo':
        edid(TILED, section(0x12, 3, db(0x00, 0x00, [0x00, 0x10, 0xFA, 0x5B, 0x11, 1, 2, 3, 4,
                                                      0xFF, 5, 0])
                            + PARAMS1 + TYPE1
                            + db(0x0C, 0x00, [0x15, 0x50, 0xFF, 0x09, 0x3F, 0x0B, 78, 0x03, 0x01,
                                              20, 20, 0x08, 0x85])
                            + db(0x02, 0x18, [0x00, 0x00])
                            + db(0x0E, 0x51, [0x00, 0, 3, 4, 5, 0x00])
                            + db(0x0E, 0x61, [0x20, 4, 1, 2, 3, 4])
                            + db(0x10, 0x41, [5, 0]) + db(0x09, 0x00, [0] * 14))),
    'DisplayID 1.x: timing types I to VI with reserved and invalid fields': edid(
        TILED, section(0x12, 3, PARAMS1
                       + db(0x03, 0x02, type1(0xFFFFFF, 2559, 79, 47, 31, 1439, 40, 2, 5, 0x89)
                            + type1(46917, 2559, 79, 7, 31, 2879, 9, 4, 7, 0x70))
                       + db(0x04, 0x00, [0x3B, 0xB7, 0x00, 0xE4, 0x3F, 0x02, 0x11, 0x9F, 0x05,
                                         0x09, 0x12])
                       + db(0x05, 0x00, [0x8A, 0xEF, 59, 0x04, 0x9F, 59])
                       + db(0x11, 0x00, [0x01, 0, 0xFF, 0x09, 0x3F, 0x06, 59,
                                         0xA2, 0, 0xFF, 0x07, 0x37, 0x04, 59])
                       + db(0x13, 0x00, [0x4B, 0x7A, 0x00, 0xFF, 0x09, 0x9F, 0x05, 0x9F, 0x2F,
                                         0x00, 0x1F, 0x22, 0x02, 0x25]))),
    # The sections themselves.
    'DisplayID sections: extension header, count, filler and padding': edid(
        TILED, section(0x12, 3, PARAMS1 + TYPE1, count=2, filler=bytes([0, 0, 0, 5]),
                       padding=bytes([1])),
        section(0x13, 3, db(0x0B, 0x00, b'MONIQUET') + db(0x0A, 0x00, b'12')
                + db(0x81, 0x00, [0x43, 16, 4]),
                count=1, filler=bytes([0x0B, 0x00, 0x09, 0x41, 0x42])),
        screen=[60, 34]),
    'DisplayID sections: a section longer than a block, its checksum wrong': edid(
        TILED, section(0x12, 3, PARAMS1 + TYPE1 + db(0x07, 0x00, [0x20] + [0] * 9), length=122,
                       checksum_off=1)),
}


def main():
    for name, data in CASES.items():
        print(f'crafted/{name}\t{len(data)}\t{data.hex()}')


if __name__ == '__main__':
    main()
