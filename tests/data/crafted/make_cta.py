#!/usr/bin/env python3
"""Writes cta.tsv: a real television's EDID (tests/data/corpus, CC BY 4.0; see README.md)
changed by a few bytes, for each CTA-861 and HDMI rule (CTA-861-I, HDMI 2.1 and the older
ones) the real corpus does not break, named after what it holds. The differential test compares
our checks of each with the oracle's stored output.

Usage: make_cta.py > cta.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# An HDMI 2.x television: EDID 1.3, one CTA-861 block with room after its data blocks.
SAMPLE = 'Digital/Goldstar/GSM0001/6BD74579FA78'


def sample():
    with open(os.path.join(HERE, '../corpus/edid-samples.tsv')) as f:
        for line in f:
            label, _, hexes = line.rstrip('\n').split('\t')
            if label == SAMPLE:
                return bytes.fromhex(hexes)
    raise SystemExit(f'{SAMPLE} not in the corpus')


def data_blocks(cta):
    """The data blocks of a CTA-861 block, each as bytes with its header."""
    blocks, i = [], 4
    while i < cta[2]:
        n = 1 + (cta[i] & 0x1F)
        blocks.append(bytes(cta[i:i + n]))
        i += n
    return blocks


BASE = sample()
BLOCKS = data_blocks(BASE[128:256])
# By kind: the video, audio, HDMI, HDMI Forum, video capability, colorimetry, HDR static and
# 4:2:0 capability map blocks of the sample, in its order.
VIDEO, AUDIO, HDMI, FORUM, VCDB, COLORIMETRY, HDR, Y420MAP = BLOCKS


def cta(blocks, flags=None, revision=3, offset=None, tail=b''):
    """A CTA-861 block of the sample's header holding `blocks`, then `tail` where its detailed
    timings start; `offset` overrides byte 2."""
    data = b''.join(blocks)
    head = bytes([0x02, revision, 4 + len(data) if offset is None else offset,
                  BASE[128 + 3] if flags is None else flags])
    body = head + data + tail
    assert len(body) <= 127, len(body)
    body += bytes(127 - len(body))
    return body + bytes([-sum(body) % 256])


def edid(*ctas, count=None):
    """The sample's base block before `ctas`, byte 126 counting them or saying `count`."""
    base = bytearray(BASE[:128])
    base[126] = len(ctas) if count is None else count
    base[127] = -sum(base[:127]) % 256
    return bytes(base) + b''.join(ctas)


def db(tag, *payload):
    return bytes([tag << 5 | len(payload), *payload])


def ext(tag, *payload):
    return db(7, tag, *payload)


def replaced(old, *new):
    """The sample's data blocks with `old` replaced by `new` (any number)."""
    out = []
    for b in BLOCKS:
        out.extend(new if b == old else [b])
    return out


def changed(changes):
    """The sample's data blocks, those `changes` names replaced by its values."""
    return [changes.get(b, b) for b in BLOCKS]


def forum(*fields):
    """An HDMI Forum vendor-specific block of the sample's OUI and `fields` after it."""
    return db(3, *FORUM[1:4], *fields)


def with_rate(hdmi, code):
    """The HDMI block `hdmi` with max TMDS byte `code` (x 5 MHz)."""
    return hdmi[:7] + bytes([code]) + hdmi[8:]


# The VICs of HDMI VICs 1 to 4, which the sample's video block lists.
UHD_VICS = (95, 94, 93, 98)

# The sample's HDMI Forum fields after the OUI: version 1, 600 MHz TMDS, SCDC.
FIELDS = list(FORUM[4:])

