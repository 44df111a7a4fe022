#!/usr/bin/env python3
"""Writes fields-cta-formats.tsv: the television of make_cta.py with blocks whose fields the
corpus leaves unread (speakers placed by coordinates, a room with its display, video format
descriptors of three bytes, an image size in millimetres, vendor InfoFrames), for
tests/differential/compare_fields.py.

Usage: make_fields_cta_formats.py > fields-cta-formats.tsv
"""
from make_cta import AUDIO, HDMI, VCDB, VIDEO, cta, edid


def ext(tag, *payload):
    return bytes([0xE0 | (len(payload) + 1), tag, *payload])


# Three speakers, FL and FR placed, FC where its kind goes; the display in front.
ROOM = ext(0x13, 0xE2, 0x05, 0x00, 0x00, 0x20, 0x30, 0x10, 0x00, 0x40, 0xF0)
LOCATIONS = ext(0x14, 0x60, 0x00, 0xC0, 0x40, 0x00, 0x61, 0x01, 0x40, 0x40, 0x00, 0x22, 0x02)
# RID 2 on both bases by factors 1 and 4, 144 and 48 Hz; RID 5 at 24 Hz only.
FORMATS = bytes([0xC7, 0xC2, 0x82, 0xC5, 0x01, 0x45, 0x02, 0x00])
# VIC 97, the size in millimetres that the detailed timings give.
NATIVE = ext(0x08, 0x61, 0x81, 0x40, 0x06, 0x84, 0x03)
# One more vendor InfoFrame, HDMI's, then AVI, audio and dynamic range.
INFOFRAMES = ext(0x20, 0x00, 0x01, 0x01, 0x03, 0x0C, 0x00, 0x02, 0x04, 0x07)

CASES = [
    ('speakers placed, a room with its display, three-byte VFDs, a size in mm, InfoFrames',
     edid(cta([VIDEO, AUDIO, HDMI, VCDB, ROOM, LOCATIONS, FORMATS, NATIVE, INFOFRAMES]))),
]

for label, data in CASES:
    print('crafted/fields %s\t%d\t%s' % (label, len(data), data.hex()))
