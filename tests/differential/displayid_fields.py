"""The fields of DisplayID sections in `info --json` against edid-decode's text."""
import re

# edid-decode prints refresh rates and pixel clocks with six decimals.
SIX_DECIMALS = 1.01e-6
# Formula-based timings (CVT) are kept at the rate they store; edid-decode computes the CVT
# timing's exact rate, within half a hertz of it.
NOMINAL_RATE = 0.5

# The names edid-decode heads DisplayID data blocks with that need no pattern below.
NAMES = {
    'Display Parameters Data Block (0x01)', 'Color Characteristics Data Block',
    'Video Timing Modes Type 1 - Detailed Timings Data Block',
    'Video Timing Modes Type 2 - Detailed Timings Data Block',
    'Video Timing Modes Type 3 - Short Timings Data Block',
    'Video Timing Modes Type 4 - DMT Timings Data Block',
    'Supported Timing Modes Type 1 - VESA DMT Timings Data Block',
    'Supported Timing Modes Type 2 - CTA-861 Timings Data Block',
    'Video Timing Range Data Block', 'Product Serial Number Data Block',
    'GP ASCII String Data Block', 'Display Device Data Data Block',
    'Interface Power Sequencing Data Block', 'Transfer Characteristics Data Block',
    'Display Interface Data Block', 'Stereo Display Interface Data Block (0x10)',
    'Video Timing Modes Type 5 - Short Timings Data Block',
    'Tiled Display Topology Data Block (0x12)',
    'Video Timing Modes Type 6 - Detailed Timings Data Block',
    'Display Parameters Data Block (0x21)',
    'Video Timing Modes Type 7 - Detailed Timings Data Block',
    'Video Timing Modes Type 8 - Enumerated Timing Codes Data Block',
    'Video Timing Modes Type 9 - Formula-based Timings Data Block',
    'Dynamic Video Timing Range Limits Data Block', 'Display Interface Features Data Block',
    'Stereo Display Interface Data Block (0x27)', 'Tiled Display Topology Data Block (0x28)',
    'ContainerID Data Block', 'Adaptive Sync Data Block',
    'Video Timing Modes Type 10 - Formula-based Timings Data Block',
    'CTA-861 DisplayID Data Block'}
# Headings that carry more than the name: an OUI, a PNP ID, an unknown block's length.
PRODUCT = re.compile(r'  (Product Identification Data Block \(0x(?:00|20)\))'
                     r'(?:, OUI (\S+)|, PNP ID \'(.*)\')?:$')
VENDOR = re.compile(r'  (Vendor-Specific Data Block \(0x7[ef]\)(?: \([^)]*\))?)(?:, OUI \S+)?:$')
UNKNOWN = re.compile(r'  (Unknown DisplayID Data Block \(0x..), length \d+\):$')
PRODUCT_TYPES = {
    'Display Product Type': ['Extension Section', 'Test Structure; test equipment only',
                             'Display panel or other transducer, LCD or PDP module, etc.',
                             'Standalone display device', 'Television receiver',
                             'Repeater/translator', 'DIRECT DRIVE monitor'],
    'Display Product Primary Use Case': [
        'Same primary use case as the base section', 'Test Structure; test equipment only',
        'None of the listed primary use cases; generic display', 'Television (TV) display',
        'Desktop productivity display', 'Desktop gaming display', 'Presentation display',
        'Head-mounted Virtual Reality (VR) display',
        'Head-mounted Augmented Reality (AR) display']}
DTD = re.compile(r'DTD:\s+(\d+)x(\d+)(i?)\s+([\d.]+) Hz .*?([\d.]+) MHz \((.*)\)$')
PORCHES = re.compile(r'([HV])front\s+(\d+) [HV]sync\s+(\d+) [HV]back\s+(-?\d+) [HV]pol ([PN])')
# DMT IDs whose vertical totals edid-decode's table gives one or two lines off DMT's.
DMT_TOTALS_OFF = {'DMT 0x43', 'DMT 0x4b'}
# Tag 0x2A holds type X timings; this edid-decode knows them as tag 0x32.
TYPE_10 = 'Video Timing Modes Type 10 - Formula-based Timings Data Block'
TAG_SWAP = {'Unknown DisplayID Data Block (0x2a)': TYPE_10,
            TYPE_10: 'Unknown DisplayID Data Block (0x32)'}
