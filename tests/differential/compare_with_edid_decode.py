#!/usr/bin/env python3
"""Decodes every sample of a TSV of real EDIDs with `moniquet-cli info --json` and with
Debian's edid-decode, and compares every field edid-decode prints.

Usage: compare_with_edid_decode.py MONIQUET_CLI SAMPLES_TSV

Prints one line per disagreement and a summary; exits with 1 on any disagreement. The
conformity checks are compared by compare_checks.py, against today's edid-decode.
"""
import collections
import concurrent.futures
import itertools
import json
import math
import os
import re
import subprocess
import sys
import tempfile
import time

import base_fields
import cta_fields
import displayid_fields

# Each compares the fields of one kind of block: compare(ours, text, check, skip) with our JSON,
# edid-decode's whole output, check(field, ours, theirs, tolerance=0) and skip(reason).
FIELD_MODULES = (base_fields, cta_fields, displayid_fields)

# edid-decode prints refresh rates and pixel clocks with six decimals, luminances with three;
# we print six (clocks two, exact as they are multiples of 10 kHz). Each side rounds by up to
# half a unit of its last decimal.
SIX_DECIMALS = 1.01e-6
THREE_DECIMALS = 0.51e-3

# Block kinds as edid-decode names them. It names tag 0x60 after the microdisplay interface,
# which shares the tag; the other kinds it names (EDID 2.0, maker-specific) are unknown to us.
BLOCK_TYPES = {'Base EDID': 'base', 'CTA-861': 'cta-861', 'DisplayID': 'displayid',
               'Block Map': 'block-map', 'Video Timing': 'vtb', 'Display Information': 'di',
               'Localized String': 'ls', 'Microdisplay Interface': 'dpvl'}
EOTFS = {'Traditional gamma - SDR luminance range': 'sdr',
         'Traditional gamma - HDR luminance range': 'hdr',
         'SMPTE ST2084': 'pq', 'Hybrid Log-Gamma': 'hlg'}
DTD = re.compile(r'DTD\s*\d+:\s+(\d+)x(\d+)(i?)\s+(\S+) Hz .* ([\d.]+) MHz(?: \((.*)\))?$')
LUMINANCES = {'max': 'max_luminance_cd_m2', 'max frame-average': 'max_frame_average_cd_m2',
              'min': 'min_luminance_cd_m2'}
TEXTS = {'Display Product Name': 'names', 'Display Product Serial Number': 'serials',
         'Alphanumeric Data String': 'strings'}


