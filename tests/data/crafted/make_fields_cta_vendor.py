#!/usr/bin/env python3
"""Writes fields-cta-vendor.tsv: the television of make_cta.py with its HDMI blocks replaced by
vendor-specific blocks the corpus holds none of (HDMI 3D, the HDMI Forum's DSC fields, FreeSync
2 and 3, Microsoft, UHD Alliance, Dolby Vision 0 and 1, Dolby audio for headphones, HDR10+
with bytes after its flags, tone mapping with its own primaries and levels), so that the
fields of each are compared with the oracle's reading.

Usage: make_fields_cta_vendor.py > fields-cta-vendor.tsv
"""
import make_cta

H = bytes.fromhex
HDMI_3D = H('7b030c001000f93cef00ff0b15c04b0105817f001f00186026387045')
HDMI_PLAIN = H('67030c0010003844')
FORUM_DSC = H('6dd85dc401 78ff67ef702cff570f')
AMD_2 = H('6d1a0000020f30900024602050 10')
AMD_3 = H('6f1a0000034b3000e644701060202c01')
MICROSOFT = H('755c12ca0367') + bytes(range(0x10, 0x20))
UHDA = H('65fbbb1a0102')
SBTM_BT2020 = H('e37ac2c2')
DOLBY_0 = H('f501 46d000 07 d5 a4 50 12 4a 95 08 90 10 14 50 54 3a 40 96 21')
DOLBY_1_REGIONS = H('eb01 46d000 27 15 29 ad 65 c8 a5')
DOLBY_1_PLAIN = H('ee01 46d000 21 14 28 00 ad 55 45 b0 26 0f')
DOLBY_AUDIO = H('e611 46d000 81 01')
HDR10_PLUS = H('e701 8b8490 9d 1234')
SBTM = H('fd7a a130 007d7440 983a3075 4c1db80b 133d4240 10a0 8190 4280 c370 0360')

CASES = [
    ('HDMI block with 3D for all VICs and by mask, 3D VIC by VIC, latencies unknown and '
     'unsupported; FreeSync 2 and 3, Microsoft and UHD Alliance blocks',
     [HDMI_3D, AMD_2, AMD_3, MICROSOFT, UHDA, SBTM_BT2020]),
    ('HDMI Forum block with every DSC field; Dolby Vision versions 0 and 1 with primaries in '
     'regions, tone mapping with its own primaries and levels',
     [HDMI_PLAIN, FORUM_DSC, DOLBY_0, DOLBY_1_REGIONS, SBTM]),
    ('Dolby Vision version 1 with plain primaries, Dolby audio for headphones, HDR10+ with '
     'more bytes',
     [HDMI_PLAIN, DOLBY_1_PLAIN, DOLBY_AUDIO, HDR10_PLUS]),
]


def edid(blocks):
    dbs = b''.join([make_cta.VIDEO, make_cta.AUDIO] + blocks + [make_cta.VCDB])
    cta = bytearray(make_cta.BASE[128:256])
    assert len(dbs) <= 123, len(dbs)
    cta[2] = 4 + len(dbs)
    cta[4:127] = (dbs + bytes(123))[:123]
    cta[127] = (-sum(cta[:127])) & 0xFF
    return make_cta.BASE[:128] + bytes(cta)


for what, blocks in CASES:
    print('crafted/%s\t256\t%s' % (what, edid(blocks).hex()))