# A DMT, VIC or CVT timing that is not a detailed one.
OTHER = re.compile(r'(DMT 0x..|VIC\s+\d+|HDMI VIC \d+|CVT):\s+(\d+)x(\d+)(i?)\s+([\d.]+) Hz')


def heading(line):
    """The name of the DisplayID data block a line heads, or None."""
    if line[2:-1] in NAMES and line.endswith(':'):
        return line[2:-1]
    for pattern, close in ((PRODUCT, ''), (VENDOR, ''), (UNKNOWN, ')')):
        if m := pattern.match(line):
            return m[1] + close
    return None


def sections(text):
    """Each DisplayID block edid-decode shows, as a dict of what it says."""
    found, current, block = [], None, None
    for line in text.splitlines():
        if m := re.match(r'Block (\d+), (.*):$', line):
            current = None
            if m[2].startswith('DisplayID'):
                current = {'block': int(m[1]), 'names': [], 'type': None, 'checksum': None,
                           'dtds': [], 'others': [], 'tiled': [], 'sync': [], 'product': None,
                           'parameters': {}}
                found.append(current)
            block = None
            continue
        if current is None:
            continue
        s = line.strip()
        if m := re.match(r'  Version: (\d+)\.(\d+)$', line):
            current['version'] = f'{int(m[1])}.{int(m[2])}'
        elif m := re.match(r'  (Display Product Type|Display Product Primary Use Case): (.*)$',
                           line):
            names = PRODUCT_TYPES[m[1]]
            current['type'] = names.index(m[2]) if m[2] in names else m[2]
        elif m := re.match(r'  Checksum: 0x..( \(should be)?', line):
            current['checksum'] = not m[1]
        elif name := heading(line):
            current['names'].append(name)
            block = name
            if m := PRODUCT.match(line):
                current['product'] = current['product'] or {'vendor': m[2] or m[3]}
        elif re.match(r'  \S', line):
            block = 'CTA-861'  # a CTA-861 data block that a DisplayID one embeds
        elif block is None or block == 'CTA-861':
            continue
        elif m := DTD.match(s):
            current['dtds'].append({'type2': block.startswith('Video Timing Modes Type 2'),
                                    'width': int(m[1]), 'height': int(m[2]),
                                    'interlaced': m[3] == 'i', 'refresh_hz': float(m[4]),
                                    'pixel_clock_mhz': float(m[5]),
                                    'preferred': 'preferred' in m[6].split(', ')})
        elif (m := PORCHES.match(s)) and current['dtds']:
            axis = m[1].lower()
            current['dtds'][-1].update({f'{axis}_front_porch': int(m[2]),
                                        f'{axis}_sync': int(m[3]),
                                        f'{axis}_back_porch': int(m[4]),
                                        f'{axis}_sync_positive': m[5] == 'P'})
        elif m := OTHER.match(s):
            current['others'].append({'kind': m[1], 'width': int(m[2]), 'height': int(m[3]),
                                      'interlaced': m[4] == 'i', 'refresh_hz': float(m[5])})
        elif block.startswith('Tiled'):
            current['tiled'].append(s)
        elif m := re.match(r'(Min|Max) Refresh Rate: (\d+) Hz$', s):
            if m[1] == 'Min':
                current['sync'].append({'min_hz': int(m[2])})
            else:
                current['sync'][-1]['max_hz'] = int(m[2])
        elif block.startswith('Product Identification') and current['product'] is not None:
            product_line(s, current['product'])
        elif block.startswith('Display Parameters'):
            parameters_line(s, current['parameters'])
    return found


def product_line(s, product):
    if m := re.match(r'Product Code: (\d+)$', s):
        product['product_code'] = int(m[1])
    elif m := re.match(r'Serial Number: (\d+)$', s):
        product['serial_number'] = int(m[1])
    elif m := re.match(r'(Year of Manufacture|Model Year): (\d+)(?:, Week (\d+))?$', s):
        product.update(year=int(m[2]), model_year=m[1] == 'Model Year',
                       week=int(m[3]) if m[3] else None)
    elif m := re.match(r'Product ID: (.*)$', s):
        product['text'] = m[1]


def parameters_line(s, parameters):
    if m := re.match(r'Image size: ([\d.]+) mm x ([\d.]+) mm$', s):
        parameters.update(image_width_mm=float(m[1]), image_height_mm=float(m[2]))
    elif m := re.match(r'Display native pixel format: (\d+)x(\d+)$', s):
        parameters.update(native_width=int(m[1]), native_height=int(m[2]))
    elif m := re.match(r'(?:Native Gamma EOTF|Gamma): ([\d.]+)$', s):
        parameters['gamma'] = float(m[1])


