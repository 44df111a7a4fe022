#!/usr/bin/env python3
"""Writes ../data/crafted/fields-cta-colour.tsv: EDIDs holding the CTA-861 colour and display
device blocks the real corpus lacks (VESA display device, transfer characteristics and timing
extension blocks, HDR dynamic metadata of every type), on make_cta_crafted.py's base block, for
the fields differential (compare_fields.py).

Usage: make_colour_crafted.py > ../data/crafted/fields-cta-colour.tsv
"""
from make_cta_crafted import block, db, edid, ext

# VESA display device blocks, 30 bytes: DisplayPort with 4 channels, 25-540 MHz, 2560x1440,
# three more primaries, audio 20 ms ahead, 60 fps +/- 5; then 15HD/VGA, 10-165 MHz, 1920x1080,
# no more primaries, no audio delay, a nominal 75 fps.
DEVICE_DP = [0x94, 0x12, 0x01, 0x66, 0x1C, 0x00, 0x0A, 0xA0, 0x05, 78, 0x11, 0x01, 23, 23,
             0xA8, 0xA0, 0x0A, 0x85, 60, 0x97, 0xBA, 0xF3, 0x26, 0xCC, 0x99, 0x59, 0x4C, 0x0C,
             0x85, 0x21]
DEVICE_VGA = [0x00, 0x10, 0x00, 0x28, 0xA5, 0x80, 0x07, 0x38, 0x04, 78, 0x7E, 0x0C, 0x1F, 0x1F,
              0xD0, 0x40, 0x00, 0x40, 75, 0x77] + [0] * 8 + [0x10, 0x00]

CASES = {
    'colour: VESA display device over DisplayPort, three more primaries, a frame rate range':
        block(ext(2, *DEVICE_DP)),
    'colour: VESA display device over VGA, white transfer curve, VESA timing extension':
        block(ext(2, *DEVICE_VGA) + db(5, 0x05, 30, 40, 50, 60, 80, 100)
              + ext(3, 0x01, 0x02, 0x10, 0xFF)),
    'colour: red transfer curve, dynamic metadata of types 1 to 5, short HDR static block':
        block(db(5, 0x42, *range(5, 75, 5)) + ext(7, 3, 2, 0, 0x31, 2, 3, 0, 2, 4, 0,
                                                     3, 5, 0, 7, 3, 1, 0, 0x02)
              + ext(6, 0x05, 0x01, 100) + ext(5, 0x80, 0x21) + ext(0, 0xDE)),
    'colour: blue transfer curve of 31 bytes, dynamic metadata cut short':
        block(db(5, 0xC0, *[30] * 30) + ext(6, 0x0C, 0x01, 120, 90)
              + ext(7, 2, 4, 0, 5, 1, 0)),
}


def main():
    for name, cta in CASES.items():
        e = edid(cta)
        print(f'crafted/{name}\t{len(e)}\t{e.hex()}')


if __name__ == '__main__':
    main()