def parse_edid_decode(out):
    """What edid-decode says, under our JSON's names; texts and timings keep their block."""
    t = {'blocks': [], 'names': [], 'serials': [], 'strings': [], 'dtds': [],
         'spwg': False, 'extension_count': 0, 'serial_number': None, 'manufacture_week': None,
         'manufacture_year': None, 'model_year': None, 'screen_size_cm': None,
         'range_limits': None, 'cta': None}
    lines = out.splitlines()
    kind = section = None
    embedded = False  # inside the CTA-861 data blocks of a DisplayID section
    for i, line in enumerate(lines):
        if m := re.match(r'Block (\d+), (.*):$', line):
            kind = BLOCK_TYPES.get(m[2].replace(' Extension Block', ''), 'unknown')
            section, embedded = None, False
            t['blocks'].append({'index': int(m[1]), 'type': kind, 'checksum_valid': None})
            if kind == 'cta-861':
                t['cta'] = t['cta'] if t['cta'] and 'only_in_displayid' not in t['cta'] \
                    else {'vics': [], 'hdr': None}
            continue
        if line == '  CTA-861 DisplayID Data Block:':  # CTA-861 data too
            t['cta'] = t['cta'] or {'vics': [], 'hdr': None, 'only_in_displayid': True}
            embedded = True
            continue
        if kind == 'displayid' and re.match(r'  \S', line):
            embedded = embedded and cta_fields.is_heading(line)
        if m := re.match(r'Checksum: 0x\w\w( \(should be)?', line):  # DisplayID's own is indented
            t['blocks'][-1]['checksum_valid'] = not m[1]
        if kind not in ('base', 'cta-861') and not (kind == 'displayid' and embedded):
            continue
        index = t['blocks'][-1]['index']
        if re.match(r'  \S', line):
            section = line.strip()
            if section == 'HDR Static Metadata Data Block:' and t['cta']['hdr']:
                section = 'a second HDR block'
        s = line.strip()
        if m := re.match(r'EDID Structure Version & Revision: (\S+)$', s):
            t['edid_version'] = m[1]
        elif m := re.match(r'Manufacturer: (.*)$', s):
            t['manufacturer_id'] = m[1]
        elif m := re.match(r'Model: (\d+)$', s):
            t['product_code'] = int(m[1])
        elif m := re.match(r'Serial Number: (\d+)', s):
            t['serial_number'] = int(m[1])
        elif m := re.match(r'Made in: (?:week (\d+) of )?(\d+)$', s):
            t['manufacture_week'] = m[1] and int(m[1])
            t['manufacture_year'] = int(m[2])
        elif m := re.match(r'Model year: (\d+)$', s):
            t['model_year'] = int(m[1])
        elif s in ('Digital display', 'Analog display'):
            t['digital'] = s == 'Digital display'
        elif m := re.match(r'Maximum image size: (\d+) cm x (\d+) cm$', s):
            t['screen_size_cm'] = {'width': int(m[1]), 'height': int(m[2])}
        elif m := re.match(r'Extension blocks: (\d+)$', s):
            t['extension_count'] = int(m[1])
        elif m := DTD.match(s):
            size = re.search(r'(\d+) mm x (\d+) mm', m[6] or '')
            detail = ''.join(itertools.takewhile(lambda d: re.match(r'\s+[HV]front', d),
                                                 lines[i + 1:]))
            t['dtds'].append({
                'block': index, 'width': int(m[1]), 'height': int(m[2]), 'interlaced': m[3] == 'i',
                'refresh_hz': float(m[4]) if math.isfinite(float(m[4])) else None,  # no pixels
                'pixel_clock_mhz': float(m[5]),
                'image_size_mm': {'width': int(size[1]) if size else 0,
                                  'height': int(size[2]) if size else 0},
                'vborder': 'Vborder' in detail})
        elif s.startswith('Detailed mode:'):
            t['dtds'].append(None)  # below 10 MHz: shown as bytes only
        elif m := re.match(r"(Display Product Name|Display Product Serial Number|"
                           r"Alphanumeric Data String): '(.*)'$", s):
            t[TEXTS[m[1]]].append((index, m[2]))
        elif s.startswith('SPWG Descriptor'):
            t['spwg'] = True
        elif (m := re.match(r'Monitor ranges \(.*\): (\d+)-(\d+) Hz V, (\d+)-(\d+) kHz H'
                            r'(?:, max dotclock (\d+) MHz)?', s)) and index == 0 \
                and not t['range_limits']:
            t['range_limits'] = dict(zip(('min_v_hz', 'max_v_hz', 'min_h_khz', 'max_h_khz'),
                                         map(int, m.groups()[:4])),
                                     max_pixel_clock_mhz=m[5] and int(m[5]))
        elif section == 'Video Data Block:' and index <= t['extension_count'] \
                and (m := re.match(r'(?:Unknown \()?VIC\s+(\d+)', s)):  # we skip those past
            t['cta']['vics'].append(int(m[1]))
        elif section == 'HDR Static Metadata Data Block:' and s != section:  # not its heading
            hdr = t['cta']['hdr'] = t['cta']['hdr'] or {'eotfs': []}
            if s in EOTFS:
                hdr['eotfs'].append(EOTFS[s])
            elif m := re.match(r'Desired content (max|max frame-average|min) luminance: '
                               r'\d+ \(([\d.]+) cd/m\^2\)', s):
                hdr[LUMINANCES[m[1]]] = float(m[2])
    return t


