#!/usr/bin/env python3
"""Writes tests/data/crafted/fields-displayid.tsv: EDIDs whose DisplayID sections hold the data
blocks and the values of their fields that the real corpus and displayid.tsv lack, so that
compare_fields.py sees each field of ours against edid-decode's reading. Built as
make_displayid_crafted.py builds its own, from the same real samples.

Usage: make_displayid_fields_crafted.py > tests/data/crafted/fields-displayid.tsv
"""
from make_displayid_crafted import P, PANEL, PARAMS1, PARAMS2, TILED, TILES, TYPE1, TYPE7, \
    changed, db, edid, le, section, type1

# A 2.x display parameters block of revision 1 (a theme preference), with luminances given, one
# reserved.
PARAMS_THEME = db(0x21, 0x01, changed(P[0x21][1], b0=0x59, b1=1, b2=0xD7, b3=0, b8=0x5A,
                                      b21=0x00, b22=0x5E, b23=0x00, b24=0x60, b25=0x00,
                                      b26=0x80, b27=0xA3))
# An AR/VR head-mounted display block of two layers with adjustable lenses.
HMD = bytearray(79)
HMD[0], HMD[1], HMD[2], HMD[15] = 0x11, 0x11, 0x51, 0x21
HMD[3:15] = le(100, 2) + le(50, 2) + le(120, 2) + le(60, 2) + le(800, 2) + le(600, 2)
HMD[16:22] = le(3 * 8192, 2) + le(3 * 8192 + 100, 2) + le(4000, 2)
HMD[22], HMD[33], HMD[34] = 0x1B, 0x0F, 0x03
HMD[23:33] = le(8192, 2) + le(4096, 2) + le(0xFF00, 2) + le(5 * 8192, 2) + le(2 * 8192, 2)
HMD[35:53] = b''.join(bytes(le(8000 + 100 * i, 2)) for i in range(9))
HMD[53:61] = le(0x2A8000, 4) + le(0x2A4000, 4)
HMD[61:77] = bytes.fromhex('0000003f' '0000803e' '0000c03f' '00000040')
HMD[77] = 0x0F
LAYER = bytearray(20)
LAYER[0:9] = [0x00, 0x10, 0xFA, 0x34, 0x12, 7, 0, 0, 0]
LAYER[9], LAYER[11], LAYER[12], LAYER[13], LAYER[14], LAYER[15:20] = \
    0x31, 0x06, 0x55, 0x06, 0xC5, [40, 0, 72, 0, 0x03]

CASES = {
    'DisplayID 1.x fields: display interface, range, codes, VIC bitmap, stereo codes, colour':
        edid(TILED, section(0x12, 3, PARAMS1 + TYPE1
                            + db(0x0F, 0x00, [0x12, 0x31, 0x07, 0x03, 0x01, 0x01, 0x14, 0x45,
                                              0x1C, 0x05])
                            + db(0x09, 0x00, [0x0F, 0x27, 0x00, 0x3F, 0x9C, 0x00, 30, 140,
                                              0xA0, 0x00, 24, 75, 0x2D, 0x00, 0xE0])
                            + db(0x06, 0x00, [0x04, 0x10, 0x52, 0xF0])
                            + db(0x08, 0x00, [0x09, 0x80, 0, 0, 0, 0, 0, 0])
                            + db(0x10, 0x40, [1, 0x01, 0x01, 0x02, 0x04, 0x10])
                            + db(0x02, 0x00, [0x31, 0x8A, 0x41, 0x54, 0x33, 0x63, 0x9B,
                                              0x26, 0x0F, 0x0F, 0x50, 0x14, 0x54]))),
    'DisplayID 1.x fields: types II and VI interlaced and sized, transfer curves, strings': edid(
        TILED, section(0x12, 3, PARAMS1 + TYPE1
                       + db(0x04, 0x00, [0x3B, 0xB7, 0x00, 0x98, 0xEF, 0x20, 0x11, 0x1B, 0x02,
                                         0x2C, 0x44])
                       + db(0x13, 0x00, [0x4B, 0x7A, 0x40, 0xFF, 0x09, 0x9F, 0x05, 0x9F, 0x2F,
                                         0x00, 0x1F, 0x22, 0x02, 0x05, 0x98, 0x4F, 0x01])
                       + db(0x0E, 0x10, [0x80, 3, 100, 200, 4, 10, 20, 30])
                       + db(0x7F, 0x00, [0x12, 0x34, 0x56, 9, 8]))),
    'DisplayID 2.x fields: a theme, type VII 4:2:0 and DSC, type X v3, pixel-interleaved stereo':
        edid(PANEL, section(0x20, 2, PARAMS_THEME
                            + db(0x22, 0x0A, type1(771939, 2559, 159, 47, 31, 1599, 119, 2, 5,
                                                   0x84))
                            + db(0x2A, 0x20, [0x1B, 0xFF, 0x09, 0x3F, 0x06, 59, 0x2D, 0x01,
                                              0x03, 0xFF, 0x07, 0x37, 0x04, 119, 0x08, 0x00])
                            + db(0x27, 0x80, [8, 0x02, 0xAA, 0x55, 0xAA, 0x55, 0xF0, 0x0F,
                                              0xFF, 0x00]))),
    'DisplayID 2.x fields: tiles with bezels, VESA DSC, interface features, sync, brightness':
        edid(PANEL, section(0x20, 2, PARAMS2
                            + db(0x28, 0x00, changed(TILES, b0=0xC1, b8=10, b9=5, b10=6, b11=7,
                                                     b12=8))
                            + db(0x7E, 0x00, [0x3A, 0x02, 0x92, 0x80, 0x03, 0x0C, 0x08])
                            + db(0x26, 0x00, [0x07, 0x03, 0x03, 0x02, 8, 0xA0, 0x30, 0, 2,
                                              0x11, 0x68])
                            + db(0x2B, 0x00, [0x14, 8, 40, 0x2B, 0x01, 4])
                            + db(0x2E, 0x00, [0x00, 0x3C, 0x00, 0x80, 0x00, 0xA0]))),
    'DisplayID 2.1 fields: a head-mounted display of two layers, a layer scaled by other factors':
        edid(PANEL, section(0x21, 7, db(0x2C, 0x00, HMD) + db(0x2D, 0x00, LAYER))),
}


def main():
    for name, data in CASES.items():
        print(f'crafted/{name}\t{len(data)}\t{data.hex()}')


if __name__ == '__main__':
    main()
