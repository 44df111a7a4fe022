#!/usr/bin/env python3
"""Writes synthetic-displayid2-khz-clock.hex: boe0c80-displayid2 (tests/data/edid) with the
clock of its DisplayID type VII timing moved from 771.940 to 771.943 MHz, a step that
type VII's 1 kHz units hold and an 18-byte descriptor's 10 kHz units do not. The section's
checksum takes up the change, which leaves the block's checksum as it was. 16 bytes a line,
a blank line between blocks (edid-decode reads it too).
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
# In block 1: the section starts at byte 1, its type VII block at 37 (tag 0x22, revision,
# length 20), the timing's 3-byte clock (kHz - 1) at 40; the section's checksum is byte 126.
CLOCK, SECTION_CHECKSUM = 128 + 40, 128 + 126
CLOCK_KHZ = 771943


def main():
    edid = bytearray((HERE / 'boe0c80-displayid2.bin').read_bytes())
    assert edid[128 + 37] == 0x22 and int.from_bytes(edid[CLOCK:CLOCK + 3], 'little') == 771939
    edid[CLOCK:CLOCK + 3] = (CLOCK_KHZ - 1).to_bytes(3, 'little')
    edid[SECTION_CHECKSUM] = -sum(edid[129:SECTION_CHECKSUM]) % 256
    assert sum(edid[128:256]) % 256 == 0
    text = '\n'.join('\n'.join(edid[at:at + 16].hex(' ') for at in range(start, start + 128, 16))
                     + '\n' for start in range(0, len(edid), 128))
    (HERE / 'synthetic-displayid2-khz-clock.hex').write_text(text)


main()
