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


def displayid(version, product_type, *data_blocks):
    """A DisplayID extension block: one section of `version` holding `data_blocks`."""
    body = b''.join(data_blocks)
    section = bytes([version, len(body), product_type, 0x00]) + body
    section += bytes([-sum(section) % 256])
    head = bytes([0x70]) + section
    head += bytes(127 - len(head))
    return head + bytes([-sum(head) % 256])


def dd(tag, revision, *payload):
    return bytes([tag, revision, len(payload), *payload])


# The base block's 1920x1080 at 60 Hz as a DisplayID detailed timing, flagged preferred: type I
# (clock in 10 kHz) and type VII (in kHz); both keep DisplayID's rules of a preferred timing.
DETAILED = [0x84, 0x7F, 0x07, 0x17, 0x01, 0x57, 0x80, 0x2B, 0x00, 0x37, 0x04, 0x2C, 0x00, 0x03,
            0x80, 0x04, 0x00]
TYPE1 = dd(0x03, 0, 0x01, 0x3A, 0x00, *DETAILED)
TYPE7 = dd(0x22, 0, 0x13, 0x44, 0x02, *DETAILED)
# DisplayID 1.3: product identification (PNP ID BNQ) and display parameters (540.4 x 300.4 mm,
# 1920x1080); DisplayID 2.0: product identification (an OUI).
PRODUCT13 = dd(0x00, 0, 0x42, 0x4E, 0x51, 0x83, 0x7F, 0, 0, 0, 0, 42, 20, 0)
PARAMETERS13 = dd(0x01, 0, 0x1C, 0x15, 0xBC, 0x0B, 0x80, 0x07, 0x38, 0x04, 0x00, 0x78, 0x4C,
                  0x77)
PRODUCT20 = dd(0x20, 0, 0x84, 0x8A, 0x59, 0x8E, 0x00, 0, 0, 0, 0, 0, 23, 0)


def displayid_cases():
    """DisplayID timings that only formulas and tables give the rates of, each alone beyond its
    range limits."""
    # Type III: 1920x1200 at 60 Hz, CVT reduced blanking (154 MHz).
    yield 'crafted/a displayid type iii timing beyond the range limits', edid(
        base(150), displayid(0x13, 0x03, PRODUCT13, PARAMETERS13, TYPE1,
                             dd(0x05, 0, 0x15, 0xEF, 0x3B)))
    twenty = [
        # Type VIII, DMT code 0x4A: 1920x1440 at 75 Hz (297 MHz).
        ('a displayid type viii dmt code', 290, dd(0x23, 0, 0x4A)),
        # Type IX: 1920x1080 at 120 Hz, CVT reduced blanking (285.5 MHz).
        ('a displayid type ix timing', 280, dd(0x24, 0, 0x01, 0x7F, 0x07, 0x37, 0x04, 0x77)),
        # Type X: 3840x2160 at 60 Hz, CVT reduced blanking version 2 (522.614 MHz).
        ('a displayid type x timing', 500, dd(0x2A, 0, 0x02, 0xFF, 0x0E, 0x6F, 0x08, 0x3B)),
        # Type X of 7-byte descriptors: 2560x1440 at 240 Hz, version 3 with early vertical
        # sync, 24 pixels more horizontal blanking, 70 us more vertical blanking.
        ('a displayid type x timing of version 3 options', 600,
         dd(0x2A, 0x10, 0x0B, 0xFF, 0x09, 0x9F, 0x05, 0xEF, 0x4C)),
    ]
    for what, mhz, block_ in twenty:
        yield f'crafted/{what} beyond the range limits', edid(
            base(mhz), displayid(0x20, 0x01, PRODUCT20, TYPE7, block_))


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
    for label, data in [*cases(), *displayid_cases()]:
        print(f'{label}\t{len(data)}\t{data.hex()}')


if __name__ == '__main__':
    main()