def tiled_of(lines):
    values = {}
    for s in lines:
        if m := re.match(r'Num horizontal tiles: (\d+) Num vertical tiles: (\d+)$', s):
            values.update(tiles_h=int(m[1]), tiles_v=int(m[2]))
        elif m := re.match(r'Tile location: (\d+), (\d+)$', s):
            values.update(tile_x=int(m[1]), tile_y=int(m[2]))
        elif m := re.match(r'Tile resolution: (\d+)x(\d+)$', s):
            values.update(tile_width=int(m[1]), tile_height=int(m[2]))
    return values


def compare_timings(field, ours, theirs, check, skip):
    check(f'{field} (count)', len(ours), len(theirs))
    for n, (o, t) in enumerate(zip(ours, theirs)):
        for key, value in t.items():
            if key == 'type2':
                continue
            if key == 'v_sync_positive' and t['type2']:
                skip('type II timing: edid-decode reads its vertical polarity past the timing')
                continue
            tolerance = SIX_DECIMALS if isinstance(value, float) else 0
            check(f'{field}[{n}].{key}', o[key], value, tolerance)


def compare_others(field, modes, theirs, check, skip):
    """Each DMT, VIC or CVT timing edid-decode shows is one of our modes from DisplayID."""
    ours = [m for m in modes if 'displayid' in m['sources']]
    for t in theirs:
        tolerance = NOMINAL_RATE if t['kind'] == 'CVT' else SIX_DECIMALS
        if t['kind'] in DMT_TOTALS_OFF:
            skip('DMT 0x43 and 0x4B: edid-decode\'s rate from totals that differ from DMT\'s')
            tolerance = NOMINAL_RATE
        found = any(m['width'] == t['width'] and m['height'] == t['height'] and
                    m['interlaced'] == t['interlaced'] and m['refresh_hz'] is not None and
                    abs(m['refresh_hz'] - t['refresh_hz']) <= tolerance for m in ours)
        check(f'{field} {t["kind"]} {t["width"]}x{t["height"]}@{t["refresh_hz"]}', found, True)


def compare(ours, text, check, skip):
    """Checks each field of ours that edid-decode's output `text` shows."""
    beyond = {b['index'] for b in ours['blocks'] if b.get('beyond_count')}
    theirs = []
    for t in sections(text):
        if t['block'] in beyond:
            skip('DisplayID block beyond the extension count: listed, not decoded')
        else:
            theirs.append(t)
    check('displayid (count)', len(ours['displayid']), len(theirs))
    timings = [t for t in ours['detailed_timings'] if t['source'] == 'displayid']
    for o, t in zip(ours['displayid'], theirs):
        field = f'displayid[block {t["block"]}]'
        check(f'{field}.block', o['block'], t['block'])
        check(f'{field}.version', o['version'], t.get('version'))
        if t['type'] is None:
            skip('DisplayID product type: edid-decode shows only the first section\'s')
        else:
            check(f'{field}.product_type', o['product_type'], t['type'])
        check(f'{field}.checksum_valid', o['checksum_valid'], t['checksum'])
        names = t['names']
        if any(name in TAG_SWAP for name in names):
            skip('tag 0x2A (type X timings): this edid-decode names tag 0x32 so')
            names = [TAG_SWAP.get(name, name) for name in names]
        check(f'{field}.data_blocks', [b['name'] for b in o['data_blocks']], names)
        compare_timings(f'{field}.timings', [d for d in timings if d['block'] == t['block']],
                        t['dtds'], check, skip)
        compare_others(field, ours['modes'], t['others'], check, skip)
        if t['product']:
            for key, value in t['product'].items():
                check(f'{field}.product.{key}', (o['product'] or {}).get(key), value)
        else:
            check(f'{field}.product', o['product'], None)
        for key, value in t['parameters'].items():
            check(f'{field}.parameters.{key}', (o['parameters'] or {}).get(key), value)
        if not t['parameters']:
            check(f'{field}.parameters', o['parameters'], None)
    tiled = next((tiled_of(t['tiled']) for t in theirs if t['tiled']), None)
    check('displayid_tiled', ours['displayid_tiled'], tiled)
    check('displayid_adaptive_sync', ours['displayid_adaptive_sync'],
          [range for t in theirs for range in t['sync']])