def as_edid_decode_shows(text, tally):
    """Our text as far as edid-decode shows it: up to its first byte outside 0x20-0x7E (we
    keep every byte as a code point). It keeps trailing spaces, which we remove."""
    shown = text and re.match(r'[ -~]*', text)[0]
    if shown == text:
        return text
    tally.skips['text compared up to its first byte outside 0x20-0x7E'] += 1
    return shown.rstrip(' ')


class Tally:
    def __init__(self):
        self.compared = self.agreed = 0
        self.disagreements = []
        self.skips = collections.Counter()

    def check(self, sample, field, ours, theirs, tolerance=0):
        self.compared += 1
        if isinstance(ours, (int, float)) and isinstance(theirs, float):
            same = abs(ours - theirs) <= tolerance
        else:
            same = ours == theirs
        if same:
            self.agreed += 1
        else:
            self.disagreements.append(f'{sample}: {field}: ours {json.dumps(ours)}, '
                                      f'edid-decode {json.dumps(theirs)}')


def compare(sample, ours, theirs, text, tally):
    def check(field, o, t, tolerance=0):
        tally.check(sample, field, o, t, tolerance)

    def skip(reason):
        tally.skips[reason] += 1

    for module in FIELD_MODULES:
        module.compare(ours, text, check, skip)

    for key in ('edid_version', 'manufacturer_id', 'product_code', 'serial_number',
                'manufacture_week', 'manufacture_year', 'model_year', 'digital',
                'extension_count', 'screen_size_cm'):
        check(key, ours.get(key, 'no such key'), theirs.get(key))
    limits = ours['range_limits'] and {k: v for k, v in ours['range_limits'].items()
                                       if k != 'subtype'}
    check('range_limits', limits, theirs['range_limits'])

    # Blocks past the extension count are listed but not decoded: what edid-decode reads
    # in them is left out.
    decoded = {b['index'] for b in ours['blocks'] if not b.get('beyond_count')}
    beyond = [b for b in theirs['blocks'] if b['index'] not in decoded]
    if beyond:
        tally.skips['block past the extension count: decoded there, listed only here'] += 1
        theirs['dtds'] = [d for d in theirs['dtds'] if d is None or d['block'] in decoded]
        if theirs['cta'] and 'only_in_displayid' not in theirs['cta'] and not any(
                b['type'] == 'cta-861' for b in theirs['blocks'] if b['index'] in decoded):
            theirs['cta'] = None

    check('blocks (count)', len(ours['blocks']), len(theirs['blocks']))
    for o, t in zip(ours['blocks'], theirs['blocks']):
        check(f'blocks[{t["index"]}].index', o['index'], t['index'])
        check(f'blocks[{t["index"]}].type', o['type'], t['type'])
        check(f'blocks[{t["index"]}].checksum_valid', o['checksum_valid'], t['checksum_valid'])

    for key, said in (('product_name', 'names'), ('serial_string', 'serials')):
        check(key, as_edid_decode_shows(ours[key], tally),
              theirs[said][0][1].rstrip(' ') if theirs[said] else None)
    if theirs['spwg']:
        # A laptop panel's data strings are shown as its maker's part numbers and bus values.
        tally.skips['laptop panel: data strings shown as SPWG data'] += 1
    else:
        check('data_strings', [as_edid_decode_shows(text, tally) for text in ours['data_strings']],
              [text.rstrip(' ') for block, text in theirs['strings'] if block == 0])

    # DisplayID's detailed timings are compared with their sections (displayid_fields).
    dtds = [t for t in ours['detailed_timings'] if t['source'] != 'displayid']
    check('detailed_timings (count)', len(dtds), len(theirs['dtds']))
    for n, (o, t) in enumerate(zip(dtds, theirs['dtds'])):
        field = f'detailed_timings[{n}]'
        if t is None:
            tally.skips['pixel clock below 10 MHz: timing shown as bytes only'] += 1
            continue
        for key in ('block', 'width', 'height', 'interlaced', 'image_size_mm'):
            check(f'{field}.{key}', o[key], t[key])
        check(f'{field}.pixel_clock_mhz', o['pixel_clock_mhz'], t['pixel_clock_mhz'],
              SIX_DECIMALS)
        if t['interlaced'] and t['vborder']:
            # edid-decode leaves the vertical borders out of a field's total lines.
            tally.skips['interlaced timing with vertical borders'] += 1
        else:
            check(f'{field}.refresh_hz', o['refresh_hz'], t['refresh_hz'], SIX_DECIMALS)

    ours_cta, theirs_cta = ours['cta'], theirs['cta']
    if ours_cta is None and theirs_cta and 'only_in_displayid' in theirs_cta:
        tally.skips['CTA-861 data only in a DisplayID section: not decoded until the DisplayID '
                    'decoder hands it over'] += 1
        theirs_cta = None
    check('cta (present)', ours_cta is not None, theirs_cta is not None)
    if ours_cta and theirs_cta:
        check('cta.vics', ours_cta['vics'], theirs_cta['vics'])
        ours_hdr, theirs_hdr = ours_cta['hdr'], theirs_cta['hdr']
        check('cta.hdr (present)', ours_hdr is not None, theirs_hdr is not None)
        if ours_hdr and theirs_hdr:
            check('cta.hdr.eotfs', ours_hdr['eotfs'], theirs_hdr['eotfs'])
            for key in LUMINANCES.values():
                check(f'cta.hdr.{key}', ours_hdr[key], theirs_hdr.get(key), THREE_DECIMALS)


