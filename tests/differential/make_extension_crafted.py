#!/usr/bin/env python3
"""Writes tests/data/crafted/fields-extensions.tsv: a real EDID 1.4 base block followed by
extension blocks of the kinds the corpus lacks (video timing, display information, localized
strings, block map), made here, each EDID named after what it holds.

Usage: make_extension_crafted.py > ../data/crafted/fields-extensions.tsv
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# A real monitor's EDID 1.4 base block (tests/data/corpus, CC BY 4.0) that breaks no rule: range
# limits of 56-76 Hz, 30-83 kHz and 170 MHz, which every timing added here stays within.
BASE_SAMPLE = 'Digital/Dell/DELA0DB/2F80313AD587'


def sample():
    with open(os.path.join(HERE, '../data/corpus/edid-samples.tsv')) as f:
        for line in f:
            path, _, hexes = line.rstrip('\n').split('\t')
            if path == BASE_SAMPLE:
                return bytearray.fromhex(hexes)
    raise SystemExit(f'{BASE_SAMPLE} not in the corpus')


def block(tag, body):
    """An extension block of `tag`: `body` after the tag, zeros to its checksum."""
    head = bytes([tag]) + bytes(body)
    assert len(head) <= 127, len(head)
    head += bytes(127 - len(head))
    return head + bytes([-sum(head) % 256])


def edid(*blocks):
    b = sample()[:128]
    b[126] = len(blocks)
    b[127] = -sum(b[:127]) % 256
    return bytes(b) + b''.join(blocks)


def dtd(clock_khz, h, hblank, v, vblank, hfront, hsync, vfront, vsync, size_mm=(0, 0),
        borders=(0, 0), flags=0x1E):
    """An 18-byte detailed timing; `flags` byte 17 (0x1E: digital separate sync, both
    polarities positive)."""
    hs, vs = size_mm
    return bytes([clock_khz // 10 & 0xFF, clock_khz // 10 >> 8,
                  h & 0xFF, hblank & 0xFF, (h >> 8) << 4 | hblank >> 8,
                  v & 0xFF, vblank & 0xFF, (v >> 8) << 4 | vblank >> 8,
                  hfront & 0xFF, hsync & 0xFF, (vfront & 0xF) << 4 | vsync & 0xF,
                  (hfront >> 8) << 6 | (hsync >> 8) << 4 | (vfront >> 4) << 2 | vsync >> 4,
                  hs & 0xFF, vs & 0xFF, (hs >> 8) << 4 | vs >> 8, *borders, flags])


# Detailed timings: 1920x1080 at 60 Hz (the base block's own), 1280x1024 at 60 Hz (DMT 0x23)
# and 1536x864 at 60 Hz (no DMT mode), the last with negative polarities.
DTD_1080P = dtd(148500, 1920, 280, 1080, 45, 88, 44, 4, 5, (527, 296))
DTD_1280 = dtd(108000, 1280, 408, 1024, 42, 48, 112, 1, 3, (376, 301))
DTD_1536 = dtd(90980, 1536, 160, 864, 30, 48, 32, 3, 5, (527, 296), flags=0x18)
# 1920x1080 interlaced at 60 Hz (VIC 5's timing); 1024x768 at 60 Hz (DMT 0x10) with digital
# composite sync and serrations, then analog composite sync on green only with serrations; and
# 1536x864 again, 2-way interleaved stereo, the left image on even lines.
DTD_1080I = dtd(74250, 1920, 280, 540, 22, 88, 44, 2, 5, (527, 296), flags=0x9E)
DTD_1024_DIGITAL = dtd(65000, 1024, 320, 768, 38, 24, 136, 3, 6, (394, 296), flags=0x14)
DTD_1024_ANALOG = dtd(65000, 1024, 320, 768, 38, 24, 136, 3, 6, (394, 296), flags=0x04)
DTD_1536_STEREO = dtd(90980, 1536, 160, 864, 30, 48, 32, 3, 5, (527, 296), flags=0x5F)


def vtb(dtds=(), cvts=(), sts=(), version=1):
    body = bytes([version, len(dtds), len(cvts), len(sts)])
    for d in dtds:
        body += d
    for c in cvts:
        body += c
    for s in sts:
        body += s
    return block(0x10, body)


def di(interface=0x02, version=(0x00, 0, 0, 0), signal=0x00, data_format=0x24, min_clock=0,
       max_clock=0, crossover=0, device=(0, 0, 0, 0, 0, 0), caps=bytes(19), gamma=bytes(46)):
    """A display information block: bytes 1 to 0x7E (the version first)."""
    body = bytearray(126)
    body[0] = 1
    body[1] = interface
    body[2:6] = bytes(version)
    body[6] = signal
    body[7] = data_format
    body[8] = min_clock
    body[9:11] = max_clock.to_bytes(2, 'little')
    body[11:13] = crossover.to_bytes(2, 'little')
    body[13:19] = bytes(device)
    body[19:38] = bytes(caps)
    body[0x50:0x7e] = bytes(gamma)
    return block(0x40, body)


def language(code):
    """Three letters, 5 bits each from 'A' = 1."""
    n = 0
    for ch in code:
        n = n << 5 | (ord(ch) - ord('@'))
    return n.to_bytes(2, 'big')


def string_table(utf, country, lang, maker, model, serial):
    body = bytes([utf]) + country.to_bytes(2, 'big') + lang
    for s in (maker, model, serial):
        body += bytes([len(s)]) + s
    return bytes([len(body) + 1]) + body


def ls(*tables, version=(1, 0), unicode=(0x60, 0)):
    body = bytes([*version, *unicode])
    for t in tables:
        body += t
    return block(0x50, body)


def le16(n):
    return tuple(n.to_bytes(2, 'little'))


def utf16(text):
    return text.encode('utf-16-be')


def utf32(text):
    return text.encode('utf-32-be')


CASES = [
    ('a video timing block of two detailed timings, three cvt codes and three standard timings',
     edid(vtb(dtds=[DTD_1080P, DTD_1280],
              # 1024x768 at 60 Hz and 60 Hz reduced blanking, this preferred; 1280x800 at 60
              # and 75 Hz, 75 preferred; 1600x900 at 60 Hz.
              cvts=[bytes.fromhex('7f1029'), bytes.fromhex('8f184c'), bytes.fromhex('c11428')],
              # 1920x1080 and 1280x1024 at 60 Hz (DMT), 1600x1000 at 60 Hz (GTF).
              sts=[bytes.fromhex('d1c0'), bytes.fromhex('8180'), bytes.fromhex('a900')]))),
    ('a video timing block of one detailed timing with negative polarities and a standard '
     'timing of 16:10 at 75 hz',
     edid(vtb(dtds=[DTD_1536], sts=[bytes.fromhex('a90f')]))),
    ('a video timing block of an interlaced timing, composite syncs and stereo',
     edid(vtb(dtds=[DTD_1080I, DTD_1024_DIGITAL, DTD_1024_ANALOG, DTD_1536_STEREO]))),
    ('a display information block of a dvi single link, its version and release, a white '
     'curve',
     edid(di(interface=0x02, version=(0x41, 2, 3, 4), signal=0xDE, data_format=0x24,
             min_clock=25, max_clock=165, crossover=0xFFFF,
             device=(0x01, 0x02, 0x03, 0x1B, 0x1C, 0xAA),
             caps=bytes([0x8C, 0xA0, *le16(6000), *le16(6750), 0x42, 0x01, 0x00, 0x84, 0x04,
                         0x80, 8, 8, 8, 0, 0, 0, 0xA0]),
             gamma=bytes([0x45, 0x10, 0x40, 0x80, 0xC0, 0xFF])))),
    ('a display information block of a dfp, its standard letter, curves per channel',
     edid(di(interface=0x07, version=(0x80, ord('A'), 0, 0), signal=0x26, data_format=0x15,
             max_clock=112, crossover=0,
             device=(0x04, 0x04, 0x05, 0x00, 0x00, 0x5C),
             caps=bytes([0x13, 0x40, *le16(0), *le16(0), 0xB5, 0x0E, 0x04, 0x01, 0xFC,
                         0x00, 10, 10, 10, 16, 16, 16, 0x30]),
             gamma=bytes([0x83, 1, 2, 3] + [0] * 12 + [4, 5, 6] + [0] * 12 + [7, 8, 9])))),
    ('a display information block of a dual link dvi of high colour, its standard date',
     edid(di(interface=0x04, version=(0xC0, 15, 6, 15), signal=0x3A, data_format=0x49,
             min_clock=20, max_clock=330, crossover=165,
             device=(0x02, 0x01, 0x01, 0x28, 0x28, 0x72),
             caps=bytes([0x25, 0xE0, *le16(5994), *le16(3147), 0xDC, 0x0A, 0x03, 0xFF, 0xF8,
                         0x80, 6, 8, 10, 12, 14, 16, 0xF0])))),
    ('a display information block of an analog interface',
     edid(di(interface=0x00, data_format=0, caps=bytes([0x80] + [0] * 18)))),
    ('a localized string block of tables in utf-8, utf-16 and utf-32',
     edid(ls(string_table(0, 840, language('ENG'), b'Acme', b'Vue 27', b'A1'),
             string_table(1, 250, language('FRA'), utf16('\u00c9cran'), utf16('Vue'), b''),
             string_table(2, 276, language('DEU'), b'', utf32('Gr\u00f6\u00dfe'), b''),
             version=(1, 0), unicode=(0x61, 0)))),
    ('a localized string block of a utf-8 table with bytes outside utf-8 and no language',
     edid(ls(string_table(0, 392, b'\x00\x00', b'Acme\xff', b'\xe6\x98\x8e\xc3', b'01'),
             version=(1, 1), unicode=(0x52, 1)))),
    ('a block map of a video timing block and a localized string block',
     edid(block(0xF0, [0x10, 0x50]),
          vtb(dtds=[DTD_1280]),
          ls(string_table(0, 840, language('ENG'), b'Acme', b'', b'')))),
]


def main():
    for name, data in CASES:
        print('crafted/%s\t%d\t%s' % (name, len(data), data.hex()))


if __name__ == '__main__':
    main()
