#!/usr/bin/env python3
"""Writes tests/data/crafted/timings.tsv: real EDIDs changed by a few bytes to hold the timings
the timing checks weigh and the corpus lacks, each named after what it holds.

Usage: make_timing_crafted.py > ../data/crafted/timings.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# A real monitor's EDID 1.4 base block (tests/data/corpus, CC BY 4.0): a 1920x1080 detailed
# timing, DMT standard timings, a range limits descriptor.
BASE_SAMPLE = 'Digital/BenQ/BNQ7F83/1C9F0625FC9E'
RANGE_LIMITS = 90
SECOND_DESCRIPTOR = 72
GTF_STANDARD_TIMING = 38 + 2 * 6


def sample():
    with open(os.path.join(HERE, '../data/corpus/edid-samples.tsv')) as f:
        for line in f:
            path, _, hexes = line.rstrip('\n').split('\t')
            if path == BASE_SAMPLE:
                return bytearray.fromhex(hexes)
    raise SystemExit(f'{BASE_SAMPLE} not in the corpus')


def base(max_clock_mhz=150, subtype=(0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20)):
    """The base block with range limits of 48-144 Hz, 30-160 kHz and `max_clock_mhz`, its
    standard timing beyond them (1280x1024 at 120 Hz) unused."""
    b = sample()[:128]
    limits = bytes([0, 48, 144, 30, 160, max_clock_mhz // 10, *subtype])
    assert len(limits) == 14
    b[RANGE_LIMITS + 4:RANGE_LIMITS + 18] = limits
    b[GTF_STANDARD_TIMING:GTF_STANDARD_TIMING + 2] = b'\x01\x01'
    return b


def block(data, flags=0xC0):
    """A CTA-861 revision 3 block holding `data` where its data blocks go."""
    head = bytes([0x02, 3, 4 + len(data), flags]) + data
    head += bytes(127 - len(head))
    return head + bytes([-sum(head) % 256])


def db(tag, *payload):
    return bytes([tag << 5 | len(payload), *payload])


# The video capability block that every CTA-861 sink should have (quantization selectable).
VCDB = db(7, 0x00, 0x40)


def edid(b, *blocks):
    assert len(b) == 128
    b[126] = len(blocks)
    b[127] = -sum(b[:127]) % 256
    return bytes(b) + b''.join(blocks)


def with_descriptor(b, at, payload):
    b[at:at + 18] = bytes([0, 0, 0, *payload]).ljust(18, b'\x00')
    return b


def cases():
    plain = block(db(2, 0x90, 0x04, 0x01) + VCDB)
    # Range limits offering CVT (EDID 1.4): version 1.1, no added clock precision or line
    # limit, every aspect ratio, 16:9 preferred, both blankings, 60 Hz preferred.
    cvt = base(150, (0x04, 0x11, 0x00, 0x00, 0xF8, 0x38, 0x00, 0x3C))
    # 1344x1008 at 78 Hz: not in DMT; GTF's clock is 149.955 MHz, CVT's 150.25 MHz.
    cvt[GTF_STANDARD_TIMING:GTF_STANDARD_TIMING + 2] = b'\x89\x52'
    yield 'crafted/cvt range limits, a standard timing whose cvt clock only exceeds them', \
        edid(cvt, plain)
    # CVT 3-byte codes (version 1): 1920x1200 at 85 Hz, 281 MHz.
    codes = with_descriptor(base(), SECOND_DESCRIPTOR,
                            [0xF8, 0x00, 0x01, 0x57, 0x28, 0x62])
    yield 'crafted/a cvt 3-byte code beyond the range limits', edid(codes, plain)
    # Established timings III: 1920x1440 at 75 Hz (DMT 0x4A, 297 MHz).
    three = with_descriptor(base(), SECOND_DESCRIPTOR,
                            [0xF7, 0x00, 0x0A, 0, 0, 0, 0, 0, 0x10])
    yield 'crafted/an established timing iii beyond the range limits', edid(three, plain)
    yield 'crafted/native interlaced vics of two sizes', \
        edid(base(), block(db(2, 0x90, 0x85, 0x86, 0x01) + VCDB))
    yield 'crafted/a native interlaced vic smaller than the first vic', \
        edid(base(), block(db(2, 0x05, 0x86, 0x10, 0x01) + VCDB, flags=0xC1))
    yield 'crafted/a first vic wider than a detailed timing can be', \
        edid(base(), block(db(2, 0x62, 0x10, 0x01) + VCDB))
    hdmi = db(3, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x44)
    for mhz, what in ((400, 'above'), (600, 'within')):
        forum = db(3, 0xD8, 0x5D, 0xC4, 0x01, mhz // 5, 0x00, 0x00)
        yield f'crafted/vic 97 {what} the hdmi forum tmds clock', \
            edid(base(600), block(db(2, 0x10, 0x01, 0x61) + VCDB + hdmi + forum))


def main():
    for label, data in cases():
        print(f'{label}\t{len(data)}\t{data.hex()}')


if __name__ == '__main__':
    main()
