#!/usr/bin/env python3
"""Writes synthetic-cta-displayid-edges.hex: an EDID made to hold what the decoders must
show as the bytes give it or leave undecoded, 16 bytes a line, a blank line between
blocks (edid-decode reads it too).

Block 0: the base block of aoc2367-plain (tests/data/edid) as EDID 1.4, three extensions,
its detailed timing's front porches and syncs made to overrun the blankings (H 104 + 184
of 160, V 3 + 63 of 35: back porches -128 and -31).
Block 1: CTA-861 with a video block (VICs 16, 4), an audio block of 5 bytes (one LPCM
descriptor, then 2 bytes), a speaker block, and no detailed timing.
Block 2: CTA-861 whose byte 2 is 200, with a video block (VIC 5) before it that must not
be read.
Block 3: DisplayID 1.2 with a type I timing, 1920x1080 interlaced at 74.25 MHz whose front
porches and syncs overrun the blankings (H 200 + 120 of 280, V 30 + 20 of 45: a field's
back porch -5 / 2, -2), and a CTA-861 data block holding an audio block of 4 bytes.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def checksummed(block):
    block = bytearray(block)
    block[127] = -sum(block[:127]) % 256
    return block


def base():
    b = bytearray((HERE / 'aoc2367-plain.bin').read_bytes()[:128])
    b[19] = 4  # EDID 1.4, which needs no block map for three extensions
    b[126] = 3
    # Detailed timing at 54: hblank (byte 3, low nibble of 4), hfp (8, bits 7-6 of 11),
    # hsync (9, bits 5-4 of 11), vblank (6, low nibble of 7), vfp and vsync (10, bits
    # 3-0 of 11).
    d = 54
    b[d + 3], b[d + 4] = 160, b[d + 4] & 0xF0
    b[d + 6], b[d + 7] = 35, b[d + 7] & 0xF0
    b[d + 8], b[d + 9] = 104, 184
    b[d + 10], b[d + 11] = 0x3F, 0x03  # vfp 3, vsync 15 + 16 * 3 = 63
    return checksummed(b)


def cta(data, timings_offset=None, revision=3, flags=0xF0):
    offset = 4 + len(data) if timings_offset is None else timings_offset
    block = bytes([0x02, revision, offset, flags]) + data
    return checksummed(block + bytes(128 - len(block)))


def le(value, size):
    return list(value.to_bytes(size, 'little'))


def displayid():
    timing = (le(7425 - 1, 3) + [0x90] + le(1920 - 1, 2) + le(280 - 1, 2) + le(200 - 1, 2)
              + le(120 - 1, 2) + le(1080 - 1, 2) + le(45 - 1, 2) + le(30 - 1, 2) + le(20 - 1, 2))
    timing[9] |= 0x80  # positive H sync
    embedded = bytes([0x24, 0x09, 0x07, 0x07, 0x55])
    blocks = bytes([0x03, 0x00, len(timing)] + timing) + bytes([0x81, 0x00, len(embedded)]) + embedded
    section = bytes([0x12, len(blocks), 0x00, 0x00]) + blocks
    section += bytes([-sum(section) % 256])
    block = bytes([0x70]) + section
    return checksummed(block + bytes(128 - len(block)))


def main():
    blocks = [base(),
              cta(bytes([0x42, 16, 4, 0x25, 0x09, 0x07, 0x07, 0x11, 0x22, 0x83, 0x01, 0x00, 0x00])),
              cta(bytes([0x41, 5]), timings_offset=200),
              displayid()]
    text = '\n'.join('\n'.join(' '.join(f'{x:02x}' for x in b[i:i + 16]) for i in range(0, 128, 16))
                     + '\n' for b in blocks)
    (HERE / 'synthetic-cta-displayid-edges.hex').write_text(text)


main()