def decode_both(cli, folder, n, edid):
    path = os.path.join(folder, f'{n}.bin')
    with open(path, 'wb') as f:
        f.write(edid)
    theirs = subprocess.run(['edid-decode', '--skip-sha', '-s', path], capture_output=True,
                            encoding='latin-1', check=True).stdout
    ours = subprocess.run([cli, 'info', '--json', path], capture_output=True, encoding='utf-8')
    if ours.returncode != 0:
        return None, theirs, \
            (ours.stderr.strip() or f'status {ours.returncode}').split('\n')[0]
    return json.loads(ours.stdout), theirs, None


def main():
    cli, tsv = sys.argv[1:]
    with open(tsv) as f:
        samples = [(path, bytes.fromhex(hexes)) for path, _, hexes in
                   (line.rstrip('\n').split('\t') for line in f)]
    # No sample has a bad checksum: copies of some get one.
    changed = [(path + ' (checksum changed)', edid[:-1] + bytes([edid[-1] ^ 0x55]))
               for path, edid in samples[::40]]
    samples += changed
    start = time.monotonic()
    tally = Tally()
    with tempfile.TemporaryDirectory() as folder, \
            concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        runs = pool.map(lambda n: decode_both(cli, folder, n, samples[n][1]), range(len(samples)))
        for (sample, _), (ours, theirs, error) in zip(samples, runs):
            if error:
                tally.disagreements.append(f'{sample}: moniquet-cli failed: {error}')
            else:
                compare(sample, ours, parse_edid_decode(theirs), theirs, tally)
    for line in tally.disagreements:
        print('DISAGREE', line)
    print(f'samples: {len(samples)} (of which {len(changed)} with a changed checksum)\n'
          f'fields compared: {tally.compared}\nagreements: {tally.agreed}\n'
          f'disagreements: {len(tally.disagreements)}\n'
          f'skipped or compared in part: {sum(tally.skips.values())}')
    for reason, count in tally.skips.most_common():
        print(f'  {count:5}  {reason}')
    print(f'time: {time.monotonic() - start:.1f} s')
    return 1 if tally.disagreements else 0


if __name__ == '__main__':
    sys.exit(main())