CASES = {
    # HDMI 2.1: the sink capability block in place of the vendor block, then wrong.
    'cta sink capability block in place of the HDMI Forum vendor block':
        edid(cta(replaced(FORUM, ext(0x79, 0, 0, *FIELDS)))),
    'cta sink capability block before the HDMI block and beside the vendor block, too short':
        edid(cta([ext(0x79, 0, 0, *FIELDS)] + BLOCKS + [ext(0x79, 0)])),
    'cta sink capability block in block 2':
        edid(cta(replaced(FORUM)), cta([HDMI, ext(0x79, 0, 0, *FIELDS)])),
    'cta HDMI Forum block at 350 MHz below the HDMI block\'s 400, CinemaVRR, VRR of 50 to 90 Hz':
        edid(cta(changed({HDMI: with_rate(HDMI, 0x50),
                          FORUM: forum(1, 70, 0x80, 0x0B, 0x10, 50, 90)}))),
    'cta HDMI Forum block at 300 MHz, FRL 2 without 600 MHz, UHD VIC bit clear, DSC codes unknown':
        edid(cta(replaced(FORUM, forum(1, 60, 0x80, 0x20, 0x00, 0x00, 0x00, 0x80, 0x89, 0)))),
    'cta HDMI Forum block of FRL code 7, VRRmax without VRRmin, a UHD VIC bit without HDMI VICs':
        edid(cta(changed({HDMI: db(3, *HDMI[1:10], 0x00),
                          FORUM: forum(1, 120, 0x80, 0x78, 0x00, 0x00, 120)}))),
    # HDMI 2.1: the EDID extension override block.
    'cta extension override block counting 1, too long, not the first data block':
        edid(cta(BLOCKS + [ext(0x78, 1, 0)])),
    'cta extension override block first, counting 1':
        edid(cta([ext(0x78, 1)] + BLOCKS)),
    # HDMI 2.1a: source-based tone mapping.
    'cta source-based tone mapping block with reserved GRDM and HGIG codes':
        edid(cta(BLOCKS + [ext(0x7A, 0xE1, 0x05)])),
    'cta source-based tone mapping block holding nothing':
        edid(cta(BLOCKS + [ext(0x7A)])),
    # HDMI audio: 3D audio, multi-stream.
    'cta HDMI audio block of non-mixed streams without a count, 3D audio of format 0':
        edid(cta(BLOCKS + [ext(0x12, 0x04, 0x01, 0x00, 0x01, 0x07, 0x07, 0x01, 0x00, 0x00, 0x10)])),
    # The HDMI block's latencies, HDMI VICs and image size.
    'cta HDMI latencies reserved, audio behind video by more than 20 ms, HDMI VIC 5':
        edid(cta(replaced(HDMI, db(3, *HDMI[1:4], *HDMI[4:8], 0xE0, 252, 30, 10, 40, 0x00, 0x20,
                                   5)))),
    'cta HDMI latencies with audio ahead of video, image size as an aspect ratio':
        edid(cta(replaced(HDMI, db(3, *HDMI[1:4], *HDMI[4:8], 0xA0, 40, 10, 0x08, 0x00)))),
    # CTA-861.6: video format data block.
    'cta video format block of an unknown RID, a RID a VIC gives, reserved bits':
        edid(cta(BLOCKS + [db(6, 0x02, 0x00, 0x00, 0x02, 30, 0x00, 0x10, 0x04, 0x83, 0x00)])),
    'cta video format block holding nothing':
        edid(cta(BLOCKS + [db(6)])),
    # CTA-861-H: video format preference block.
    'cta video format preference block naming missing timings and an unknown VIC':
        edid(cta(BLOCKS + [ext(0x0D, 0x83, 0x91, 0xA1, 0xFE, 220)])),
    # No native timing for the preferred 4096 pixels to exceed.
    'cta video format preference block naming a 4096-wide VIC':
        edid(cta(BLOCKS + [ext(0x0D, 98)], flags=BASE[128 + 3] & 0xF0)),
    'cta video format preference block naming rates of its video format block':
        edid(cta(BLOCKS + [db(6, 0x01, 0x0B, 0x83), ext(0x0D, 0xA6, 0xA7)])),
    # CTA-861-I: native video resolution block.
    'cta native video resolution block with an image size too short':
        edid(cta(BLOCKS + [ext(0x08, 97, 0x03, 0x40, 0x06)])),
    'cta native video resolution block of zero and of small image sizes, reserved bits':
        edid(cta(BLOCKS + [ext(0x08, 97, 0x41, 0x00, 0x00, 0x84, 0x03),
                           ext(0x08, 97, 0x81, 0x40, 0x06, 0x84, 0x03)])),
    'cta native video resolution block of an image size 10 cm narrower than the screen':
        edid(cta(BLOCKS + [ext(0x08, 97, 0x81, 0xDC, 0x05, 0x84, 0x03)])),
    # CTA-861-G: room configuration and speaker location.
    'cta room configuration flags without a speaker location block':
        edid(cta(BLOCKS + [ext(0x13, 0xA5, 0x0F, 0x00, 0x00, 10, 10, 10, 0, 0, 0)])),
    'cta speaker location block without room configuration, a channel twice, reserved speaker':
        edid(cta(BLOCKS + [ext(0x14, 0x20, 0x00, 0x20, 0x01, 0x21, 0x1D)])),
    'cta room configuration counting speakers with its flag clear, maxima without coordinates':
        edid(cta(BLOCKS + [ext(0x13, 0x03, 0x0F, 0x00, 0x00, 10, 10, 10)])),
    # CTA-861-G: InfoFrame data block; CTA-861-I: product information data block.
    'cta InfoFrame block with reserved bits, a payload size, a cut vendor InfoFrame':
        edid(cta(BLOCKS + [ext(0x20, 0x01, 0x00, 0x02, 0x21),
                           ext(0x20, 0x00, 0x00, 0x04, 0x01, 0x03, 0x0C)])),
    'cta product information block of version 1 and a name not ASCII':
        edid(cta(BLOCKS + [ext(0x21, 0x00, 0x0C, 0x03, 0x01, 0x54, 0x09, 0x56, 0x00)])),
    # The 4:2:0 capability map against the VICs.
    'cta 4:2:0 capability map flagging no VIC':
        edid(cta(replaced(Y420MAP, ext(0x0F, 0x00, 0x00)))),
    'cta 4:2:0 capability map past the VICs and over a 4:2:0-only VIC':
        edid(cta(replaced(Y420MAP, ext(0x0F, 0x01, 0x00, 0x00, 0x80), ext(0x0E, 97)))),
    # Broken layouts: issue 25's two, and their neighbours.
    'cta DTD offset past the block':
        edid(cta(BLOCKS, offset=200)),
    'cta DTD offset inside the header':
        edid(cta(BLOCKS, offset=2)),
    'cta audio block of 4 bytes':
        edid(cta(replaced(AUDIO, db(1, *AUDIO[1:4], 0x01)))),
    'cta audio block holding nothing, video block holding nothing':
        edid(cta(BLOCKS + [db(1), db(2)])),
    'cta short audio descriptors of format 0 and of MPEG-H level 7':
        edid(cta(replaced(AUDIO, db(1, 0x01, 0x07, 0x00, 0x7F, 0x07, 0x58)))),
    # Rules across blocks: what a later block holds counts.
    'cta 4:2:0-only VIC in block 1 that block 2 lists, HDMI VICs whose VICs block 2 lists':
        edid(cta(replaced(VIDEO, db(2, *[v for v in VIDEO[1:] if v not in UHD_VICS]),
                          ext(0x0E, 107))),
             cta([db(2, *UHD_VICS, 107)])),
    'cta HDMI block last in block 1, HDMI Forum block first in block 2':
        edid(cta([b for b in BLOCKS if b not in (HDMI, FORUM)] + [HDMI]), cta([FORUM])),
    # Blocks past the extension count are checked too, after those within it.
    'cta a copy of the CTA-861 block past the extension count':
        edid(cta(BLOCKS), cta(BLOCKS), count=1),
}


def main():
    for name, data in CASES.items():
        print(f'crafted/{name}\t{len(data)}\t{data.hex()}')


if __name__ == '__main__':
    main()
